#include "core/solver/TrialLineMemo.h"

#include <algorithm>
#include <cstring>

namespace tessemar {

TrialLineMemo::Summary TrialLineMemo::Summarize(const std::uint8_t* cells, const std::uint8_t* main,
                                                int n) {
    Summary summary;
    for (int i = 0; i < n; ++i) {
        if (cells[i] != main[i]) {
            summary.hash ^= CellKey(i, cells[i]);
            ++summary.differences;
        }
    }
    return summary;
}

void TrialLineMemo::Clear() {
    arenaUsed_ = 0;
    std::fill(slots_.begin(), slots_.end(), 0);
    entries_ = 0;
}

// The pairs of the key are made only on a miss, when they are to be remembered.
bool TrialLineMemo::Find(int line, const std::uint8_t* cells, const std::uint8_t* main, int n,
                         Summary summary, Answer& answer) {
    const std::uint32_t generation = generation_[static_cast<std::size_t>(line)];
    std::uint64_t h = summary.hash ^ (((static_cast<std::uint64_t>(line) << 32) | generation) *
                                      0x9e3779b97f4a7c15ull);
    h ^= h >> 29;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 32;
    const int d = summary.differences;
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
        const std::uint32_t slot = slots_[at];
        if (slot == 0)
            return false;
        const std::uint8_t* entry = At(slot - 1);
        if (HashOf(entry) != keyHash_ || !Matches(slot - 1))
            continue;
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
    const std::uint8_t* entry = At(offset);
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
    if (keyN_ > kMaxCells)
        return;
    int d = 0;
    for (int i = 0; i < keyN_; ++i) {
        if (keyCells_[i] != keyMain_[i]) {
            keyPairs_[2 * d] = static_cast<std::uint8_t>(i);
            keyPairs_[2 * d + 1] = keyCells_[i];
            ++d;
        }
    }
    // A summary out of step with its line would make entries that answer other lines.
    if (d != keyLength_)
        return;
    const int stored = changes == kConflict ? 0 : changes;
    const std::size_t size = kHeader + 2 * static_cast<std::size_t>(d + stored);
    std::size_t offset = arenaUsed_;
    if ((offset & (kBlock - 1)) + size > kBlock)
        offset = (offset | (kBlock - 1)) + 1;
    if (offset + size > kMaxArena || entries_ >= kMaxEntries) {
        Clear();
        offset = 0;
    }
    if ((entries_ + 1) * 2 > slots_.size())
        Grow();
    const std::size_t block = offset >> kBlockBits;
    if (block == blocks_.size())
        blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kBlock));
    arenaUsed_ = offset + size;
    std::uint8_t* entry = blocks_[block].get() + (offset & (kBlock - 1));
    const std::uint32_t generation = generation_[static_cast<std::size_t>(keyLine_)];
    const auto line = static_cast<std::uint16_t>(keyLine_);
    std::memcpy(entry, &generation, sizeof generation);
    std::memcpy(entry + 4, &line, sizeof line);
    entry[6] = static_cast<std::uint8_t>(d);
    entry[7] = changes == kConflict ? kConflictMark : static_cast<std::uint8_t>(changes);
    std::memcpy(entry + 8, &keyHash_, sizeof keyHash_);
    std::memcpy(entry + kHeader, keyPairs_.data(), 2 * static_cast<std::size_t>(d));
    std::uint8_t* result = entry + kHeader + 2 * static_cast<std::size_t>(d);
    for (int c = 0; c < stored; ++c) {
        result[2 * c] = at[c];
        result[2 * c + 1] = solved[at[c]];
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = keyHash_ & mask;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(offset + 1);
    ++entries_;
}

void TrialLineMemo::Grow() {
    std::vector<std::uint32_t> old;
    old.swap(slots_);
    slots_.assign(std::max<std::size_t>(512, old.size() * 2), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint32_t entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = HashOf(At(entry - 1)) & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = entry;
    }
}

}  // namespace tessemar
