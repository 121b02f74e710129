#include "SolverTestUtil.h"

namespace tessemar::testing {

Outcome OutcomeOf(const SolveResult& r, bool withGrid) {
    Outcome o{r.code,           r.knownCells,       r.normalRowScans, r.normalColumnScans,
              r.trialRowScans,  r.trialColumnScans, r.tries,          r.fixedByTrial,
              r.contradictionX, r.contradictionY};
    for (int x = 0; withGrid && x < r.width; ++x) {
        for (int y = 0; y < r.height; ++y)
            o.grid.push_back(r.Cell(x, y));
    }
    return o;
}

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "code " << std::hex << o.code << std::dec << " known " << o.known << " normal "
        << o.normalRows << "/" << o.normalColumns << " trial " << o.trialRows << "/"
        << o.trialColumns << " tries " << o.tries << " fixed " << o.fixed << " at (" << o.cx << ", "
        << o.cy << ")";
}

}  // namespace tessemar::testing
