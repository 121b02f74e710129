#pragma once

// What the benchmarks of the Qt layers share: a Qt application around Google Benchmark's run,
// on the offscreen platform unless another one is asked for, and the process's memory figures.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
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
