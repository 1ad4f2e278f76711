#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace trovique {

// A private folder (mode 0700) made with mkdtemp in $TMPDIR, or /tmp when that is unset, and
// removed with everything in it when Remove is called or the object goes away. Its name is the
// prefix, the number of the process that made it and a unique ending, so that folders of a run
// that was killed before it could clean up can be found and removed later (RemoveAbandoned).
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

    // Removes the folders with this prefix whose maker no longer runs: our own user's, left by
    // a run that was killed or crashed. Returns how many went. Never raises.
    static std::size_t RemoveAbandoned(const std::string& prefix) noexcept;

private:
    std::filesystem::path path_;
};

}  // namespace trovique
