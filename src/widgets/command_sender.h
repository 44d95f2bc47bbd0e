// How a dialog hands "execute" and "cancel" to the main window: the counter's next value, or a
// negative number, written to the dialog's command edit.
#pragma once

#include "document/command_channel.h"

namespace tavlo {

struct CommandSender {
    CommandChannel& channel;
    CommandCounter& counter;
    CommandEdit edit;

    void execute() { channel.execute(edit, counter); }
    void cancel() { channel.cancel(edit, counter); }
};

} // namespace tavlo
