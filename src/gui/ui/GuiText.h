#pragma once

#include <QString>
#include <string>

namespace trovique::gui {

// Texts that cross the user-interface seam (UTF-8, line breaks CR LF), as the windows show
// them and back. The one place where the windows convert.
QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

// File paths are UTF-8 in core, whatever its texts are.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace trovique::gui
