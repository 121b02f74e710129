#pragma once

#include "core/solver/CheckLines.h"

#include <array>
#include <vector>

namespace CaDiCaL {
class Solver;
}

namespace tessemar {

// The puzzle as clauses for a SAT solver. Every open cell (more than one option left) has one
// variable per colour it may take (none true = blank); settled cells are constants. Each run b of a line has order variables "run b starts at or before j" over the
// starts that some placement of the line alone allows; the clauses tie the starts to each
// other (in order, with a gap between runs of one colour) and to the cells (a run colours the
// cells it covers; a coloured cell is covered by the last run that starts at or before it).
class CnfEncoding {
  public:
    // Encodes every line over the cells' options. Possible() is false when some line has no
    // placement at all, which already proves the puzzle has no solution.
    CnfEncoding(CaDiCaL::Solver& solver, const CheckLines& lines, const OptionGrid& options);

    bool Possible() const { return possible_; }
    int OpenCells() const { return openCells_; }

    // The complete grid of the solver's present model.
    CheckGrid ReadModel() const;
    // Adds the clause "some open cell differs from grid". False (and nothing added) when no
    // cell is open, so that no other grid can exist.
    bool ExcludeGrid(const CheckGrid& grid);

  private:
    // A line's cells in the grid: cell i at first + i * stride.
    struct LineCells {
        int first;
        int stride;
        int n;
    };
    // The order variables of one run: start <= j is false below lo, true from hi on.
    struct RunStarts {
        int lo;
        int hi;
        int firstVar;
    };

    void MakeCellVariables();
    bool EncodeLine(LineCells cells, const CheckClue& clue);
    void EncodeStarts(const CheckClue& clue, const std::vector<RunStarts>& runs,
                      const LinePlacements& placements);
    void EncodeCover(LineCells cells, const CheckClue& clue, const std::vector<RunStarts>& runs);

    int CellLiteral(int cell, int colour) const;
    static int StartsBy(const RunStarts& run, int j);
    // Variable 1 is fixed true, so these two literals are the constants.
    static constexpr int True() { return 1; }
    static constexpr int False() { return -1; }
    int NewVariables(int count);
    // Adds a clause, leaving out false constants and dropping it when it holds a true one.
    void AddClause(std::initializer_list<int> literals);
    // Adds the literals collected in clause_ as one clause and empties it.
    void AddCollectedClause();

    CaDiCaL::Solver& solver_;
    bool possible_ = true;
    int openCells_ = 0;
    int nextVariable_ = 2;  // variable 1 is the constant true
    // cellVariables_[cell][c - 1]: the variable of colour c, or 0 when the cell cannot take c.
    std::vector<std::array<int, 8>> cellVariables_;
    const OptionGrid& options_;
    std::vector<int> clause_;
};

}  // namespace tessemar
