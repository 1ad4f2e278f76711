#include "platform/OdfDocument.h"

#include <array>
#include <fstream>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/common/Error.h"
#include "platform/ZipArchive.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSource = "COdfReader";

CError Damaged(const std::string& why) {
    return CError(kErrPathFileAccess, kSource, "The presentation is damaged: " + why + ".");
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kPrefixes{{
    {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
    {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
    {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
    {"draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"},
    {"presentation", "urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"},
    {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
}};

// What a prefix the root declares must become: the customary prefix of its namespace, or, for
// a customary prefix bound to some other namespace, one that matches nothing we read.
std::map<std::string, std::string> PrefixRenames(const pugi::xml_node& root) {
    std::map<std::string, std::string> renames;
    for (const auto& attribute : root.attributes()) {
        const std::string_view name(attribute.name());
        std::string prefix;
        if (name.substr(0, 6) == "xmlns:") {
            prefix = std::string(name.substr(6));
        } else if (name != "xmlns") {
            continue;
        }
        const std::string_view uri(attribute.value());
        std::optional<std::string> wanted;
        bool customary = false;
        for (const auto& [known, knownUri] : kPrefixes) {
            customary = customary || prefix == known;
            if (uri == knownUri) {
                wanted = std::string(known);
            }
        }
        if (!wanted && customary) {
            wanted = "foreign-" + prefix;
        }
        if (wanted && *wanted != prefix) {
            renames[prefix] = *wanted;
        }
    }
    return renames;
}

class PrefixRenamer : public pugi::xml_tree_walker {
public:
    explicit PrefixRenamer(std::map<std::string, std::string> renames)
        : renames_(std::move(renames)) {}

    bool for_each(pugi::xml_node& node) override {
        if (node.type() == pugi::node_element) {
            Rename(node);
            for (auto attribute : node.attributes()) {
                if (std::string_view(attribute.name()).find(':') != std::string_view::npos) {
                    Rename(attribute);
                }
            }
        }
        return true;
    }

    template <class Named>
    void Rename(Named& named) const {
        const std::string_view name(named.name());
        if (name.substr(0, 5) == "xmlns") {
            return;
        }
        const std::size_t colon = name.find(':');
        const std::string prefix(colon == std::string_view::npos ? "" : name.substr(0, colon));
        const auto found = renames_.find(prefix);
        if (found != renames_.end()) {
            const std::string_view local =
                colon == std::string_view::npos ? name : name.substr(colon + 1);
            named.set_name((found->second + ":" + std::string(local)).c_str());
        }
    }

private:
    std::map<std::string, std::string> renames_;
};

bool IsZip(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 4> magic{};
    in.read(magic.data(), magic.size());
    return in && std::string_view(magic.data(), magic.size()) == std::string_view("PK\x03\x04", 4);
}

std::string ReadFlatFile(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error) {
        throw CError(kErrPathFileAccess, kSource,
                     "The presentation " + file.filename().string() +
                         " could not be read: " + error.message() + ".");
    }
    if (size > COdfDocument::kMaxFlatFileSize) {
        throw Damaged("it is larger than " + std::to_string(COdfDocument::kMaxFlatFileSize >> 20) +
                      " MB");
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::ifstream in(file, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in) {
        throw CError(kErrPathFileAccess, kSource,
                     "The presentation " + file.filename().string() + " could not be read.");
    }
    return bytes;
}

// Whether the package's manifest says its content is encrypted: a password protects it.
bool ContentIsEncrypted(CZipArchive& zip) {
    const auto manifest = zip.Read("META-INF/manifest.xml");
    pugi::xml_document document;
    if (!manifest || !document.load_buffer(manifest->data(), manifest->size())) {
        return false;
    }
    for (const auto& entry : document.document_element().children()) {
        const std::string_view name(entry.name());
        if (name.size() >= 10 && name.substr(name.size() - 10) == "file-entry" &&
            std::string_view(entry.attribute("manifest:full-path").value()) == "content.xml") {
            return entry.find_child([](const pugi::xml_node& child) {
                const std::string_view childName(child.name());
                return childName.size() >= 15 &&
                       childName.substr(childName.size() - 15) == "encryption-data";
            });
        }
    }
    return false;
}

}  // namespace

COdfDocument::COdfDocument(const fs::path& file) {
    if (!IsZip(file)) {
        flat_ = true;
        contentBytes_ = ReadFlatFile(file);
        Load(content_, contentBytes_, "the file");
        if (std::string_view(Content().name()) != "office:document") {
            throw Damaged("it is neither an OpenDocument package nor a flat OpenDocument file");
        }
        return;
    }
    CZipArchive zip(file);
    if (ContentIsEncrypted(zip)) {
        throw CError(kErrPathFileAccess, kSource,
                     "The presentation is protected by a password; remove the password in "
                     "LibreOffice Impress, save it and convert it again.");
    }
    auto content = zip.Read("content.xml");
    if (!content) {
        throw Damaged("it has no content part");
    }
    contentBytes_ = std::move(*content);
    Load(content_, contentBytes_, "the part content.xml");
    if (auto styles = zip.Read("styles.xml")) {
        stylesBytes_ = std::move(*styles);
        Load(styles_, stylesBytes_, "the part styles.xml");
    }
}

pugi::xml_node COdfDocument::Styles() const {
    return flat_ ? content_.document_element() : styles_.document_element();
}

void COdfDocument::Load(pugi::xml_document& document, std::string& bytes, const std::string& part) {
    // Whitespace-only runs are kept: between two spans a blank is text.
    const auto parsed = document.load_buffer_inplace(bytes.data(), bytes.size(),
                                                     pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed) {
        throw Damaged(part + " is not well-formed XML (" + parsed.description() + ")");
    }
    if (auto renames = PrefixRenames(document.document_element()); !renames.empty()) {
        PrefixRenamer renamer(std::move(renames));
        document.traverse(renamer);
    }
}

}  // namespace trovique
