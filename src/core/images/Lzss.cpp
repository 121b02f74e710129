#include "core/images/Lzss.h"

#include <algorithm>
#include <array>

namespace tessemar {
namespace {

constexpr int kRingSize = 4096;
constexpr int kRingStart = 4078;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;

}  // namespace

bool LzssUnpack(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    if (output.empty())
        return false;
    std::array<std::uint8_t, kRingSize> ring{};
    int r = kRingStart;
    std::size_t in = 0;
    std::size_t out = 0;
    unsigned flags = 0;  // the flag bits still to use, with a marker bit above them
    while (out < output.size()) {
        if ((flags & 0x100) == 0) {
            if (in >= input.size())
                return false;
            flags = input[in++] | 0xFF00u;
        }
        if (flags & 1) {
            if (in >= input.size())
                return false;
            const std::uint8_t c = input[in++];
            output[out++] = c;
            ring[static_cast<std::size_t>(r)] = c;
            r = (r + 1) & (kRingSize - 1);
        } else {
            if (input.size() - in < 2)
                return false;
            const int b1 = input[in];
            const int b2 = input[in + 1];
            in += 2;
            const int position = b1 | ((b2 & 0xF0) << 4);
            const int length = (b2 & 0x0F) + kMinMatch;
            for (int k = 0; k < length && out < output.size(); ++k) {
                const std::uint8_t c =
                    ring[static_cast<std::size_t>((position + k) & (kRingSize - 1))];
                output[out++] = c;
                ring[static_cast<std::size_t>(r)] = c;
                r = (r + 1) & (kRingSize - 1);
            }
        }
        flags >>= 1;
    }
    return true;
}

std::vector<std::uint8_t> LzssPack(std::span<const std::uint8_t> data) {
    // Greedy matching against the last 4095 bytes of output, found through hash chains of
    // three-byte prefixes. A distance below the ring size guarantees that the bytes a reference
    // reads have not been overwritten yet, even when the reference overlaps its own output.
    constexpr int kHashBits = 14;
    constexpr int kMaxChain = 256;
    constexpr std::size_t kMaxDistance = kRingSize - 1;
    const std::size_t n = data.size();
    std::vector<std::int32_t> head(1u << kHashBits, -1);
    std::vector<std::int32_t> previous(n, -1);
    auto hash = [&](std::size_t i) {
        const std::uint32_t v =
            data[i] | (data[i + 1] << 8) | (static_cast<std::uint32_t>(data[i + 2]) << 16);
        return (v * 2654435761u) >> (32 - kHashBits);
    };
    auto insert = [&](std::size_t i) {
        if (i + kMinMatch > n)
            return;
        const std::uint32_t h = hash(i);
        previous[i] = head[h];
        head[h] = static_cast<std::int32_t>(i);
    };

    std::vector<std::uint8_t> out;
    out.reserve(n + n / 8 + 16);
    std::size_t flagIndex = 0;
    int itemCount = 8;
    std::size_t i = 0;
    while (i < n) {
        if (itemCount == 8) {
            flagIndex = out.size();
            out.push_back(0);
            itemCount = 0;
        }
        std::size_t bestLength = 0;
        std::size_t bestFrom = 0;
        if (i + kMinMatch <= n) {
            const std::size_t limit = std::min<std::size_t>(kMaxMatch, n - i);
            int chain = 0;
            for (std::int32_t j = head[hash(i)]; j >= 0 && chain < kMaxChain;
                 j = previous[static_cast<std::size_t>(j)], ++chain) {
                const std::size_t from = static_cast<std::size_t>(j);
                if (i - from > kMaxDistance)
                    break;
                std::size_t length = 0;
                while (length < limit && data[from + length] == data[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestFrom = from;
                    if (length == limit)
                        break;
                }
            }
        }
        if (bestLength >= static_cast<std::size_t>(kMinMatch)) {
            const int position = static_cast<int>((kRingStart + bestFrom) & (kRingSize - 1));
            out.push_back(static_cast<std::uint8_t>(position & 0xFF));
            out.push_back(
                static_cast<std::uint8_t>(((position >> 4) & 0xF0) | (bestLength - kMinMatch)));
            for (std::size_t k = 0; k < bestLength; ++k)
                insert(i + k);
            i += bestLength;
        } else {
            out[flagIndex] |= static_cast<std::uint8_t>(1u << itemCount);
            out.push_back(data[i]);
            insert(i);
            ++i;
        }
        ++itemCount;
    }
    return out;
}

}  // namespace tessemar
