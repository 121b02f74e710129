#include "core/document/TsdFile.h"

#include "core/document/Archive.h"
#include "core/document/Errors.h"
#include "core/io/FileUtil.h"

namespace tessemar {
namespace {

constexpr char kSignature[8] = {'T', 'E', 'S', 'S', 'E', 'M', 'A', 'R'};

std::uint8_t CellCode(std::int8_t cell) { return static_cast<std::uint8_t>(cell) & 0x0F; }

std::int8_t CellFromCode(unsigned code) {
    if (code == 15) return kCellX;
    return code <= 8 ? static_cast<std::int8_t>(code) : kCellBlank;
}

std::uint8_t ColourFromCode(unsigned code) { return code <= 8 ? static_cast<std::uint8_t>(code) : 0; }

// Collects 4-bit codes two per byte, the first in the high nibble.
class NibbleWriter {
public:
    void Put(std::uint8_t code) {
        if (high_) {
            bytes_.push_back(static_cast<std::uint8_t>((code & 0x0F) << 4));
        } else {
            bytes_.back() |= code & 0x0F;
        }
        high_ = !high_;
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    bool high_ = true;
};

// Hands out 4-bit codes from a byte block, high nibble first; running past it is a bad file.
class NibbleReader {
public:
    explicit NibbleReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    unsigned Next() {
        if (index_ / 2 >= bytes_.size()) throw FileFormatError("a block ends too early");
        std::uint8_t byte = bytes_[index_ / 2];
        unsigned code = index_ % 2 == 0 ? byte >> 4 : byte & 0x0F;
        ++index_;
        return code;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t index_ = 0;
};

void WriteClueLine(ArchiveWriter& clues, NibbleWriter& colours, int count,
                   auto numberAt, auto colourAt) {
    clues.WriteU8(static_cast<std::uint8_t>(count));
    for (int k = 0; k < count; ++k) {
        clues.WriteU8(numberAt(k));
        colours.Put(colourAt(k));
    }
}

// Reads one clue line of at most capacity numbers from the clue block.
void ReadClueLine(ArchiveReader& clues, NibbleReader& colours, int capacity, auto store) {
    const int count = clues.ReadU8();
    if (count > capacity) throw FileFormatError("a clue line holds more numbers than the puzzle has cells");
    for (int k = 0; k < count; ++k) {
        std::uint8_t number = clues.ReadU8();
        store(k, number, ColourFromCode(colours.Next()));
    }
}

}  // namespace

std::vector<std::uint8_t> WriteTsd(const PuzzleModel& m) {
    const int w = m.columnCount;
    const int h = m.rowCount;

    ArchiveWriter clues;
    NibbleWriter colours;
    for (int y = 0; y < h; ++y) {
        WriteClueLine(
            clues, colours, m.RowClueLength(y), [&](int k) { return m.rowClueNumbers[k][y]; },
            [&](int k) { return m.rowClueColors[k][y]; });
    }
    for (int x = 0; x < w; ++x) {
        WriteClueLine(
            clues, colours, m.ColumnClueLength(x), [&](int k) { return m.columnClueNumbers[x][k]; },
            [&](int k) { return m.columnClueColors[x][k]; });
    }

    NibbleWriter picture;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) picture.Put(CellCode(m.cells[x][y]));
    }

    ArchiveWriter out;
    out.WriteBytes(std::span(reinterpret_cast<const std::uint8_t*>(kSignature), sizeof kSignature));
    out.WriteU8(1);
    out.WriteU8(0);
    out.WriteU8(static_cast<std::uint8_t>(w));
    out.WriteU8(static_cast<std::uint8_t>(h));
    out.WriteU32(static_cast<std::uint32_t>(picture.Bytes().size()));
    out.WriteU32(static_cast<std::uint32_t>(clues.Bytes().size()));
    out.WriteU32(static_cast<std::uint32_t>(colours.Bytes().size()));
    out.WriteBytes(picture.Bytes());
    out.WriteBytes(clues.Bytes());
    out.WriteBytes(colours.Bytes());
    out.WriteU8(static_cast<std::uint8_t>(m.cellSize));
    for (ColorRef c : m.colors) out.WriteU32(c);
    for (ColorRef c : m.shadowColors) out.WriteU32(c);
    out.WriteString(m.title);
    out.WriteString(m.fontFaceName);
    out.WriteI32(m.fontWeight);
    return out.TakeBytes();
}

std::unique_ptr<PuzzleModel> ReadTsd(std::span<const std::uint8_t> bytes) {
    auto m = std::make_unique<PuzzleModel>();  // all arrays cleared
    ArchiveReader in(bytes);
    in.ReadBytes(sizeof kSignature);
    m->formatVersion[0] = static_cast<std::int8_t>(in.ReadU8());
    m->formatVersion[1] = static_cast<std::int8_t>(in.ReadU8());
    const int w = in.ReadU8();
    const int h = in.ReadU8();
    if (w < 1 || h < 1 || w > kMaxLines || h > kMaxLines) throw FileFormatError("the puzzle size is out of range");
    m->columnCount = w;
    m->rowCount = h;
    in.ReadU32();  // picture byte count: follows from W and H
    const std::uint32_t clueLength = in.ReadU32();
    const std::uint32_t colourLength = in.ReadU32();

    NibbleReader picture(in.ReadBytes((static_cast<std::size_t>(w) * h + 1) / 2));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) m->cells[x][y] = CellFromCode(picture.Next());
    }

    ArchiveReader clues(in.ReadBytes(clueLength));
    NibbleReader colours(in.ReadBytes(colourLength));
    for (int y = 0; y < h; ++y) {
        ReadClueLine(clues, colours, w, [&](int k, std::uint8_t number, std::uint8_t colour) {
            m->rowClueNumbers[k][y] = number;
            m->rowClueColors[k][y] = colour;
        });
    }
    for (int x = 0; x < w; ++x) {
        ReadClueLine(clues, colours, h, [&](int k, std::uint8_t number, std::uint8_t colour) {
            m->columnClueNumbers[x][k] = number;
            m->columnClueColors[x][k] = colour;
        });
    }

    m->cellSize = in.ReadU8();
    if (m->cellSize < kMinCellSize || m->cellSize > kMaxCellSize) throw FileFormatError("the cell size is out of range");
    for (ColorRef& c : m->colors) c = in.ReadU32();
    for (ColorRef& c : m->shadowColors) c = in.ReadU32();
    m->title = in.ReadString();
    m->fontFaceName = in.ReadString();
    m->fontWeight = in.ReadI32();
    return m;
}

std::unique_ptr<CLogicDoc> OpenDocumentFile(const std::string& path, const DocumentDefaults& defaults) {
    std::vector<std::uint8_t> bytes;
    if (FileStatus status = ReadFileBytes(path, bytes); !status.ok) {
        throw FileAccessError(FileAccessError::Operation::Read, path, status.error);
    }
    auto doc = std::make_unique<CLogicDoc>(defaults);
    if (!bytes.empty()) doc->ReplaceModel(*ReadTsd(bytes));
    doc->SetPathName(AbsolutePath(path));
    doc->SetTitle(doc->GetDocumentFileName());
    doc->SetModifiedFlag(false);
    return doc;
}

void SaveDocumentFile(CLogicDoc& doc, const std::string& path) {
    std::vector<std::uint8_t> bytes = WriteTsd(doc.Model());
    FileStatus status = WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!status.ok) throw FileAccessError(FileAccessError::Operation::Write, path, status.error);
    doc.SetPathName(AbsolutePath(path));
    doc.SetTitle(doc.GetDocumentFileName());
    doc.SetModifiedFlag(false);
}

}  // namespace tessemar
