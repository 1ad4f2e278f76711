#pragma once

#include <pugixml.hpp>

#include <map>
#include <string>

namespace trovique {

class COdfDocument;

// How a list level marks its paragraphs.
enum class OdfBullet { Unstated, None, Symbol, Numbered };

// The list styles of an OpenDocument presentation by name: the automatic styles of the
// content (nearest), then the common and automatic styles of the styles part.
class COdfStyles {
public:
    explicit COdfStyles(const COdfDocument& document);

    // The text:list-style named name; empty when there is none.
    pugi::xml_node ListStyle(const std::string& name) const;

    // How list style list marks paragraphs of level (1 to 10); Unstated when it says nothing.
    static OdfBullet LevelBullet(const pugi::xml_node& list, int level);

private:
    void Index(const pugi::xml_node& styles);

    std::map<std::string, pugi::xml_node> listStyles_;
};

}  // namespace trovique
