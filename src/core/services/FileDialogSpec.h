#pragma once

#include <string>
#include <vector>

namespace trovique {

// The file dialogs of the program, numbered as the main window numbers them.
enum class FileDialogKind {
    Open = 0,
    SaveAs = 1,
    Import = 2,
    Export = 3,
    ColorBitmap = 4,
    MonochromeBitmap = 5,
    Bitmap = 6,
    ImportText = 7,
    ImportSpreadsheet = 8,
    PowerPoint = 9,
    PrintTo = 10,
};

// One entry of a dialog's file-type list: "Trovique files (*.sdb)" with the pattern "*.sdb".
struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;

    bool operator==(const FileFilter&) const = default;
};

// Everything a face needs to show a file dialog, so that the windows, the terminal and the
// tests show the same one. Texts are UTF-8.
struct FileDialogSpec {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    bool save = false;  // a dialog that names a file to write
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // without the dot: "sdb"
    std::string initial;           // a folder (ending in a separator) or a file
    bool askReplace = false;       // an existing file asks "Replace existing file?"
};

// The dialog of a kind: its title, filters (extraFiltersFirst before the kind's own), default
// extension, whether it writes and asks before replacing, opened at initial.
FileDialogSpec DescribeFileDialog(FileDialogKind kind, std::string initial,
                                  std::vector<FileFilter> extraFiltersFirst = {});

// The dialog titles, as DescribeFileDialog gives them.
const char* FileDialogTitle(FileDialogKind kind);

// The bitmap kinds remember their folder as the last graphics folder.
bool IsBitmapDialog(FileDialogKind kind);

// Where a dialog opens: initial's folder, with the file name filled in when initial names a
// file. A text ending in a separator, or naming an existing folder, is a folder.
struct FileDialogStart {
    std::string folder;
    std::string fileName;
};
FileDialogStart StartOf(const FileDialogSpec& spec);

// The chosen name with ".ext" of the default extension appended, unless it already ends in
// that extension or in one the dialog's filters list (case ignored), or an opening dialog chose
// a file that exists as named.
std::string WithDefaultExtension(const std::string& chosen, const FileDialogSpec& spec);

}  // namespace trovique
