#include "platform/PptxReader.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/import/SlideText.h"
#include "platform/ZipArchive.h"

namespace trovique {
namespace {

constexpr const char* kSource = "CPptxReader";
// Far beyond any real presentation; a hostile package cannot make us walk more.
constexpr std::size_t kMaxSlides = 10000;
// Groups nest; a hostile package nesting deeper is cut off here instead of exhausting the stack.
constexpr int kMaxGroupDepth = 32;

CError Damaged(const std::string& why) {
    return CError(kErrPathFileAccess, kSource, "The presentation is damaged: " + why + ".");
}

// ---- XML helpers. Office documents use the prefixes p:, a: and r: by custom only, so
// elements are matched by their local name.

std::string_view LocalName(const char* qualified) {
    const std::string_view name(qualified);
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool Is(const pugi::xml_node& node, std::string_view local) {
    return node.type() == pugi::node_element && LocalName(node.name()) == local;
}

pugi::xml_node Child(const pugi::xml_node& node, std::string_view local) {
    for (const auto& child : node.children()) {
        if (Is(child, local)) {
            return child;
        }
    }
    return {};
}

// Follows a path of local names from node; an empty node when any step is missing.
pugi::xml_node Path(pugi::xml_node node, std::initializer_list<std::string_view> steps) {
    for (const auto step : steps) {
        if (!node) {
            break;
        }
        node = Child(node, step);
    }
    return node;
}

// The relationship id of an element: the prefixed "id" attribute (r:id), not the plain "id".
std::string RelationshipId(const pugi::xml_node& node) {
    for (const auto& attribute : node.attributes()) {
        const std::string_view name(attribute.name());
        if (name.size() > 3 && name.substr(name.size() - 3) == ":id") {
            return attribute.value();
        }
    }
    return {};
}

// ---- Package parts and relationships.

std::string FolderOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string RelationshipsPartOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    const std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
    return FolderOf(part) + "_rels/" + name + ".rels";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

// The part a relationship target names, relative to the part that holds the relationship;
// empty when it would leave the package.
std::string ResolveTarget(const std::string& sourcePart, std::string_view target) {
    std::string joined = PercentDecoded(target);
    if (!joined.empty() && joined.front() == '/') {
        joined.erase(0, 1);
    } else {
        joined = FolderOf(sourcePart) + joined;
    }
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const std::size_t end = std::min(joined.find('/', start), joined.size());
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (segments.empty()) {
                return {};
            }
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const auto& segment : segments) {
        resolved += (resolved.empty() ? "" : "/") + segment;
    }
    return resolved;
}

struct Relationship {
    std::string type;
    std::string target;  // resolved part name; empty for external targets
};

using Relationships = std::map<std::string, Relationship>;

bool TypeEndsWith(const Relationship& relationship, std::string_view suffix) {
    const std::string_view type(relationship.type);
    return type.size() >= suffix.size() && type.substr(type.size() - suffix.size()) == suffix;
}

// Parsed parts and their relationships, each read once from the package.
class Package {
public:
    explicit Package(const std::filesystem::path& file) : zip_(file) {}

    // The parsed part; nullptr when the package has no such part.
    const pugi::xml_document* Xml(const std::string& part) {
        if (const auto found = xml_.find(part); found != xml_.end()) {
            return found->second.get();
        }
        std::unique_ptr<pugi::xml_document> document;
        if (const auto bytes = zip_.Read(part)) {
            document = std::make_unique<pugi::xml_document>();
            // Keep whitespace-only runs: a run holding one blank is text.
            const auto parsed = document->load_buffer(
                bytes->data(), bytes->size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
            if (!parsed) {
                throw Damaged("the part " + part + " is not well-formed XML (" +
                              parsed.description() + ")");
            }
        }
        return (xml_[part] = std::move(document)).get();
    }

    const Relationships& RelationshipsOf(const std::string& part) {
        if (const auto found = relationships_.find(part); found != relationships_.end()) {
            return found->second;
        }
        Relationships result;
        if (const auto* document = Xml(RelationshipsPartOf(part))) {
            for (const auto& entry : Child(*document, "Relationships").children()) {
                if (!Is(entry, "Relationship")) {
                    continue;
                }
                Relationship relationship;
                relationship.type = entry.attribute("Type").value();
                if (std::string_view(entry.attribute("TargetMode").value()) != "External") {
                    relationship.target = ResolveTarget(part, entry.attribute("Target").value());
                }
                result.emplace(entry.attribute("Id").value(), std::move(relationship));
            }
        }
        return relationships_[part] = std::move(result);
    }

    // The target of the first relationship of part whose type ends with suffix.
    std::string RelatedPart(const std::string& part, std::string_view suffix) {
        for (const auto& [id, relationship] : RelationshipsOf(part)) {
            if (TypeEndsWith(relationship, suffix) && !relationship.target.empty()) {
                return relationship.target;
            }
        }
        return {};
    }

private:
    CZipArchive zip_;
    std::map<std::string, std::unique_ptr<pugi::xml_document>> xml_;
    std::map<std::string, Relationships> relationships_;
};

// ---- Placeholders.

struct Placeholder {
    bool present = false;
    std::string type;   // as written; "obj" when the element names none
    std::string index;  // "0" when the element names none
};

Placeholder PlaceholderOf(const pugi::xml_node& shape) {
    Placeholder placeholder;
    pugi::xml_node properties;
    for (const auto& child : shape.children()) {
        if (LocalName(child.name()).substr(0, 2) == "nv") {  // nvSpPr, nvGrpSpPr, ...
            properties = child;
            break;
        }
    }
    const auto element = Path(properties, {"nvPr", "ph"});
    if (!element) {
        return placeholder;
    }
    placeholder.present = true;
    placeholder.type = element.attribute("type") ? element.attribute("type").value() : "obj";
    placeholder.index = element.attribute("idx") ? element.attribute("idx").value() : "0";
    return placeholder;
}

bool IsTitleType(const std::string& type) {
    return type == "title" || type == "ctrTitle";
}

// Masters hold one placeholder per kind; these are the kinds a slide placeholder falls back to.
std::string MasterKind(const std::string& type) {
    if (IsTitleType(type))
        return "title";
    if (type == "dt" || type == "ftr" || type == "sldNum" || type == "hdr")
        return type;
    return "body";
}

// Calls visit for every shape of a shape tree in drawing order, group members in place of
// their group.
template <class Visit>
void ForEachShape(const pugi::xml_node& tree, Visit&& visit, int depth = 0) {
    for (const auto& child : tree.children()) {
        if (Is(child, "sp")) {
            visit(child);
        } else if (Is(child, "grpSp") && depth < kMaxGroupDepth) {
            ForEachShape(child, visit, depth + 1);
        } else if (Is(child, "AlternateContent") && depth < kMaxGroupDepth) {
            // The fallback is what a reader without the extension is meant to see.
            auto chosen = Child(child, "Fallback");
            if (!chosen) {
                chosen = Child(child, "Choice");
            }
            ForEachShape(chosen, visit, depth + 1);
        }
    }
}

pugi::xml_node ShapeTree(const pugi::xml_document* part) {
    if (part == nullptr) {
        return {};
    }
    return Path(part->first_child(), {"cSld", "spTree"});
}

// The placeholder shape of a layout or master that a slide placeholder inherits from.
template <class Matches>
pugi::xml_node FindPlaceholder(const pugi::xml_node& tree, Matches&& matches) {
    pugi::xml_node found;
    ForEachShape(tree, [&](const pugi::xml_node& shape) {
        const auto placeholder = PlaceholderOf(shape);
        if (!found && placeholder.present && matches(placeholder)) {
            found = shape;
        }
    });
    return found;
}

// ---- Text.

std::string ParagraphText(const pugi::xml_node& paragraph) {
    std::string text;
    for (const auto& child : paragraph.children()) {
        if (Is(child, "r") || Is(child, "fld")) {
            text += Child(child, "t").child_value();
        } else if (Is(child, "br")) {
            text += '\v';
        }
    }
    return text;
}

// True when no run of the text body holds more than white space: what text it shows, if any,
// comes from fields the office fills in (slide number, date, footer).
bool HoldsOnlyFields(const pugi::xml_node& textBody) {
    for (const auto& paragraph : textBody.children()) {
        if (!Is(paragraph, "p")) {
            continue;
        }
        for (const auto& run : paragraph.children()) {
            if (!Is(run, "r")) {
                continue;
            }
            const std::string_view text = Child(run, "t").child_value();
            if (text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
                return false;
            }
        }
    }
    return true;
}

enum class Bullet { Unstated, None, Symbol, Numbered };

Bullet BulletStatedIn(const pugi::xml_node& paragraphProperties) {
    for (const auto& child : paragraphProperties.children()) {
        if (Is(child, "buNone"))
            return Bullet::None;
        if (Is(child, "buAutoNum"))
            return Bullet::Numbered;
        if (Is(child, "buChar") || Is(child, "buBlip"))
            return Bullet::Symbol;
    }
    return Bullet::Unstated;
}

int ParagraphLevel(const pugi::xml_node& paragraph) {
    const int level = Child(paragraph, "pPr").attribute("lvl").as_int(0);
    return level < 0 || level > 8 ? 0 : level;
}

// List styles a paragraph inherits from, nearest first.
struct TextInheritance {
    std::vector<pugi::xml_node> listStyles;

    Bullet BulletOf(const pugi::xml_node& paragraph) const {
        if (const auto own = BulletStatedIn(Child(paragraph, "pPr")); own != Bullet::Unstated) {
            return own;
        }
        const std::string levelName = "lvl" + std::to_string(ParagraphLevel(paragraph) + 1) + "pPr";
        for (const auto& style : listStyles) {
            const auto stated = BulletStatedIn(Child(style, levelName));
            if (stated != Bullet::Unstated) {
                return stated;
            }
        }
        return Bullet::None;
    }
};

struct ShapeText {
    std::string text;  // UTF-8, paragraphs joined with CR LF
    bool bulletVisible = false;
    bool allNumbered = true;
};

ShapeText ReadShapeText(const pugi::xml_node& body, const TextInheritance& inheritance) {
    ShapeText result;
    bool first = true;
    for (const auto& paragraph : body.children()) {
        if (!Is(paragraph, "p")) {
            continue;
        }
        const std::string text = ParagraphText(paragraph);
        result.text += (first ? "" : "\r\n") + text;
        first = false;
        // Bullets are drawn only in front of paragraphs that hold text.
        if (text.empty()) {
            continue;
        }
        const Bullet bullet = inheritance.BulletOf(paragraph);
        if (bullet == Bullet::Symbol || bullet == Bullet::Numbered) {
            result.bulletVisible = true;
            result.allNumbered = result.allNumbered && bullet == Bullet::Numbered;
        }
    }
    return result;
}

// ---- Slides.

class SlideReader {
public:
    explicit SlideReader(Package& package, pugi::xml_node defaultTextStyle)
        : package_(package), defaultTextStyle_(defaultTextStyle) {}

    SlideContent Read(const std::string& slidePart, std::size_t number) {
        const auto* slide = package_.Xml(slidePart);
        if (slide == nullptr) {
            throw Damaged("slide " + std::to_string(number) + " (" + slidePart + ") is missing");
        }
        const std::string layoutPart = package_.RelatedPart(slidePart, "/slideLayout");
        layoutTree_ = layoutPart.empty() ? pugi::xml_node() : ShapeTree(package_.Xml(layoutPart));
        const std::string masterPart =
            layoutPart.empty() ? std::string() : package_.RelatedPart(layoutPart, "/slideMaster");
        const auto* master = masterPart.empty() ? nullptr : package_.Xml(masterPart);
        masterTree_ = ShapeTree(master);
        masterStyles_ =
            master == nullptr ? pugi::xml_node() : Child(master->first_child(), "txStyles");

        SlideContent content;
        bool titleSeen = false;
        ForEachShape(ShapeTree(slide), [&](const pugi::xml_node& shape) {
            const auto placeholder = PlaceholderOf(shape);
            const bool isTitle = placeholder.present && IsTitleType(placeholder.type) && !titleSeen;
            titleSeen = titleSeen || isTitle;
            const auto body = Child(shape, "txBody");
            if (!body) {
                return;
            }
            const auto text = ReadShapeText(body, InheritanceOf(body, placeholder));
            if (text.text.empty()) {
                return;
            }
            content.shapes.push_back(
                ShapeFromFile(isTitle, text.text, text.bulletVisible, text.allNumbered));
        });
        content.notes = Utf8ToWindows1252(NotesOf(slidePart));
        return content;
    }

private:
    TextInheritance InheritanceOf(const pugi::xml_node& body,
                                  const Placeholder& placeholder) const {
        TextInheritance inheritance;
        inheritance.listStyles.push_back(Child(body, "lstStyle"));
        if (!placeholder.present) {
            inheritance.listStyles.push_back(defaultTextStyle_);
            return inheritance;
        }
        auto onLayout = FindPlaceholder(layoutTree_, [&](const Placeholder& candidate) {
            return candidate.index == placeholder.index;
        });
        if (!onLayout) {
            onLayout = FindPlaceholder(layoutTree_, [&](const Placeholder& candidate) {
                return candidate.type == placeholder.type;
            });
        }
        inheritance.listStyles.push_back(Path(onLayout, {"txBody", "lstStyle"}));
        const std::string kind = MasterKind(placeholder.type);
        const auto onMaster = FindPlaceholder(masterTree_, [&](const Placeholder& candidate) {
            return MasterKind(candidate.type) == kind;
        });
        inheritance.listStyles.push_back(Path(onMaster, {"txBody", "lstStyle"}));
        const char* styleName = kind == "title"  ? "titleStyle"
                                : kind == "body" ? "bodyStyle"
                                                 : "otherStyle";
        inheritance.listStyles.push_back(Child(masterStyles_, styleName));
        return inheritance;
    }

    // The notes page body: its first body placeholder with text. Notes written by some
    // programs lose their placeholder mark and come as plain text boxes; the first of those
    // with text stands in then, but only on a page without any body placeholder: a converted
    // .ppt keeps its (empty) body and gains a box with the slide number, which is no note. A
    // box of fields alone (slide number, date, footer) is never the notes.
    std::string NotesOf(const std::string& slidePart) {
        const std::string notesPart = package_.RelatedPart(slidePart, "/notesSlide");
        if (notesPart.empty()) {
            return {};
        }
        std::optional<std::string> body;
        bool hasBody = false;
        std::optional<std::string> textBox;
        ForEachShape(ShapeTree(package_.Xml(notesPart)), [&](const pugi::xml_node& shape) {
            const auto placeholder = PlaceholderOf(shape);
            const bool isBody = placeholder.present && placeholder.type == "body";
            hasBody = hasBody || isBody;
            if (body || (placeholder.present && !isBody)) {
                return;
            }
            const auto textBody = Child(shape, "txBody");
            if (!isBody && (textBox || HoldsOnlyFields(textBody))) {
                return;
            }
            auto text = ReadShapeText(textBody, TextInheritance{}).text;
            if (!text.empty()) {
                (isBody ? body : textBox) = std::move(text);
            }
        });
        if (body) {
            return *body;
        }
        return hasBody ? std::string() : textBox.value_or(std::string());
    }

    Package& package_;
    pugi::xml_node defaultTextStyle_;
    pugi::xml_node layoutTree_;
    pugi::xml_node masterTree_;
    pugi::xml_node masterStyles_;
};

std::string PresentationPart(Package& package) {
    for (const auto& [id, relationship] : package.RelationshipsOf("")) {
        if (TypeEndsWith(relationship, "/officeDocument") && !relationship.target.empty()) {
            return relationship.target;
        }
    }
    return "ppt/presentation.xml";
}

}  // namespace

CPptxReader::CPptxReader(const std::filesystem::path& file) {
    Package package(file);
    const std::string presentationPart = PresentationPart(package);
    const auto* presentation = package.Xml(presentationPart);
    if (presentation == nullptr) {
        throw Damaged("it has no presentation part");
    }
    const auto root = presentation->first_child();
    const auto& relationships = package.RelationshipsOf(presentationPart);

    SlideReader reader(package, Child(root, "defaultTextStyle"));
    for (const auto& entry : Child(root, "sldIdLst").children()) {
        if (!Is(entry, "sldId")) {
            continue;
        }
        if (slides_.size() == kMaxSlides) {
            throw Damaged("it lists more than " + std::to_string(kMaxSlides) + " slides");
        }
        const std::size_t number = slides_.size() + 1;
        const auto found = relationships.find(RelationshipId(entry));
        if (found == relationships.end() || found->second.target.empty()) {
            throw Damaged("slide " + std::to_string(number) + " points to no part");
        }
        slides_.push_back(reader.Read(found->second.target, number));
    }
}

}  // namespace trovique
