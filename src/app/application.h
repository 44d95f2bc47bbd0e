// The Qt application with a last guard: an exception that escapes an event handler is reported
// and the program runs on, instead of ending with the user's work. Qt's own dialogs speak
// Japanese.
#pragma once

#include "widgets/dialog_service.h"

#include <QApplication>
#include <QTranslator>

namespace tavlo {

// The texts of Qt's print dialogs that Qt's Japanese catalogue leaves in English.
class PrintDialogTexts : public QTranslator {
  public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }
};

class Application : public QApplication {
  public:
    Application(int& argc, char** argv, DialogService& dialogs);

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    DialogService& dialogs_;
};

// Hides the page preview of Qt's page set-up pages: it is drawn as Latin sample text.
class LatinPreviewHider : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Makes every Qt dialog of the application Japanese: Qt's Japanese catalogue, the print
// dialogs' texts it lacks and no Latin preview text. False when Qt's catalogue is not installed.
bool speakJapaneseInQtDialogs(QApplication& application);

} // namespace tavlo
