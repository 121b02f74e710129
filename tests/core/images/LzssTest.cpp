#include "core/images/Lzss.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tessemar {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

std::vector<std::uint8_t> Unpack(const std::vector<std::uint8_t>& input, std::size_t expected,
                                 bool& ok) {
    std::vector<std::uint8_t> out(expected, 0xCD);
    ok = LzssUnpack(input, out);
    return out;
}

// Ring position 4078 (where writing starts) is 0xFEE: b1 = 0xEE, b2 high nibble = 0xF.
TEST(LzssTest, DecodesHandMadeStreams) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> input;
        std::size_t expected;
        bool ok;
        std::string output;
    } cases[] = {
        {"literals", Bytes({0x07, 'a', 'b', 'c'}), 3, true, "abc"},
        {"reference overlapping its own output", Bytes({0x01, 'a', 0xEE, 0xF2}), 6, true, "aaaaaa"},
        {"stop inside a reference", Bytes({0x01, 'a', 0xEE, 0xF2}), 4, true, "aaaa"},
        {"reference into the zero-filled ring", Bytes({0x00, 0x00, 0x0F}), 18, true,
         std::string(18, '\0')},
        // Twenty literals under three flag bytes fill the ring from 4078 to 4095 and then 0 and
        // 1; a reference to 4095 then reads across the end of the ring.
        {"reference wrapping from 4095 to 0",
         Bytes({0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF, 'I', 'J', 'K', 'L', 'M', 'N',
                'O', 'P', 0x0F, 'Q', 'R', 'S', 'T', 0xFF, 0xF0}),
         23, true, "ABCDEFGHIJKLMNOPQRSTRST"},
        {"input ends before the output is full", Bytes({0x01, 'a', 0xEE, 0xF2}), 7, false, ""},
        {"reference cut after its first byte", Bytes({0x01, 'a', 0xEE}), 3, false, ""},
        {"literal missing", Bytes({0x03, 'a'}), 2, false, ""},
        {"no flag byte", Bytes({}), 1, false, ""},
        {"expected size of zero", Bytes({0x01, 'a'}), 0, false, ""},
    };
    for (const Case& c : cases) {
        bool ok = false;
        const std::vector<std::uint8_t> out = Unpack(c.input, c.expected, ok);
        EXPECT_EQ(ok, c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(std::string(out.begin(), out.end()), c.output) << c.what;
        }
    }
}

TEST(LzssTest, PackedDataUnpacksToTheOriginal) {
    std::mt19937 random(12345);
    auto noise = [&](std::size_t n, int range) {
        std::vector<std::uint8_t> v(n);
        for (auto& b : v)
            b = static_cast<std::uint8_t>(random() % range);
        return v;
    };
    std::vector<std::uint8_t> pattern;
    for (int i = 0; i < 20000; ++i)
        pattern.push_back(static_cast<std::uint8_t>((i * 7) % 13 == 0 ? i : 0x55));
    // Repeats farther apart than the ring holds must not be referenced.
    std::vector<std::uint8_t> farRepeat = noise(5000, 256);
    farRepeat.insert(farRepeat.end(), farRepeat.begin(), farRepeat.end());
    const std::vector<std::vector<std::uint8_t>> inputs = {
        Bytes({42}),       Bytes({1, 2}),   std::vector<std::uint8_t>(100000, 0),
        noise(70000, 256), noise(70000, 3), pattern,
        farRepeat,
    };
    for (const auto& input : inputs) {
        const std::vector<std::uint8_t> packed = LzssPack(input);
        bool ok = false;
        EXPECT_EQ(Unpack(packed, input.size(), ok), input) << input.size();
        EXPECT_TRUE(ok);
    }
    EXPECT_LT(LzssPack(std::vector<std::uint8_t>(100000, 0)).size(), 100000u / 8);
}

}  // namespace
}  // namespace tessemar
