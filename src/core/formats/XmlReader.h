#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar::xml {

// A parsed XML document, kept flat: elements in one array linked by index, names pointing into
// the source text. A 250 x 250 colour puzzle has some 150,000 elements, and one allocation per
// element would cost more than the parsing.
class Document {
  public:
    struct Element {
        std::string_view name;
        int line = 0;  // where its start tag begins, 1-based
        std::uint32_t firstAttribute = 0;
        std::uint32_t attributeCount = 0;
        std::int32_t firstChild = -1;
        std::int32_t nextSibling = -1;
        // The character data directly inside the element, references resolved, CDATA included.
        std::string_view text;
    };

    const Element& Root() const { return elements_.front(); }

    // The value of an attribute of element (references resolved), or nullptr.
    const std::string_view* Attribute(const Element& element, std::string_view name) const;

    // The child elements of element in document order, optionally only those named name.
    std::vector<const Element*> Children(const Element& element, std::string_view name = {}) const;
    const Element* FirstChild(const Element& element, std::string_view name) const;

  private:
    friend class Parser;
    struct AttributeEntry {
        std::string_view name;
        std::string_view value;
    };
    std::vector<Element> elements_;
    std::vector<AttributeEntry> attributes_;
    // Decoded text and values that cannot be views of the source. A deque never moves what
    // it holds, so views of these strings stay valid.
    std::deque<std::string> owned_;
};

// Parses the small part of XML that puzzle files use: elements, attributes, character data,
// comments, CDATA sections, processing instructions, the five predefined entities and
// numeric character references. A document type declaration is skipped: nothing is fetched
// and no entity it declares is expanded, so a hostile file can neither reach the network nor
// blow up in memory. The document points into text, which must outlive it. Throws
// PuzzleFormatError with the line of the first fault.
Document ParseXml(std::string_view text);

}  // namespace tessemar::xml
