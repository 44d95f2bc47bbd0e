// How a dialog hands "execute" and "cancel" to the main window: the counter's next value, or a
// negative number, written to the dialog's command edit.
#pragma once

#include "document/command_channel.h"

#include <QPushButton>
#include <QWidget>

namespace tavlo {

struct CommandSender {
    CommandChannel& channel;
    CommandCounter& counter;
    CommandEdit edit;

    void execute() { channel.execute(edit, counter); }
    void cancel() { channel.cancel(edit, counter); }
};

// The run button sends "execute" and then hides the dialog when it closes on a run; the back
// button sends "cancel" and hides the dialog.
enum class AfterRun { Stay, Hide };
inline void connectRunAndBack(QWidget* dialog, QPushButton* run, QPushButton* back,
                              CommandSender& sender, AfterRun after) {
    QObject::connect(run, &QPushButton::clicked, dialog, [dialog, &sender, after] {
        sender.execute();
        if (after == AfterRun::Hide) dialog->hide();
    });
    QObject::connect(back, &QPushButton::clicked, dialog, [dialog, &sender] {
        sender.cancel();
        dialog->hide();
    });
}

} // namespace tavlo
