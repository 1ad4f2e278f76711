#pragma once

#include <string>
#include <string_view>

namespace trovique {

// The legal notice of the program's version information, shown by the splash and About windows.
inline constexpr std::string_view kLegalNotice =
    "Copyright \xC2\xA9 Norvane Inc. All rights reserved.";

// "Version " followed by the major and minor numbers of version ("2.3" of "2.3.1"), UTF-8.
std::string VersionText(std::string_view version);
// The same for this build.
std::string VersionText();

// The caption of the About window: "About " followed by the application title.
std::string AboutCaption();

}  // namespace trovique
