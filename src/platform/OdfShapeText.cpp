#include "platform/OdfShapeText.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include "core/common/Error.h"
#include "platform/OdfStyles.h"

namespace trovique {
namespace {

// Lists nest ten levels deep in the office; deeper nesting is cut off here instead of
// exhausting the stack.
constexpr int kMaxDepth = 32;
constexpr int kMaxListLevel = 10;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool Named(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && name == node.name();
}

// text:c of a text:s: how many spaces, at least one; 0 when the number passes all reason.
std::size_t SpaceCount(const pugi::xml_node& element) {
    const std::string_view value(element.attribute("text:c").value());
    if (value.empty()) {
        return 1;
    }
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
    if (error == std::errc::result_out_of_range) {
        return 0;
    }
    return error != std::errc() || count == 0 ? 1 : count;
}

// Elements whose text is the paragraph's own text rather than a field's.
bool IsPlainContainer(const pugi::xml_node& element) {
    return Named(element, "text:span") || Named(element, "text:a") || Named(element, "text:meta");
}

bool HoldsTextOutsideFields(const pugi::xml_node& parent, int depth) {
    for (const auto& child : parent.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            const std::string_view text(child.value());
            if (!std::all_of(text.begin(), text.end(), IsBlank)) {
                return true;
            }
        } else if (depth < kMaxDepth &&
                   (IsPlainContainer(child) || Named(child, "text:p") || Named(child, "text:h") ||
                    Named(child, "text:list") || Named(child, "text:list-item") ||
                    Named(child, "text:list-header")) &&
                   HoldsTextOutsideFields(child, depth + 1)) {
            return true;
        }
    }
    return false;
}

}  // namespace

// The lists around a paragraph, outermost first.
struct COdfTextReader::ListState {
    std::vector<std::string_view> styleNames;
    std::string_view itemOverride;
};

OdfShapeText COdfTextReader::Read(const pugi::xml_node& textParent, std::size_t slideNumber) {
    slideNumber_ = slideNumber;
    result_ = OdfShapeText{};
    firstParagraph_ = true;
    ListState state;
    Block(textParent, state, false, 0);
    // Paragraphs that are all empty show nothing; the office passes such a shape over.
    if (result_.text.find_first_not_of("\r\n") == std::string::npos) {
        result_.text.clear();
    }
    if (!result_.bulletVisible) {
        result_.allNumbered = true;
    }
    return std::move(result_);
}

bool COdfTextReader::HoldsOnlyFields(const pugi::xml_node& textParent) {
    return !HoldsTextOutsideFields(textParent, 0);
}

void COdfTextReader::Block(const pugi::xml_node& parent, ListState& state, bool header, int depth) {
    if (depth >= kMaxDepth) {
        return;
    }
    for (const auto& child : parent.children()) {
        if (Named(child, "text:p") || Named(child, "text:h")) {
            Paragraph(child, state, header);
        } else if (Named(child, "text:list")) {
            state.styleNames.push_back(child.attribute("text:style-name").value());
            for (const auto& item : child.children()) {
                const bool isHeader = Named(item, "text:list-header");
                if (!isHeader && !Named(item, "text:list-item")) {
                    continue;
                }
                const std::string_view outerOverride = state.itemOverride;
                state.itemOverride = item.attribute("text:style-override").value();
                Block(item, state, isHeader, depth + 1);
                state.itemOverride = outerOverride;
            }
            state.styleNames.pop_back();
        } else if (Named(child, "text:section")) {
            Block(child, state, header, depth + 1);
        }
    }
}

void COdfTextReader::Paragraph(const pugi::xml_node& paragraph, const ListState& state,
                               bool header) {
    std::string text;
    bool afterSpace = true;  // white space at the start of a paragraph is dropped
    Inline(paragraph, text, afterSpace, 0);
    result_.text += (firstParagraph_ ? "" : "\r\n") + text;
    firstParagraph_ = false;
    // Marks are drawn only in front of paragraphs that hold text.
    if (text.empty() || header || state.styleNames.empty()) {
        return;
    }
    const OdfBullet bullet = BulletOf(state);
    if (bullet == OdfBullet::Symbol || bullet == OdfBullet::Numbered) {
        result_.bulletVisible = true;
        result_.allNumbered = result_.allNumbered && bullet == OdfBullet::Numbered;
    }
}

OdfBullet COdfTextReader::BulletOf(const ListState& state) const {
    const int level = std::min(static_cast<int>(state.styleNames.size()), kMaxListLevel);
    std::string_view name = state.itemOverride;
    // A list without a style of its own takes that of the list around it.
    for (auto outer = state.styleNames.rbegin(); name.empty() && outer != state.styleNames.rend();
         ++outer) {
        name = *outer;
    }
    const auto bullet = COdfStyles::LevelBullet(styles_.ListStyle(std::string(name)), level);
    // The office's own list style, which marks every level with a bullet, fills the gaps.
    return bullet == OdfBullet::Unstated ? OdfBullet::Symbol : bullet;
}

void COdfTextReader::Inline(const pugi::xml_node& parent, std::string& out, bool& afterSpace,
                            int depth) {
    if (depth >= kMaxDepth) {
        return;
    }
    for (const auto& child : parent.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            // Runs of white space show as one space.
            for (const char c : std::string_view(child.value())) {
                if (!IsBlank(c)) {
                    out += c;
                    afterSpace = false;
                } else if (!afterSpace) {
                    out += ' ';
                    afterSpace = true;
                }
            }
            continue;
        }
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name(child.name());
        if (name == "text:s") {
            const std::size_t count = SpaceCount(child);
            if (count == 0 || count > spacesLeft_) {
                throw CError(kErrPathFileAccess, "COdfReader",
                             "The presentation is damaged: it asks for more spaces than any "
                             "presentation holds.");
            }
            spacesLeft_ -= count;
            out.append(count, ' ');
        } else if (name == "text:tab") {
            out += '\t';
        } else if (name == "text:line-break") {
            out += '\v';
        } else if (name == "text:page-number") {
            // The office keeps a placeholder here and shows the slide's number.
            out += std::to_string(slideNumber_);
        } else if (name == "text:note") {
            Inline(child.child("text:note-citation"), out, afterSpace, depth + 1);
            continue;
        } else if (name == "text:ruby") {
            Inline(child.child("text:ruby-base"), out, afterSpace, depth + 1);
            continue;
        } else if (name.substr(0, 5) == "text:") {
            // Spans, links and fields: what they show is their text.
            Inline(child, out, afterSpace, depth + 1);
            continue;
        } else {
            // Comments, pictures anchored in the text and the like show no text here.
            continue;
        }
        afterSpace = false;
    }
}

}  // namespace trovique
