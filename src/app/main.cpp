#include "main_window.h"

#include <QApplication>
#include <QFont>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Tavlo"));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    application.setFont(font);
    TForm1 window;
    const QSize screen = application.primaryScreen()->size();
    window.resize(screen.width() * 9 / 10, screen.height() * 9 / 10);
    if (argc > 1)
        window.openFile(QString::fromLocal8Bit(argv[1]));
    window.show();
    return application.exec();
}
