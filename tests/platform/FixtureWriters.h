#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace trovique::test {

// Files the platform tests read: zip packages, presentations and PDFs, written here so that
// every case states exactly what it feeds the code.

// Part name -> bytes; written in name order.
using PackageParts = std::map<std::string, std::string>;

// Writes a zip archive with libzip, every entry deflated.
void WriteZip(const std::filesystem::path& file, const PackageParts& parts);

// One slide of a presentation made for a test: the inner XML of its shape tree and, when not
// empty, the inner XML of its notes page's shape tree.
struct TestSlide {
    std::string shapes;
    std::string notesShapes;
};

// The parts of a minimal presentation: the package relationships, the presentation part, one
// master and one layout (their shape trees and the master's text styles as given) and the
// slides with their notes pages.
PackageParts MinimalPresentation(const std::vector<TestSlide>& slides,
                                 const std::string& layoutShapes = "",
                                 const std::string& masterShapes = "",
                                 const std::string& masterTextStyles = "");

// A shape with a text body. placeholder is the inner attributes of p:ph ("type=\"title\""),
// or empty for a plain text box; body holds a:lstStyle and a:p elements.
std::string Shape(const std::string& placeholder, const std::string& body);
// A paragraph of one run; properties is the inner XML of a:pPr, attributes its attributes.
std::string Paragraph(const std::string& text, const std::string& properties = "",
                      const std::string& attributes = "");

// One slide of an OpenDocument presentation made for a test: the inner XML of its draw:page
// and, when not empty, that of its presentation:notes.
struct OdfTestSlide {
    std::string shapes;
    std::string notes;
};

// A flat presentation (office:document): styles go into office:styles, automaticStyles into
// office:automatic-styles.
std::string FlatOdfPresentation(const std::vector<OdfTestSlide>& slides,
                                const std::string& styles = "",
                                const std::string& automaticStyles = "");
// The same presentation as a package: content.xml with the slides and the automatic styles,
// styles.xml with the common styles.
PackageParts OdfPackage(const std::vector<OdfTestSlide>& slides, const std::string& styles = "",
                        const std::string& automaticStyles = "");
// A frame of presentation class presentationClass ("" for a plain text box) whose text box
// holds text.
std::string OdfFrame(const std::string& presentationClass, const std::string& text);

struct PdfPage {
    double width;  // points
    double height;
    std::string content;  // the page's content stream; font F1 is Helvetica
};

// Writes a PDF with a correct cross-reference table.
void WritePdf(const std::filesystem::path& file, const std::vector<PdfPage>& pages);

}  // namespace trovique::test
