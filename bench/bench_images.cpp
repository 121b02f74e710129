// Speed of the image library and the wallpaper: alpha blending a full-screen surface, and
// drawing the logo wallpaper on a full-screen window, each beside a baseline of plain copying
// or filling of the same area in the same run.
#include "core/images/Surface.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/images/LogoResource.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

namespace {

using namespace tessemar;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

Surface Background() {
    Surface s;
    s.Create(kWidth, kHeight);
    s.Fill(Rect{0, 0, kWidth, kHeight}, MakePixel(171, 171, 171));
    return s;
}

// Every alpha value from 0 to 255 across each row, the mix a soft-edged picture has.
Surface Translucent() {
    Surface s;
    s.Create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            s.Row(y)[x] = MakePixel(x & 0xFF, y & 0xFF, (x + y) & 0xFF, (x * 7 + y) & 0xFF);
    }
    return s;
}

void BM_Copy1920x1080(benchmark::State& state) {
    Surface dst = Background();
    const Surface src = Translucent();
    for (auto _ : state) {
        Blit(dst, 0, 0, src, BlitMode::Copy);
        benchmark::DoNotOptimize(dst.Data());
    }
}
BENCHMARK(BM_Copy1920x1080)->Unit(benchmark::kMillisecond);

void BM_AlphaBlend1920x1080(benchmark::State& state) {
    Surface dst = Background();
    const Surface src = Translucent();
    for (auto _ : state) {
        Blit(dst, 0, 0, src, BlitMode::Blend);
        benchmark::DoNotOptimize(dst.Data());
    }
}
BENCHMARK(BM_AlphaBlend1920x1080)->Unit(benchmark::kMillisecond);

// The window surface of the platform is premultiplied ARGB, as here.
QImage Window() {
    QImage window(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::black);
    return window;
}

void BM_WallpaperPlainColor1920x1080(benchmark::State& state) {
    QImage window = Window();
    CWallpaperPainter wallpaper;
    wallpaper.SetWallpaper(CWallpaperPainter::ModeSimpleColor, "", kLogoWallpaperTile,
                           MakeColorRef(171, 171, 171), 0, 0);
    for (auto _ : state) {
        QPainter painter(&window);
        wallpaper.DrawWallpaper(painter, kWidth, kHeight);
    }
}
BENCHMARK(BM_WallpaperPlainColor1920x1080)->Unit(benchmark::kMillisecond);

// The first paint after a change of colours or size: the logo strip is blended anew.
void BM_WallpaperLogo1920x1080(benchmark::State& state) {
    QImage window = Window();
    CWallpaperPainter wallpaper;
    const int direction = static_cast<int>(state.range(0));
    int flip = 0;
    for (auto _ : state) {
        state.PauseTiming();
        flip ^= 1;
        wallpaper.SetWallpaper(CWallpaperPainter::ModeDefaultLogo, "", kLogoWallpaperTile,
                               MakeColorRef(171, 171, 170 + flip), MakeColorRef(255, 255, 255),
                               direction);
        state.ResumeTiming();
        QPainter painter(&window);
        wallpaper.DrawWallpaper(painter, kWidth, kHeight);
    }
}
BENCHMARK(BM_WallpaperLogo1920x1080)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Later paints of the same wallpaper reuse the strip.
void BM_WallpaperLogoRepaint1920x1080(benchmark::State& state) {
    QImage window = Window();
    CWallpaperPainter wallpaper;
    wallpaper.SetWallpaper(CWallpaperPainter::ModeDefaultLogo, "", kLogoWallpaperTile,
                           MakeColorRef(171, 171, 171), MakeColorRef(255, 255, 255), 1);
    for (auto _ : state) {
        QPainter painter(&window);
        wallpaper.DrawWallpaper(painter, kWidth, kHeight);
    }
}
BENCHMARK(BM_WallpaperLogoRepaint1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
