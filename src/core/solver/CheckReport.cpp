#include "core/solver/CheckReport.h"

#include "core/solver/SolveReport.h"
#include "core/text/Format.h"

namespace tessemar {
namespace {

std::string Headline(const CheckResult& result, text::Language language) {
    const auto load = [language](unsigned id) { return std::string(text::LoadString(id, language)); };
    switch (result.verdict) {
    case CheckVerdict::Unique:
        return load(text::IdsCheckUnique);
    case CheckVerdict::Several:
        return text::Format(load(text::IdsCheckSeveral),
                            {static_cast<std::int64_t>(result.DifferingCells().size())});
    case CheckVerdict::None:
        return load(text::IdsCheckNone);
    case CheckVerdict::Undecided:
        break;
    }
    if (result.stopped)
        return load(text::IdsCheckStopped);
    return load(result.outOfTime ? text::IdsCheckOutOfTime : text::IdsCheckUndecided);
}

}  // namespace

CheckReport BuildCheckReport(const CheckResult& result, text::Language language) {
    CheckReport report;
    report.headline = Headline(result, language);
    report.timeText = SolveTimeText(result.elapsedMs, language);
    report.text = report.headline + "\r\n\r\n" + report.timeText;
    return report;
}

std::string CheckPhaseText(CheckPhase phase, text::Language language) {
    switch (phase) {
    case CheckPhase::LineSolving:
        break;
    case CheckPhase::FirstSolution:
        return std::string(text::LoadString(text::IdsCheckFirstSolution, language));
    case CheckPhase::SecondSolution:
        return std::string(text::LoadString(text::IdsCheckSecondSolution, language));
    }
    return std::string(text::LoadString(text::IdsCheckLineSolving, language));
}

}  // namespace tessemar
