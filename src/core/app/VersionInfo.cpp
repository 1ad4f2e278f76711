#include "core/app/VersionInfo.h"

#include "core/services/ApplicationTitle.h"

#ifndef TROVIQUE_VERSION
#define TROVIQUE_VERSION "0.0.0"
#endif

namespace trovique {

std::string VersionText(std::string_view version) {
    const auto firstDot = version.find('.');
    const auto secondDot =
        firstDot == std::string_view::npos ? firstDot : version.find('.', firstDot + 1);
    return "Version " + std::string(version.substr(0, secondDot));
}

std::string VersionText() {
    return VersionText(TROVIQUE_VERSION);
}

std::string AboutCaption() {
    return "About " + std::string(kApplicationTitle);
}

}  // namespace trovique
