#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace tessemar {

// What trial line solves gave before, so that a trial line met again is answered without
// solving it. A line solve depends on nothing but the line's cells (its clues and the colours of
// its crossing lines are fixed for a run), and in the proof by contradiction the same trial line
// comes back again and again: different trials run into the same consequences. A trial line is
// its main-grid line with a few cells changed, so it is remembered as those changes, for one
// state of the main-grid line: a line's entries are forgotten when its main-grid cells change.
class TrialLineMemo {
  public:
    // Lines are numbered by the caller, below kLines, and have at most kMaxCells cells.
    static constexpr int kLines = 512;
    static constexpr int kMaxCells = 255;
    // The line solve found a contradiction.
    static constexpr int kConflict = -1;

    struct Answer {
        int changes = 0;  // cells the solve changed, or kConflict
        // For each changed cell, ascending: its position and its new value.
        const std::uint8_t* pairs = nullptr;
    };

    // Forgets every line; the memory kept stays allocated for the next run.
    void Clear();
    // The main-grid cells of this line changed: what was remembered for it no longer holds.
    void Forget(int line) { ++generation_[static_cast<std::size_t>(line)]; }

    // A trial line is looked up by a summary of how it differs from its main-grid line: the
    // XOR of CellKey over its differing cells, and their number. The caller keeps the summary of
    // each trial line in step with its cells; Summarize makes one from scratch.
    struct Summary {
        std::uint64_t hash = 0;
        int differences = 0;
    };
    static std::uint64_t CellKey(int position, std::uint8_t value) {
        std::uint64_t k = ((static_cast<std::uint64_t>(position) << 8) | value) + 1;
        k *= 0x9e3779b97f4a7c15ull;
        k ^= k >> 31;
        k *= 0xbf58476d1ce4e5b9ull;
        return k ^ (k >> 29);
    }
    static Summary Summarize(const std::uint8_t* cells, const std::uint8_t* main, int n);

    // Looks up trial line `cells` of line `line`, whose main-grid line is `main` (n cells each)
    // and whose summary is `summary`. On a miss the line is the key of the next Remember, so
    // neither line may change before it.
    bool Find(int line, const std::uint8_t* cells, const std::uint8_t* main, int n, Summary summary,
              Answer& answer);
    // The result of solving the line of the last missed Find: the positions of the changed
    // cells (ascending) and the solved line, or changes = kConflict.
    void Remember(int changes, const std::uint8_t* at, const std::uint8_t* solved);

  private:
    // An entry in the arena: generation (4 bytes), line (2), key length d (1), changes c (1; 255
    // for a conflict), the key's hash (4), then d (position, value) pairs of the key and c of
    // the result.
    static constexpr std::size_t kHeader = 12;
    static constexpr std::uint8_t kConflictMark = 255;
    // Bounds on the memory of one run; beyond them the memo starts afresh, which costs only the
    // solves it would have saved.
    static constexpr std::size_t kMaxArena = std::size_t{16} << 20;
    static constexpr std::size_t kMaxEntries = std::size_t{1} << 20;

    bool Matches(std::uint32_t offset) const;
    static std::uint32_t HashOf(const std::uint8_t* entry) {
        std::uint32_t hash;
        std::memcpy(&hash, entry + 8, sizeof hash);
        return hash;
    }
    void Grow();
    const std::uint8_t* At(std::uint32_t offset) const {
        return blocks_[offset >> kBlockBits].get() + (offset & (kBlock - 1));
    }

    std::array<std::uint32_t, kLines> generation_{};
    // The arena, in blocks that are never moved or copied as it grows: a growing array would
    // copy itself and touch twice the memory, and on a small puzzle fresh memory is most of what
    // the memo costs. An entry never spans two blocks.
    static constexpr int kBlockBits = 16;
    static constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;
    std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
    std::size_t arenaUsed_ = 0;
    // Open addressing on the key's hash: arena offset + 1 of an entry, 0 free.
    std::vector<std::uint32_t> slots_;
    std::size_t entries_ = 0;

    // The key of the last Find: the line, the number of its cells that differ from the
    // main-grid line, and both lines, which stay unchanged until Remember.
    int keyLine_ = 0;
    int keyLength_ = 0;
    std::uint32_t keyHash_ = 0;
    const std::uint8_t* keyCells_ = nullptr;
    const std::uint8_t* keyMain_ = nullptr;
    int keyN_ = 0;
    std::array<std::uint8_t, 2 * kMaxCells> keyPairs_{};
};

}  // namespace tessemar
