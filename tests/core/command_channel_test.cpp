#include "document/command_channel.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavlo {
namespace {

TEST(CommandChannel, RunsTheHandlerSynchronouslyOnlyWhenTheTextChanges) {
    CommandChannel channel;
    std::vector<std::int64_t> seen;
    channel.setHandler(CommandEdit::Contrast, [&](std::int64_t v) { seen.push_back(v); });
    EXPECT_EQ(channel.text(CommandEdit::Contrast), "ontrasuto");
    channel.write(CommandEdit::Contrast, "1");
    channel.write(CommandEdit::Contrast, "1");
    channel.write(CommandEdit::Contrast, "-2");
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, -2}));
}

TEST(CommandChannel, ExecuteAndCancelNeverRepeatANumber) {
    CommandChannel channel;
    CommandCounter counter;
    std::vector<std::int64_t> seen;
    channel.setHandler(CommandEdit::Gamma, [&](std::int64_t v) { seen.push_back(v); });
    channel.execute(CommandEdit::Gamma, counter);
    channel.execute(CommandEdit::Gamma, counter);
    channel.cancel(CommandEdit::Gamma, counter);
    channel.cancel(CommandEdit::Gamma, counter);
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, -3, -4}));
}

TEST(CommandChannel, TrimmingAndWallpaperDialogsSharingTheEditEachStartTheirOperation) {
    CommandChannel channel;
    CommandCounters counters;
    int runs = 0;
    channel.setHandler(CommandEdit::Trimming, [&](std::int64_t v) { runs += v >= 0; });
    channel.execute(CommandEdit::Trimming, counters.trimming); // trimming dialog
    channel.execute(CommandEdit::Trimming, counters.trimming); // wallpaper dialog
    EXPECT_EQ(runs, 2);
}

TEST(CommandChannel, EditsAreIndependent) {
    CommandChannel channel;
    int quality = 0, matrix = 0;
    channel.setHandler(CommandEdit::Quality, [&](std::int64_t) { ++quality; });
    channel.setHandler(CommandEdit::Matrix, [&](std::int64_t) { ++matrix; });
    channel.write(CommandEdit::Quality, "1");
    channel.write(CommandEdit::Matrix, "1");
    EXPECT_EQ(quality, 1);
    EXPECT_EQ(matrix, 1);
    EXPECT_EQ(channel.text(CommandEdit::ToneCurve), "RGB Position");
}

} // namespace
} // namespace tavlo
