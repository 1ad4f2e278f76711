// The delimited-text import: a plain text file cut into pieces, each piece one FACT leaf under
// the root.

#include "core/import/UnstructuredImport.h"

#include <algorithm>
#include <limits>
#include <span>

#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/import/PieceSplitter.h"
#include "core/model/Leaf.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

constexpr const char* kSource = "ReadUnstructured";
constexpr std::size_t kMaxTitle = CLeafFields::kMaxTitle;
constexpr std::size_t kMaxFact = CLeafFields::kMaxFact;
// Element indices are the records' 16-bit keys.
constexpr int kHighestElementIndex = std::numeric_limits<std::uint16_t>::max();

bool EndsInsideLineBreak(std::string_view text, std::size_t cut) {
    return cut > 0 && cut < text.size() && text[cut - 1] == '\r' && text[cut] == '\n';
}

// The first length characters, one fewer when that would part a CR from its LF.
std::string_view Prefix(std::string_view text, std::size_t length) {
    length = std::min(length, text.size());
    return text.substr(0, EndsInsideLineBreak(text, length) ? length - 1 : length);
}

// A title is one label in the tree and on the handheld: the line breaks that begin or end the
// characters it is taken from are left out.
std::string WithoutLineBreaksAround(std::string_view text) {
    const std::size_t first = text.find_first_not_of("\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of("\r\n") + 1 - first));
}

std::string ReadWholeFile(const std::filesystem::path& fileName) {
    CDiskFile file(fileName, CDiskFile::Mode::Read);
    const std::uint64_t size = file.Size();
    if (size > kLargestTextFile) {
        throw CError(kErrDataTooLong, kSource,
                     "The file is " + std::to_string(size) +
                         " bytes long; text files of more than " +
                         std::to_string(kLargestTextFile / (1024 * 1024)) +
                         " MB cannot be imported (a slide show holds at most " +
                         std::to_string(kMostLeavesUnderOneNode) + " leaves of " +
                         std::to_string(kMaxFact) + " characters under one node).");
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.Read(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    return bytes;
}

// Drives the status bar's percentage over the length of the text; the bar is redrawn only when
// the whole percentage changes, not once per piece.
class CTextProgress {
public:
    CTextProgress(CStatusBar& statusBar, std::size_t length)
        : statusBar_(statusBar), length_(length) {
        statusBar_.SetNumItems(Scaled(length));
        statusBar_.SetNumItemsComplete(0);
    }
    ~CTextProgress() { statusBar_.ClearPercentage(); }
    CTextProgress(const CTextProgress&) = delete;
    CTextProgress& operator=(const CTextProgress&) = delete;

    void MovedTo(std::size_t position) {
        const std::size_t percent = length_ == 0 ? 100 : position * 100 / length_;
        if (percent != shownPercent_) {
            shownPercent_ = percent;
            statusBar_.SetNumItemsComplete(Scaled(position));
        }
    }

private:
    // Counts are 32-bit; texts beyond that are counted in kilobytes.
    std::int32_t Scaled(std::size_t count) const {
        const bool large =
            length_ > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
        return static_cast<std::int32_t>(large ? count / 1024 : count);
    }

    CStatusBar& statusBar_;
    std::size_t length_;
    std::size_t shownPercent_ = 0;
};

class CUnstructuredReader {
public:
    CUnstructuredReader(CDocument& document, const UnstructuredImportOptions& options,
                        UnstructuredImportResult& result)
        : document_(document), options_(options), result_(result) {}

    // Adds a leaf for every piece of text; raises on the first failure.
    void Read(const std::string& text, CTextProgress& progress);

private:
    void FindRoot();
    void AddPiece(std::string_view piece, std::size_t number);
    void AddLeaf(std::string_view fact);
    void CheckRoomForLeaf() const;
    std::size_t LineOf(std::size_t offset);

    CDocument& document_;
    const UnstructuredImportOptions& options_;
    UnstructuredImportResult& result_;
    std::string_view text_;
    std::string titleDelimiter_;
    int root_ = 0;
    std::size_t rootLeaves_ = 0;
    // Line counting for messages, carried forward so that it stays linear.
    std::size_t linesCountedTo_ = 0;
    std::size_t line_ = 1;
};

void CUnstructuredReader::FindRoot() {
    root_ = document_.Tree().GetNodeInfoIndexOfRoot();
    if (root_ == 0) {
        throw CError(kErrInvalidValue, kSource, "The slide show has no root to add leaves to.");
    }
    if (document_.Tree().GetNumNodeChildren(root_) > 0) {
        // Leaves beside categories would break the slide show's structure: a node holds either
        // nodes or leaves.
        throw CError(kErrInvalidValue, kSource,
                     "The slide show is divided into categories; text can only be imported into "
                     "a slide show whose leaves are directly under its root.");
    }
    rootLeaves_ = static_cast<std::size_t>(document_.Tree().GetNumLeafChildren(root_));
}

void CUnstructuredReader::Read(const std::string& text, CTextProgress& progress) {
    FindRoot();
    text_ = text;
    std::vector<std::string> delimiters;
    delimiters.reserve(options_.delimiters.size());
    for (const std::string& delimiter : options_.delimiters) {
        delimiters.push_back(WithCrLfLineBreaks(delimiter));
    }
    titleDelimiter_ = WithCrLfLineBreaks(options_.titleDelimiter);

    CPieceSplitter splitter(text_, std::move(delimiters));
    TextPiece piece;
    for (std::size_t number = 1; splitter.Next(piece); ++number) {
        AddPiece(text_.substr(piece.offset, piece.length), number);
        progress.MovedTo(splitter.Position());
    }
}

std::size_t CUnstructuredReader::LineOf(std::size_t offset) {
    for (; linesCountedTo_ < offset; ++linesCountedTo_) {
        line_ += text_[linesCountedTo_] == '\n' ? 1 : 0;
    }
    return line_;
}

void CUnstructuredReader::AddPiece(std::string_view piece, std::size_t number) {
    if (piece.size() <= kMaxFact) {
        AddLeaf(piece);
        return;
    }
    const std::size_t line = LineOf(static_cast<std::size_t>(piece.data() - text_.data()));
    if (options_.longPieces == LongPieces::Stop) {
        throw CError(kErrDataTooLong, kSource,
                     std::string(ObjectErrorDescription(kErrDataTooLong)) + " Piece " +
                         std::to_string(number) + " (from line " + std::to_string(line) + ") has " +
                         std::to_string(piece.size()) + " characters; a leaf holds at most " +
                         std::to_string(kMaxFact) +
                         ". It and the rest of the file were not imported.");
    }
    SplitPiece split{number, line, piece.size(), 0};
    while (!piece.empty()) {
        const std::size_t cut =
            piece.size() <= kMaxFact ? piece.size() : SplitPoint(piece, kMaxFact);
        AddLeaf(piece.substr(0, cut));
        piece.remove_prefix(cut);
        ++split.leaves;
    }
    result_.splitPieces.push_back(split);
}

void CUnstructuredReader::CheckRoomForLeaf() const {
    if (rootLeaves_ >= kMostLeavesUnderOneNode) {
        throw CError(kErrMaxLinksExceeded, kSource,
                     "The slide show already holds " + std::to_string(rootLeaves_) +
                         " leaves under its root, the most one node can hold; the rest of the "
                         "file was not imported.");
    }
    if (document_.Tree().NextFreeIndex() > kHighestElementIndex) {
        throw CError(kErrValueOutOfRange, kSource,
                     "The slide show has used every one of its " +
                         std::to_string(kHighestElementIndex) +
                         " element numbers; the rest of the file was not imported.");
    }
}

void CUnstructuredReader::AddLeaf(std::string_view fact) {
    CheckRoomForLeaf();
    // The title is worked out first, so that nothing can fail once the leaf is in the tree.
    const std::string title = PieceTitle(fact, options_.titleChars, titleDelimiter_);
    const int index = document_.AddGenNode(ElementKind::Leaf, {}, nullptr, root_,
                                           Relationship::Child, AddOptions::None);
    if (index == 0) {
        // AddGenNode has told the user why.
        throw CError(kErrInvalidValue, kSource, "The leaf could not be added.");
    }
    document_.Properties().SetStructured(false);
    ++rootLeaves_;
    ++result_.leavesAdded;
    CLeaf& leaf = *document_.Tree().Entry(index).Leaf;
    leaf.SetFact(std::string(fact));
    if (!title.empty()) {
        leaf.SetTitle(title);
        document_.Tree().NotifyItemChanged(index, ItemAspect::Title | ItemAspect::Content);
    }
}

}  // namespace

std::string PieceTitle(std::string_view piece, int titleChars, std::string_view titleDelimiter) {
    if (titleChars > 0) {
        return WithoutLineBreaksAround(Prefix(piece, std::min<std::size_t>(titleChars, kMaxTitle)));
    }
    if (titleDelimiter.empty()) {
        return {};
    }
    const std::size_t found = piece.find(titleDelimiter);
    if (found == std::string_view::npos || found == 0) {
        return {};
    }
    return WithoutLineBreaksAround(Prefix(piece.substr(0, found), kMaxTitle));
}

std::size_t SplitPoint(std::string_view piece, std::size_t maximum) {
    if (piece.size() <= maximum) {
        return piece.size();
    }
    const std::string_view window = piece.substr(0, maximum);
    if (const std::size_t lineFeed = window.rfind('\n'); lineFeed != std::string_view::npos) {
        return lineFeed + 1;
    }
    if (const std::size_t blank = window.find_last_of(" \t"); blank != std::string_view::npos) {
        return blank + 1;
    }
    return EndsInsideLineBreak(piece, maximum) ? maximum - 1 : maximum;
}

UnstructuredImportResult ReadUnstructured(CDocument& document,
                                          const std::filesystem::path& fileName,
                                          const UnstructuredImportOptions& options) {
    IUserInterface& ui = document.Services().ui;
    UnstructuredImportResult result;
    CBusyScope busy(ui, "Reading Unstructured" + fileName.string());
    CSlideShowTree::BatchScope batch(document.Tree());
    try {
        DecodedText decoded = DecodeTextFile(ReadWholeFile(fileName));
        result.encoding = decoded.encoding;
        CTextProgress progress(ui.StatusBar(), decoded.text.size());
        CUnstructuredReader reader(document, options, result);
        reader.Read(decoded.text, progress);
        result.ok = true;
    } catch (const std::exception& error) {
        ReportFailure(ui, TrappedErrorText("Read Unstructured error: ", error), kStyleInformation);
    }
    return result;
}

bool ReadUnstructured(CDocument& document, const std::filesystem::path& fileName,
                      const std::vector<std::string>& delimiters, int titleChars,
                      const std::string& titleDelimiter) {
    UnstructuredImportOptions options;
    options.delimiters = delimiters;
    options.titleChars = titleChars;
    options.titleDelimiter = titleDelimiter;
    return ReadUnstructured(document, fileName, options).ok;
}

}  // namespace trovique
