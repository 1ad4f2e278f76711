#pragma once

#include <filesystem>
#include <vector>

#include "core/import/PresentationSource.h"

namespace trovique {

// Reads the slides of an Office Open XML presentation (.pptx): the slide order of the
// presentation part, each slide's text-bearing shapes in drawing order with group members
// included, the title placeholder, whether bullets show and whether they are numbered (from the
// paragraph, the shape's list style, the layout and master placeholders and the master's text
// styles, in that order), and the notes: the first body placeholder with text on the slide's
// notes page, or failing that its first plain text box with text. Text comes out in Windows-1252,
// paragraphs joined with CR LF and a line break inside a paragraph as character 11.
//
// A package that is not a zip, lacks its presentation part or a slide part, or breaks the size
// limits of CZipArchive raises CError. A missing notes page, layout or master only loses what
// it would have added.
class CPptxReader {
public:
    explicit CPptxReader(const std::filesystem::path& file);

    const std::vector<SlideContent>& Slides() const { return slides_; }

private:
    std::vector<SlideContent> slides_;
};

}  // namespace trovique
