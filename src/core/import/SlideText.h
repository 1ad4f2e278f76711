#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/import/PresentationSource.h"
#include "core/services/SettingsStore.h"

namespace trovique {

// The texts of a slide as a leaf keeps them. All texts are Windows-1252 with CR LF line breaks.
struct SlideTexts {
    // The title shape's text on one line; empty when the slide has no title.
    std::string title;
    // The title, then every other text in shape order, separated by empty lines.
    std::string text;
};

// Bullet type of numbered paragraphs.
inline constexpr int kBulletNumbered = 2;
// The bullet character used when the setting holds none: the Windows-1252 bullet.
inline constexpr unsigned char kDefaultBulletChar = 149;

// One bullet per line of text (lines split at CR LF): the bullet character or, for numbered
// bullets, the line's number and a full stop, then a blank and the line, then CR LF. An empty
// line stays an empty line without a bullet. An empty text gives an empty result.
std::string FormatBullets(std::string_view text, int bulletType, char bulletChar);

// The bullet character from "Settings"/"BulletChar". A value that is missing, or that names no
// printable character (0 would end the text field it is stored in), gives the default.
char BulletCharSetting(const ISettingsStore& settings);

// A shape as a presentation file's reader found it: its text in UTF-8, whether its paragraphs
// show bullets and whether all of those are numbers.
SlideShape ShapeFromFile(bool isTitle, std::string_view utf8Text, bool bulletVisible,
                         bool allNumbered);

// The title and text of a slide from its shapes.
SlideTexts ReadSlideTexts(const SlideContent& slide, char bulletChar);

// "Slide 4 (Results) : ", or "Slide 4 : " for a slide without a title; every warning about the
// slide starts with it.
std::string SlideLabel(std::size_t number, std::string_view title);

// The slide show title made from a presentation's file name, shortened to the 25 characters a
// root title holds: its start, "..." and the extension.
std::string SlideShowTitleFromFileName(std::string_view fileName);

// Appends one warning to a list of warnings, after an empty line unless it is the first.
void AddWarning(std::string& warnings, std::string_view warning);

}  // namespace trovique
