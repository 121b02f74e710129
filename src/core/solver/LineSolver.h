#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessemar {

// Deduces the cells of one line from its clues: the cells every placement of a clue covers
// take its colour, the cells no clue can reach become blank. Not exhaustive: whatever these two
// rules cannot settle is left unknown. Cell values are those of the solver's grids: 0 unknown,
// 1..8 a colour, 255 blank. Each object keeps its scratch for one line at a time.
class LineSolver {
  public:
    // Placement positions fit in a byte: lines hold at most 250 cells.
    static constexpr int kMaxLine = 250;
    // Every colour allowed on a cell (see SolveLine).
    static constexpr std::uint8_t kAnyColour = 0xFF;

    // One used clue of a line.
    struct Clue {
        std::uint8_t length;
        std::uint8_t colour;
        std::uint8_t bit;  // 1 << (colour - 1), or 0 for a colour outside 1..8

        static Clue Of(int length, int colour);
    };

    // Solves `cells` in place (at most kMaxLine of them) under `clues`, listed from the first
    // clue of the line to the last; clues of length 0 or 255 or of colour 0 are left out, as
    // unused clue slots are. allowed[i] holds bit c - 1 when the crossing line of cell i
    // has a clue of colour c, so that a run of colour c may lie on it while it is unknown; an
    // empty span allows every colour everywhere. Returns 0 when nothing new follows,
    // ResultChanged when cells were deduced (ChangedPositions lists them), or
    // ResultContradiction when the clues cannot be placed (ConflictPosition says where; the
    // cells are then left as they were).
    int SolveLine(std::span<std::uint8_t> cells, std::span<const Clue> clues,
                  std::span<const std::uint8_t> allowed = {});
    // The cell of the last contradiction within its line, -1 when the clues could not be placed
    // at all.
    int ConflictPosition() const { return conflictAt_; }
    // The cells the last solve changed, ascending.
    std::span<const std::uint8_t> ChangedPositions() const {
        return {changedAt_.data(), static_cast<std::size_t>(changes_)};
    }

    // The steps of SolveLine for the solve driver, which keeps its lines in the prepared form
    // and reuses greedy placements between lines: load a line, optionally seed placements,
    // Solve, then Apply.

    // How the greedy passes of a line may reuse those of a reference line that differs in a few
    // cells: the first leftKnown clues' earliest and the last rightKnown clues' latest
    // placements are already seeded, and the reference placements (null when there are none)
    // may be taken over from a clue on whose placement both lines agree and beyond which the
    // lines are equal: cells after sameAfter for the earliest ones, cells before sameBefore
    // for the latest.
    struct GreedyResume {
        int leftKnown = 0;
        int rightKnown = 0;
        const std::uint8_t* leftStart = nullptr;
        const std::uint8_t* leftEnd = nullptr;
        const std::uint8_t* rightStart = nullptr;
        const std::uint8_t* rightEnd = nullptr;
        int sameAfter = 0;
        int sameBefore = 0;
    };
    // Which directions of PlaceGreedy placed every clue.
    static constexpr int kGreedyLeft = 2, kGreedyRight = 4;

    // Copies n cells (stride apart) with the colour bits the placement tests use: a known cell
    // fits only its own colour, an unknown one every colour of allowed[i].
    void LoadLine(const std::uint8_t* cells, std::size_t stride, const std::uint8_t* allowed,
                  int n);
    // The same from planes kept up to date cell by cell: the cells, their fit and own colour
    // bits, and the coloured cells as bits (kLineWords words).
    static constexpr int kLineWords = (kMaxLine + 63) / 64;
    void LoadPrepared(const std::uint8_t* cells, const std::uint8_t* fit, const std::uint8_t* own,
                      const std::uint64_t* coloured, int n);
    const std::uint8_t* Cells() const { return line_.data(); }
    int Length() const { return n_; }

    // The greedy placements of the loaded line's clues (which must all have a colour bit) into
    // the four arrays; returns the kGreedy bits of the directions that placed every clue.
    int PlaceGreedy(const Clue* clues, int m, std::uint8_t* leftStart, std::uint8_t* leftEnd,
                    std::uint8_t* rightStart, std::uint8_t* rightEnd);
    // Seeds the earliest placements of clues [0, count) and the latest of [from, from + count).
    void SeedLeft(const std::uint8_t* start, const std::uint8_t* end, int count);
    void SeedRight(const std::uint8_t* start, const std::uint8_t* end, int from, int count);

    // Places the clues on the loaded line and paints the overlaps into Work(); allowed as for
    // LoadLine. Returns 0 or ResultContradiction.
    int Solve(const Clue* clues, int m, const std::uint8_t* allowed, const GreedyResume& resume);
    // Checks the solved line against the loaded cells, blanks the cells no clue reaches and
    // lists the changed cells; raises crossDirty[i] for each changed cell i. Returns 0,
    // ResultChanged or ResultContradiction (the cells before the conflict are in Work() and
    // counted in Changes()).
    int Apply(std::uint8_t* crossDirty);
    const std::uint8_t* Work() const { return work_.data(); }
    int Changes() const { return changes_; }

  private:
    int ApplyWithConflict();

    int n_ = 0;
    int changes_ = 0;
    int conflictAt_ = -1;
    std::array<std::uint8_t, kMaxLine> line_{}, work_{};
    std::array<std::uint8_t, kMaxLine> leftStart_{}, leftEnd_{}, rightStart_{}, rightEnd_{};
    std::array<std::int16_t, kMaxLine + 1> cover_{};
    // Per cell: the colours a run may put there (bits) and the colour it has (bit); room for a
    // word read past the last cell.
    std::array<std::uint8_t, kMaxLine + 8> fitBits_{}, ownBits_{};
    std::array<std::uint64_t, kLineWords> colouredSet_{};
    std::array<std::uint8_t, kMaxLine> changedAt_{};
    // Apply's per-cell results before it knows the line is free of conflicts; the differences
    // have room for a word read past the last cell.
    std::array<std::uint8_t, kMaxLine> reachedAt_{}, appliedAt_{};
    std::array<std::uint8_t, kMaxLine + 8> differsAt_{};
};

}  // namespace tessemar
