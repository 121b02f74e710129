#include "SolverTestUtil.h"

#include "core/solver/ClueNumbers.h"

namespace tessemar::testing {

std::unique_ptr<CLogicDoc> DocumentFromPicture(const std::vector<std::string>& rows) {
    auto doc = std::make_unique<CLogicDoc>();
    const int h = static_cast<int>(rows.size());
    const int w = h > 0 ? static_cast<int>(rows[0].size()) : 0;
    doc->SetPuzzleSize(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const char ch = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            doc->SetCell(x, y, ch >= '1' && ch <= '8' ? static_cast<std::int8_t>(ch - '0') : 0);
        }
    }
    CalculateNumbers(*doc);
    return doc;
}

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
