#include "document/channel_lookup.h"

#include "../core/test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <random>
#include <vector>

namespace tavlo {
namespace {

using Table = std::array<std::uint8_t, 256>;

Table randomTable(std::mt19937& random) {
    Table table{};
    for (auto& entry : table)
        entry = static_cast<std::uint8_t>(random());
    return table;
}

// The widest row: byte j is (j + j / 192) mod 256, so that at every position modulo 192 (three
// vectors of 64 bytes, six of 32) every byte value occurs once.
constexpr int kEveryValueInEveryLane = 256 * 192 / 3;

// On every instruction set, widths around the vectors: none, one and many whole vectors, every
// remainder, and a row that gives each vector lane of each channel every byte value; tables
// that are all the same (one lookup) or all different (three).
TEST(ChannelLookup, MapsEveryByteThroughItsChannelsTable) {
    std::mt19937 random(13);
    const Table b = randomTable(random), g = randomTable(random), r = randomTable(random);
    std::vector<int> widths(201);
    std::iota(widths.begin(), widths.end(), 0);
    widths.push_back(kEveryValueInEveryLane);
    test::onEveryInstructionSet([&](const char* instructions) {
        for (const bool shared : {false, true})
            for (const int pixels : widths) {
                SCOPED_TRACE(testing::Message()
                             << instructions << ", " << pixels << " pixels, shared " << shared);
                const Table& green = shared ? b : g;
                const Table& red = shared ? b : r;
                std::vector<std::uint8_t> in(static_cast<std::size_t>(3 * pixels));
                for (std::size_t j = 0; j < in.size(); ++j)
                    in[j] = static_cast<std::uint8_t>(pixels == kEveryValueInEveryLane ? j + j / 192
                                                                                       : random());
                std::vector<std::uint8_t> out(in.size() + 1, 0xA5);
                mapChannelRow(in.data(), out.data(), pixels, b.data(), green.data(), red.data());
                for (std::size_t j = 0; j < in.size(); ++j) {
                    const Table& table = j % 3 == 0 ? b : j % 3 == 1 ? green : red;
                    ASSERT_EQ(out[j], table[in[j]]) << "byte " << j;
                }
                EXPECT_EQ(out.back(), 0xA5) << "wrote past the row";
                mapChannelRow(in.data(), in.data(), pixels, b.data(), green.data(), red.data());
                EXPECT_TRUE(std::equal(in.begin(), in.end(), out.begin())) << "in place";
            }
    });
}

} // namespace
} // namespace tavlo
