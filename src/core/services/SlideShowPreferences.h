#pragma once

#include <string>

namespace trovique {

// What the preferences dialog of a slide show ("Settings for Dictionary") shows and returns:
// the password typed twice and the two switches. Texts are UTF-8.
struct SlideShowPreferences {
    std::string password;
    std::string passwordAgain;
    bool beamable = false;  // "Make Database Beamable"
    bool copyable = false;  // "Mark New Terms As Copy-Enabled"
    // False while the slide show is locked: the password boxes are shown but cannot be changed.
    bool passwordEditable = true;

    bool operator==(const SlideShowPreferences&) const = default;
};

}  // namespace trovique
