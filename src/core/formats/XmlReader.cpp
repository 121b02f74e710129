#include "core/formats/XmlReader.h"

#include "core/formats/PuzzleFormatError.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace tessemar::xml {
namespace {

// Deeper nesting than any puzzle file needs is refused before it can exhaust the stack.
constexpr int kMaxDepth = 64;
// No puzzle element has more than a few attributes.
constexpr std::uint32_t kMaxAttributes = 64;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

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

}  // namespace

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {
        // A byte order mark says UTF-8, which is what the rest assumes anyway.
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
    }

    Document ParseDocument() {
        // Every element starts with '<' and every attribute has its '=': counting them first
        // lets each array be allocated once.
        std::size_t tags = 0;
        for (std::size_t i = text_.find('<'); i != std::string_view::npos;
             i = text_.find('<', i + 1)) {
            if (i + 1 < text_.size() && text_[i + 1] != '/' && text_[i + 1] != '!' &&
                text_[i + 1] != '?')
                ++tags;
        }
        doc_.elements_.reserve(tags);
        doc_.attributes_.reserve(
            static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '=')));
        SkipMisc();
        if (LookingAt("<!DOCTYPE")) {
            SkipDoctype();
            SkipMisc();
        }
        if (AtEnd() || text_[pos_] != '<')
            Fail("the file holds no XML element");
        ParseElement(1);
        SkipMisc();
        if (!AtEnd())
            Fail("content after the end of the document element");
        return std::move(doc_);
    }

  private:
    [[noreturn]] void Fail(const std::string& problem) const {
        throw PuzzleFormatError(line_, problem);
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    bool LookingAt(std::string_view s) const { return text_.substr(pos_).starts_with(s); }

    void Advance(std::size_t n) {
        const std::size_t end = std::min(text_.size(), pos_ + n);
        line_ +=
            static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                        text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
        pos_ = end;
    }

    void SkipSpace() {
        for (; !AtEnd() && IsSpace(text_[pos_]); ++pos_) {
            if (text_[pos_] == '\n')
                ++line_;
        }
    }

    // Moves past the next occurrence of terminator; what is the construct for the message.
    void SkipPast(std::string_view terminator, const char* what) {
        std::size_t found = text_.find(terminator, pos_);
        if (found == std::string_view::npos)
            Fail(std::string("unterminated ") + what);
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
            if (c == '[')
                ++brackets;
            if (c == ']' && brackets > 0)
                --brackets;
            if (c == '>' && brackets == 0)
                return;
        }
        Fail("unterminated document type declaration");
    }

    std::string_view ParseName() {
        if (AtEnd() || !IsNameStart(text_[pos_]))
            Fail("a name was expected");
        std::size_t start = pos_;
        while (!AtEnd() && IsNameChar(text_[pos_]))
            ++pos_;  // names hold no line ends
        return text_.substr(start, pos_ - start);
    }

    // An entity or character reference at '&', appended to out.
    void ParseReference(std::string& out) {
        std::size_t semicolon = text_.find(';', pos_);
        if (semicolon == std::string_view::npos || semicolon - pos_ > 12)
            Fail("a bare '&' in text");
        std::string_view ref = text_.substr(pos_ + 1, semicolon - pos_ - 1);
        if (ref.starts_with('#')) {
            std::uint32_t code = 0;
            const bool hex = ref.size() > 1 && ref[1] == 'x';
            std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty())
                Fail("an empty character reference");
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
                if (code > 0x10FFFF)
                    Fail("a character reference beyond Unicode");
            }
            if (code == 0 || (code >= 0xD800 && code <= 0xDFFF))
                Fail("a character reference to no character");
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

    // The value between the quotes; a view of the source unless references or line ends
    // (which XML reads as spaces) make a decoded copy necessary.
    std::string_view ParseAttributeValue() {
        if (AtEnd() || (text_[pos_] != '"' && text_[pos_] != '\''))
            Fail("an attribute value must be quoted");
        const char quote = text_[pos_];
        ++pos_;
        const std::size_t start = pos_;
        const std::size_t end = text_.find(quote, pos_);
        if (end == std::string_view::npos) {
            Advance(text_.size() - pos_);
            Fail("unterminated attribute value");
        }
        const std::string_view raw = text_.substr(start, end - start);
        if (raw.find('<') != std::string_view::npos) {
            Advance(raw.find('<'));
            Fail("'<' inside an attribute value");
        }
        if (raw.find_first_of("&\t\r\n") == std::string_view::npos) {
            pos_ = end + 1;
            return raw;
        }
        std::string& value = doc_.owned_.emplace_back();
        while (pos_ < end) {
            const char c = text_[pos_];
            if (c == '&') {
                ParseReference(value);
                if (pos_ > end)
                    Fail("a reference runs past the end of its attribute value");
            } else {
                value += IsSpace(c) ? ' ' : c;
                Advance(1);
            }
        }
        ++pos_;
        return value;
    }

    // Parses the element at '<' and returns its index.
    std::int32_t ParseElement(int depth) {
        if (depth > kMaxDepth)
            Fail("elements nested too deeply");
        const auto index = static_cast<std::int32_t>(doc_.elements_.size());
        {
            Document::Element& element = doc_.elements_.emplace_back();
            element.line = line_;
            element.firstAttribute = static_cast<std::uint32_t>(doc_.attributes_.size());
        }
        ++pos_;  // '<'
        const std::string_view name = ParseName();
        doc_.elements_[index].name = name;
        for (;;) {
            const bool spaced = !AtEnd() && IsSpace(text_[pos_]);
            SkipSpace();
            if (AtEnd())
                Fail("unterminated start tag <" + std::string(name) + ">");
            if (LookingAt("/>")) {
                pos_ += 2;
                return index;
            }
            if (text_[pos_] == '>') {
                ++pos_;
                break;
            }
            if (!spaced)
                Fail("attributes of <" + std::string(name) + "> must be separated by spaces");
            const std::string_view attribute = ParseName();
            SkipSpace();
            if (AtEnd() || text_[pos_] != '=')
                Fail("attribute " + std::string(attribute) + " has no value");
            ++pos_;
            SkipSpace();
            const std::string_view value = ParseAttributeValue();
            // The duplicate check looks at every earlier attribute: a bound keeps it cheap.
            if (doc_.elements_[index].attributeCount == kMaxAttributes)
                Fail("too many attributes on <" + std::string(name) + ">");
            if (doc_.Attribute(doc_.elements_[index], attribute)) {
                Fail("attribute " + std::string(attribute) + " given twice");
            }
            doc_.attributes_.push_back({attribute, value});
            ++doc_.elements_[index].attributeCount;
        }
        ParseContent(index, depth);
        return index;
    }

    void ParseContent(std::int32_t index, int depth) {
        std::int32_t lastChild = -1;
        // Most text is one piece, a number between two tags: it stays a view of the source.
        // Pieces split by children or comments, references and CDATA make a decoded copy.
        std::string_view piece;
        std::string* owned = nullptr;
        auto own = [&]() -> std::string& {
            if (!owned)
                owned = &doc_.owned_.emplace_back(piece);
            return *owned;
        };
        auto add = [&](std::string_view more) {
            if (!owned && piece.empty()) {
                piece = more;
            } else {
                own().append(more);
            }
        };
        for (;;) {
            if (AtEnd()) {
                const Document::Element& element = doc_.elements_[index];
                throw PuzzleFormatError(element.line,
                                        "<" + std::string(element.name) + "> is never closed");
            }
            const char c = text_[pos_];
            if (c == '&') {
                ParseReference(own());
            } else if (c != '<') {
                // A run of plain characters in one step.
                std::size_t end = text_.find_first_of("<&", pos_);
                if (end == std::string_view::npos)
                    end = text_.size();
                add(text_.substr(pos_, end - pos_));
                Advance(end - pos_);
            } else if (LookingAt("</")) {
                pos_ += 2;
                const std::string_view name = ParseName();
                SkipSpace();
                if (AtEnd() || text_[pos_] != '>')
                    Fail("malformed end tag </" + std::string(name) + ">");
                const std::string_view open = doc_.elements_[index].name;
                if (name != open)
                    Fail("</" + std::string(name) + "> closes <" + std::string(open) + ">");
                ++pos_;
                doc_.elements_[index].text = owned ? std::string_view(*owned) : piece;
                return;
            } else if (LookingAt("<!--")) {
                SkipPast("-->", "comment");
            } else if (LookingAt("<![CDATA[")) {
                Advance(9);
                std::size_t end = text_.find("]]>", pos_);
                if (end == std::string_view::npos)
                    Fail("unterminated CDATA section");
                add(text_.substr(pos_, end - pos_));
                Advance(end + 3 - pos_);
            } else if (LookingAt("<?")) {
                SkipPast("?>", "processing instruction");
            } else if (LookingAt("<!")) {
                Fail("a declaration inside an element");
            } else {
                const std::int32_t child = ParseElement(depth + 1);
                if (lastChild < 0) {
                    doc_.elements_[index].firstChild = child;
                } else {
                    doc_.elements_[lastChild].nextSibling = child;
                }
                lastChild = child;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Document doc_;
};

const std::string_view* Document::Attribute(const Element& element, std::string_view name) const {
    for (std::uint32_t i = 0; i < element.attributeCount; ++i) {
        const AttributeEntry& entry = attributes_[element.firstAttribute + i];
        if (entry.name == name)
            return &entry.value;
    }
    return nullptr;
}

std::vector<const Document::Element*> Document::Children(const Element& element,
                                                         std::string_view name) const {
    std::vector<const Element*> children;
    for (std::int32_t i = element.firstChild; i >= 0; i = elements_[i].nextSibling) {
        if (name.empty() || elements_[i].name == name)
            children.push_back(&elements_[i]);
    }
    return children;
}

const Document::Element* Document::FirstChild(const Element& element, std::string_view name) const {
    for (std::int32_t i = element.firstChild; i >= 0; i = elements_[i].nextSibling) {
        if (elements_[i].name == name)
            return &elements_[i];
    }
    return nullptr;
}

Document ParseXml(std::string_view text) {
    return Parser(text).ParseDocument();
}

}  // namespace tessemar::xml
