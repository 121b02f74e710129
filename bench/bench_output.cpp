// The output of the largest sheet: 250 x 250 cells with 125-deep clue lines at cell size 51,
// about 19,000 pixels square. Every page as PDF at zoom 100 (as tessemar-cli print writes
// it, A4 at 600 dpi), the print preview's first page (the printer a PDF printer at its own
// resolution, the settings' default zoom and 100 %), and the bitmap export drawn in bands.
// Each reports the process's peak memory during its run.
//
// Release build, 2-core machine under load (CPU time): PDF of all 24 pages 3.0 s, peak 45 MB;
// preview's first page 12 ms at zoom 300, 0.26 s at zoom 100; bitmap file 1.9 s, peak 63 MB.
#include "QtBenchSupport.h"

#include "core/settings/AppSettings.h"
#include "gui/output/CPrintPreviewDialog.h"
#include "render/LayoutRenderer.h"
#include "render/PdfFile.h"
#include "render/PrintPlan.h"
#include "render/SheetExport.h"

#include <QApplication>
#include <QPageSize>
#include <QPrinter>

#include <cstdio>
#include <fstream>

namespace tessemar {
namespace {

const CLogicDoc& LargestSheet() {
    static const auto doc = bench::MakeDeepCluesDocument(250, 51);
    return *doc;
}

// Starts the peak of the resident set anew, so that each benchmark reports its own.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_PrintAllPagesToPdf(benchmark::State& state) {
    const CLogicDoc& doc = LargestSheet();
    const LayoutStyle style(doc.Model(), {});
    const Rect sheet = GetSheetRect(style, doc.Model(), false);
    const std::string path = "/tmp/tessemar-bench-print.pdf";
    ResetPeakMemory();
    PrintPlan plan;
    for (auto _ : state) {
        if (WritePrintPdfFile(path, QPageSize(QPageSize::A4), QMargins(1000, 1000, 1000, 1000), 100,
                              sheet, doc.Model(), style, plan) != 0)
            state.SkipWithError("the PDF could not be written");
    }
    state.counters["pages"] = plan.Pages();
    bench::ReportMemory(state);
    std::remove(path.c_str());
}
BENCHMARK(BM_PrintAllPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PrintPreviewFirstPage(benchmark::State& state) {
    const CLogicDoc& doc = LargestSheet();
    const LayoutStyle style(doc.Model(), {});
    AppSettings settings;
    settings.zoom = static_cast<int>(state.range(0));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    ResetPeakMemory();
    int pages = 0;
    for (auto _ : state) {
        CPrintPreviewDialog preview(printer, doc, style, settings, nullptr);
        preview.resize(900, 1000);
        benchmark::DoNotOptimize(preview.ShownPage());
        pages = preview.PageCount();
    }
    state.counters["pages"] = pages;
    state.counters["dpi"] = printer.resolution();
    bench::ReportMemory(state);
}
BENCHMARK(BM_PrintPreviewFirstPage)->Arg(AppSettings{}.zoom)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SaveSheetAsBitmap(benchmark::State& state) {
    const CLogicDoc& doc = LargestSheet();
    const LayoutStyle style(doc.Model(), {});
    const std::string path = "/tmp/tessemar-bench-sheet.bmp";
    ResetPeakMemory();
    for (auto _ : state) {
        if (WriteSheetBitmapFile(path, doc.Model(), style, false) != 0)
            state.SkipWithError("the bitmap could not be written");
    }
    bench::ReportMemory(state);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveSheetAsBitmap)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QApplication>(argc, argv);
}
