// A text file imported as leaves, with delimiters and title options taken from the input.
#include <string>

#include "FuzzSupport.h"
#include "core/editor/Document.h"
#include "core/import/UnstructuredImport.h"

namespace {

// Delimiters as the settings can hold them: the empty line, a line break, a page break,
// a marker word, a character that may sit inside a CR LF pair.
const std::vector<std::string> kDelimiterChoices = {"\r\n\r\n", "\r\n", "\f", "###", "\n", "\r"};
const std::vector<std::string> kTitleDelimiters = {"", ":", "\r\n", "--"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    static const PalmPalettes& palettes = fuzz::Palettes();
    if (size < 2) {
        return 0;
    }
    // Byte 0 picks the delimiters (one bit each), byte 1 the title options and long pieces.
    UnstructuredImportOptions options;
    for (std::size_t i = 0; i < kDelimiterChoices.size(); ++i) {
        if ((data[0] >> i) & 1) {
            options.delimiters.push_back(kDelimiterChoices[i]);
        }
    }
    options.titleChars = (data[1] & 0x80) ? (data[1] & 0x3F) : 0;
    options.titleDelimiter = kTitleDelimiters[(data[1] >> 4) & 3];
    options.longPieces = (data[1] & 0x40) ? LongPieces::Split : LongPieces::Stop;

    const auto path = fuzz::WritePrivateFile("text.txt", {data + 2, size - 2});
    fuzz::CQuietServices services;
    CDocument document(services.Services(), palettes);
    ReadUnstructured(document, path, options);
    return 0;
}
