#include "core/import/UnstructuredPreview.h"

#include <algorithm>
#include <span>

#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/import/PieceSplitter.h"
#include "core/import/TextFileDecoding.h"
#include "core/import/UnstructuredImport.h"

namespace trovique {
namespace {

// The piece on one line: every line break (CR LF, or a lone CR or LF) as " | ", tabs as blanks.
std::string OneLine(std::string_view piece) {
    std::string line;
    const std::size_t shown = std::min(piece.size(), kPreviewFactChars);
    line.reserve(shown + 8);
    for (std::size_t i = 0; i < shown; ++i) {
        const char c = piece[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < piece.size() && piece[i + 1] == '\n') {
                ++i;
            }
            line += " | ";
        } else {
            line += c == '\t' ? ' ' : c;
        }
    }
    if (piece.size() > shown) {
        line += "...";
    }
    return line;
}

}  // namespace

UnstructuredPreview PreviewUnstructuredText(std::string_view bytes,
                                            const UnstructuredSettings& settings,
                                            std::size_t mostPieces) {
    const std::string text = DecodeTextFile(bytes).text;
    std::vector<std::string> delimiters;
    for (const std::string& delimiter : settings.DelimiterStrings()) {
        delimiters.push_back(WithCrLfLineBreaks(delimiter));
    }
    const std::string titleDelimiter = WithCrLfLineBreaks(settings.TitleDelimiterString());
    const int titleChars = std::max(0, settings.TitleChars());

    UnstructuredPreview preview;
    CPieceSplitter splitter(text, std::move(delimiters));
    TextPiece piece;
    while (splitter.Next(piece)) {
        if (preview.pieces.size() == mostPieces) {
            preview.more = true;
            break;
        }
        const std::string_view content = std::string_view(text).substr(piece.offset, piece.length);
        preview.pieces.push_back({preview.pieces.size() + 1,
                                  OneLine(PieceTitle(content, titleChars, titleDelimiter)),
                                  OneLine(content), content.size()});
    }
    return preview;
}

UnstructuredPreview PreviewUnstructuredFile(const std::filesystem::path& file,
                                            const UnstructuredSettings& settings,
                                            std::size_t mostPieces) {
    std::string bytes;
    bool cut = false;
    try {
        CDiskFile input(file, CDiskFile::Mode::Read);
        const std::uint64_t size = input.Size();
        cut = size > kPreviewBytes;
        bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kPreviewBytes)));
        input.Read(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    } catch (const std::exception& error) {
        UnstructuredPreview failed;
        failed.error = "The file cannot be read: " + std::string(error.what());
        return failed;
    }
    if (cut) {
        // The part read ends at its last line break, so that neither a character of several
        // bytes nor a line break's pair is cut in two; the piece there may be incomplete.
        const std::size_t lineEnd = bytes.find_last_of('\n');
        if (lineEnd != std::string::npos) {
            bytes.resize(lineEnd + 1);
        }
    }
    UnstructuredPreview preview = PreviewUnstructuredText(bytes, settings, mostPieces);
    preview.more = preview.more || cut;
    return preview;
}

}  // namespace trovique
