#pragma once

#include <filesystem>
#include <string_view>

namespace trovique {

// The folder for temporary files: $TMPDIR when it names a folder, else the system's.
std::filesystem::path TemporaryDirectory();

// A new, empty file that no other file name shares, readable and writable by its owner only,
// removed again when the object goes away.
class CTemporaryFile {
public:
    // Creates folder/prefix followed by a unique suffix. Raises CError 75 naming the folder
    // when no file can be created there.
    CTemporaryFile(const std::filesystem::path& folder, std::string_view prefix);
    ~CTemporaryFile();
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Deletes the file now; false when it could not be deleted.
    bool Remove();

private:
    std::filesystem::path path_;
};

}  // namespace trovique
