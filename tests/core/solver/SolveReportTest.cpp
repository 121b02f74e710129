#include "core/solver/SolveReport.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

SolveResult Sample(int code) {
    return {.code = code, .elapsedMs = 12045, .knownCells = 97, .normalRowScans = 10,
            .normalColumnScans = 20, .trialRowScans = 300, .trialColumnScans = 400, .tries = 5,
            .fixedByTrial = 2};
}

TEST(SolveReportTest, HeadlineTimeAndStatisticsFollowTheCode) {
    const std::string stats =
        "\r\n97/100\r\n\r\n<Number of Scan>\r\n\r\nNormal\r\n    Horizontal: 10\r\n    Vertical: "
        "20\r\n"
        "    Total: 30\r\n\r\nAbsurd\r\n    Try: 5\r\n    Fixed: 2\r\n\r\n    Horizontal (in "
        "trying): 300\r\n"
        "    Vertical (in trying): 400\r\n    Total: 700\r\n\r\nGrand Total\r\n    Horizontal: "
        "310\r\n"
        "    Vertical: 420\r\n    Total: 730\r\n";
    using Kind = SolveReport::Kind;
    for (auto [code, kind] : {std::pair<int, Kind>{ResultChanged, Kind::Complete},
                              {ResultIncomplete, Kind::Open},
                              {ResultStopped | ResultIncomplete, Kind::Stopped}}) {
        EXPECT_EQ(BuildSolveReport(Sample(code), 10, 10, text::Language::English).kind, kind);
    }
    // Each kind has its headline; the texts around it are the same for all.
    const SolveReport report =
        BuildSolveReport(Sample(ResultChanged), 10, 10, text::Language::English);
    EXPECT_EQ(report.statusText, "Complete  Time: 12.045 seconds");
    EXPECT_EQ(report.reportText, "Complete\r\n\r\nTime: 12.045 seconds" + stats);
    const SolveReport japanese =
        BuildSolveReport(Sample(ResultChanged), 10, 10, text::Language::Japanese);
    EXPECT_EQ(japanese.statusText, "計算完了  所要時間： 12.045 秒");
}

TEST(SolveReportTest, ContradictionNamesOnlyTheKnownCoordinates) {
    struct Case {
        int x, y;
        std::string position;
    };
    for (const Case& c :
         {Case{4, 6, "      Ordinate: 5\r\n      Abscissa: 7\r\n"},
          Case{-1, 2, "      Abscissa: 3\r\n"}, Case{0, -1, "      Ordinate: 1\r\n"}}) {
        SolveResult r = Sample(ResultContradiction | ResultChanged);
        r.contradictionX = c.x;
        r.contradictionY = c.y;
        const SolveReport report = BuildSolveReport(r, 10, 10, text::Language::English);
        EXPECT_EQ(report.kind, SolveReport::Kind::Contradiction);
        EXPECT_EQ(report.statusText, "Stop calculating:Contradiction        ");
        EXPECT_EQ(report.contradictionMessage, "Contradiction        \r\n\r\n" + c.position);
    }
    SolveResult r = Sample(ResultContradiction);
    r.contradictionX = 0;
    r.contradictionY = 0;
    EXPECT_EQ(BuildSolveReport(r, 3, 3, text::Language::Japanese).contradictionMessage,
              "矛盾が発生        \r\n\r\n発生位置：\r\n      X座標 1\r\n      Y座標 1\r\n");
    EXPECT_EQ(SolveProgressText(1234, 250, 250, text::Language::English),
              "Calculating...  1234 / 62500    1%");
}

}  // namespace
}  // namespace tessemar
