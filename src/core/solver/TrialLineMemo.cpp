#include "core/solver/TrialLineMemo.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tessemar {
namespace {

static_assert(std::endian::native == std::endian::little);

inline std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
    h ^= word;
    h *= 0xff51afd7ed558ccdull;
    return h ^ (h >> 32);
}

// The number of nonzero bytes of a word.
inline int NonzeroBytes(std::uint64_t x) {
    x |= x >> 4;
    x |= x >> 2;
    x |= x >> 1;
    // Sums the eight 0-or-1 lanes into the top byte (the target has no popcount instruction).
    return static_cast<int>(((x & 0x0101010101010101ull) * 0x0101010101010101ull) >> 56);
}

}  // namespace

void TrialLineMemo::Clear() {
    arena_.clear();
    std::fill(slots_.begin(), slots_.end(), 0);
    entries_ = 0;
}

// The key is hashed as the XOR of the trial line with its main-grid line, word by word, which
// for one state of the main-grid line stands for the trial line; the pairs of the key are made
// only on a miss, when they are to be remembered.
bool TrialLineMemo::Find(int line, const std::uint8_t* cells, const std::uint8_t* main, int n,
                         Answer& answer) {
    const std::uint32_t generation = generation_[static_cast<std::size_t>(line)];
    std::uint64_t h =
        ((static_cast<std::uint64_t>(line) << 32) | generation) * 0x9e3779b97f4a7c15ull;
    int d = 0;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, cells + i, sizeof a);
        std::memcpy(&b, main + i, sizeof b);
        h = Mix(h, a ^ b);
        d += NonzeroBytes(a ^ b);
    }
    if (i < n) {
        std::uint64_t a = 0, b = 0;
        std::memcpy(&a, cells + i, static_cast<std::size_t>(n - i));
        std::memcpy(&b, main + i, static_cast<std::size_t>(n - i));
        h = Mix(h, a ^ b);
        d += NonzeroBytes(a ^ b);
    }
    h ^= h >> 29;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 32;
    keyLine_ = line;
    keyLength_ = d;
    keyHash_ = static_cast<std::uint32_t>(h);
    keyCells_ = cells;
    keyMain_ = main;
    keyN_ = n;
    if (slots_.empty())
        return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = keyHash_ & mask;; at = (at + 1) & mask) {
        const std::uint64_t slot = slots_[at];
        if (slot == 0)
            return false;
        if (static_cast<std::uint32_t>(slot >> 32) != keyHash_)
            continue;
        const auto offset = static_cast<std::uint32_t>(slot) - 1;
        if (!Matches(offset))
            continue;
        const std::uint8_t* entry = arena_.data() + offset;
        const std::uint8_t changes = entry[7];
        answer.changes = changes == kConflictMark ? kConflict : changes;
        answer.pairs = entry + kHeader + 2 * static_cast<std::size_t>(d);
        return true;
    }
}

// An entry whose d cells (each differing from the main-grid line when it was stored, for the
// same main-grid line) all hold their value in the trial line, when the trial line differs in d
// cells too, is the trial line itself.
bool TrialLineMemo::Matches(std::uint32_t offset) const {
    const std::uint8_t* entry = arena_.data() + offset;
    std::uint32_t generation;
    std::uint16_t line;
    std::memcpy(&generation, entry, sizeof generation);
    std::memcpy(&line, entry + 4, sizeof line);
    if (generation != generation_[static_cast<std::size_t>(keyLine_)] || line != keyLine_ ||
        entry[6] != keyLength_) {
        return false;
    }
    const std::uint8_t* pairs = entry + kHeader;
    bool same = true;
    for (int k = 0; k < keyLength_; ++k)
        same &= keyCells_[pairs[2 * k]] == pairs[2 * k + 1];
    return same;
}

void TrialLineMemo::Remember(int changes, const std::uint8_t* at, const std::uint8_t* solved) {
    const int stored = changes == kConflict ? 0 : changes;
    const std::size_t size = kHeader + 2 * static_cast<std::size_t>(keyLength_ + stored);
    if (arena_.size() + size > kMaxArena || entries_ >= kMaxEntries)
        Clear();
    if ((entries_ + 1) * 2 > slots_.size())
        Grow();
    const std::size_t offset = arena_.size();
    arena_.resize(offset + size);
    std::uint8_t* entry = arena_.data() + offset;
    const std::uint32_t generation = generation_[static_cast<std::size_t>(keyLine_)];
    const auto line = static_cast<std::uint16_t>(keyLine_);
    std::memcpy(entry, &generation, sizeof generation);
    std::memcpy(entry + 4, &line, sizeof line);
    entry[6] = static_cast<std::uint8_t>(keyLength_);
    entry[7] = changes == kConflict ? kConflictMark : static_cast<std::uint8_t>(changes);
    std::uint8_t* key = entry + kHeader;
    int d = 0;
    for (int i = 0; i < keyN_; ++i) {
        if (keyCells_[i] != keyMain_[i]) {
            key[2 * d] = static_cast<std::uint8_t>(i);
            key[2 * d + 1] = keyCells_[i];
            ++d;
        }
    }
    std::uint8_t* result = entry + kHeader + 2 * static_cast<std::size_t>(keyLength_);
    for (int c = 0; c < stored; ++c) {
        result[2 * c] = at[c];
        result[2 * c + 1] = solved[at[c]];
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = keyHash_ & mask;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = (static_cast<std::uint64_t>(keyHash_) << 32) | (offset + 1);
    ++entries_;
}

void TrialLineMemo::Grow() {
    std::vector<std::uint64_t> old;
    old.swap(slots_);
    slots_.assign(std::max<std::size_t>(4096, old.size() * 2), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint64_t entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = (entry >> 32) & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = entry;
    }
}

}  // namespace tessemar
