// What the geometry dialogs share: how they hand "execute" and "cancel" to the main window,
// their window kind and placement, and their controls.
#pragma once

#include "document/command_channel.h"
#include "document/text_format.h"
#include "widgets/dialog_controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

#include <functional>
#include <string>

namespace tavlo {

namespace geometry_ui {

using dialog_controls::bar;
using dialog_controls::button;
using dialog_controls::fileNameOf;

// A dialog's messages to one command edit: execute writes the counter's next value, cancel a
// negative number; `executed` runs after an execute once the dialog is done with it (it marks the
// image modified unless the main window's command failed).
struct CommandSender {
    tavlo::CommandChannel& channel;
    tavlo::CommandCounter& counter;
    tavlo::CommandEdit edit;
    std::function<void()> executed;

    void execute() { channel.execute(edit, counter); }
    void cancel() { channel.cancel(edit, counter); }
};

// The run button sends "execute" (hiding the dialog first when it closes on a run) and then
// reports the run; the back button sends "cancel" and hides the dialog.
enum class AfterRun { Stay, Hide };
inline void connectRunAndBack(QWidget* dialog, QPushButton* run, QPushButton* back,
                              CommandSender& sender, AfterRun after) {
    QObject::connect(run, &QPushButton::clicked, dialog, [dialog, &sender, after] {
        sender.execute();
        if (after == AfterRun::Hide) dialog->hide();
        sender.executed();
    });
    QObject::connect(back, &QPushButton::clicked, dialog, [dialog, &sender] {
        sender.cancel();
        dialog->hide();
    });
}

// Modeless, always on top, without the title bar's buttons.
inline constexpr Qt::WindowFlags kToolWindow =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString formatted(std::string_view format, std::initializer_list<tavlo::FormatArg> args) {
    return fromUtf8(tavlo::formatText(format, args));
}


inline QLineEdit* field(QWidget* parent, const char* name, QRect geometry, bool readOnly = true) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setReadOnly(readOnly);
    return edit;
}


// Fixed size, `top` pixels from the top of the screen, right edge `rightGap` from its right.
inline void placeTopRight(QWidget* window, QSize size, int top, int rightGap) {
    window->setFixedSize(size);
    const int screenWidth = QApplication::primaryScreen()->size().width();
    window->move(screenWidth - size.width() - rightGap, top);
}

} // namespace geometry_ui

} // namespace tavlo
