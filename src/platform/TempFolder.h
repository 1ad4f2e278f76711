#pragma once

#include <filesystem>
#include <string>

namespace trovique {

// A private folder (mode 0700) made with mkdtemp in $TMPDIR, or /tmp when that is unset, and
// removed with everything in it when Remove is called or the object goes away.
class CTempFolder {
public:
    // Raises CError when the folder cannot be made. prefix starts the folder's name.
    explicit CTempFolder(const std::string& prefix);
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Removes the folder now; later calls do nothing. Never raises.
    void Remove() noexcept;

private:
    std::filesystem::path path_;
};

}  // namespace trovique
