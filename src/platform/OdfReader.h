#pragma once

#include <filesystem>
#include <vector>

#include "core/import/PresentationSource.h"

namespace trovique {

// Reads the slides of an OpenDocument presentation, packaged (.odp) or flat (.fodp): the
// draw:page elements in order, each page's text-bearing shapes in drawing order with group
// members included, the first shape of class "title" as the title, whether bullets show and
// whether they are numbered (from the lists, their list styles, the paragraph and shape styles
// and, for outlines, the master's outline styles), and the notes: the first "notes" shape with
// text on the page's notes, or failing that its first plain text box with text. Text comes out
// as CPptxReader gives it: Windows-1252, paragraphs joined with CR LF, a line break inside a
// paragraph as character 11.
//
// A file that is not an OpenDocument presentation, is damaged or breaks the size limits raises
// CError ("The presentation is damaged: ...").
class COdfReader {
public:
    explicit COdfReader(const std::filesystem::path& file);

    const std::vector<SlideContent>& Slides() const { return slides_; }

private:
    std::vector<SlideContent> slides_;
};

}  // namespace trovique
