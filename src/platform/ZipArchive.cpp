#include "platform/ZipArchive.h"

#include <zip.h>

#include <memory>

#include "core/common/Error.h"

namespace trovique {
namespace {

constexpr const char* kSource = "CZipArchive";

CError Damaged(const std::string& why) {
    return CError(kErrPathFileAccess, kSource, "The presentation is damaged: " + why + ".");
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

CZipArchive::CZipArchive(const std::filesystem::path& file) : CZipArchive(file, Limits{}) {}

CZipArchive::CZipArchive(const std::filesystem::path& file, Limits limits) : limits_(limits) {
    int error = 0;
    archive_ = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (archive_ == nullptr) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const std::string why = zip_error_strerror(&details);
        zip_error_fini(&details);
        throw Damaged("it is not a readable zip package (" + why + ")");
    }
}

CZipArchive::~CZipArchive() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
    }
}

bool CZipArchive::Contains(const std::string& name) const {
    return zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

std::optional<std::string> CZipArchive::Read(const std::string& name) {
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) {
        return std::nullopt;
    }
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &info) != 0 ||
        (info.valid & ZIP_STAT_SIZE) == 0 || (info.valid & ZIP_STAT_COMP_SIZE) == 0) {
        throw Damaged("the part " + name + " cannot be read");
    }
    if (info.size > limits_.maxPartSize) {
        throw Damaged("the part " + name + " is larger than any presentation part should be");
    }
    if (info.size >= limits_.ratioCheckFrom &&
        (info.comp_size == 0 || info.size / info.comp_size > limits_.maxRatio)) {
        throw Damaged("the part " + name + " claims an impossible compression ratio");
    }
    if (totalRead_ + info.size > limits_.maxTotalSize) {
        throw Damaged("its parts add up to more than any presentation should hold");
    }

    std::unique_ptr<zip_file_t, FileCloser> file(
        zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
    if (!file) {
        throw Damaged("the part " + name + " cannot be opened (" + zip_strerror(archive_) + ")");
    }
    // Read one byte past the stated size: a part that inflates to more than it says is lying.
    std::string bytes(static_cast<std::size_t>(info.size) + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const zip_int64_t count =
            zip_fread(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0) {
            throw Damaged("the part " + name + " cannot be inflated (" +
                          zip_file_strerror(file.get()) + ")");
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    if (filled != info.size) {
        throw Damaged("the part " + name + " is not the size its entry states");
    }
    bytes.resize(filled);
    totalRead_ += filled;
    return bytes;
}

}  // namespace trovique
