#include "core/formats/XmlReader.h"

#include "core/formats/PuzzleFormatError.h"

#include <algorithm>
#include <cstdint>

namespace tessemar::xml {
namespace {

// Deeper nesting than any puzzle file needs is refused before it can exhaust the stack.
constexpr int kMaxDepth = 64;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {
        // A byte order mark says UTF-8, which is what the rest assumes anyway.
        if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
    }

    Element ParseDocument() {
        SkipMisc();
        if (LookingAt("<!DOCTYPE")) {
            SkipDoctype();
            SkipMisc();
        }
        if (AtEnd() || text_[pos_] != '<') Fail("the file holds no XML element");
        Element root = ParseElement(1);
        SkipMisc();
        if (!AtEnd()) Fail("content after the end of the document element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const { throw PuzzleFormatError(line_, problem); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    bool LookingAt(std::string_view s) const { return text_.substr(pos_).starts_with(s); }

    void Advance(std::size_t n) {
        const std::size_t end = std::min(text_.size(), pos_ + n);
        line_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                             text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
        pos_ = end;
    }

    void SkipSpace() {
        while (!AtEnd() && IsSpace(text_[pos_])) Advance(1);
    }

    // Moves past the next occurrence of terminator; what is the construct for the message.
    void SkipPast(std::string_view terminator, const char* what) {
        std::size_t found = text_.find(terminator, pos_);
        if (found == std::string_view::npos) Fail(std::string("unterminated ") + what);
        Advance(found + terminator.size() - pos_);
    }

    // White space, comments and processing instructions (the XML declaration among them).
    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (LookingAt("<!--")) {
                SkipPast("-->", "comment");
            } else if (LookingAt("<?")) {
                SkipPast("?>", "processing instruction");
            } else {
                return;
            }
        }
    }

    // The declaration is read over, internal subset and all, without acting on any of it.
    void SkipDoctype() {
        Advance(9);
        int brackets = 0;
        while (!AtEnd()) {
            char c = text_[pos_];
            if (c == '"' || c == '\'') {
                Advance(1);
                SkipPast(std::string_view(&c, 1), "quoted string in the document type declaration");
                continue;
            }
            if (LookingAt("<!--")) {
                SkipPast("-->", "comment");
                continue;
            }
            Advance(1);
            if (c == '[') ++brackets;
            if (c == ']' && brackets > 0) --brackets;
            if (c == '>' && brackets == 0) return;
        }
        Fail("unterminated document type declaration");
    }

    std::string ParseName() {
        if (AtEnd() || !IsNameStart(text_[pos_])) Fail("a name was expected");
        std::size_t start = pos_;
        while (!AtEnd() && IsNameChar(text_[pos_])) Advance(1);
        return std::string(text_.substr(start, pos_ - start));
    }

    // An entity or character reference at '&', appended to out.
    void ParseReference(std::string& out) {
        std::size_t semicolon = text_.find(';', pos_);
        if (semicolon == std::string_view::npos || semicolon - pos_ > 12) Fail("a bare '&' in text");
        std::string_view ref = text_.substr(pos_ + 1, semicolon - pos_ - 1);
        if (ref.starts_with('#')) {
            std::uint32_t code = 0;
            const bool hex = ref.size() > 1 && ref[1] == 'x';
            std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty()) Fail("an empty character reference");
            for (char c : digits) {
                int digit;
                if (c >= '0' && c <= '9') {
                    digit = c - '0';
                } else if (hex && c >= 'a' && c <= 'f') {
                    digit = c - 'a' + 10;
                } else if (hex && c >= 'A' && c <= 'F') {
                    digit = c - 'A' + 10;
                } else {
                    Fail("a malformed character reference");
                }
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
                if (code > 0x10FFFF) Fail("a character reference beyond Unicode");
            }
            if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) Fail("a character reference to no character");
            AppendUtf8(out, code);
        } else if (ref == "lt") {
            out += '<';
        } else if (ref == "gt") {
            out += '>';
        } else if (ref == "amp") {
            out += '&';
        } else if (ref == "quot") {
            out += '"';
        } else if (ref == "apos") {
            out += '\'';
        } else {
            Fail("unknown entity &" + std::string(ref) + ";");
        }
        Advance(semicolon + 1 - pos_);
    }

    std::string ParseAttributeValue() {
        if (AtEnd() || (text_[pos_] != '"' && text_[pos_] != '\'')) Fail("an attribute value must be quoted");
        const char quote = text_[pos_];
        Advance(1);
        std::string value;
        for (;;) {
            if (AtEnd()) Fail("unterminated attribute value");
            char c = text_[pos_];
            if (c == quote) break;
            if (c == '<') Fail("'<' inside an attribute value");
            if (c == '&') {
                ParseReference(value);
            } else {
                // Line ends and tabs in a value read as spaces, as XML normalises them.
                value += IsSpace(c) ? ' ' : c;
                Advance(1);
            }
        }
        Advance(1);
        return value;
    }

    Element ParseElement(int depth) {
        if (depth > kMaxDepth) Fail("elements nested too deeply");
        Element element;
        element.line = line_;
        Advance(1);  // '<'
        element.name = ParseName();
        for (;;) {
            const bool spaced = !AtEnd() && IsSpace(text_[pos_]);
            SkipSpace();
            if (AtEnd()) Fail("unterminated start tag <" + element.name + ">");
            if (LookingAt("/>")) {
                Advance(2);
                return element;
            }
            if (text_[pos_] == '>') {
                Advance(1);
                break;
            }
            if (!spaced) Fail("attributes of <" + element.name + "> must be separated by spaces");
            std::string name = ParseName();
            SkipSpace();
            if (AtEnd() || text_[pos_] != '=') Fail("attribute " + name + " has no value");
            Advance(1);
            SkipSpace();
            std::string value = ParseAttributeValue();
            if (element.Attribute(name)) Fail("attribute " + name + " given twice");
            element.attributes.emplace_back(std::move(name), std::move(value));
        }
        ParseContent(element, depth);
        return element;
    }

    void ParseContent(Element& element, int depth) {
        for (;;) {
            if (AtEnd()) throw PuzzleFormatError(element.line, "<" + element.name + "> is never closed");
            const char c = text_[pos_];
            if (c == '&') {
                ParseReference(element.text);
            } else if (c != '<') {
                element.text += c;
                Advance(1);
            } else if (LookingAt("</")) {
                Advance(2);
                std::string name = ParseName();
                SkipSpace();
                if (AtEnd() || text_[pos_] != '>') Fail("malformed end tag </" + name + ">");
                if (name != element.name) Fail("</" + name + "> closes <" + element.name + ">");
                Advance(1);
                return;
            } else if (LookingAt("<!--")) {
                SkipPast("-->", "comment");
            } else if (LookingAt("<![CDATA[")) {
                Advance(9);
                std::size_t end = text_.find("]]>", pos_);
                if (end == std::string_view::npos) Fail("unterminated CDATA section");
                element.text.append(text_.substr(pos_, end - pos_));
                Advance(end + 3 - pos_);
            } else if (LookingAt("<?")) {
                SkipPast("?>", "processing instruction");
            } else if (LookingAt("<!")) {
                Fail("a declaration inside an element");
            } else {
                element.children.push_back(ParseElement(depth + 1));
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

const std::string* Element::Attribute(std::string_view attributeName) const {
    for (const auto& attribute : attributes) {
        if (attribute.first == attributeName) return &attribute.second;
    }
    return nullptr;
}

Element ParseXml(std::string_view text) { return Parser(text).ParseDocument(); }

}  // namespace tessemar::xml
