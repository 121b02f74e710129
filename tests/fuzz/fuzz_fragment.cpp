// Clipboard fragments from hostile bytes, pasted into a document and then moved, turned,
// dropped, lifted, cut and undone in the order the input asks for. Whatever happens, undoing
// everything must give back the picture the document started with.
#include "core/document/CLogicDoc.h"
#include "core/document/Drawing.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    int Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string_view Bytes(std::size_t count) {
        count = std::min(count, size_ - std::min(at_, size_));
        std::string_view bytes(reinterpret_cast<const char*>(data_ + at_), count);
        at_ += count;
        return bytes;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::vector<std::int8_t> Picture(const tessemar::CLogicDoc& doc) {
    std::vector<std::int8_t> cells;
    for (int y = 0; y < doc.rowCount(); ++y)
        for (int x = 0; x < doc.columnCount(); ++x)
            cells.push_back(doc.Cell(x, y));
    return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessemar;
    Input in(data, size);
    CLogicDoc doc;
    // Small pictures keep every run fast; fragments larger than the picture still come by paste.
    doc.ChangeSize(1 + in.Byte() % 24, 1 + in.Byte() % 24, 16, 1);
    for (int i = in.Byte() % 16; i > 0; --i)
        doc.WriteCell(in.Byte() % doc.columnCount(), in.Byte() % doc.rowCount(),
                      in.Byte() % 10 - 1);
    doc.ClearUndoHistory();
    const std::vector<std::int8_t> start = Picture(doc);
    const int startColumns = doc.columnCount();

    while (!in.Empty()) {
        const int op = in.Byte();
        const int backDrawMode = op & 1;
        switch ((op >> 1) % 10) {
            case 0:
                doc.EditPaste(in.Bytes(static_cast<std::size_t>(in.Byte()) * 16), backDrawMode);
                break;
            case 1:
                doc.MoveSelection(static_cast<std::int8_t>(in.Byte()),
                                  static_cast<std::int8_t>(in.Byte()));
                break;
            case 2:
                doc.TransformPicture(static_cast<PictureTransform>(in.Byte() % 7),
                                     (op & 2) ? ToolSelect : ToolPen, in.Byte() % 11 - 1,
                                     backDrawMode);
                break;
            case 3:
                doc.CommitFloatingSelection(backDrawMode);
                break;
            case 4:
                doc.LiftSelection(in.Byte() - 8, in.Byte() - 8, in.Byte(), in.Byte(), backDrawMode);
                break;
            case 5:
                (void)doc.EditCopy((op & 2) ? ToolSelect : ToolPen, backDrawMode);
                break;
            case 6:
                (void)doc.EditCut((op & 2) ? ToolSelect : ToolPen, backDrawMode);
                break;
            case 7:
                doc.ClearSelection();
                break;
            case 8:
                doc.Undo(backDrawMode);
                break;
            case 9:
                doc.Redo();
                break;
        }
    }
    while (doc.Undo(1)) {
    }
    if (doc.HasFloatingSelection() || doc.columnCount() != startColumns || Picture(doc) != start)
        std::abort();
    return 0;
}
