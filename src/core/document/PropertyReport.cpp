#include "core/document/PropertyReport.h"

#include "core/text/Format.h"

#include <bit>

namespace tessemar {
namespace {

std::string RgbText(ColorRef colour, text::Language language) {
    const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    return text::Format(text::LoadString(text::IdsRgbText, language), {r, g, b, r, g, b});
}

// Counts the colours 1..8 of a set.
int CountColours(unsigned set) { return std::popcount(set & 0x1FEu); }

}  // namespace

UsedColors CollectUsedColors(const PuzzleModel& m) {
    UsedColors used;
    for (int y = 0; y < m.rowCount; ++y) {
        for (int x = 0; x < m.columnCount; ++x) {
            const std::int8_t cell = m.cells[x][y];
            if (cell >= 0 && cell <= 8) used.picture |= 1u << cell;
            for (std::uint8_t colour : {m.rowClueColors[x][y], m.columnClueColors[x][y]}) {
                if (colour <= 8) used.numbers |= 1u << colour;
            }
        }
    }
    return used;
}

std::string BuildPropertyReport(const CLogicDoc& doc, text::Language language) {
    const PuzzleModel& m = doc.Model();
    const UsedColors used = CollectUsedColors(m);
    const int total = CountColours(used.Total());

    std::string colourList;
    for (int k = 1; k <= 8; ++k) {
        if ((used.Total() & (1u << k)) == 0) continue;
        colourList += text::Format(text::LoadString(text::IdsColorListLine, language), {k});
        colourList += RgbText(m.colors[k], language);
    }
    const auto kind = text::LoadString(total <= 1 ? text::IdsNormalLogic : text::IdsColorLogic, language);
    const std::string fileName = doc.GetDocumentFileName();
    const std::string background = RgbText(m.colors[0], language);

    return text::Format(text::LoadString(text::IdsPropertyReport, language),
                        {fileName, doc.GetPathName(), text::LoadString(text::IdsFormatName, language),
                         m.formatVersion[0], m.formatVersion[1], kind, doc.GetFileSizeEstimate(), m.title,
                         m.columnCount, m.rowCount, CountColours(used.numbers), CountColours(used.picture), total,
                         background, colourList, m.cellSize - 1, m.fontFaceName,
                         m.fontWeight == 700 ? "BOLD" : "NORMAL"});
}

}  // namespace tessemar
