#include "gui/ui/GuiText.h"

namespace trovique::gui {

QString FromCore(const std::string& text) {
    // Line breaks are CR LF in core; the widgets break at LF alone.
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string ToCore(const QString& text) {
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return crlf.toStdString();
}

QString FromPath(const std::string& path) {
    return QString::fromStdString(path);
}

std::string ToPath(const QString& path) {
    return path.toStdString();
}

}  // namespace trovique::gui
