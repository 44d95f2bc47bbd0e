// Every operation gives the same bytes whatever the number of worker threads.
#include "../core/test_support.h"
#include "document/operations.h"
#include "document/worker_pool.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

Bitmap runAt(int threads, const Bitmap& image, std::string_view name, std::string_view argument) {
    setWorkerCount(threads);
    Document document;
    document.workImage = image;
    const OperationStatus status = findOperation(name)->run(document, argument);
    setWorkerCount(0);
    if (status != OperationStatus::Done) throw std::logic_error("refused");
    return document.workImage;
}

TEST(ThreadCount, EveryOperationGivesTheSameBytesOnAnyNumberOfThreads) {
    const std::pair<const char*, const char*> calls[] = {{"turn", "right"},
                                                         {"turn", "left"},
                                                         {"turn", "half"},
                                                         {"turn", "mirror"},
                                                         {"turn", "flip"},
                                                         {"rotate", "30"},
                                                         {"rotate", "-137"},
                                                         {"rotate", "90"},
                                                         {"shrink", "2"},
                                                         {"resize", "150x61"},
                                                         {"keystone", "both:40"},
                                                         {"shear", "-70"},
                                                         {"trim", "3,5,90,77"},
                                                         {"wallpaper", "40x30"},
                                                         {"filter", "1"},
                                                         {"filter", "8"},
                                                         {"kernel", "1000,-3,0,0,1,0,0,0,7"},
                                                         {"kernel", "9,0,0,0,0,0,0,0,2147483647"},
                                                         {"median", ""},
                                                         {"equalise", ""},
                                                         {"equalise", "0.5"},
                                                         {"grey", ""},
                                                         {"curve", "0,64,192,0,40,220,255"},
                                                         {"tone", "-20,33,128"},
                                                         {"contrast", "40,-12"},
                                                         {"vivid", "37"},
                                                         {"gamma", "-23"}};
    // Odd sizes, tall enough that every kernel splits its rows (and columns) into several bands.
    for (const PixelFormat format : {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Bitmap image = test::patternBitmap(117, 203, format);
        for (const auto& [name, argument] : calls) {
            SCOPED_TRACE(testing::Message()
                         << name << ':' << argument << " on " << bitsPerPixel(format) << " bits");
            Bitmap alone;
            try {
                alone = runAt(1, image, name, argument);
            } catch (const std::logic_error&) {
                continue; // this format is refused, on any number of threads alike
            }
            for (const int threads : {2, 3})
                EXPECT_TRUE(test::samePixels(runAt(threads, image, name, argument), alone))
                    << threads << " threads";
        }
    }
}

} // namespace
} // namespace tavlo
