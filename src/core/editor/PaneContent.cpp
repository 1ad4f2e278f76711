#include "core/editor/PaneContent.h"

#include <cstdio>

#include "core/codec/Windows1252.h"
#include "core/editor/Document.h"

namespace trovique {
namespace {

void DescribeNode(const CSlideShowTree& tree, int item, PaneContent& content) {
    content.path = Windows1252ToUtf8(tree.GetNodePath(item, false));
    int lowestPage = 0;
    const int below = tree.GetChildLeafCount(item, lowestPage);
    content.slidesBelow = std::to_string(below);
    const auto all = static_cast<std::int64_t>(tree.LeafCount());
    content.percentage = PercentageText(below, all);
    if (all > 0 && lowestPage > 0) {
        content.firstPage = std::to_string(lowestPage);
    }
}

void DescribeLeaf(const CDocument& document, int item, PaneContent& content) {
    const CSlideShowTree& tree = document.Tree();
    const CLeaf& leaf = *tree.Entry(item).Leaf;
    if (document.IsLeafLocked(item)) {
        content.kind = PaneKind::LockedLeaf;
        return;
    }
    content.path = Windows1252ToUtf8(tree.GetNodePath(item, true));
    content.leafKind = leaf.Kind();
    content.difficultyEnabled = content.leafKind == LeafKind::QAF;
    content.questionEnabled = content.leafKind == LeafKind::QAF;
    const int difficulty = leaf.Difficulty();
    content.difficulty =
        difficulty >= kMinDifficulty && difficulty <= kMaxDifficulty ? difficulty : 0;
    for (int slot = 1; slot <= 3; ++slot) {
        content.seeAlso[static_cast<std::size_t>(slot - 1)] = leaf.SeeAlso(slot);
    }
    content.switches = {leaf.Copyable(), leaf.Highlight(), leaf.PasswordProtect(), leaf.ReEdit()};
    content.hasColorPicture = leaf.ColorBitmap() != nullptr;
    content.hasMonochromePicture = leaf.MonochromeBitmap() != nullptr;
}

}  // namespace

PaneContent DescribePane(const CDocument& document, int item) {
    PaneContent content;
    const CSlideShowTree& tree = document.Tree();
    if (item == 0 || !tree.IsLive(item)) {
        return content;
    }
    content.size = SizeLabel(tree.DBSize());
    content.numberOfSlides = std::to_string(tree.LeafCount());
    switch (tree.Entry(item).ElemType) {
        case ElementKind::Root:
            content.kind = PaneKind::Root;
            content.hasMonochromeSplash = !document.Properties().MonochromeSplash().Empty();
            content.hasColorSplash = !document.Properties().ColorSplash().Empty();
            break;
        case ElementKind::Node:
            content.kind = PaneKind::Node;
            DescribeNode(tree, item, content);
            break;
        case ElementKind::Leaf:
            content.kind = PaneKind::Leaf;
            DescribeLeaf(document, item, content);
            break;
        default:
            break;
    }
    return content;
}

bool TakeFirstDisplay(CDocument& document, int item) {
    const PaneKind kind = DescribePane(document, item).kind;
    if (kind != PaneKind::Node && kind != PaneKind::Leaf) {
        return false;
    }
    CGenElemInfo& entry = document.Tree().Entry(item);
    const bool first = !entry.Visited;
    entry.Visited = true;
    return first;
}

std::string PercentageText(std::int64_t part, std::int64_t whole) {
    if (whole <= 0) {
        return "0";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f",
                  static_cast<double>(part) * 100.0 / static_cast<double>(whole));
    return text;
}

std::string FieldDisplayText(const CDocument& document, int item, TextField field) {
    return Windows1252ToUtf8(FieldText(document, item, field));
}

std::size_t StoredLength(std::string_view text) {
    return Utf8ToWindows1252(text).size();
}

std::string FitToField(TextField field, std::string_view text) {
    const std::size_t limit = TextFieldLimit(field);
    std::size_t stored = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t cp = 0;
        std::size_t length = DecodeUtf8(text, at, cp);
        std::size_t takes = 1;
        if (length == 0) {
            length = 1;  // a malformed byte is stored as one "?"
        } else if (cp == U'\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            length = 2;  // a line break stays whole
            takes = 2;
        }
        if (stored + takes > limit) {
            break;
        }
        stored += takes;
        at += length;
    }
    return std::string(text.substr(0, at));
}

std::string SplashViewNote(bool color, bool present) {
    const std::string kind = color ? "Color" : "Monochrome";
    return present ? "Could Not Show " + kind + " Bitmap" : "No " + kind + " Bitmap Available";
}

std::size_t SeeAlsoEntryCount(const CDocument& document) {
    return document.Tree().SeeAlsoChoices().size() + 1;
}

SeeAlsoEntry SeeAlsoEntryAt(const CDocument& document, std::size_t row) {
    const std::vector<int>& choices = document.Tree().SeeAlsoChoices();
    if (row == 0 || row > choices.size()) {
        return {0, kSeeAlsoNone};
    }
    const int target = choices[row - 1];
    return {target, Windows1252ToUtf8(document.Tree().Entry(target).Title())};
}

}  // namespace trovique
