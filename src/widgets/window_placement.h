// The dialogs' window kinds and where they open.
#pragma once

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace tavlo {

// Modeless, always on top, without the title bar's buttons.
inline constexpr Qt::WindowFlags kToolWindow =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;
// The same with the system menu and the close box.
inline constexpr Qt::WindowFlags kToolWindowWithClose =
    kToolWindow | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Fixed size, `top` pixels from the top of the screen, right edge `rightGap` from its right.
inline void placeTopRight(QWidget* window, QSize size, int top, int rightGap) {
    window->setFixedSize(size);
    const int screenWidth = QApplication::primaryScreen()->size().width();
    window->move(screenWidth - size.width() - rightGap, top);
}

// Sized from the outermost group plus a margin, then placed as placeTopRight does.
inline void placeTopRight(QWidget* window, QRect outermost, int widthExtra, int heightExtra,
                          int top, int rightGap) {
    placeTopRight(window,
                  {outermost.left() + outermost.width() + widthExtra,
                   outermost.top() + outermost.height() + heightExtra},
                  top, rightGap);
}

} // namespace tavlo
