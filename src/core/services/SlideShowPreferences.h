#pragma once

#include <cstddef>
#include <functional>
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
    // Checks the values before the dialog closes with OK; a refusal has been reported, and the
    // dialog stays open (or is shown again) with what was typed. Empty: every value is taken.
    using Check = std::function<bool(const SlideShowPreferences& values)>;
    Check accept = nullptr;

    // The characters a password holds.
    static constexpr std::size_t kMaxPassword = 8;

    // The values, whatever checks them.
    bool operator==(const SlideShowPreferences& other) const {
        return password == other.password && passwordAgain == other.passwordAgain &&
               beamable == other.beamable && copyable == other.copyable &&
               passwordEditable == other.passwordEditable;
    }
};

}  // namespace trovique
