#include "core/services/FileDialogSpec.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace trovique {
namespace {

// An entry for one kind of file: "Bitmap Files (*.bmp)" with "*.bmp".
FileFilter Only(const char* description, const char* pattern) {
    return {std::string(description) + " (" + pattern + ")", {pattern}};
}

const FileFilter kWorkingFiles = Only("Trovique files", "*.sdb");
const FileFilter kPalmDatabases = Only("Trovique for Palm files", "*.pdb");
const FileFilter kBitmaps = Only("Bitmap Files", "*.bmp");
const FileFilter kAllFiles = Only("All Files", "*.*");

// The office suite reads more presentation formats than PowerPoint's own; they come first so
// that the dialog shows all of them at once.
const FileFilter kPresentations{"Presentations (*.pptx;*.ppt;*.pps;*.odp;*.fodp;*.key)",
                                {"*.pptx", "*.ppt", "*.pps", "*.odp", "*.fodp", "*.key"}};

struct KindDescription {
    const char* title;
    const char* defaultExtension;
    std::vector<FileFilter> filters;
};

KindDescription Describe(FileDialogKind kind) {
    switch (kind) {
        case FileDialogKind::Open:
            return {"Open", "sdb", {kWorkingFiles}};
        case FileDialogKind::SaveAs:
            return {"Save As", "sdb", {kWorkingFiles}};
        case FileDialogKind::Import:
            return {"Import", "pdb", {kPalmDatabases}};
        case FileDialogKind::Export:
            return {"Export", "pdb", {kPalmDatabases}};
        case FileDialogKind::ColorBitmap:
            return {"Open Color Bitmap", "bmp", {kBitmaps}};
        case FileDialogKind::MonochromeBitmap:
            return {"Open Monochrome Bitmap", "bmp", {kBitmaps}};
        case FileDialogKind::Bitmap:
            return {"Open Bitmap", "bmp", {kBitmaps}};
        case FileDialogKind::ImportText:
            return {"Open Import File", "txt", {Only("Text Files", "*.txt"), kAllFiles}};
        case FileDialogKind::ImportSpreadsheet:
            return {"Open Import File", "xls", {Only("Excel Files", "*.xls"), kAllFiles}};
        case FileDialogKind::PowerPoint:
            return {"Open PowerPoint File",
                    "ppt",
                    {kPresentations, Only("PowerPoint Files", "*.ppt"), kAllFiles}};
        case FileDialogKind::PrintTo:
            return {"Print To",
                    "rtf",
                    {Only("RTF Files", "*.rtf"), Only("PDF Files", "*.pdf"), kAllFiles}};
    }
    return {"", "", {kAllFiles}};
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
