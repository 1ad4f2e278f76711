#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

struct zip;

namespace trovique {

// Reads parts of a zip archive (an Office Open XML package) with bounds, so that a damaged or
// hostile file cannot make us inflate without end: each part and the sum of all parts read
// have a size limit, and a large part must not claim to have been compressed beyond a ratio
// no real document reaches.
class CZipArchive {
public:
    struct Limits {
        std::uint64_t maxPartSize = 64ull << 20;
        std::uint64_t maxTotalSize = 256ull << 20;
        // Uncompressed / compressed size, checked for parts above ratioCheckFrom bytes (small
        // parts of blanks legitimately compress very well).
        std::uint64_t maxRatio = 200;
        std::uint64_t ratioCheckFrom = 1ull << 20;
    };

    // Raises CError when the file is not a readable zip archive.
    explicit CZipArchive(const std::filesystem::path& file);
    CZipArchive(const std::filesystem::path& file, Limits limits);
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    bool Contains(const std::string& name) const;
    // The part's bytes; nothing when there is no such part. Raises CError when the part is
    // damaged or breaks the limits.
    std::optional<std::string> Read(const std::string& name);

private:
    zip* archive_ = nullptr;
    Limits limits_;
    std::uint64_t totalRead_ = 0;
};

}  // namespace trovique
