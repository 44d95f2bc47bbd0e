// The Qt application with a last guard: an exception that escapes an event handler is reported
// and the program runs on, instead of ending with the user's work.
#pragma once

#include "widgets/dialog_service.h"

#include <QApplication>

namespace tavlo {

class Application : public QApplication {
  public:
    Application(int& argc, char** argv, DialogService& dialogs);

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    DialogService& dialogs_;
};

} // namespace tavlo
