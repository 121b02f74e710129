#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessemar::xml {

// One element of a parsed XML document. Text is the character data directly inside the
// element (entity and character references resolved, CDATA included), its pieces joined.
struct Element {
    std::string name;
    int line = 0;  // where its start tag begins, 1-based
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<Element> children;
    std::string text;

    // The value of an attribute, or nullptr.
    const std::string* Attribute(std::string_view attributeName) const;
};

// Parses the small part of XML that puzzle files use: elements, attributes, character data,
// comments, CDATA sections, processing instructions, the five predefined entities and
// numeric character references. A document type declaration is skipped: nothing is fetched
// and no entity it declares is expanded, so a hostile file can neither reach the network nor
// blow up in memory. Throws PuzzleFormatError with the line of the first fault.
Element ParseXml(std::string_view text);

}  // namespace tessemar::xml
