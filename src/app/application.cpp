#include "app/application.h"

#include "app/failure_text.h"

#include <exception>

namespace tavlo {

Application::Application(int& argc, char** argv, DialogService& dialogs)
    : QApplication(argc, argv), dialogs_(dialogs) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        // The handler that threw is gone; its busy cursors were restored as it unwound.
        dialogs_.reportError(activeWindow(), failureText(error));
    } catch (...) {
        dialogs_.reportError(activeWindow(), QStringLiteral("処理中にエラーが発生しました。"));
    }
    return false;
}

} // namespace tavlo
