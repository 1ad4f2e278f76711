#pragma once

#include <string_view>

namespace trovique {

// The controls of a slide show window that a validation finding leads the author to. The window
// maps each to its own widget; None leaves the focus where it is.
enum class DocumentControl {
    None,
    Tree,
    // Root pane
    SlideShowTitle,
    CreatorID,
    LabelOnPalm,
    SplashText,
    ContactText,
    // Node pane
    NodeTitle,
    // Leaf pane
    LeafTitle,
    Difficulty,
    Question,
    FirstAnswer,
    SecondAnswer,
    ColorBitmapButton,
    SeeAlso1,
    SeeAlso2,
    SeeAlso3,
};

// A short stable name ("question", "see-also-2"; empty for None), for reports that leave the
// program.
std::string_view DocumentControlName(DocumentControl control);

// The See-Also box of slot 1 to 3.
DocumentControl SeeAlsoControl(int slot);

}  // namespace trovique
