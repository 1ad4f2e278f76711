#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <string>

namespace trovique {

enum class OdfBullet;
class COdfStyles;

// The text of one OpenDocument shape and how its paragraphs are marked.
struct OdfShapeText {
    std::string text;  // UTF-8, paragraphs joined with CR LF, a line break as character 11
    bool bulletVisible = false;
    bool allNumbered = true;
};

// Reads the paragraphs of shapes (text:p and text:h, in text:list items at any depth) the way
// the office shows them: white space collapsed, text:s, text:tab and text:line-break spelt
// out, fields as their shown text, the slide number for a page-number field, comments left
// out; a shape whose paragraphs are all empty holds no text. A paragraph in a list shows the mark
// its level has in the list style in effect: the item's override, else that of the nearest list
// around it that names one. As in the office, a level no such style states shows a bullet, and a
// list header or a paragraph outside any list shows none (paragraph, shape and master styles do not
// mark paragraphs there).
class COdfTextReader {
public:
    explicit COdfTextReader(const COdfStyles& styles) : styles_(styles) {}

    // Raises CError when the spaces the file asks for pass all reason.
    OdfShapeText Read(const pugi::xml_node& textParent, std::size_t slideNumber);

    // True when no paragraph holds more than white space outside fields: whatever the shape
    // shows is filled in by the office (slide number, date, footer).
    static bool HoldsOnlyFields(const pugi::xml_node& textParent);

private:
    struct ListState;

    void Block(const pugi::xml_node& parent, ListState& state, bool header, int depth);
    void Paragraph(const pugi::xml_node& paragraph, const ListState& state, bool header);
    void Inline(const pugi::xml_node& parent, std::string& out, bool& afterSpace, int depth);
    OdfBullet BulletOf(const ListState& state) const;

    const COdfStyles& styles_;
    std::size_t slideNumber_ = 0;
    std::size_t spacesLeft_ = kMaxSpaces;
    OdfShapeText result_;
    bool firstParagraph_ = true;

    // Spaces text:s may add over the whole document; a handful of bytes asking for millions
    // each is no presentation.
    static constexpr std::size_t kMaxSpaces = 16u << 20;
};

}  // namespace trovique
