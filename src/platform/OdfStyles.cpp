#include "platform/OdfStyles.h"

#include <string_view>

#include "platform/OdfDocument.h"

namespace trovique {

COdfStyles::COdfStyles(const COdfDocument& document) {
    // The first of a name wins: the content's own automatic styles come first.
    Index(document.Content().child("office:automatic-styles"));
    Index(document.Styles().child("office:styles"));
    Index(document.Styles().child("office:automatic-styles"));
}

void COdfStyles::Index(const pugi::xml_node& styles) {
    for (const auto& style : styles.children()) {
        if (std::string_view(style.name()) == "text:list-style") {
            listStyles_.emplace(style.attribute("style:name").value(), style);
        }
    }
}

pugi::xml_node COdfStyles::ListStyle(const std::string& name) const {
    const auto found = listStyles_.find(name);
    return found == listStyles_.end() ? pugi::xml_node() : found->second;
}

OdfBullet COdfStyles::LevelBullet(const pugi::xml_node& list, int level) {
    for (const auto& levelStyle : list.children()) {
        if (levelStyle.attribute("text:level").as_int(0) != level) {
            continue;
        }
        const std::string_view kind(levelStyle.name());
        if (kind == "text:list-level-style-bullet" || kind == "text:list-level-style-image") {
            return OdfBullet::Symbol;
        }
        if (kind == "text:list-level-style-number") {
            // A level without a number format shows no number.
            return std::string_view(levelStyle.attribute("style:num-format").value()).empty()
                       ? OdfBullet::None
                       : OdfBullet::Numbered;
        }
    }
    return OdfBullet::Unstated;
}

}  // namespace trovique
