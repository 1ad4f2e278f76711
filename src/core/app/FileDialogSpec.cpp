#include "core/app/FileDialogSpec.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace trovique {
namespace {

const FileFilter& WorkingFiles() {
    static const FileFilter filter{"Trovique files (*.sdb)", {"*.sdb"}};
    return filter;
}
const FileFilter& PalmDatabases() {
    static const FileFilter filter{"Trovique for Palm files (*.pdb)", {"*.pdb"}};
    return filter;
}
const FileFilter& Bitmaps() {
    static const FileFilter filter{"Bitmap Files (*.bmp)", {"*.bmp"}};
    return filter;
}
const FileFilter& AllFiles() {
    static const FileFilter filter{"All Files (*.*)", {"*.*"}};
    return filter;
}

// The office suite reads more presentation formats than PowerPoint's own; they come first so
// that the dialog shows all of them at once.
const FileFilter& Presentations() {
    static const FileFilter filter{"Presentations (*.pptx;*.ppt;*.pps;*.odp;*.fodp;*.key)",
                                   {"*.pptx", "*.ppt", "*.pps", "*.odp", "*.fodp", "*.key"}};
    return filter;
}

struct KindDescription {
    const char* title;
    const char* defaultExtension;
    std::vector<FileFilter> filters;
};

KindDescription Describe(FileDialogKind kind) {
    switch (kind) {
        case FileDialogKind::Open:
            return {"Open", "sdb", {WorkingFiles()}};
        case FileDialogKind::SaveAs:
            return {"Save As", "sdb", {WorkingFiles()}};
        case FileDialogKind::Import:
            return {"Import", "pdb", {PalmDatabases()}};
        case FileDialogKind::Export:
            return {"Export", "pdb", {PalmDatabases()}};
        case FileDialogKind::ColorBitmap:
            return {"Open Color Bitmap", "bmp", {Bitmaps()}};
        case FileDialogKind::MonochromeBitmap:
            return {"Open Monochrome Bitmap", "bmp", {Bitmaps()}};
        case FileDialogKind::Bitmap:
            return {"Open Bitmap", "bmp", {Bitmaps()}};
        case FileDialogKind::ImportText:
            return {"Open Import File", "txt", {{"Text Files (*.txt)", {"*.txt"}}, AllFiles()}};
        case FileDialogKind::ImportSpreadsheet:
            return {"Open Import File", "xls", {{"Excel Files (*.xls)", {"*.xls"}}, AllFiles()}};
        case FileDialogKind::PowerPoint:
            return {"Open PowerPoint File",
                    "ppt",
                    {Presentations(), {"PowerPoint Files (*.ppt)", {"*.ppt"}}, AllFiles()}};
        case FileDialogKind::PrintTo:
            return {"Print To", "rtf", {{"RTF Files (*.rtf)", {"*.rtf"}}, AllFiles()}};
    }
    return {"", "", {AllFiles()}};
}

bool IsWritingKind(FileDialogKind kind) {
    return kind == FileDialogKind::SaveAs || kind == FileDialogKind::Export ||
           kind == FileDialogKind::PrintTo;
}

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (end.size() > text.size()) {
        return false;
    }
    return std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// ".sdb" of "*.sdb"; nothing for "*.*" and other patterns that name no one extension.
std::string ExtensionOf(const std::string& pattern) {
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
        pattern.find_first_of("*?", 2) != std::string::npos) {
        return {};
    }
    return pattern.substr(1);
}

}  // namespace

const char* FileDialogTitle(FileDialogKind kind) {
    return Describe(kind).title;
}

FileDialogSpec DescribeFileDialog(FileDialogKind kind, std::string initial,
                                  std::vector<FileFilter> extraFiltersFirst) {
    KindDescription description = Describe(kind);
    FileDialogSpec spec;
    spec.kind = kind;
    spec.title = description.title;
    spec.save = IsWritingKind(kind);
    spec.askReplace = spec.save;
    spec.defaultExtension = description.defaultExtension;
    spec.initial = std::move(initial);
    spec.filters = std::move(extraFiltersFirst);
    spec.filters.insert(spec.filters.end(), description.filters.begin(), description.filters.end());
    return spec;
}

bool IsBitmapDialog(FileDialogKind kind) {
    return kind == FileDialogKind::ColorBitmap || kind == FileDialogKind::MonochromeBitmap ||
           kind == FileDialogKind::Bitmap;
}

FileDialogStart StartOf(const FileDialogSpec& spec) {
    const std::string& initial = spec.initial;
    std::error_code error;
    if (initial.empty() || IsSeparator(initial.back()) ||
        std::filesystem::is_directory(PathOf(initial), error)) {
        return {initial, {}};
    }
    const auto split = std::find_if(initial.rbegin(), initial.rend(), IsSeparator).base();
    return {std::string(initial.begin(), split), std::string(split, initial.end())};
}

std::string WithDefaultExtension(const std::string& chosen, const FileDialogSpec& spec) {
    if (spec.defaultExtension.empty() ||
        EndsWithIgnoringCase(chosen, "." + spec.defaultExtension)) {
        return chosen;
    }
    for (const FileFilter& filter : spec.filters) {
        for (const std::string& pattern : filter.patterns) {
            const std::string extension = ExtensionOf(pattern);
            if (!extension.empty() && EndsWithIgnoringCase(chosen, extension)) {
                return chosen;
            }
        }
    }
    std::error_code error;
    if (!spec.save && std::filesystem::is_regular_file(PathOf(chosen), error)) {
        return chosen;
    }
    return chosen + "." + spec.defaultExtension;
}

}  // namespace trovique
