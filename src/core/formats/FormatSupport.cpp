#include "core/formats/FormatSupport.h"

#include <cstdio>

namespace tessemar::formats {

std::vector<Clue> ClueLineInReadingOrder(const PuzzleModel& m, ClueSide side, int index) {
    const int length = side == SideRow ? m.RowClueLength(index) : m.ColumnClueLength(index);
    std::vector<Clue> line;
    for (int k = length - 1; k >= 0; --k) {
        const int number =
            side == SideRow ? m.rowClueNumbers[k][index] : m.columnClueNumbers[index][k];
        const int colour =
            side == SideRow ? m.rowClueColors[k][index] : m.columnClueColors[index][k];
        if (number >= 1 && number <= kMaxLines && colour >= 1 && colour <= 8)
            line.push_back({number, colour});
    }
    return line;
}

void StoreClueLine(PuzzleModel& m, ClueSide side, int index, const std::vector<Clue>& line) {
    auto store = [&](int k, int number, int colour) {
        if (side == SideRow) {
            m.rowClueNumbers[k][index] = static_cast<std::uint8_t>(number);
            m.rowClueColors[k][index] = static_cast<std::uint8_t>(colour);
        } else {
            m.columnClueNumbers[index][k] = static_cast<std::uint8_t>(number);
            m.columnClueColors[index][k] = static_cast<std::uint8_t>(colour);
        }
    };
    int k = 0;
    for (auto it = line.rbegin(); it != line.rend(); ++it) {
        if (it->number != 0)
            store(k++, it->number, it->colour);
    }
    if (k == 0)
        store(0, 0, 1);
}

std::array<bool, 9> UsedColours(const PuzzleModel& m, bool picture) {
    std::array<bool, 9> used{};
    for (int y = 0; y < m.rowCount; ++y) {
        for (const Clue& clue : ClueLineInReadingOrder(m, SideRow, y))
            used[clue.colour] = true;
    }
    for (int x = 0; x < m.columnCount; ++x) {
        for (const Clue& clue : ClueLineInReadingOrder(m, SideColumn, x))
            used[clue.colour] = true;
    }
    if (picture) {
        for (int x = 0; x < m.columnCount; ++x) {
            for (int y = 0; y < m.rowCount; ++y) {
                if (m.cells[x][y] >= 1 && m.cells[x][y] <= 8)
                    used[m.cells[x][y]] = true;
            }
        }
    }
    return used;
}

bool PictureHasFill(const PuzzleModel& m) {
    for (int x = 0; x < m.columnCount; ++x) {
        for (int y = 0; y < m.rowCount; ++y) {
            if (m.cells[x][y] >= 1 && m.cells[x][y] <= 8)
                return true;
        }
    }
    return false;
}

std::optional<ColorRef> ParseHexColour(std::string_view text) {
    if (text.size() != 6 && text.size() != 3)
        return std::nullopt;
    int digits[6];
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits[i] = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digits[i] = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digits[i] = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
    }
    if (text.size() == 3) {
        return MakeColorRef(digits[0] * 17, digits[1] * 17, digits[2] * 17);
    }
    return MakeColorRef(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3],
                        digits[4] * 16 + digits[5]);
}

std::string FormatHexColour(ColorRef colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", RedOf(colour), GreenOf(colour),
                  BlueOf(colour));
    return buffer;
}

std::optional<int> ParseClueNumber(std::string_view text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > kMaxLines)
        return std::nullopt;
    return value;
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace tessemar::formats
