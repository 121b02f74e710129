#include "core/formats/NonFile.h"

#include "core/formats/FormatSupport.h"
#include "core/formats/PuzzleFormatError.h"
#include "core/text/Encoding.h"

#include <algorithm>
#include <cctype>

namespace tessemar {
namespace {

using formats::Clue;

struct NonColour {
    char letter = 0;  // 0 for the single colour of a puzzle without colour lines
    ColorRef rgb = 0;
    int line = 0;
    bool used = false;
    int index = 0;
};

// The lines that follow a "rows" or "columns" key.
struct Section {
    int keywordLine = 0;
    std::vector<std::pair<int, std::string_view>> lines;  // line number, trimmed text
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int ParseSize(std::string_view text, int line, const char* what) {
    auto number = formats::ParseClueNumber(text);
    if (!number || *number < 1) {
        throw PuzzleFormatError(
            line, std::string(what) + " must be 1..250, not \"" + std::string(text) + "\"");
    }
    return *number;
}

// The HTML references a .non string may carry; anything unknown stays as written.
std::string DecodeReferences(std::string_view text) {
    static const std::pair<std::string_view, std::string_view> kNamed[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // References are short: looking only a few characters ahead keeps a string full of
        // '&' linear.
        std::size_t semicolon =
            text[i] == '&' ? text.substr(i, 11).find(';') : std::string_view::npos;
        if (semicolon != std::string_view::npos)
            semicolon += i;
        if (semicolon == std::string_view::npos) {
            out += text[i];
            continue;
        }
        std::string_view ref = text.substr(i + 1, semicolon - i - 1);
        bool known = false;
        for (const auto& [name, value] : kNamed) {
            if (ref == name) {
                out += value;
                known = true;
            }
        }
        if (!known && ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x' || ref[1] == 'X';
            std::uint32_t code = 0;
            std::string_view digits = ref.substr(hex ? 2 : 1);
            known = !digits.empty();
            for (char c : digits) {
                int digit = -1;
                if (IsDigit(c)) {
                    digit = c - '0';
                } else if (hex && c >= 'a' && c <= 'f') {
                    digit = c - 'a' + 10;
                } else if (hex && c >= 'A' && c <= 'F') {
                    digit = c - 'A' + 10;
                }
                if (digit < 0 || code > 0x10FFFF) {
                    known = false;
                    break;
                }
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            }
            known = known && code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            if (known) {
                std::vector<std::uint16_t> units;
                if (code >= 0x10000) {
                    units = {static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)),
                             static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
                } else {
                    units = {static_cast<std::uint16_t>(code)};
                }
                out += text::Utf16ToUtf8(units);
            }
        }
        if (known) {
            i = semicolon;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A string value: quoted, or the rest of the line as it stands.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

class NonReader {
  public:
    NonReader(PuzzleModel& model, const PuzzleReadOptions& options)
        : model_(model), options_(options) {}

    void Read(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        Section* section = nullptr;
        int lineNumber = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = std::min(text.find('\n', start), text.size());
            std::string_view line = formats::Trim(text.substr(start, end - start));
            start = end + 1;
            ++lineNumber;
            // Keys start with a letter, so anything else inside a section is meant as a clue
            // line, and a bad one ("-1") is refused on its own line rather than ending the
            // section early. A blank line there may stand for an empty clue line, which only
            // the count of lines can tell (see Resolve).
            if (section && (line.empty() || !IsLetter(line.front()))) {
                section->lines.emplace_back(lineNumber, line);
                continue;
            }
            section = nullptr;
            if (line.empty())
                continue;
            std::size_t space = line.find_first_of(" \t");
            const std::string key = Lower(line.substr(0, space));
            const std::string_view value = space == std::string_view::npos
                                               ? std::string_view()
                                               : formats::Trim(line.substr(space));
            if (key == "width") {
                SetSize(width_, value, lineNumber, "width");
            } else if (key == "height") {
                SetSize(height_, value, lineNumber, "height");
            } else if (key == "rows" || key == "columns") {
                Section& target = key == "rows" ? rows_ : columns_;
                if (!value.empty()) {
                    // The older spelling of the size: "columns 20" is "width 20".
                    SetSize(key == "rows" ? height_ : width_, value, lineNumber,
                            key == "rows" ? "height" : "width");
                } else {
                    if (target.keywordLine)
                        throw PuzzleFormatError(lineNumber, "a second \"" + key + "\" section");
                    target.keywordLine = lineNumber;
                    section = &target;
                }
            } else if (key == "title") {
                title_ = text::DecodeFileText(DecodeReferences(Unquote(value)));
            } else if (key == "color") {
                DefineColour(value, lineNumber);
            } else if (key == "goal") {
                if (goalLine_)
                    throw PuzzleFormatError(lineNumber, "a second goal");
                goal_ = Unquote(value);
                goalLine_ = lineNumber;
            }
            // Other keys (catalogue, by, copyright, license, ...) say nothing the model holds.
        }
        Finish(std::max(lineNumber, 1));
    }

  private:
    void SetSize(int& size, std::string_view value, int line, const char* what) {
        if (size)
            throw PuzzleFormatError(line, std::string("a second ") + what);
        size = ParseSize(value, line, what);
    }

    void DefineColour(std::string_view value, int line) {
        std::size_t space = value.find_first_of(" \t");
        std::string_view letter = value.substr(0, space);
        std::string_view rest = space == std::string_view::npos
                                    ? std::string_view()
                                    : formats::Trim(value.substr(space));
        std::string_view hex = rest.substr(0, rest.find_first_of(" \t"));
        if (hex.starts_with('#'))
            hex.remove_prefix(1);
        if (letter.size() != 1 || !IsLetter(letter[0])) {
            throw PuzzleFormatError(
                line, "a colour is named by one letter, not \"" + std::string(letter) + "\"");
        }
        if (FindColour(letter[0]))
            throw PuzzleFormatError(line, "colour " + std::string(letter) + " is defined twice");
        auto rgb = formats::ParseHexColour(hex);
        if (!rgb)
            throw PuzzleFormatError(line, "colour " + std::string(letter) + " is not #rrggbb");
        colours_.push_back({letter[0], *rgb, line});
    }

    NonColour* FindColour(char letter) {
        auto it = std::find_if(colours_.begin(), colours_.end(),
                               [&](const NonColour& c) { return c.letter == letter; });
        return it == colours_.end() ? nullptr : &*it;
    }

    // The colour of a number without a letter and of a '1' in the goal.
    NonColour* DefaultColour() { return &colours_.front(); }

    // The clue lines of a section, one per picture line. When the section holds exactly as
    // many number lines as needed, blank lines only separate; with fewer, blank lines are
    // empty clue lines, the way some writers leave them.
    std::vector<std::pair<int, std::string_view>> Resolve(const Section& section, int count,
                                                          const char* what) {
        std::vector<std::pair<int, std::string_view>> filled;
        for (const auto& entry : section.lines) {
            if (!entry.second.empty())
                filled.push_back(entry);
        }
        if (static_cast<int>(filled.size()) > count) {
            throw PuzzleFormatError(filled[count].first,
                                    std::string("more ") + what + " than the puzzle has");
        }
        if (static_cast<int>(filled.size()) == count)
            return filled;
        if (static_cast<int>(section.lines.size()) < count) {
            throw PuzzleFormatError(section.keywordLine, std::to_string(filled.size()) + " " +
                                                             what + " given, " +
                                                             std::to_string(count) + " expected");
        }
        for (std::size_t i = static_cast<std::size_t>(count); i < section.lines.size(); ++i) {
            if (!section.lines[i].second.empty()) {
                throw PuzzleFormatError(section.lines[i].first,
                                        std::string("more ") + what + " than the puzzle has");
            }
        }
        return {section.lines.begin(), section.lines.begin() + count};
    }

    struct PendingClue {
        int number;
        NonColour* colour;
    };

    std::vector<PendingClue> ParseClueLine(std::string_view text, int line, int capacity,
                                           const char* what, int index) {
        std::vector<PendingClue> clues;
        std::size_t i = 0;
        while (i < text.size()) {
            if (text[i] == ',' || text[i] == ' ' || text[i] == '\t') {
                ++i;
                continue;
            }
            std::size_t end = text.find_first_of(", \t", i);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view token = text.substr(i, end - i);
            i = end;
            std::string_view digits = token;
            NonColour* colour = DefaultColour();
            if (!digits.empty() && IsLetter(digits.back())) {
                colour = FindColour(digits.back());
                if (!colour) {
                    throw PuzzleFormatError(line,
                                            std::string("unknown colour '") + digits.back() + "'");
                }
                digits.remove_suffix(1);
            }
            auto number = formats::ParseClueNumber(digits);
            if (!number) {
                throw PuzzleFormatError(
                    line, "\"" + std::string(token) + "\" is not a clue number (0..250)");
            }
            if (*number == 0)
                continue;
            if (static_cast<int>(clues.size()) == capacity) {
                throw PuzzleFormatError(line, std::string(what) + " " + std::to_string(index + 1) +
                                                  " has more numbers than cells");
            }
            colour->used = true;
            clues.push_back({*number, colour});
        }
        return clues;
    }

    void Finish(int lastLine) {
        if (!width_)
            throw PuzzleFormatError(lastLine, "the file gives no width");
        if (!height_)
            throw PuzzleFormatError(lastLine, "the file gives no height");
        if (!rows_.keywordLine)
            throw PuzzleFormatError(lastLine, "the file has no rows section");
        if (!columns_.keywordLine)
            throw PuzzleFormatError(lastLine, "the file has no columns section");
        if (colours_.empty())
            colours_.push_back({0, model_.colors[1], 0});

        std::vector<std::vector<PendingClue>> rows, columns;
        for (const auto& [line, text] : Resolve(rows_, height_, "rows")) {
            rows.push_back(ParseClueLine(text, line, width_, "row", static_cast<int>(rows.size())));
        }
        for (const auto& [line, text] : Resolve(columns_, width_, "columns")) {
            columns.push_back(
                ParseClueLine(text, line, height_, "column", static_cast<int>(columns.size())));
        }
        std::vector<NonColour*> goal;
        if (options_.withGoal && goalLine_)
            goal = ParseGoal();

        int next = 1;
        for (NonColour& colour : colours_) {
            if (!colour.used)
                continue;
            if (next > 8)
                throw PuzzleFormatError(colour.line, "more than 8 colours");
            colour.index = next++;
        }

        model_.columnCount = width_;
        model_.rowCount = height_;
        model_.ClearArrays();
        auto resolve = [](const std::vector<PendingClue>& pending) {
            std::vector<Clue> line;
            for (const PendingClue& clue : pending)
                line.push_back({clue.number, clue.colour->index});
            return line;
        };
        for (int y = 0; y < height_; ++y)
            formats::StoreClueLine(model_, SideRow, y, resolve(rows[y]));
        for (int x = 0; x < width_; ++x)
            formats::StoreClueLine(model_, SideColumn, x, resolve(columns[x]));
        for (std::size_t i = 0; i < goal.size(); ++i) {
            model_.cells[i % width_][i / width_] =
                static_cast<std::int8_t>(goal[i] ? goal[i]->index : 0);
        }
        for (const NonColour& colour : colours_) {
            if (colour.index == 0 || colour.letter == 0)
                continue;
            model_.colors[colour.index] = colour.rgb;
            model_.shadowColors[colour.index] = ShadowOf(colour.rgb);
        }
        if (!title_.empty())
            model_.title = title_;
    }

    // The goal: one character a cell, row after row; '0' blank, '1' the default colour, a
    // colour's letter that colour. Blanks inside the string are read over.
    std::vector<NonColour*> ParseGoal() {
        std::vector<NonColour*> cells;
        for (char c : goal_) {
            if (c == ' ' || c == '\t')
                continue;
            NonColour* colour = c == '1' ? DefaultColour() : IsLetter(c) ? FindColour(c) : nullptr;
            if (c != '0' && !colour)
                throw PuzzleFormatError(goalLine_,
                                        std::string("goal cell '") + c + "' is no colour");
            cells.push_back(colour);
        }
        const std::size_t needed =
            static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        if (cells.size() != needed) {
            throw PuzzleFormatError(goalLine_, "the goal has " + std::to_string(cells.size()) +
                                                   " cells, the puzzle " + std::to_string(needed));
        }
        for (NonColour* colour : cells) {
            if (colour)
                colour->used = true;
        }
        return cells;
    }

    PuzzleModel& model_;
    const PuzzleReadOptions& options_;
    int width_ = 0;
    int height_ = 0;
    Section rows_;
    Section columns_;
    std::vector<NonColour> colours_;
    std::string title_;
    std::string_view goal_;
    int goalLine_ = 0;
};

std::string EscapeString(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\r' || c == '\n') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

void ReadNon(std::string_view text, PuzzleModel& model, const PuzzleReadOptions& options) {
    NonReader(model, options).Read(text);
}

std::string WriteNon(const PuzzleModel& m, const PuzzleWriteOptions& options) {
    const bool goal = options.writeGoal && formats::PictureHasFill(m);
    const std::array<bool, 9> used = formats::UsedColours(m, goal);
    const bool mono = std::none_of(used.begin() + 2, used.end(), [](bool u) { return u; });
    auto letter = [](int colour) { return static_cast<char>('a' + colour - 1); };

    std::string out;
    if (!m.title.empty())
        out += "title \"" + EscapeString(m.title) + "\"\n";
    out +=
        "width " + std::to_string(m.columnCount) + "\nheight " + std::to_string(m.rowCount) + "\n";
    if (!mono) {
        for (int colour = 1; colour <= 8; ++colour) {
            if (used[colour])
                out += std::string("color ") + letter(colour) + " #" +
                       formats::FormatHexColour(m.colors[colour]) + "\n";
        }
    }
    auto writeClues = [&](ClueSide side, int count, const char* key) {
        out += std::string("\n") + key + "\n";
        for (int i = 0; i < count; ++i) {
            std::vector<Clue> line = formats::ClueLineInReadingOrder(m, side, i);
            if (line.empty())
                out += '0';
            for (std::size_t n = 0; n < line.size(); ++n) {
                if (n)
                    out += ',';
                out += std::to_string(line[n].number);
                if (!mono)
                    out += letter(line[n].colour);
            }
            out += '\n';
        }
    };
    writeClues(SideRow, m.rowCount, "rows");
    writeClues(SideColumn, m.columnCount, "columns");
    if (goal) {
        out += "\ngoal \"";
        for (int y = 0; y < m.rowCount; ++y) {
            for (int x = 0; x < m.columnCount; ++x) {
                const int cell = m.cells[x][y];
                out += cell < 1 || cell > 8 ? '0' : mono ? '1' : letter(cell);
            }
        }
        out += "\"\n";
    }
    return out;
}

}  // namespace tessemar
