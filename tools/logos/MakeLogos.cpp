// Draws Tessemar's logo images with QPainter and stores them as packed qga files:
//   220.qga  384 x 96   the name beside a small solved puzzle, for the splash window and the
//                       About box; one ink colour, soft edges in alpha steps of 16, white
//                       where transparent (the splash uses white as its transparent colour)
//   222.qga  180 x 208  a puzzle with its clue numbers and the name, drawn in translucent ink,
//                       tiled over the gradation of the wallpaper
// Usage: make-logos <output folder> [preview folder]
#include "core/images/Qga.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using tessemar::Surface;

// The picture of the logo's puzzle: a fish, in a name that means mosaic and sea.
const std::vector<std::string> kFish = {
    "....#####....", "..########..#", ".##.#######.#", "############.",
    ".##########.#", "..########..#", "....#####....",
};

std::vector<int> Runs(const std::string& line) {
    std::vector<int> runs;
    int run = 0;
    for (char c : line + ".") {
        if (c == '#') {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

std::string Column(int x) {
    std::string column;
    for (const std::string& row : kFish)
        column += row[static_cast<std::size_t>(x)];
    return column;
}

const QColor kInk(22, 44, 84);

QFont Font(int pixelSize, int weight) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QColor Ink(double alpha) {
    QColor c = kInk;
    c.setAlphaF(static_cast<float>(alpha));
    return c;
}

// Turns a premultiplied drawing into a surface with straight alpha (the way the blend reads
// it); fully transparent pixels become white, so that pixel (0, 0) gives white as the colour
// key. With steps, alpha is rounded to multiples of 16 (255 for full).
Surface ToSurface(const QImage& drawing, bool sixteenths) {
    const QImage straight = drawing.convertToFormat(QImage::Format_ARGB32);
    Surface s;
    s.Create(straight.width(), straight.height());
    for (int y = 0; y < straight.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            int alpha = qAlpha(line[x]);
            if (sixteenths)
                alpha = std::min(255, (alpha + 8) / 16 * 16);
            s.Row(y)[x] = alpha == 0 ? tessemar::MakePixel(255, 255, 255, 0)
                                     : tessemar::MakePixel(qRed(line[x]), qGreen(line[x]),
                                                           qBlue(line[x]), alpha);
        }
    }
    return s;
}

QImage ToImage(const Surface& s) {
    QImage image(s.Width(), s.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < s.Height(); ++y)
        std::memcpy(image.scanLine(y), s.Row(y), s.Pitch());
    return image;
}

QImage NewDrawing(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The puzzle grid with the fish, cell by cell, at origin.
void DrawGrid(QPainter& p, QPointF origin, double cell, double emptyAlpha, double fillAlpha,
              double lineAlpha) {
    const int columns = static_cast<int>(kFish[0].size());
    const int rows = static_cast<int>(kFish.size());
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const bool filled =
                kFish[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
            const QRectF r(origin.x() + x * cell + 1, origin.y() + y * cell + 1, cell - 1,
                           cell - 1);
            p.fillRect(r, Ink(filled ? fillAlpha : emptyAlpha));
        }
    }
    // Thin lines between the cells, a bold frame around them and after every fifth column.
    QPen thin(Ink(lineAlpha), 1);
    p.setPen(thin);
    for (int x = 0; x <= columns; ++x) {
        p.drawLine(QPointF(origin.x() + x * cell + 0.5, origin.y()),
                   QPointF(origin.x() + x * cell + 0.5, origin.y() + rows * cell + 1));
    }
    for (int y = 0; y <= rows; ++y) {
        p.drawLine(QPointF(origin.x(), origin.y() + y * cell + 0.5),
                   QPointF(origin.x() + columns * cell + 1, origin.y() + y * cell + 0.5));
    }
    QPen bold(Ink(std::min(1.0, lineAlpha * 2)), 1);
    p.setPen(bold);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(origin.x() + 0.5, origin.y() + 0.5, columns * cell, rows * cell));
    for (int x = 5; x < columns; x += 5) {
        p.drawLine(QPointF(origin.x() + x * cell + 0.5, origin.y()),
                   QPointF(origin.x() + x * cell + 0.5, origin.y() + rows * cell + 1));
    }
}

// Image 222: the puzzle with its clues above and to the left, and the name below.
QImage DrawWallpaperTile() {
    constexpr int kWidth = 180, kHeight = 208;
    constexpr double kCell = 10;
    QImage image = NewDrawing(kWidth, kHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const int columns = static_cast<int>(kFish[0].size());
    const int rows = static_cast<int>(kFish.size());
    std::size_t rowClues = 0, columnClues = 0;
    for (const std::string& row : kFish)
        rowClues = std::max(rowClues, Runs(row).size());
    for (int x = 0; x < columns; ++x)
        columnClues = std::max(columnClues, Runs(Column(x)).size());

    const QFont clueFont = Font(9, QFont::Bold);
    const double clueStep = 8;
    const double rowClueWidth = static_cast<double>(rowClues) * clueStep + 4;
    const double columnClueHeight = static_cast<double>(columnClues) * 10 + 3;
    const double puzzleWidth = rowClueWidth + columns * kCell + 1;
    const double puzzleHeight = columnClueHeight + rows * kCell + 1;
    const QFont nameFont = Font(27, QFont::Bold);
    const double nameHeight = 30;
    const double gap = 10;
    const double left = std::floor((kWidth - puzzleWidth) / 2);
    const double top = std::floor((kHeight - puzzleHeight - gap - nameHeight) / 2);
    const QPointF grid(left + rowClueWidth, top + columnClueHeight);

    // A soft card behind the puzzle lifts it from any background.
    QPainterPath card;
    card.addRoundedRect(QRectF(left - 8, top - 8, puzzleWidth + 16, puzzleHeight + 16), 8, 8);
    p.fillPath(card, QColor(255, 255, 255, 70));
    p.setPen(QPen(Ink(0.18), 1));
    p.drawPath(card);

    DrawGrid(p, grid, kCell, 0.06, 0.55, 0.25);

    p.setFont(clueFont);
    p.setPen(Ink(0.62));
    for (int y = 0; y < rows; ++y) {
        const std::vector<int> runs = Runs(kFish[static_cast<std::size_t>(y)]);
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const double right = grid.x() - 3 - static_cast<double>(runs.size() - 1 - k) * clueStep;
            p.drawText(QRectF(right - clueStep - 4, grid.y() + y * kCell, clueStep + 4, kCell + 1),
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(runs[k]));
        }
    }
    for (int x = 0; x < columns; ++x) {
        const std::vector<int> runs = Runs(Column(x));
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const double bottom = grid.y() - 2 - static_cast<double>(runs.size() - 1 - k) * 10;
            p.drawText(QRectF(grid.x() + x * kCell, bottom - 11, kCell + 1, 11),
                       Qt::AlignHCenter | Qt::AlignBottom, QString::number(runs[k]));
        }
    }

    p.setFont(nameFont);
    p.setPen(Ink(0.5));
    p.drawText(QRectF(0, top + puzzleHeight + gap, kWidth, nameHeight),
               Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Tessemar"));
    return image;
}

// Image 220: the solved puzzle as an emblem, the name and what the program is.
QImage DrawBanner() {
    constexpr int kWidth = 384, kHeight = 96;
    constexpr double kCell = 7;
    QImage image = NewDrawing(kWidth, kHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const int columns = static_cast<int>(kFish[0].size());
    const int rows = static_cast<int>(kFish.size());
    const double gridWidth = columns * kCell + 1;
    const double gridHeight = rows * kCell + 1;
    const QRectF emblem(4, 16, 104, 66);
    QPainterPath frame;
    frame.addRoundedRect(emblem.adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    p.setPen(QPen(Ink(1.0), 3));
    p.setBrush(Ink(0.08));
    p.drawPath(frame);
    DrawGrid(p,
             QPointF(std::round(emblem.center().x() - gridWidth / 2),
                     std::round(emblem.center().y() - gridHeight / 2)),
             kCell, 0.1, 1.0, 0.35);

    p.setPen(Ink(1.0));
    p.setFont(Font(54, QFont::Bold));
    p.drawText(QRectF(118, 2, kWidth - 118, 62), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Tessemar"));
    p.setPen(Ink(0.75));
    p.setFont(Font(15, QFont::Normal));
    p.drawText(QRectF(121, 64, kWidth - 121, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("nonogram editor and solver"));
    return image;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// The image over a background the way the program shows it: the wallpaper tile tiled over
// the default gradation, the banner on white.
void WritePreviews(const QString& folder, const QImage& banner, const QImage& tile) {
    banner.save(folder + "/220.png");
    tile.save(folder + "/222.png");
    QImage wall(720, 416, QImage::Format_RGB32);
    QPainter p(&wall);
    QLinearGradient gradient(0, 0, 0, wall.height());
    gradient.setColorAt(0, QColor(171, 171, 171));
    gradient.setColorAt(1, QColor(255, 255, 255));
    p.fillRect(wall.rect(), gradient);
    for (int y = 0; y < wall.height(); y += tile.height()) {
        for (int x = 0; x < wall.width(); x += tile.width())
            p.drawImage(x, y, tile);
    }
    p.end();
    wall.save(folder + "/222-tiled.png");
    wall.copy(0, 0, 200, 220).scaled(600, 660).save(folder + "/222-zoom.png");
    QImage splash(540, 192, QImage::Format_RGB32);
    splash.fill(Qt::white);
    QPainter q(&splash);
    q.drawImage((540 - banner.width()) / 2, (192 - banner.height()) / 2, banner);
    q.end();
    splash.save(folder + "/220-splash.png");
    splash.scaled(1080, 384).save(folder + "/220-zoom.png");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-logos <output folder> [preview folder]\n");
        return 2;
    }
    const std::string out = argv[1];
    const Surface banner = ToSurface(DrawBanner(), true);
    const Surface tile = ToSurface(DrawWallpaperTile(), false);
    for (const auto& [name, surface] :
         {std::pair{"220.qga", &banner}, std::pair{"222.qga", &tile}}) {
        const std::vector<std::uint8_t> bytes = tessemar::WriteQga(*surface, true);
        if (!WriteBytes(out + "/" + name, bytes)) {
            std::fprintf(stderr, "make-logos: cannot write %s/%s\n", out.c_str(), name);
            return 1;
        }
        std::printf("%s: %d x %d, %zu bytes\n", name, surface->Width(), surface->Height(),
                    bytes.size());
    }
    if (argc > 2 && argv[2][0] != '\0')
        WritePreviews(QString::fromLocal8Bit(argv[2]), ToImage(banner), ToImage(tile));
    return 0;
}
