// The channel through which the parameter dialogs start operations in the main window: thirteen
// command edits; writing a new decimal number into one runs its handler at once, before the
// write returns. Non-negative numbers mean execute, negative ones cancel.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tavlo {

enum class CommandEdit {
    Quality = 1,     // JPEG quality dialog
    Rotation,        // arbitrary rotation dialog
    Trimming,        // trimming and wallpaper dialogs
    Size,            // arbitrary size dialog
    Deformation,     // keystone and parallelogram dialog
    ColourTone,      // colour tone dialog
    HistogramShow,   // the histogram menu item
    HistogramRedraw, // a click in the histogram window
    Contrast,
    Vividness,
    Gamma,
    Matrix,   // 3×3 filter dialog
    ToneCurve // tone-curve dialog
};
inline constexpr int kCommandEditCount = 13;

// A writer's counter. It only ever increases, so every number it gives an edit is new there.
class CommandCounter {
  public:
    std::int32_t next() { return ++value_; }
    std::int32_t value() const { return value_; }

  private:
    std::int32_t value_ = 0;
};

class CommandChannel {
  public:
    using Handler = std::function<void(std::int64_t value)>;

    CommandChannel();

    void setHandler(CommandEdit edit, Handler handler);
    const std::string& text(CommandEdit edit) const;

    // Sets the edit's text; when it differs from the previous text, the handler runs now with
    // the text read as an integer.
    void write(CommandEdit edit, std::string_view text);

    // The dialogs' two messages: execute writes the counter's next value, cancel its negation.
    void execute(CommandEdit edit, CommandCounter& counter);
    void cancel(CommandEdit edit, CommandCounter& counter);

  private:
    struct Slot {
        std::string text;
        Handler handler;
    };
    Slot& slot(CommandEdit edit);
    const Slot& slot(CommandEdit edit) const;

    std::array<Slot, kCommandEditCount> slots_;
};

// The counters the main window keeps for several writers; the quality, rotation and size dialogs
// keep one of their own. The trimming and wallpaper dialogs both write the trimming edit, so they
// share one counter: with one each, they could repeat each other's number and the second write
// would start nothing.
struct CommandCounters {
    CommandCounter shared;
    CommandCounter trimming;
};

} // namespace tavlo
