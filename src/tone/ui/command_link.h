// How a tone dialog hands its "execute" and "cancel" to the main window: the next number of the
// shared counter into the dialog's command edit, then, after an execute, the step that marks the
// image modified (which the main window skips when the operation raised an error).
#pragma once

#include "document/command_channel.h"

#include <functional>

namespace tavlo {

class CommandLink {
  public:
    CommandLink(tavlo::CommandChannel& channel, tavlo::CommandCounter& counter,
                tavlo::CommandEdit edit, std::function<void()> afterExecute)
        : channel_(channel), counter_(counter), edit_(edit),
          afterExecute_(std::move(afterExecute)) {}

    void execute() {
        channel_.execute(edit_, counter_);
        afterExecute_();
    }
    void cancel() { channel_.cancel(edit_, counter_); }

  private:
    tavlo::CommandChannel& channel_;
    tavlo::CommandCounter& counter_;
    tavlo::CommandEdit edit_;
    std::function<void()> afterExecute_;
};

} // namespace tavlo
