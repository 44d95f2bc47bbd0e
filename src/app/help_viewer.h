// The help window: shows the program's help file, whole or at the topic of a context number,
// and answers the help key for whatever window or control has the focus.
#pragma once

#include "widgets/dialog_service.h"

#include <QTextBrowser>

namespace tavlo {

// The help file of a program in PROGRAM_FOLDER: beside it in the build tree, else in the data
// folder of its installation prefix (bin/../share/tavlo). The first place when neither has it.
QString findHelpFile(const QString& programFolder);

// The context number of a window or control: its own, else that of the nearest parent that has
// one; 0 when none has.
int helpContextOf(const QWidget* widget);
void setHelpContext(QWidget* widget, int context);
// Every context number a window or control carries.
QList<int> helpContextNumbers();
// Gives every known window and control its context number, by class and control name.
void assignHelpContexts(const QList<QWidget*>& windows);

class HelpViewer : public QTextBrowser {
    Q_OBJECT
  public:
    HelpViewer(QString helpFile, DialogService& dialogs, QWidget* parent = nullptr);

    void showContents();
    void showTopic(int context);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // the help key
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool open(const QString& anchor);
    void leaveRoomAfterTheLastTopic();

    QString helpFile_;
    DialogService& dialogs_;
};

} // namespace tavlo
