// Controls the parameter dialogs build themselves from: named so that tests and help contexts can
// find them, placed at fixed positions as the dialogs are laid out; and the caption they take.
#pragma once

#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <string>

namespace tavlo {

namespace dialog_controls {

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                           QRect geometry) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setGeometry(geometry);
    return pushButton;
}

// Arrows step by one, the track by ten.
inline QScrollBar* bar(QWidget* parent, const char* name, Qt::Orientation orientation,
                       QRect geometry) {
    auto* scrollBar = new QScrollBar(orientation, parent);
    scrollBar->setObjectName(QString::fromLatin1(name));
    scrollBar->setGeometry(geometry);
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(10);
    return scrollBar;
}

// A dialog's caption: the file name of the image's path, without its folder.
inline QString fileNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

} // namespace dialog_controls

} // namespace tavlo
