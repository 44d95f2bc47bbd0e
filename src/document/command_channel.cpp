#include "command_channel.h"

#include <charconv>
#include <stdexcept>

namespace tavlo {

namespace {

// The labels the edits carry before the first write; never read as numbers.
constexpr std::array<std::string_view, kCommandEditCount> kInitialTexts = {
    "Edit1", "Edit2",     "Edit3",  "Edit4",  "変形",   "Edit6",       "Edit7",
    "Edit8", "ontrasuto", "Edit10", "Edit11", "matrix", "RGB Position"};

} // namespace

CommandChannel::CommandChannel() {
    for (std::size_t i = 0; i < slots_.size(); ++i)
        slots_[i].text = kInitialTexts[i];
}

CommandChannel::Slot& CommandChannel::slot(CommandEdit edit) {
    return slots_.at(static_cast<std::size_t>(edit) - 1);
}

const CommandChannel::Slot& CommandChannel::slot(CommandEdit edit) const {
    return slots_.at(static_cast<std::size_t>(edit) - 1);
}

void CommandChannel::setHandler(CommandEdit edit, Handler handler) {
    slot(edit).handler = std::move(handler);
}

const std::string& CommandChannel::text(CommandEdit edit) const {
    return slot(edit).text;
}

void CommandChannel::write(CommandEdit edit, std::string_view text) {
    Slot& target = slot(edit);
    if (target.text == text) return;
    target.text = text;
    std::int64_t value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("command edit written with a non-number: " + target.text);
    if (target.handler) target.handler(value);
}

void CommandChannel::execute(CommandEdit edit, CommandCounter& counter) {
    write(edit, std::to_string(counter.next()));
}

void CommandChannel::cancel(CommandEdit edit, CommandCounter& counter) {
    write(edit, std::to_string(-static_cast<std::int64_t>(counter.next())));
}

} // namespace tavlo
