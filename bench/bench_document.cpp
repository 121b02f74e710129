// Reading and writing a full 250 x 250 colour document.
#include "core/document/TsdFile.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

std::unique_ptr<tessemar::PuzzleModel> FullColourModel() {
    auto m = std::make_unique<tessemar::PuzzleModel>();
    m->columnCount = 250;
    m->rowCount = 250;
    std::mt19937 random(1);
    for (int x = 0; x < 250; ++x) {
        for (int y = 0; y < 250; ++y)
            m->cells[x][y] = static_cast<std::int8_t>(random() % 9);
    }
    // Dense clue lines: 125 numbers in every line, as a busy colour puzzle has.
    for (int line = 0; line < 250; ++line) {
        for (int k = 0; k < 125; ++k) {
            m->rowClueNumbers[k][line] = m->columnClueNumbers[line][k] =
                static_cast<std::uint8_t>(1 + random() % 3);
            m->rowClueColors[k][line] = m->columnClueColors[line][k] =
                static_cast<std::uint8_t>(1 + random() % 8);
        }
    }
    return m;
}

void BM_WriteTsd250(benchmark::State& state) {
    auto model = FullColourModel();
    for (auto _ : state) {
        auto bytes = tessemar::WriteTsd(*model);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WriteTsd250)->Unit(benchmark::kMillisecond);

void BM_ReadTsd250(benchmark::State& state) {
    auto bytes = tessemar::WriteTsd(*FullColourModel());
    for (auto _ : state) {
        auto model = tessemar::ReadTsd(bytes);
        benchmark::DoNotOptimize(model.get());
    }
}
BENCHMARK(BM_ReadTsd250)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
