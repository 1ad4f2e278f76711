#include "core/import/SlideText.h"

#include <vector>

#include "core/codec/Windows1252.h"
#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kEmptyLine = "\r\n\r\n";
// A line break inside a paragraph.
constexpr char kSoftBreak = '\x0B';
constexpr std::size_t kMaxRootTitle = 25;
constexpr std::string_view kEllipsis = "...";

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find(kCrLf); at != std::string_view::npos;
         at = text.find(kCrLf, start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + kCrLf.size();
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos;
         at = text.find(from, start)) {
        out.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

// A title is one line on the handheld: paragraph and line breaks become blanks.
std::string TitleText(std::string_view text) {
    return ReplaceAll(ReplaceAll(text, kCrLf, " "), std::string_view(&kSoftBreak, 1), " ");
}

// A line break inside a paragraph becomes a line break of its own, so that the words on either
// side of it stay apart.
std::string BodyText(const SlideShape& shape, char bulletChar) {
    const std::string paragraphs =
        shape.bulletVisible ? FormatBullets(shape.text, shape.bulletType, bulletChar) : shape.text;
    return ReplaceAll(paragraphs, std::string_view(&kSoftBreak, 1), kCrLf);
}

}  // namespace

std::string FormatBullets(std::string_view text, int bulletType, char bulletChar) {
    if (text.empty()) {
        return {};
    }
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 8);
    const auto lines = SplitLines(text);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (!lines[index].empty()) {
            if (bulletType == kBulletNumbered) {
                out += std::to_string(index + 1) + ".";
            } else {
                out += bulletChar;
            }
            out += ' ';
            out += lines[index];
        }
        out += kCrLf;
    }
    return out;
}

char BulletCharSetting(const ISettingsStore& settings) {
    const auto stored =
        settings.Get(std::string(kApplicationTitle), settings::kSettings, settings::kBulletChar);
    if (!stored || stored->empty()) {
        return static_cast<char>(kDefaultBulletChar);
    }
    const std::int32_t code = LeadingInteger(*stored);
    if (code < 32 || code > 255 || code == 127) {
        return static_cast<char>(kDefaultBulletChar);
    }
    return static_cast<char>(static_cast<unsigned char>(code));
}

SlideShape ShapeFromFile(bool isTitle, std::string_view utf8Text, bool bulletVisible,
                         bool allNumbered) {
    SlideShape shape;
    shape.isTitle = isTitle;
    shape.text = Utf8ToWindows1252(utf8Text);
    shape.bulletVisible = bulletVisible;
    shape.bulletType = bulletVisible ? (allNumbered ? kBulletNumbered : 1) : 0;
    return shape;
}

SlideTexts ReadSlideTexts(const SlideContent& slide, char bulletChar) {
    SlideTexts texts;
    std::vector<std::string> bodies;
    for (const SlideShape& shape : slide.shapes) {
        if (shape.text.empty()) {
            continue;
        }
        if (shape.isTitle) {
            texts.title = TitleText(shape.text);
        } else {
            bodies.push_back(BodyText(shape, bulletChar));
        }
    }
    texts.text = texts.title;
    for (const std::string& body : bodies) {
        if (!texts.text.empty()) {
            texts.text += kEmptyLine;
        }
        texts.text += body;
    }
    return texts;
}

std::string SlideLabel(std::size_t number, std::string_view title) {
    std::string label = "Slide " + std::to_string(number);
    if (!title.empty()) {
        label.append(" (").append(title).append(")");
    }
    return label + " : ";
}

std::string SlideShowTitleFromFileName(std::string_view fileName) {
    if (fileName.size() <= kMaxRootTitle) {
        return std::string(fileName);
    }
    const std::size_t dot = fileName.rfind('.');
    const std::size_t room = kMaxRootTitle - kEllipsis.size();
    // An extension too long to leave room for the ellipsis is treated as part of the name.
    if (dot == std::string_view::npos || fileName.size() - dot - 1 > room) {
        return std::string(fileName.substr(0, kMaxRootTitle));
    }
    const std::string_view extension = fileName.substr(dot + 1);
    return std::string(fileName.substr(0, room - extension.size())) + std::string(kEllipsis) +
           std::string(extension);
}

void AddWarning(std::string& warnings, std::string_view warning) {
    if (!warnings.empty()) {
        warnings += kEmptyLine;
    }
    warnings += warning;
}

}  // namespace trovique
