#include "FixtureWriters.h"

#include <zip.h>

#include <cstdio>
#include <stdexcept>

#include "support/TestPaths.h"

namespace trovique::test {
namespace {

constexpr const char* kNamespaces =
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";
constexpr const char* kRelationshipType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string Relationships(const std::vector<std::pair<std::string, std::string>>& typeAndTarget) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const auto& [type, target] : typeAndTarget) {
        xml += "<Relationship Id=\"rId" + std::to_string(id++) + "\" Type=\"" + kRelationshipType +
               type + "\" Target=\"" + target + "\"/>";
    }
    return xml + "</Relationships>";
}

std::string Part(const std::string& root, const std::string& shapes,
                 const std::string& extra = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><p:" + root + " " + kNamespaces +
           "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
           "</p:nvGrpSpPr><p:grpSpPr/>" +
           shapes + "</p:spTree></p:cSld>" + extra + "</p:" + root + ">";
}

constexpr const char* kOdfNamespaces =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\" "
    "xmlns:xlink=\"http://www.w3.org/1999/xlink\"";

std::string OdfBody(const std::vector<OdfTestSlide>& slides) {
    std::string pages;
    for (const auto& slide : slides) {
        pages +=
            "<draw:page draw:master-page-name=\"Default\">" + slide.shapes +
            (slide.notes.empty() ? ""
                                 : "<presentation:notes>" + slide.notes + "</presentation:notes>") +
            "</draw:page>";
    }
    return "<office:body><office:presentation>" + pages + "</office:presentation></office:body>";
}

std::string OdfRoot(const std::string& name, const std::string& inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:" + name + " " + kOdfNamespaces +
           " office:version=\"1.3\">" + inner + "</office:" + name + ">";
}

}  // namespace

std::string FlatOdfPresentation(const std::vector<OdfTestSlide>& slides, const std::string& styles,
                                const std::string& automaticStyles) {
    return OdfRoot("document", "<office:styles>" + styles +
                                   "</office:styles><office:automatic-styles>" + automaticStyles +
                                   "</office:automatic-styles>" + OdfBody(slides));
}

PackageParts OdfPackage(const std::vector<OdfTestSlide>& slides, const std::string& styles,
                        const std::string& automaticStyles) {
    return {{"mimetype", "application/vnd.oasis.opendocument.presentation"},
            {"content.xml",
             OdfRoot("document-content", "<office:automatic-styles>" + automaticStyles +
                                             "</office:automatic-styles>" + OdfBody(slides))},
            {"styles.xml",
             OdfRoot("document-styles", "<office:styles>" + styles + "</office:styles>")}};
}

std::string OdfFrame(const std::string& presentationClass, const std::string& text) {
    const std::string kind =
        presentationClass.empty() ? "" : " presentation:class=\"" + presentationClass + "\"";
    return "<draw:frame" + kind + "><draw:text-box>" + text + "</draw:text-box></draw:frame>";
}

void WriteZip(const std::filesystem::path& file, const PackageParts& parts) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        throw std::runtime_error("cannot create " + file.string());
    }
    for (const auto& [name, bytes] : parts) {
        // libzip reads the buffer when the archive is closed; the map outlives that.
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (source == nullptr ||
            zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add " + name);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + file.string());
    }
}

PackageParts MinimalPresentation(const std::vector<TestSlide>& slides,
                                 const std::string& layoutShapes, const std::string& masterShapes,
                                 const std::string& masterTextStyles) {
    PackageParts parts;
    parts["_rels/.rels"] = Relationships({{"officeDocument", "ppt/presentation.xml"}});
    std::vector<std::pair<std::string, std::string>> presentationRelationships = {
        {"slideMaster", "slideMasters/slideMaster1.xml"}};
    std::string slideList;
    for (std::size_t i = 0; i < slides.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        presentationRelationships.push_back({"slide", "slides/slide" + number + ".xml"});
        slideList += "<p:sldId id=\"" + std::to_string(256 + i) + "\" r:id=\"rId" +
                     std::to_string(i + 2) + "\"/>";
        std::vector<std::pair<std::string, std::string>> slideRelationships = {
            {"slideLayout", "../slideLayouts/slideLayout1.xml"}};
        if (!slides[i].notesShapes.empty()) {
            slideRelationships.push_back(
                {"notesSlide", "../notesSlides/notesSlide" + number + ".xml"});
            parts["ppt/notesSlides/notesSlide" + number + ".xml"] =
                Part("notes", slides[i].notesShapes);
        }
        parts["ppt/slides/slide" + number + ".xml"] = Part("sld", slides[i].shapes);
        parts["ppt/slides/_rels/slide" + number + ".xml.rels"] = Relationships(slideRelationships);
    }
    parts["ppt/presentation.xml"] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><p:presentation " +
                                    std::string(kNamespaces) +
                                    "><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" "
                                    "r:id=\"rId1\"/></p:sldMasterIdLst><p:sldIdLst>" +
                                    slideList + "</p:sldIdLst></p:presentation>";
    parts["ppt/_rels/presentation.xml.rels"] = Relationships(presentationRelationships);
    parts["ppt/slideLayouts/slideLayout1.xml"] = Part("sldLayout", layoutShapes);
    parts["ppt/slideLayouts/_rels/slideLayout1.xml.rels"] =
        Relationships({{"slideMaster", "../slideMasters/slideMaster1.xml"}});
    parts["ppt/slideMasters/slideMaster1.xml"] =
        Part("sldMaster", masterShapes, "<p:txStyles>" + masterTextStyles + "</p:txStyles>");
    return parts;
}

std::string Shape(const std::string& placeholder, const std::string& body) {
    const std::string properties =
        placeholder.empty() ? "<p:nvPr/>" : "<p:nvPr><p:ph " + placeholder + "/></p:nvPr>";
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Shape\"/><p:cNvSpPr/>" + properties +
           "</p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/>" + body + "</p:txBody></p:sp>";
}

std::string Paragraph(const std::string& text, const std::string& properties,
                      const std::string& attributes) {
    return "<a:p><a:pPr " + attributes + ">" + properties +
           "</a:pPr><a:r><a:rPr lang=\"en-US\"/><a:t>" + text + "</a:t></a:r></a:p>";
}

void WritePdf(const std::filesystem::path& file, const std::vector<PdfPage>& pages) {
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "",
                                        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    std::string kids;
    for (const auto& page : pages) {
        const std::size_t pageNumber = objects.size() + 1;
        kids += std::to_string(pageNumber) + " 0 R ";
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " +
                          std::to_string(page.width) + " " + std::to_string(page.height) +
                          "] /Contents " + std::to_string(pageNumber + 1) +
                          " 0 R /Resources << /Font << /F1 3 0 R >> >> >>");
        objects.push_back("<< /Length " + std::to_string(page.content.size()) + " >>\nstream\n" +
                          page.content + "\nendstream");
    }
    objects[1] =
        "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const auto offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    test::WriteAllBytes(file, {pdf.begin(), pdf.end()});
}

}  // namespace trovique::test
