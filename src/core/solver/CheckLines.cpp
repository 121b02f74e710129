#include "core/solver/CheckLines.h"

#include "core/solver/SolveResult.h"

#include <algorithm>
#include <array>

namespace tessemar {
namespace {

bool UsedSlot(std::uint8_t number, std::uint8_t colour) {
    return number != 0 && number != kEmptySlot && colour != 0;
}

bool IsColour(std::uint8_t v) {
    return v >= 1 && v <= 8;
}

std::uint8_t Bit(std::uint8_t colour) {
    return IsColour(colour) ? static_cast<std::uint8_t>(1u << (colour - 1)) : 0;
}

// The placement tables of one line: prefix[b][i] says the first b runs fit into cells [0, i)
// with every other cell there blank; suffix[b][i] says runs b.. fit into [i, n) the same way.
class PlacementTables {
  public:
    PlacementTables(const std::uint8_t* cells, int stride, int n, const std::uint8_t* allowed,
                    const CheckClue& clue)
        : n_(n), clue_(clue), k_(static_cast<int>(clue.size())) {
        canBlank_.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const std::uint8_t v = cells[i * stride];
            canBlank_[i] = v == kSolverUnknown || v == kSolverBlank;
        }
        // Cells in [0, i) that cannot take colour c, so that a run's fit is one subtraction.
        for (const CheckRun& run : clue) {
            if (!IsColour(run.colour) || !misses_[run.colour].empty())
                continue;
            auto& misses = misses_[run.colour];
            misses.assign(static_cast<std::size_t>(n) + 1, 0);
            for (int i = 0; i < n; ++i) {
                const std::uint8_t v = cells[i * stride];
                const bool fits =
                    v == run.colour || (v == kSolverUnknown && (allowed[i] & Bit(run.colour)));
                misses[i + 1] = misses[i] + (fits ? 0 : 1);
            }
        }
        Fill();
    }

    bool Possible() const { return prefix_[k_][n_]; }

    bool Feasible(int b, int s) const {
        return Fits(b, s) && Before(b, s) && After(b, s + clue_[b].length);
    }

  private:
    bool Gap(int b) const { return clue_[b].colour == clue_[b + 1].colour; }

    bool Fits(int b, int s) const {
        const int e = s + clue_[b].length;
        if (s < 0 || e > n_ || !IsColour(clue_[b].colour))
            return false;
        const auto& misses = misses_[clue_[b].colour];
        return misses[e] == misses[s];
    }

    // The runs before run b fit into [0, s) and leave the cells run b needs free of them.
    bool Before(int b, int s) const {
        if (b == 0 || !Gap(b - 1))
            return prefix_[b][s];
        return s >= 1 && canBlank_[s - 1] && prefix_[b][s - 1];
    }

    // The runs after run b fit into [e, n).
    bool After(int b, int e) const {
        if (b == k_ - 1 || !Gap(b))
            return suffix_[b + 1][e];
        return e < n_ && canBlank_[e] && suffix_[b + 1][e + 1];
    }

    void Fill() {
        prefix_.assign(static_cast<std::size_t>(k_) + 1,
                       std::vector<bool>(static_cast<std::size_t>(n_) + 1, false));
        suffix_ = prefix_;
        for (int b = 0; b <= k_; ++b) {
            for (int i = 0; i <= n_; ++i) {
                bool ok = b == 0 ? i == 0 : false;
                if (i >= 1 && canBlank_[i - 1] && prefix_[b][i - 1])
                    ok = true;
                if (b >= 1 && !ok) {
                    const int s = i - clue_[b - 1].length;
                    ok = Fits(b - 1, s) && Before(b - 1, s);
                }
                prefix_[b][i] = ok;
            }
        }
        for (int b = k_; b >= 0; --b) {
            for (int i = n_; i >= 0; --i) {
                bool ok = b == k_ ? i == n_ : false;
                if (i < n_ && canBlank_[i] && suffix_[b][i + 1])
                    ok = true;
                if (b < k_ && !ok)
                    ok = Fits(b, i) && After(b, i + clue_[b].length);
                suffix_[b][i] = ok;
            }
        }
    }

    int n_;
    const CheckClue& clue_;
    int k_;
    std::vector<bool> canBlank_;
    std::array<std::vector<int>, 9> misses_;
    std::vector<std::vector<bool>> prefix_, suffix_;
};

}  // namespace

CheckLines CollectCheckLines(const PuzzleModel& model) {
    CheckLines lines;
    lines.width = std::clamp(model.columnCount, 0, kMaxLines);
    lines.height = std::clamp(model.rowCount, 0, kMaxLines);
    lines.rows.resize(static_cast<std::size_t>(lines.height));
    lines.columns.resize(static_cast<std::size_t>(lines.width));
    // Slot k = 0 is next to the picture: the line's last run.
    for (int y = 0; y < lines.height; ++y) {
        for (int k = lines.width - 1; k >= 0; --k) {
            if (UsedSlot(model.rowClueNumbers[k][y], model.rowClueColors[k][y]))
                lines.rows[y].push_back({model.rowClueNumbers[k][y], model.rowClueColors[k][y]});
        }
    }
    for (int x = 0; x < lines.width; ++x) {
        for (int k = lines.height - 1; k >= 0; --k) {
            if (UsedSlot(model.columnClueNumbers[x][k], model.columnClueColors[x][k]))
                lines.columns[x].push_back(
                    {model.columnClueNumbers[x][k], model.columnClueColors[x][k]});
        }
    }
    return lines;
}

bool LineMatchesClue(const std::uint8_t* cells, int stride, int n, const CheckClue& clue) {
    std::size_t next = 0;
    int i = 0;
    while (i < n) {
        const std::uint8_t v = cells[i * stride];
        if (v == kSolverBlank) {
            ++i;
            continue;
        }
        if (!IsColour(v))
            return false;
        int length = 0;
        while (i < n && cells[i * stride] == v) {
            ++length;
            ++i;
        }
        if (next == clue.size() || clue[next].length != length || clue[next].colour != v)
            return false;
        ++next;
    }
    return next == clue.size();
}

bool GridMatchesClues(const CheckLines& lines, const CheckGrid& grid) {
    const int w = lines.width;
    const int h = lines.height;
    if (grid.size() != static_cast<std::size_t>(w) * h)
        return false;
    for (int y = 0; y < h; ++y) {
        if (!LineMatchesClue(grid.data() + y, h, w, lines.rows[y]))
            return false;
    }
    for (int x = 0; x < w; ++x) {
        if (!LineMatchesClue(grid.data() + static_cast<std::size_t>(x) * h, 1, h, lines.columns[x]))
            return false;
    }
    return true;
}

std::uint8_t ClueColourBits(const CheckClue& clue) {
    std::uint8_t bits = 0;
    for (const CheckRun& run : clue)
        bits |= Bit(run.colour);
    return bits;
}

LinePlacements FindLinePlacements(const std::uint8_t* cells, int stride, int n,
                                  const std::uint8_t* allowed, const CheckClue& clue) {
    const PlacementTables tables(cells, stride, n, allowed, clue);
    LinePlacements placements;
    placements.possible = tables.Possible();
    if (!placements.possible)
        return placements;
    for (int b = 0; b < static_cast<int>(clue.size()); ++b) {
        std::vector<bool> starts(static_cast<std::size_t>(n - clue[b].length + 1));
        for (int s = 0; s < static_cast<int>(starts.size()); ++s)
            starts[s] = tables.Feasible(b, s);
        placements.feasible.push_back(std::move(starts));
    }
    return placements;
}

}  // namespace tessemar
