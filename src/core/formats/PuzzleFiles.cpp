#include "core/formats/PuzzleFiles.h"

#include "core/document/Errors.h"
#include "core/document/TsdFile.h"
#include "core/formats/NonFile.h"
#include "core/formats/WebpbnFile.h"
#include "core/io/FileUtil.h"

#include <cctype>

namespace tessemar {
namespace {

std::string LowerExtension(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string extension(path.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::string FileNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

PuzzleFormat PuzzleFormatOfPath(std::string_view path) {
    std::string extension = LowerExtension(path);
    if (extension == "xml")
        return PuzzleFormat::Webpbn;
    if (extension == "non")
        return PuzzleFormat::Non;
    return PuzzleFormat::Tsd;
}

std::unique_ptr<CLogicDoc> OpenPuzzleFile(const std::string& path, const DocumentDefaults& defaults,
                                          const PuzzleReadOptions& options) {
    const PuzzleFormat format = PuzzleFormatOfPath(path);
    if (format == PuzzleFormat::Tsd)
        return OpenDocumentFile(path, defaults);

    std::vector<std::uint8_t> bytes;
    if (FileStatus status = ReadFileBytes(path, bytes); !status.ok) {
        throw FileAccessError(FileAccessError::Operation::Read, path, status.error);
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    auto doc = std::make_unique<CLogicDoc>(defaults);
    // The new document's model brings the defaults for what the file does not say.
    auto model = std::make_unique<PuzzleModel>(doc->Model());
    if (format == PuzzleFormat::Webpbn) {
        ReadWebpbn(text, *model, options);
    } else {
        ReadNon(text, *model, options);
    }
    doc->ReplaceModel(*model);
    doc->SetTitle(FileNameOf(path));
    doc->SetModifiedFlag(false);
    return doc;
}

void SavePuzzleFile(CLogicDoc& doc, const std::string& path, const PuzzleWriteOptions& options) {
    const PuzzleFormat format = PuzzleFormatOfPath(path);
    if (format == PuzzleFormat::Tsd) {
        SaveDocumentFile(doc, path);
        return;
    }
    const std::string text = format == PuzzleFormat::Webpbn ? WriteWebpbn(doc.Model(), options)
                                                            : WriteNon(doc.Model(), options);
    if (FileStatus status = WriteFileAtomically(path, text); !status.ok) {
        throw FileAccessError(FileAccessError::Operation::Write, path, status.error);
    }
}

}  // namespace tessemar
