#pragma once

#include <cstddef>
#include <cstdint>

namespace tessemar {

class CLogicDoc;

// One edit of a document, open for as long as the object lives: every change of cells, clue
// slots, size, title, colours or font happens inside one. The undo records of its changes
// become one history entry when it commits; an edit that ends without Commit (an exception,
// an early return) takes its changes back, entries it made included, and leaves neither an
// entry nor a pending record (nor a fragment it lifted) behind.
//
// Edits nest: one opened while another is open joins it, and the outermost commits. Every
// operation of the document opens its own, so a caller opens one only to make several
// operations, or a stroke over many mouse events, a single entry.
//
// While a fragment floats the records of its lift stay pending after the edit commits: they
// go into the entry of the edit that drops the fragment.
class DocumentEdit {
public:
    explicit DocumentEdit(CLogicDoc& document);
    ~DocumentEdit();
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;

    void Commit();
    CLogicDoc& Document() const { return document_; }

private:
    CLogicDoc& document_;
    std::size_t firstRecord_;
    std::uint64_t entryGeneration_;
    int undoPosition_;
    bool floating_;
    bool done_ = false;
};

}  // namespace tessemar
