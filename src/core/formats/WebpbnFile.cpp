#include "core/formats/WebpbnFile.h"

#include "core/formats/FormatSupport.h"
#include "core/formats/PuzzleFormatError.h"
#include "core/formats/XmlReader.h"
#include "core/text/Encoding.h"

#include <algorithm>
#include <cctype>

namespace tessemar {
namespace {

using formats::Clue;
using XmlElement = xml::Document::Element;

struct ColourDefinition {
    std::string name;
    std::string character;  // empty when the definition gives none
    ColorRef rgb = 0;
    int line = 0;
    bool used = false;
    int index = 0;  // 0 for the background and for colours nothing uses
};

// The colours of one puzzle, looked up by name as clues refer to them.
class Palette {
    static constexpr std::size_t kMaxDefinitions = 256;

  public:
    void Define(const xml::Document& doc, const XmlElement& element) {
        const std::string_view* attribute = doc.Attribute(element, "name");
        if (!attribute || attribute->empty())
            throw PuzzleFormatError(element.line, "a colour without a name");
        const std::string name(*attribute);
        if (Find(name))
            throw PuzzleFormatError(element.line, "colour \"" + name + "\" is defined twice");
        auto rgb = formats::ParseHexColour(formats::Trim(element.text));
        if (!rgb)
            throw PuzzleFormatError(element.line, "colour \"" + name + "\" is not a hex RGB value");
        // Eight colours and the background are all a puzzle can use; a few spare definitions
        // are common, thousands are an attack on the lookups.
        if (definitions_.size() == kMaxDefinitions)
            throw PuzzleFormatError(element.line, "too many colour definitions");
        const std::string_view* character = doc.Attribute(element, "char");
        definitions_.push_back(
            {name, std::string(character ? *character : std::string_view()), *rgb, element.line});
    }

    // The two colours every webpbn puzzle may use without defining them.
    void AddPredefined(int line) {
        if (!Find("white"))
            definitions_.push_back({"white", ".", MakeColorRef(255, 255, 255), line});
        if (!Find("black"))
            definitions_.push_back({"black", "X", MakeColorRef(0, 0, 0), line});
    }

    ColourDefinition* Find(std::string_view name) {
        auto it = std::find_if(definitions_.begin(), definitions_.end(),
                               [&](const ColourDefinition& d) { return d.name == name; });
        return it == definitions_.end() ? nullptr : &*it;
    }

    ColourDefinition* FindByCharacter(std::string_view character) {
        auto it = std::find_if(definitions_.begin(), definitions_.end(),
                               [&](const ColourDefinition& d) { return d.character == character; });
        return it == definitions_.end() ? nullptr : &*it;
    }

    // Numbers the used colours 1..8 in the order of their definitions.
    void AssignIndices(const ColourDefinition* background) {
        int next = 1;
        for (ColourDefinition& d : definitions_) {
            if (&d == background || !d.used)
                continue;
            if (next > 8)
                throw PuzzleFormatError(d.line, "more than 8 colours");
            d.index = next++;
        }
    }

    const std::vector<ColourDefinition>& Definitions() const { return definitions_; }

  private:
    std::vector<ColourDefinition> definitions_;
};

// A clue line with colours still as definitions, resolved to indices once they are known.
struct PendingClue {
    int number;
    ColourDefinition* colour;
};

struct PendingLine {
    int line;  // in the file
    std::vector<PendingClue> numbers;
};

std::vector<PendingLine> ReadClueLines(const xml::Document& doc, const XmlElement& clues,
                                       Palette& palette, const ColourDefinition* background,
                                       const std::string& defaultColour, const char* what) {
    std::vector<PendingLine> lines;
    for (const XmlElement* line : doc.Children(clues, "line")) {
        if (lines.size() == static_cast<std::size_t>(kMaxLines)) {
            throw PuzzleFormatError(line->line, std::string("more than 250 ") + what);
        }
        std::vector<PendingClue>& numbers = lines.emplace_back(PendingLine{line->line, {}}).numbers;
        for (const XmlElement* countElement : doc.Children(*line, "count")) {
            const XmlElement& count = *countElement;
            const std::string_view* colourName = doc.Attribute(count, "color");
            const std::string_view name = colourName ? *colourName : defaultColour;
            ColourDefinition* colour = palette.Find(name);
            if (!colour)
                throw PuzzleFormatError(count.line, "unknown colour \"" + std::string(name) + "\"");
            if (colour == background)
                throw PuzzleFormatError(count.line, "a clue in the background colour");
            auto number = formats::ParseClueNumber(formats::Trim(count.text));
            if (!number) {
                throw PuzzleFormatError(count.line, "\"" + std::string(formats::Trim(count.text)) +
                                                        "\" is not a clue number (0..250)");
            }
            if (*number == 0)
                continue;
            // No line holds more than 250 numbers; stopping here keeps a hostile line cheap.
            if (numbers.size() == static_cast<std::size_t>(kMaxLines)) {
                const std::string_view kind(what, std::char_traits<char>::length(what) - 1);
                throw PuzzleFormatError(line->line, std::string(kind) + " " +
                                                        std::to_string(lines.size()) +
                                                        " has more numbers than cells");
            }
            colour->used = true;
            numbers.push_back({*number, colour});
        }
    }
    if (lines.empty())
        throw PuzzleFormatError(clues.line, std::string("no ") + what);
    return lines;
}

// The goal image: one text row per picture row, between '|' marks, one colour character a
// cell. Returns the definitions row by row (nullptr for the background).
std::vector<std::vector<ColourDefinition*>> ReadGoalImage(const XmlElement& image, Palette& palette,
                                                          ColourDefinition* background, int width,
                                                          int height) {
    std::vector<std::vector<ColourDefinition*>> rows;
    int line = image.line;
    std::string_view text = image.text;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view row = formats::Trim(text.substr(start, end - start));
        if (!row.empty()) {
            if (row.front() == '|')
                row.remove_prefix(1);
            if (!row.empty() && row.back() == '|')
                row.remove_suffix(1);
            if (static_cast<int>(rows.size()) == height) {
                throw PuzzleFormatError(line, "the goal picture has more rows than the puzzle");
            }
            if (static_cast<int>(row.size()) != width) {
                throw PuzzleFormatError(
                    line, "a goal picture row of " + std::to_string(row.size()) +
                              " cells in a puzzle " + std::to_string(width) + " wide");
            }
            auto& cells = rows.emplace_back();
            for (char c : row) {
                ColourDefinition* colour = palette.FindByCharacter(std::string_view(&c, 1));
                if (!colour) {
                    throw PuzzleFormatError(
                        line, std::string("goal picture cell '") + c + "' is no colour");
                }
                if (colour != background)
                    colour->used = true;
                cells.push_back(colour == background ? nullptr : colour);
            }
        }
        ++line;
        start = end + 1;
    }
    if (static_cast<int>(rows.size()) != height) {
        throw PuzzleFormatError(image.line, "the goal picture has " + std::to_string(rows.size()) +
                                                " rows, the puzzle " + std::to_string(height));
    }
    return rows;
}

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Files that declare a Latin-1 encoding are turned into UTF-8 before parsing, so that titles
// arrive as the rest of the program keeps text. Other declarations are taken as UTF-8.
std::string DeclaredLatin1ToUtf8(std::string_view text) {
    if (!text.starts_with("<?xml"))
        return {};
    std::string declaration(text.substr(0, text.find("?>")));
    for (char& c : declaration)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool latin1 = declaration.find("iso-8859-1") != std::string::npos ||
                        declaration.find("latin1") != std::string::npos ||
                        declaration.find("windows-1252") != std::string::npos;
    if (!latin1)
        return {};
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace

void ReadWebpbn(std::string_view text, PuzzleModel& model, const PuzzleReadOptions& options) {
    const std::string converted = DeclaredLatin1ToUtf8(text);
    const xml::Document doc = xml::ParseXml(converted.empty() ? text : converted);
    const XmlElement& root = doc.Root();
    const XmlElement* puzzle = root.name == "puzzle" ? &root : doc.FirstChild(root, "puzzle");
    if (!puzzle)
        throw PuzzleFormatError(root.line, "no <puzzle> in the file");
    if (const std::string_view* type = doc.Attribute(*puzzle, "type"); type && *type != "grid") {
        throw PuzzleFormatError(
            puzzle->line, "only grid puzzles can be read, not \"" + std::string(*type) + "\"");
    }
    const std::string_view* defaultAttribute = doc.Attribute(*puzzle, "defaultcolor");
    const std::string_view* backgroundAttribute = doc.Attribute(*puzzle, "backgroundcolor");
    const std::string defaultColour(defaultAttribute ? *defaultAttribute : "black");
    const std::string backgroundName(backgroundAttribute ? *backgroundAttribute : "white");

    Palette palette;
    for (const XmlElement* child : doc.Children(*puzzle, "color"))
        palette.Define(doc, *child);
    palette.AddPredefined(puzzle->line);
    ColourDefinition* background = palette.Find(backgroundName);
    if (!background)
        throw PuzzleFormatError(puzzle->line,
                                "unknown background colour \"" + backgroundName + "\"");

    const XmlElement* rowClues = nullptr;
    const XmlElement* columnClues = nullptr;
    for (const XmlElement* clues : doc.Children(*puzzle, "clues")) {
        const XmlElement& child = *clues;
        const std::string_view* type = doc.Attribute(child, "type");
        const XmlElement** slot = !type                ? nullptr
                                  : *type == "rows"    ? &rowClues
                                  : *type == "columns" ? &columnClues
                                                       : nullptr;
        if (!slot)
            throw PuzzleFormatError(child.line, "clues must be of type \"rows\" or \"columns\"");
        if (*slot)
            throw PuzzleFormatError(child.line, "a second set of " + std::string(*type) + " clues");
        *slot = &child;
    }
    if (!rowClues)
        throw PuzzleFormatError(puzzle->line, "the puzzle has no row clues");
    if (!columnClues)
        throw PuzzleFormatError(puzzle->line, "the puzzle has no column clues");
    auto rows = ReadClueLines(doc, *rowClues, palette, background, defaultColour, "rows");
    auto columns = ReadClueLines(doc, *columnClues, palette, background, defaultColour, "columns");
    const int width = static_cast<int>(columns.size());
    const int height = static_cast<int>(rows.size());
    // Longer runs than a line holds are the solver's to find out; more numbers than cells the
    // document cannot even store.
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (static_cast<int>(rows[y].numbers.size()) > width) {
            throw PuzzleFormatError(
                rows[y].line, "row " + std::to_string(y + 1) + " has more numbers than cells");
        }
    }
    for (std::size_t x = 0; x < columns.size(); ++x) {
        if (static_cast<int>(columns[x].numbers.size()) > height) {
            throw PuzzleFormatError(columns[x].line, "column " + std::to_string(x + 1) +
                                                         " has more numbers than cells");
        }
    }

    std::vector<std::vector<ColourDefinition*>> goal;
    if (options.withGoal) {
        for (const XmlElement* solution : doc.Children(*puzzle, "solution")) {
            const XmlElement& child = *solution;
            const std::string_view* type = doc.Attribute(child, "type");
            if (type && *type != "goal")
                continue;
            const XmlElement* image = doc.FirstChild(child, "image");
            if (!image)
                throw PuzzleFormatError(child.line, "a solution without an image");
            goal = ReadGoalImage(*image, palette, background, width, height);
            break;
        }
    }
    palette.AssignIndices(background);

    model.columnCount = width;
    model.rowCount = height;
    model.ClearArrays();
    auto resolve = [](const PendingLine& pending) {
        std::vector<Clue> line;
        for (const PendingClue& clue : pending.numbers)
            line.push_back({clue.number, clue.colour->index});
        return line;
    };
    for (int y = 0; y < height; ++y)
        formats::StoreClueLine(model, SideRow, y, resolve(rows[y]));
    for (int x = 0; x < width; ++x)
        formats::StoreClueLine(model, SideColumn, x, resolve(columns[x]));
    for (std::size_t y = 0; y < goal.size(); ++y) {
        for (std::size_t x = 0; x < goal[y].size(); ++x) {
            model.cells[x][y] = static_cast<std::int8_t>(goal[y][x] ? goal[y][x]->index : 0);
        }
    }
    model.colors[0] = background->rgb;
    for (const ColourDefinition& d : palette.Definitions()) {
        if (d.index == 0)
            continue;
        model.colors[d.index] = d.rgb;
        model.shadowColors[d.index] = ShadowOf(d.rgb);
    }
    if (const XmlElement* title = doc.FirstChild(*puzzle, "title")) {
        std::string_view trimmed = formats::Trim(title->text);
        if (!trimmed.empty())
            model.title = text::DecodeFileText(trimmed);
    }
}

std::string WriteWebpbn(const PuzzleModel& m, const PuzzleWriteOptions& options) {
    const bool goal = options.writeGoal && formats::PictureHasFill(m);
    const std::array<bool, 9> used = formats::UsedColours(m, goal);
    const bool mono = std::none_of(used.begin() + 2, used.end(), [](bool u) { return u; });
    auto name = [&](int colour) {
        return mono ? std::string("black") : "c" + std::to_string(colour);
    };
    auto character = [&](int colour) { return mono ? 'X' : static_cast<char>('0' + colour); };
    int defaultColour = 1;
    while (!mono && !used[defaultColour])
        ++defaultColour;

    std::string out =
        "<?xml version=\"1.0\"?>\n<puzzleset>\n<puzzle type=\"grid\" defaultcolor=\"" +
        name(defaultColour) + "\" backgroundcolor=\"white\">\n";
    out += "<title>" + Escape(m.title) + "</title>\n";
    out +=
        "<color name=\"white\" char=\".\">" + formats::FormatHexColour(m.colors[0]) + "</color>\n";
    for (int colour = 1; colour <= 8; ++colour) {
        if (!used[colour] && !(mono && colour == 1))
            continue;
        out += "<color name=\"" + name(colour) + "\" char=\"" + character(colour) + "\">" +
               formats::FormatHexColour(m.colors[colour]) + "</color>\n";
    }
    auto writeClues = [&](ClueSide side, int count, const char* type) {
        out += std::string("<clues type=\"") + type + "\">\n";
        for (int i = 0; i < count; ++i) {
            out += "<line>";
            for (const Clue& clue : formats::ClueLineInReadingOrder(m, side, i)) {
                out += mono ? "<count>" : "<count color=\"" + name(clue.colour) + "\">";
                out += std::to_string(clue.number) + "</count>";
            }
            out += "</line>\n";
        }
        out += "</clues>\n";
    };
    writeClues(SideColumn, m.columnCount, "columns");
    writeClues(SideRow, m.rowCount, "rows");
    if (goal) {
        out += "<solution type=\"goal\">\n<image>\n";
        for (int y = 0; y < m.rowCount; ++y) {
            out += '|';
            for (int x = 0; x < m.columnCount; ++x) {
                const int cell = m.cells[x][y];
                out += cell >= 1 && cell <= 8 ? character(cell) : '.';
            }
            out += "|\n";
        }
        out += "</image>\n</solution>\n";
    }
    out += "</puzzle>\n</puzzleset>\n";
    return out;
}

}  // namespace tessemar
