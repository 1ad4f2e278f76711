#pragma once

#include <filesystem>
#include <string>

namespace trovique {

// Keeps a copy of an office user profile that has been through its first start, so that each
// import can begin from a fresh private copy of it instead of paying for the office's first-start
// work (a second or so) every time. The copy belongs to one installation of the office: its
// stamp (the office binary's path, size and time) must match, so an upgrade starts over.
//
// Everything here is an optimisation: a folder that cannot be read or written only means the
// import starts from an empty profile, as it would the first time.
class COfficeProfileCache {
public:
    // folder empty: no cache.
    explicit COfficeProfileCache(std::filesystem::path folder);

    // $XDG_CACHE_HOME/trovique/libreoffice-profile, or ~/.cache/...; empty when neither is known.
    static std::filesystem::path DefaultFolder();
    // Identifies the installation that program (found on PATH) belongs to.
    static std::string InstallationStamp(const std::filesystem::path& program);

    // Copies the kept profile to profile when it was made by the installation stamp names.
    bool CopyTo(const std::filesystem::path& profile, const std::string& stamp) const;
    // Keeps profile, which the office has just used successfully, for later imports.
    void Keep(const std::filesystem::path& profile, const std::string& stamp) const noexcept;
    // Forgets the kept profile, when the office could not even start from it.
    void Discard() const noexcept;

private:
    std::filesystem::path folder_;
};

}  // namespace trovique
