#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "core/formats/PuzzleFiles.h"
#include "core/solver/ClueNumbers.h"
#include "core/solver/SolveJob.h"

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <ostream>

namespace tessemar::cli {
namespace {

// Exit codes of solve beyond the common ones.
constexpr int ExitOpenCells = 1;
constexpr int ExitContradiction = 2;
constexpr int ExitCheckFailed = 3;

// Hears the worker: the latest progress and the end of the run.
class CliObserver : public SolveObserver {
  public:
    void OnSolveProgress(int knownCells) override {
        known.store(knownCells, std::memory_order_relaxed);
    }
    void OnSolveFinished(int, const SolveResult&) override {
        std::lock_guard lock(mutex);
        finished = true;
        done.notify_all();
    }
    std::atomic<int> known{0};
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};

void PrintJson(const SolveResult& r, std::ostream& out) {
    out << "{\"code\": " << r.code << ", \"elapsedMs\": " << r.elapsedMs
        << ", \"knownCells\": " << r.knownCells << ", \"normalRowScans\": " << r.normalRowScans
        << ", \"normalColumnScans\": " << r.normalColumnScans
        << ", \"trialRowScans\": " << r.trialRowScans
        << ", \"trialColumnScans\": " << r.trialColumnScans << ", \"tries\": " << r.tries
        << ", \"fixedByTrial\": " << r.fixedByTrial << ", \"contradictionX\": " << r.contradictionX
        << ", \"contradictionY\": " << r.contradictionY << ", \"width\": " << r.width
        << ", \"height\": " << r.height << ", \"grid\": [";
    std::span<const std::uint8_t> cells;
    if (r.grid != nullptr)
        cells = {r.grid->Data(), static_cast<std::size_t>(r.grid->Size())};
    for (int y = 0; y < r.height; ++y)
        out << (y > 0 ? ", \"" : "\"") << GridRowText(cells, r.width, r.height, y) << '"';
    out << "]}\n";
}

// Waits for the run's end. A progress line only for a person watching a terminal, and only
// when the wait is long enough to notice.
void WaitShowingProgress(CliObserver& observer, const SolveJob& job, std::ostream& err,
                         text::Language language) {
    const bool terminal = &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
    const auto start = std::chrono::steady_clock::now();
    bool shownProgress = false;
    std::unique_lock lock(observer.mutex);
    while (!observer.done.wait_for(lock, std::chrono::milliseconds(100),
                                   [&] { return observer.finished; })) {
        if (terminal && std::chrono::steady_clock::now() - start > std::chrono::milliseconds(500)) {
            err << '\r'
                << SolveProgressText(observer.known.load(), job.Width(), job.Height(), language)
                << std::flush;
            shownProgress = true;
        }
    }
    if (shownProgress)
        err << "\r\x1b[K" << std::flush;
}

int ExitCodeOf(int code) {
    if ((code & ResultStopped) != 0)
        return ExitInterrupted;
    if ((code & ResultContradiction) != 0)
        return ExitContradiction;
    if ((code & ResultChanged) != 0)
        return ExitOk;
    return ExitOpenCells;
}

}  // namespace

int RunSolve(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("solve", 1, words, {"--lang", "--output"},
                                      {"--hint", "--json", "--force"}, streams.err);
    if (!args)
        return ExitUsage;
    const text::Language language = text::CurrentLanguage();
    int exitCode = ExitOk;
    const auto doc = OpenOrReport(args->Positional()[0], OpenAs::Puzzle, streams.err, exitCode);
    if (!doc)
        return exitCode;

    const std::string clueProblem = SolveJob::CheckClues(*doc, language);
    if (!clueProblem.empty()) {
        streams.err << ToUnixLineEnds(clueProblem) << "\n";
        if (!args->Has("--force"))
            return ExitCheckFailed;
    }

    const SolveCommand command = args->Has("--hint") ? SolveCommandHint : SolveCommandSolve;
    CliObserver observer;
    InterruptScope interrupt;
    SolveJob job(*doc, command, ViewRefresh::Off, &observer, InterruptRequest());
    WaitShowingProgress(observer, job, streams.err, language);
    const SolveReport report = job.Finish(language);
    const SolveResult& result = job.Result();
    if (auto output = args->Value("--output")) {
        try {
            SavePuzzleFile(*doc, *output);
        } catch (const std::exception&) {
            return ReportFileError(streams.err);
        }
    }

    if (args->Has("--json")) {
        PrintJson(result, streams.out);
    } else if (report.kind == SolveReport::Kind::Contradiction) {
        streams.out << ToUnixLineEnds(report.contradictionMessage + "\r\n" + report.timeText +
                                      report.statistics);
    } else {
        streams.out << ToUnixLineEnds(report.reportText);
    }
    return ExitCodeOf(result.code);
}

int RunCalc(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("calc", 2, words, {}, {}, streams.err);
    if (!args)
        return ExitUsage;
    try {
        auto doc = OpenPuzzleFile(args->Positional()[0], {}, {.withGoal = true});
        CalculateNumbers(*doc);
        SavePuzzleFile(*doc, args->Positional()[1]);
    } catch (const std::exception&) {
        return ReportFileError(streams.err);
    }
    return ExitOk;
}

}  // namespace tessemar::cli
