#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <string>

namespace trovique {

// The XML of an OpenDocument file, either packaging: a package (a zip holding content.xml and
// styles.xml) or a flat file (one office:document holding both). Element and attribute
// prefixes are made the customary ones (office:, style:, text:, draw:, presentation:, table:)
// whatever the file declares, so that readers can match qualified names.
//
// A file that is neither packaging, a package without content.xml, XML that is not
// well-formed or a file beyond the size limits raises CError ("The presentation is damaged:
// ..."), and so does a package whose content a password protects. A package's parts are read within
// CZipArchive's limits.
class COdfDocument {
public:
    // Larger than any real flat presentation; pictures inside one are base64 text.
    static constexpr std::uintmax_t kMaxFlatFileSize = 256ull << 20;

    explicit COdfDocument(const std::filesystem::path& file);
    COdfDocument(const COdfDocument&) = delete;
    COdfDocument& operator=(const COdfDocument&) = delete;

    // The root of the document content (office:document-content, or office:document).
    pugi::xml_node Content() const { return content_.document_element(); }
    // The root of the styles (office:document-styles, or office:document); empty when a
    // package has no styles part.
    pugi::xml_node Styles() const;

private:
    // Parses bytes in place: they stay with the document, which points into them.
    void Load(pugi::xml_document& document, std::string& bytes, const std::string& part);

    std::string contentBytes_;
    std::string stylesBytes_;
    pugi::xml_document content_;
    pugi::xml_document styles_;
    bool flat_ = false;
};

}  // namespace trovique
