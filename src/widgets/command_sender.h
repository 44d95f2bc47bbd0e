// How a dialog hands "execute" and "cancel" to the main window: the counter's next value, or a
// negative number, written to the dialog's command edit; `executed` runs after an execute once
// the dialog is done with it.
#pragma once

#include "document/command_channel.h"

#include <QPushButton>
#include <QWidget>

#include <functional>

namespace tavlo {

struct CommandSender {
    CommandChannel& channel;
    CommandCounter& counter;
    CommandEdit edit;
    std::function<void()> executed;

    void execute() { channel.execute(edit, counter); }
    void cancel() { channel.cancel(edit, counter); }
    // Execute, then report it at once.
    void run() {
        execute();
        executed();
    }
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

} // namespace tavlo
