// The editing operations that touch a whole 250 x 250 picture: the flood fill, undoing and
// redoing its 62,500-record entry, and a transform of the whole picture.
#include "core/document/CLogicDoc.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using tessemar::CLogicDoc;
using tessemar::DocumentDefaults;

std::unique_ptr<CLogicDoc> LargestDoc() {
    return std::make_unique<CLogicDoc>(DocumentDefaults{.columnCount = 250, .rowCount = 250});
}

void BM_FloodFill250(benchmark::State& state) {
    auto doc = LargestDoc();
    int value = 0;
    for (auto _ : state) {
        // Each round fills the whole picture with the next colour.
        const int next = value % 8 + 1;
        doc->FloodFill(0, 0, next, value);
        value = next;
        state.PauseTiming();
        doc->ClearUndoHistory();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FloodFill250)->Unit(benchmark::kMillisecond);

void BM_UndoFloodFill250(benchmark::State& state) {
    auto doc = LargestDoc();
    doc->FloodFill(0, 0, 3, 0);
    for (auto _ : state) {
        doc->Undo(1);
        state.PauseTiming();
        doc->Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoFloodFill250)->Unit(benchmark::kMillisecond);

void BM_RedoFloodFill250(benchmark::State& state) {
    auto doc = LargestDoc();
    doc->FloodFill(0, 0, 3, 0);
    for (auto _ : state) {
        state.PauseTiming();
        doc->Undo(1);
        state.ResumeTiming();
        doc->Redo();
    }
}
BENCHMARK(BM_RedoFloodFill250)->Unit(benchmark::kMillisecond);

void BM_TransformWholePicture250(benchmark::State& state) {
    auto doc = LargestDoc();
    std::mt19937 random(1);
    for (int x = 0; x < 250; ++x) {
        for (int y = 0; y < 250; ++y)
            doc->WriteCell(x, y, static_cast<int>(random() % 10) - 1);
    }
    doc->ClearUndoHistory();
    for (auto _ : state) {
        doc->TransformPicture(tessemar::PictureTransform::TurnRight90, tessemar::ToolPen, 1, 1);
        state.PauseTiming();
        doc->ClearUndoHistory();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TransformWholePicture250)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
