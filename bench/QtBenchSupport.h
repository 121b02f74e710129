#pragma once

// What the benchmarks of the Qt layers share: a Qt application around Google Benchmark's run,
// on the offscreen platform unless another one is asked for, and the process's memory figures.

#include "core/document/CLogicDoc.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>

namespace tessemar::bench {

// A figure of /proc/self/status in megabytes, e.g. "VmRSS:" (resident set) or "VmHWM:" (its
// peak); 0 where the file or the key is missing.
inline double StatusMegabytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::strtod(line.c_str() + std::string(key).size(), nullptr) / 1024.0;
    }
    return 0;
}

inline void ReportMemory(benchmark::State& state) {
    state.counters["rss_MB"] = StatusMegabytes("VmRSS:");
    state.counters["peak_MB"] = StatusMegabytes("VmHWM:");
}

// A size x size puzzle with clue lines as deep as a real one gets: about half the slots of every
// line in use, numbers of one and two digits in every colour, a picture of short runs.
inline std::unique_ptr<CLogicDoc> MakeDeepCluesDocument(int size, int cellSize) {
    PuzzleModel m;
    m.columnCount = size;
    m.rowCount = size;
    m.cellSize = cellSize;
    std::mt19937 random(static_cast<unsigned>(size * 1000 + cellSize));
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y)
            m.cells[x][y] = static_cast<std::int8_t>(random() % 3 == 0 ? 0 : 1 + random() % 8);
    }
    for (int line = 0; line < size; ++line) {
        for (int k = 0; k < size / 2; ++k) {
            m.rowClueNumbers[k][line] = static_cast<std::uint8_t>(1 + random() % 12);
            m.rowClueColors[k][line] = static_cast<std::uint8_t>(1 + random() % 8);
            m.columnClueNumbers[line][k] = static_cast<std::uint8_t>(1 + random() % 12);
            m.columnClueColors[line][k] = static_cast<std::uint8_t>(1 + random() % 8);
        }
    }
    m.title = "Benchmark";
    auto doc = std::make_unique<CLogicDoc>();
    doc->ReplaceModel(m);
    return doc;
}

// The body of main: Application is QGuiApplication for drawing alone, QApplication for widgets.
template <typename Application>
int RunBenchmarks(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tessemar::bench
