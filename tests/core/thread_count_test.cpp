// Every operation gives the same bytes whatever the number of worker threads.
#include "../core/test_support.h"
#include "operations/operation_table.h"
#include "document/worker_pool.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace tavlo {
namespace {

// The operation's result on the given number of threads; nothing when it refuses the format.
std::optional<Bitmap> runAt(int threads, const Bitmap& image, std::string_view call) {
    struct Restore {
        ~Restore() { setWorkerCount(0); }
    } restore;
    setWorkerCount(threads);
    const auto colon = call.find(':');
    const std::string_view argument = colon == call.npos ? "" : call.substr(colon + 1);
    Document document;
    document.workImage = image;
    if (findOperation(call.substr(0, colon))->run(document, argument) != OperationStatus::Done)
        return std::nullopt;
    return document.workImage;
}

TEST(ThreadCount, EveryOperationGivesTheSameBytesOnAnyNumberOfThreads) {
    const std::string calls =
        "turn:right turn:left turn:half turn:mirror turn:flip rotate:30 rotate:-137 rotate:90 "
        "shrink:2 resize:150x61 keystone:both:40 shear:-70 trim:3,5,90,77 "
        "filter:1 filter:8 kernel:1000,-3,0,0,1,0,0,0,7 kernel:9,0,0,0,0,0,0,0,2147483647 median "
        "equalise equalise:0.5 grey curve:0,64,192,0,40,220,255 tone:-20,33,128 contrast:40,-12 "
        "vivid:37 gamma:-23";
    // Odd sizes, tall and wide enough that every kernel splits its rows (or columns) into several
    // bands and its rows are longer than a vector.
    for (const PixelFormat format : {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Bitmap image = test::patternBitmap(117, 203, format);
        std::istringstream words(calls);
        for (std::string call; words >> call;) {
            SCOPED_TRACE(testing::Message() << call << " on " << bitsPerPixel(format) << " bits");
            const std::optional<Bitmap> alone = runAt(1, image, call);
            for (const int threads : {2, 3}) {
                const std::optional<Bitmap> shared = runAt(threads, image, call);
                ASSERT_EQ(shared.has_value(), alone.has_value()) << threads << " threads";
                if (alone) {
                    EXPECT_TRUE(test::samePixels(*shared, *alone)) << threads << " threads";
                }
            }
        }
    }
}

} // namespace
} // namespace tavlo
