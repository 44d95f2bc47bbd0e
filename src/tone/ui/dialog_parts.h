// Small pieces the tone dialogs share: value boxes, bars and window placement.
#pragma once

#include "widgets/dialog_controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

namespace tone_ui {

using dialog_controls::button;

// The window kinds of the dialogs: always on top, with the title-bar buttons each one has.
inline constexpr Qt::WindowFlags kNoTitleButtons =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;
inline constexpr Qt::WindowFlags kSystemMenuOnly =
    kNoTitleButtons | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

inline QLineEdit* valueBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

inline QScrollBar* bar(QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                       int maximum, int position, QRect geometry) {
    QScrollBar* scrollBar = dialog_controls::bar(parent, name, orientation, geometry);
    scrollBar->setRange(minimum, maximum);
    scrollBar->setValue(position);
    return scrollBar;
}

// Fixed size from the outermost group, top right of the screen less `rightGap`.
inline void place(QWidget* window, QRect outermost, int widthExtra, int heightExtra, int top,
                  int rightGap) {
    window->setFixedSize(outermost.left() + outermost.width() + widthExtra,
                         outermost.top() + outermost.height() + heightExtra);
    const int screenWidth = QApplication::primaryScreen()->size().width();
    window->move(screenWidth - window->width() - rightGap, top);
}

} // namespace tone_ui

} // namespace tavlo
