// Uniqueness checks of hostile clue sets: every answer must come with grids that match every
// clue, two different ones for "several"; nothing may crash or read out of bounds.
#include "core/solver/UniquenessCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Runs = std::vector<std::pair<int, int>>;

// The runs of n cells stride apart (255 blank), counted here rather than by the checker.
Runs RunsOf(const std::uint8_t* cells, int stride, int n) {
    Runs runs;
    for (int i = 0; i < n; ++i) {
        const int v = cells[i * stride];
        if (v == 255)
            continue;
        if (i > 0 && cells[(i - 1) * stride] == v)
            ++runs.back().first;
        else
            runs.push_back({1, v});
    }
    return runs;
}

Runs SlotRuns(const std::uint8_t* numbers, const std::uint8_t* colours, int stride, int slots) {
    Runs runs;
    for (int k = slots - 1; k >= 0; --k) {
        const int number = numbers[k * stride];
        if (number != 0 && number != 255 && colours[k * stride] != 0)
            runs.push_back({number, colours[k * stride]});
    }
    return runs;
}

void RequireSolution(const tessemar::PuzzleModel& m, const tessemar::CheckGrid& grid) {
    const int w = m.columnCount, h = m.rowCount;
    if (grid.size() != static_cast<std::size_t>(w) * h)
        std::abort();
    for (int y = 0; y < h; ++y) {
        if (RunsOf(grid.data() + y, h, w) !=
            SlotRuns(&m.rowClueNumbers[0][y], &m.rowClueColors[0][y], tessemar::kMaxLines, w))
            std::abort();
    }
    for (int x = 0; x < w; ++x) {
        if (RunsOf(grid.data() + x * h, 1, h) !=
            SlotRuns(m.columnClueNumbers[x].data(), m.columnClueColors[x].data(), 1, h))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    auto model = std::make_unique<tessemar::PuzzleModel>();
    model->columnCount = 1 + data[0] % 10;
    model->rowCount = 1 + data[1] % 10;
    const int colours = 1 + data[2] % 4;
    // The rest fills row slots, then column slots: a number byte and a colour byte each, the
    // number kept small so that lines often fit, the colour sometimes out of range.
    std::size_t at = 3;
    const auto next = [&]() -> int { return at < size ? data[at++] : 255; };
    const auto fill = [&](std::uint8_t& number, std::uint8_t& colour) {
        const int n = next(), c = next();
        number = static_cast<std::uint8_t>(n % 7 == 6 ? 255 : n % 7);
        colour = static_cast<std::uint8_t>(c % 16 == 15 ? 9 : 1 + c % colours);
    };
    for (int y = 0; y < model->rowCount; ++y) {
        for (int k = 0; k < model->columnCount; ++k)
            fill(model->rowClueNumbers[k][y], model->rowClueColors[k][y]);
    }
    for (int x = 0; x < model->columnCount; ++x) {
        for (int k = 0; k < model->rowCount; ++k)
            fill(model->columnClueNumbers[x][k], model->columnClueColors[x][k]);
    }
    const tessemar::CheckResult result = tessemar::CheckUniqueness(*model, {.timeLimitMs = 2000});
    switch (result.verdict) {
    case tessemar::CheckVerdict::Several:
        RequireSolution(*model, result.second);
        if (result.second == result.first)
            std::abort();
        [[fallthrough]];
    case tessemar::CheckVerdict::Unique:
        RequireSolution(*model, result.first);
        break;
    default:
        break;
    }
    return 0;
}
