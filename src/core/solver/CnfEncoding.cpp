#include "core/solver/CnfEncoding.h"

#include "core/solver/SolveResult.h"

#include <cadical.hpp>

namespace tessemar {

CnfEncoding::CnfEncoding(CaDiCaL::Solver& solver, const CheckLines& lines,
                         const OptionGrid& options)
    : solver_(solver), options_(options) {
    AddClause({True()});
    MakeCellVariables();
    const int w = lines.width;
    const int h = lines.height;
    for (int y = 0; y < h && possible_; ++y)
        possible_ = EncodeLine({y, h, w}, lines.rows[y]);
    for (int x = 0; x < w && possible_; ++x)
        possible_ = EncodeLine({x * h, 1, h}, lines.columns[x]);
}

void CnfEncoding::MakeCellVariables() {
    cellVariables_.assign(options_.size(), {});
    for (std::size_t cell = 0; cell < options_.size(); ++cell) {
        const CellOptions options = options_[cell];
        if (SettledValue(options) != kSolverUnknown || options == 0)
            continue;
        ++openCells_;
        auto& variables = cellVariables_[cell];
        for (int c = 1; c <= 8; ++c) {
            if (options & (1u << c))
                variables[c - 1] = NewVariables(1);
        }
        // At most one colour: none is blank, when blank is still an option.
        for (int a = 0; a < 8; ++a) {
            for (int b = a + 1; b < 8 && variables[a] != 0; ++b) {
                if (variables[b] != 0)
                    AddClause({-variables[a], -variables[b]});
            }
        }
        if ((options & kBlankOption) == 0) {
            clause_.clear();
            for (int variable : variables) {
                if (variable != 0)
                    clause_.push_back(variable);
            }
            AddCollectedClause();
        }
    }
}

bool CnfEncoding::EncodeLine(LineCells cells, const CheckClue& clue) {
    const LinePlacements placements =
        FindLinePlacements(options_.data() + cells.first, cells.stride, cells.n, clue);
    if (!placements.possible)
        return false;
    std::vector<RunStarts> runs;
    for (const std::vector<bool>& starts : placements.feasible) {
        RunStarts run{};
        run.lo = 0;
        while (!starts[run.lo])
            ++run.lo;
        run.hi = static_cast<int>(starts.size()) - 1;
        while (!starts[run.hi])
            --run.hi;
        run.firstVar = NewVariables(run.hi - run.lo);
        runs.push_back(run);
    }
    EncodeStarts(clue, runs, placements);
    EncodeCover(cells, clue, runs);
    return true;
}

void CnfEncoding::EncodeStarts(const CheckClue& clue, const std::vector<RunStarts>& runs,
                               const LinePlacements& placements) {
    for (std::size_t b = 0; b < runs.size(); ++b) {
        const RunStarts& run = runs[b];
        for (int j = run.lo; j < run.hi; ++j)
            AddClause({-StartsBy(run, j), StartsBy(run, j + 1)});
        // Starts that no placement of the line allows.
        for (int s = run.lo + 1; s < run.hi; ++s) {
            if (!placements.feasible[b][s])
                AddClause({-StartsBy(run, s), StartsBy(run, s - 1)});
        }
        if (b + 1 == runs.size())
            continue;
        // The next run starts after this one ends, one cell later when both share a colour.
        const RunStarts& next = runs[b + 1];
        const int distance = clue[b].length + (clue[b].colour == clue[b + 1].colour ? 1 : 0);
        for (int j = next.lo; j <= next.hi; ++j)
            AddClause({-StartsBy(next, j), StartsBy(run, j - distance)});
    }
}

void CnfEncoding::EncodeCover(LineCells cells, const CheckClue& clue,
                              const std::vector<RunStarts>& runs) {
    const int k = static_cast<int>(runs.size());
    // A run colours every cell it covers: start <= i and not start <= i - length.
    for (int b = 0; b < k; ++b) {
        const int length = clue[b].length;
        for (int i = runs[b].lo; i < runs[b].hi + length; ++i) {
            AddClause({-StartsBy(runs[b], i), StartsBy(runs[b], i - length),
                       CellLiteral(cells.first + i * cells.stride, clue[b].colour)});
        }
    }
    // A coloured cell lies in the last run that starts at or before it, and has its colour.
    for (int i = 0; i < cells.n; ++i) {
        const int cell = cells.first + i * cells.stride;
        for (int c = 1; c <= 8; ++c) {
            const int colour = CellLiteral(cell, c);
            if (colour == False())
                continue;
            if (k == 0) {
                AddClause({-colour});
                continue;
            }
            AddClause({-colour, StartsBy(runs[0], i)});
            for (int b = 0; b < k; ++b) {
                if (runs[b].lo > i)
                    break;
                const int nextStarted = b + 1 < k ? StartsBy(runs[b + 1], i) : False();
                if (nextStarted == True())
                    continue;
                const int ended =
                    clue[b].colour == c ? -StartsBy(runs[b], i - clue[b].length) : False();
                AddClause({-colour, -StartsBy(runs[b], i), nextStarted, ended});
            }
            // The same seen from the other side: it lies in the first run that has not ended
            // before it.
            AddClause({-colour, -StartsBy(runs[k - 1], i - clue[k - 1].length)});
            for (int b = k - 1; b >= 0; --b) {
                if (runs[b].hi + clue[b].length <= i)
                    break;
                const int previousEnded =
                    b > 0 ? StartsBy(runs[b - 1], i - clue[b - 1].length) : True();
                if (previousEnded == False())
                    continue;
                const int started = clue[b].colour == c ? StartsBy(runs[b], i) : False();
                AddClause({-colour, -previousEnded, StartsBy(runs[b], i - clue[b].length),
                           started});
            }
        }
    }
}

int CnfEncoding::CellLiteral(int cell, int colour) const {
    const std::uint8_t settled = SettledValue(options_[cell]);
    if (settled != kSolverUnknown)
        return settled == colour ? True() : False();
    const int variable = colour >= 1 && colour <= 8 ? cellVariables_[cell][colour - 1] : 0;
    return variable != 0 ? variable : False();
}

int CnfEncoding::StartsBy(const RunStarts& run, int j) {
    if (j < run.lo)
        return False();
    if (j >= run.hi)
        return True();
    return run.firstVar + (j - run.lo);
}

int CnfEncoding::NewVariables(int count) {
    const int first = nextVariable_;
    nextVariable_ += count;
    return first;
}

void CnfEncoding::AddClause(std::initializer_list<int> literals) {
    clause_.clear();
    for (int literal : literals) {
        if (literal == True())
            return;
        if (literal != False())
            clause_.push_back(literal);
    }
    AddCollectedClause();
}

void CnfEncoding::AddCollectedClause() {
    for (int literal : clause_)
        solver_.add(literal);
    solver_.add(0);
    clause_.clear();
}

CheckGrid CnfEncoding::ReadModel() const {
    CheckGrid grid(options_.size(), kSolverBlank);
    for (std::size_t cell = 0; cell < grid.size(); ++cell) {
        const std::uint8_t settled = SettledValue(options_[cell]);
        if (settled != kSolverUnknown) {
            grid[cell] = settled;
            continue;
        }
        for (int c = 1; c <= 8; ++c) {
            const int variable = cellVariables_[cell][c - 1];
            if (variable != 0 && solver_.val(variable) > 0)
                grid[cell] = static_cast<std::uint8_t>(c);
        }
    }
    return grid;
}

bool CnfEncoding::ExcludeGrid(const CheckGrid& grid) {
    clause_.clear();
    for (std::size_t cell = 0; cell < grid.size(); ++cell) {
        for (int c = 1; c <= 8; ++c) {
            const int variable = cellVariables_[cell][c - 1];
            if (variable == 0)
                continue;
            // Another colour, or blank: this colour off; from blank: any colour on.
            if (grid[cell] == c)
                clause_.push_back(-variable);
            else if (grid[cell] == kSolverBlank)
                clause_.push_back(variable);
        }
    }
    if (clause_.empty())
        return false;
    AddCollectedClause();
    return true;
}

}  // namespace tessemar
