#include "core/solver/CheckLines.h"

#include "core/solver/ClueSlots.h"
#include "core/solver/SolveResult.h"

#include <algorithm>
#include <array>

namespace tessemar {
namespace {

// The placement tables of one line: prefix(b, i) says the first b runs fit into cells [0, i)
// with every other cell there blank; suffix(b, i) says runs b.. fit into [i, n) the same way.
class PlacementTables {
  public:
    PlacementTables(const CellOptions* cells, int stride, int n, const CheckClue& clue)
        : n_(n), clue_(clue), k_(static_cast<int>(clue.size())) {
        options_.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            options_[i] = cells[i * stride];
        // Cells in [0, i) that cannot take colour c, so that a run's fit is one subtraction.
        for (const CheckRun& run : clue) {
            if (!IsRunColour(run.colour) || !misses_[run.colour].empty())
                continue;
            auto& misses = misses_[run.colour];
            misses.assign(static_cast<std::size_t>(n) + 1, 0);
            for (int i = 0; i < n; ++i)
                misses[i + 1] = misses[i] + ((options_[i] >> run.colour) & 1 ? 0 : 1);
        }
        Fill();
    }

    bool Possible() const { return Prefix(k_, n_); }

    bool Feasible(int b, int s) const {
        return Fits(b, s) && Before(b, s) && After(b, s + clue_[b].length);
    }

    // The options of every cell that some placement gives it.
    std::vector<CellOptions> Reachable() const {
        std::vector<CellOptions> reach(static_cast<std::size_t>(n_), 0);
        for (int i = 0; i < n_; ++i) {
            for (int b = 0; b <= k_ && CanBlank(i) && reach[i] == 0; ++b) {
                if (Prefix(b, i) && Suffix(b, i + 1))
                    reach[i] = kBlankOption;
            }
        }
        // Each feasible start colours its run's cells: a running count over starts.
        std::vector<int> cover(static_cast<std::size_t>(n_) + 1);
        for (int b = 0; b < k_; ++b) {
            const int length = clue_[b].length;
            std::fill(cover.begin(), cover.end(), 0);
            for (int s = 0; s + length <= n_; ++s) {
                if (Feasible(b, s)) {
                    ++cover[s];
                    --cover[s + length];
                }
            }
            int running = 0;
            for (int i = 0; i < n_; ++i) {
                running += cover[i];
                if (running > 0)
                    reach[i] |= static_cast<CellOptions>(1u << clue_[b].colour);
            }
        }
        return reach;
    }

  private:
    bool CanBlank(int i) const { return (options_[i] & kBlankOption) != 0; }
    bool Gap(int b) const { return clue_[b].colour == clue_[b + 1].colour; }
    bool Prefix(int b, int i) const { return prefix_[b * (n_ + 1) + i] != 0; }
    bool Suffix(int b, int i) const { return suffix_[b * (n_ + 1) + i] != 0; }

    bool Fits(int b, int s) const {
        const int e = s + clue_[b].length;
        if (s < 0 || e > n_ || !IsRunColour(clue_[b].colour))
            return false;
        const auto& misses = misses_[clue_[b].colour];
        return misses[e] == misses[s];
    }

    // The runs before run b fit into [0, s) and leave the cells run b needs free of them.
    bool Before(int b, int s) const {
        if (b == 0 || !Gap(b - 1))
            return Prefix(b, s);
        return s >= 1 && CanBlank(s - 1) && Prefix(b, s - 1);
    }

    // The runs after run b fit into [e, n).
    bool After(int b, int e) const {
        if (b == k_ - 1 || !Gap(b))
            return Suffix(b + 1, e);
        return e < n_ && CanBlank(e) && Suffix(b + 1, e + 1);
    }

    void Fill() {
        const std::size_t size = static_cast<std::size_t>(k_ + 1) * (n_ + 1);
        prefix_.assign(size, 0);
        suffix_.assign(size, 0);
        for (int b = 0; b <= k_; ++b) {
            for (int i = 0; i <= n_; ++i) {
                bool ok = (b == 0 && i == 0) || (i >= 1 && CanBlank(i - 1) && Prefix(b, i - 1));
                if (b >= 1 && !ok) {
                    const int s = i - clue_[b - 1].length;
                    ok = Fits(b - 1, s) && Before(b - 1, s);
                }
                prefix_[b * (n_ + 1) + i] = ok ? 1 : 0;
            }
        }
        for (int b = k_; b >= 0; --b) {
            for (int i = n_; i >= 0; --i) {
                bool ok = (b == k_ && i == n_) || (i < n_ && CanBlank(i) && Suffix(b, i + 1));
                if (b < k_ && !ok)
                    ok = Fits(b, i) && After(b, i + clue_[b].length);
                suffix_[b * (n_ + 1) + i] = ok ? 1 : 0;
            }
        }
    }

    int n_;
    const CheckClue& clue_;
    int k_;
    std::vector<CellOptions> options_;
    std::array<std::vector<int>, 9> misses_;
    std::vector<std::uint8_t> prefix_, suffix_;
};

// A line of the grid: cell i at first + i * stride.
struct GridLine {
    int first;
    int stride;
    int n;
};

// Narrows one line's cells; false when the line has no placement. Calls narrowed(i) for each
// cell i of the line that lost an option.
template <typename Narrowed>
bool NarrowLine(CellOptions* grid, GridLine line, const CheckClue& clue, Narrowed&& narrowed) {
    const PlacementTables tables(grid + line.first, line.stride, line.n, clue);
    if (!tables.Possible())
        return false;
    const std::vector<CellOptions> reach = tables.Reachable();
    for (int i = 0; i < line.n; ++i) {
        CellOptions& cell = grid[line.first + i * line.stride];
        const auto options = static_cast<CellOptions>(cell & reach[i]);
        if (options != cell) {
            cell = options;
            narrowed(i);
        }
    }
    return true;
}

// True when the n cells (stride apart) are complete and their runs are exactly the clue's:
// same lengths, same colours, same order. Maximal runs of one colour are what the clue counts,
// so two runs of one colour must be apart.
bool LineMatchesClue(const std::uint8_t* cells, int stride, int n, const CheckClue& clue) {
    std::size_t next = 0;
    int i = 0;
    while (i < n) {
        const std::uint8_t v = cells[i * stride];
        if (v == kSolverBlank) {
            ++i;
            continue;
        }
        if (!IsRunColour(v))
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

// The colours 1..8 the clue uses, as bits (colour c is bit c - 1).
std::uint8_t ClueColourBits(const CheckClue& clue) {
    std::uint8_t bits = 0;
    for (const CheckRun& run : clue)
        bits |= ColourBit(run.colour);
    return bits;
}

}  // namespace

CheckLines CollectCheckLines(const PuzzleModel& model) {
    CheckLines lines;
    lines.width = std::clamp(model.columnCount, 0, kMaxLines);
    lines.height = std::clamp(model.rowCount, 0, kMaxLines);
    lines.rows.resize(static_cast<std::size_t>(lines.height));
    lines.columns.resize(static_cast<std::size_t>(lines.width));
    for (const bool rows : {true, false}) {
        std::vector<CheckClue>& clues = rows ? lines.rows : lines.columns;
        const int slots = rows ? lines.width : lines.height;
        for (std::size_t line = 0; line < clues.size(); ++line) {
            ForEachClueRun(model, rows, static_cast<int>(line), slots,
                           [&clue = clues[line]](std::uint8_t number, std::uint8_t colour) {
                               clue.push_back({number, colour});
                           });
        }
    }
    return lines;
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

OptionGrid StartingOptions(const CheckLines& lines, const CheckGrid& known) {
    OptionGrid options(known.size(), kBlankOption);
    std::vector<std::uint8_t> rowBits(lines.rows.size());
    for (std::size_t y = 0; y < rowBits.size(); ++y)
        rowBits[y] = ClueColourBits(lines.rows[y]);
    for (int x = 0; x < lines.width; ++x) {
        const std::uint8_t columnBits = ClueColourBits(lines.columns[x]);
        for (int y = 0; y < lines.height; ++y) {
            const std::size_t cell = static_cast<std::size_t>(x) * lines.height + y;
            const std::uint8_t v = known[cell];
            if (v == kSolverUnknown) {
                const unsigned bits = columnBits & rowBits[y];
                options[cell] = static_cast<CellOptions>(kBlankOption | (bits << 1));
            } else if (IsRunColour(v)) {
                options[cell] = static_cast<CellOptions>(1u << v);
            }
        }
    }
    return options;
}

std::uint8_t SettledValue(CellOptions options) {
    if (options == kBlankOption)
        return kSolverBlank;
    for (int c = 1; c <= 8; ++c) {
        if (options == (1u << c))
            return static_cast<std::uint8_t>(c);
    }
    return kSolverUnknown;
}

LinePlacements FindLinePlacements(const CellOptions* cells, int stride, int n,
                                  const CheckClue& clue) {
    const PlacementTables tables(cells, stride, n, clue);
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

bool NarrowToFixpoint(const CheckLines& lines, OptionGrid& options,
                      const std::function<bool()>& interrupted) {
    const int w = lines.width;
    const int h = lines.height;
    // dirty[0] the rows, dirty[1] the columns: a line needs solving again when a crossing line
    // narrowed one of its cells.
    std::array<std::vector<bool>, 2> dirty{std::vector<bool>(static_cast<std::size_t>(h), true),
                                           std::vector<bool>(static_cast<std::size_t>(w), true)};
    bool any = true;
    while (any) {
        any = false;
        for (const int d : {0, 1}) {
            const std::vector<CheckClue>& clues = d == 0 ? lines.rows : lines.columns;
            std::vector<bool>& crossing = dirty[1 - d];
            for (int line = 0; line < static_cast<int>(clues.size()); ++line) {
                if (!dirty[d][line])
                    continue;
                dirty[d][line] = false;
                const GridLine cells = d == 0 ? GridLine{line, h, w} : GridLine{line * h, 1, h};
                if (!NarrowLine(options.data(), cells, clues[line],
                                [&](int i) { crossing[i] = any = true; }))
                    return false;
            }
        }
        if (interrupted())
            return true;
    }
    return true;
}

}  // namespace tessemar
