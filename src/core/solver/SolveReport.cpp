#include "core/solver/SolveReport.h"

#include "core/text/Format.h"

#include <cstdint>

namespace tessemar {

using text::Format;
using text::LoadString;

SolveReport BuildSolveReport(const SolveResult& result, int width, int height,
                             text::Language language) {
    SolveReport report;
    const auto load = [language](unsigned id) { return LoadString(id, language); };
    const std::int64_t cells = static_cast<std::int64_t>(width) * height;

    report.timeText = SolveTimeText(result.elapsedMs, language);
    const std::int64_t normal =
        static_cast<std::int64_t>(result.normalRowScans) + result.normalColumnScans;
    const std::int64_t trial =
        static_cast<std::int64_t>(result.trialRowScans) + result.trialColumnScans;
    report.statistics =
        Format(load(text::IdsSolveStatistics),
               {result.knownCells, cells, result.normalRowScans, result.normalColumnScans, normal,
                result.tries, result.fixedByTrial, result.trialRowScans, result.trialColumnScans,
                trial, static_cast<std::int64_t>(result.normalRowScans) + result.trialRowScans,
                static_cast<std::int64_t>(result.normalColumnScans) + result.trialColumnScans,
                normal + trial});

    if ((result.code & ResultContradiction) != 0) {
        report.kind = SolveReport::Kind::Contradiction;
        // A whole line that cannot hold its clues has no cell: only its row or column is named.
        const std::string posX = result.contradictionX >= 0 ? Format(load(text::IdsSolveOrdinate),
                                                                     {result.contradictionX + 1})
                                                            : "";
        const std::string posY = result.contradictionY >= 0 ? Format(load(text::IdsSolveAbscissa),
                                                                     {result.contradictionY + 1})
                                                            : "";
        report.headline = std::string(load(text::IdsSolveContradiction));
        report.statusText = std::string(load(text::IdsSolveStopPrefix)) + report.headline;
        report.contradictionMessage =
            report.headline + Format(load(text::IdsSolvePosition), {posX, posY});
        report.reportText = report.contradictionMessage;
        return report;
    }
    if ((result.code & ResultStopped) != 0) {
        report.kind = SolveReport::Kind::Stopped;
        report.headline = std::string(load(text::IdsSolveStopPrefix)) +
                          std::string(load(text::IdsSolveUserStopped));
    } else if ((result.code & ResultChanged) != 0) {
        report.kind = SolveReport::Kind::Complete;
        report.headline = std::string(load(text::IdsSolveComplete));
    } else {
        report.kind = SolveReport::Kind::Open;
        report.headline = std::string(load(text::IdsSolveStopPrefix)) +
                          std::string(load(text::IdsSolveManySolutions));
    }
    report.statusText = report.headline + "  " + report.timeText;
    report.reportText = report.headline + "\r\n\r\n" + report.timeText + report.statistics;
    return report;
}

std::string SolveTimeText(int elapsedMs, text::Language language) {
    return Format(LoadString(text::IdsSolveTime, language), {elapsedMs / 1000, elapsedMs % 1000});
}

std::string SolveProgressText(int knownCells, int width, int height, text::Language language) {
    const std::int64_t cells = static_cast<std::int64_t>(width) * height;
    const std::int64_t percent =
        cells > 0 ? static_cast<std::int64_t>(knownCells) * 100 / cells : 0;
    return Format(LoadString(text::IdsSolveProgress, language), {knownCells, cells, percent});
}

std::string NumbersWrongMessage(int badRow, int badColumn, int badColour, text::Language language) {
    std::string detail;
    if (badRow >= 0) {
        detail = Format(LoadString(text::IdsRowWrong, language), {badRow + 1});
    } else if (badColumn >= 0) {
        detail = Format(LoadString(text::IdsColumnWrong, language), {badColumn + 1});
    } else if (badColour >= 0) {
        // The colour number is shown as it is, 1..8.
        detail = Format(LoadString(text::IdsColourAmountWrong, language), {badColour});
    } else {
        return "";
    }
    return Format(LoadString(text::IdsNumbersWrong, language), {std::string_view(detail)});
}

}  // namespace tessemar
