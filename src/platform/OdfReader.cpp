#include "platform/OdfReader.h"

#include <optional>
#include <string>
#include <string_view>

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/import/SlideText.h"
#include "platform/OdfDocument.h"
#include "platform/OdfShapeText.h"
#include "platform/OdfStyles.h"

namespace trovique {
namespace {

// Far beyond any real presentation; a hostile file cannot make us walk more.
constexpr std::size_t kMaxSlides = 10000;
// Groups nest; a hostile file nesting deeper is cut off here instead of exhausting the stack.
constexpr int kMaxGroupDepth = 32;

CError Damaged(const std::string& why) {
    return CError(kErrPathFileAccess, "COdfReader", "The presentation is damaged: " + why + ".");
}

// Drawing shapes that hold their paragraphs themselves.
bool HoldsOwnText(std::string_view name) {
    for (const std::string_view kind :
         {"draw:custom-shape", "draw:rect", "draw:ellipse", "draw:circle", "draw:line",
          "draw:polyline", "draw:polygon", "draw:regular-polygon", "draw:path", "draw:connector",
          "draw:caption", "draw:measure"}) {
        if (name == kind) {
            return true;
        }
    }
    return false;
}

// A frame's first element is what it shows (later ones are stand-ins for programs that cannot
// show it): a text box, or a picture, whose paragraphs the office writes over it; tables,
// charts and other objects show no text here.
pugi::xml_node FrameText(const pugi::xml_node& frame) {
    const auto content = frame.find_child(
        [](const pugi::xml_node& child) { return child.type() == pugi::node_element; });
    const std::string_view name(content.name());
    return name == "draw:text-box" || name == "draw:image" ? content : pugi::xml_node();
}

// Calls visit(shape, text) for every shape of a page in drawing order, group members in place
// of their group. text is where the shape's paragraphs are, or nothing.
template <class Visit>
void ForEachShape(const pugi::xml_node& parent, Visit&& visit, int depth = 0) {
    for (const auto& child : parent.children()) {
        const std::string_view name(child.name());
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (name == "draw:frame") {
            visit(child, FrameText(child));
        } else if (HoldsOwnText(name)) {
            visit(child, child);
        } else if ((name == "draw:g" || name == "draw:a") && depth < kMaxGroupDepth) {
            ForEachShape(child, visit, depth + 1);
        }
    }
}

std::string ClassOf(const pugi::xml_node& shape) {
    return shape.attribute("presentation:class").value();
}

class SlideReader {
public:
    explicit SlideReader(const COdfStyles& styles) : text_(styles) {}

    SlideContent Read(const pugi::xml_node& page, std::size_t number) {
        SlideContent content;
        bool titleSeen = false;
        ForEachShape(page, [&](const pugi::xml_node& shape, const pugi::xml_node& body) {
            const std::string kind = ClassOf(shape);
            const bool isTitle = kind == "title" && !titleSeen;
            titleSeen = titleSeen || isTitle;
            if (!body) {
                return;
            }
            const auto text = text_.Read(body, number);
            if (text.text.empty()) {
                return;
            }
            content.shapes.push_back(
                ShapeFromFile(isTitle, text.text, text.bulletVisible, text.allNumbered));
        });
        content.notes = Utf8ToWindows1252(NotesOf(page.child("presentation:notes"), number));
        return content;
    }

private:
    // The notes: the first "notes" shape with text. Notes written by some programs lose their
    // class and come as plain text boxes; the first of those with text stands in then, but only
    // on notes without any "notes" shape. A box of fields alone (slide number, date, footer) is
    // never the notes.
    std::string NotesOf(const pugi::xml_node& notes, std::size_t number) {
        std::optional<std::string> body;
        bool hasBody = false;
        std::optional<std::string> textBox;
        ForEachShape(notes, [&](const pugi::xml_node& shape, const pugi::xml_node& textParent) {
            const std::string kind = ClassOf(shape);
            const bool isBody = kind == "notes";
            hasBody = hasBody || isBody;
            if (body || (!kind.empty() && !isBody) || !textParent) {
                return;
            }
            if (!isBody && (textBox || COdfTextReader::HoldsOnlyFields(textParent))) {
                return;
            }
            auto text = text_.Read(textParent, number).text;
            if (!text.empty()) {
                (isBody ? body : textBox) = std::move(text);
            }
        });
        if (body) {
            return *body;
        }
        return hasBody ? std::string() : textBox.value_or(std::string());
    }

    COdfTextReader text_;
};

}  // namespace

COdfReader::COdfReader(const std::filesystem::path& file) {
    const COdfDocument document(file);
    const auto presentation = document.Content().child("office:body").child("office:presentation");
    if (!presentation) {
        throw Damaged("it holds no presentation");
    }
    const COdfStyles styles(document);
    SlideReader reader(styles);
    for (const auto& page : presentation.children("draw:page")) {
        if (slides_.size() == kMaxSlides) {
            throw Damaged("it holds more than " + std::to_string(kMaxSlides) + " slides");
        }
        slides_.push_back(reader.Read(page, slides_.size() + 1));
    }
}

}  // namespace trovique
