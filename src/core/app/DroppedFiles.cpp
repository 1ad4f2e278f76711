#include "core/app/DroppedFiles.h"

#include <algorithm>
#include <cctype>

#include "core/services/ApplicationTitle.h"

namespace trovique {

DropAction ClassifyDroppedFile(const std::string& file) {
    const std::size_t dot = file.find_last_of('.');
    const std::size_t separator = file.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return DropAction::Refuse;
    }
    std::string extension = file.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (extension == "SDB") {
        return DropAction::Open;
    }
    if (extension == "PDB") {
        return DropAction::Import;
    }
    return DropAction::Refuse;
}

std::string UnrecognizedFileTypeText(const std::string& file) {
    return std::string(kApplicationTitle) + " does not recognize the file type for " + file +
           ".  This file will not be processed.";
}

}  // namespace trovique
