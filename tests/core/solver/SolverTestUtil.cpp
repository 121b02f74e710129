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

}  // namespace tessemar::testing
