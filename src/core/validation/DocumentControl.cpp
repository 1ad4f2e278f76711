#include "core/validation/DocumentControl.h"

namespace trovique {

std::string_view DocumentControlName(DocumentControl control) {
    switch (control) {
        case DocumentControl::None:
            return {};
        case DocumentControl::Tree:
            return "tree";
        case DocumentControl::SlideShowTitle:
            return "slide-show-title";
        case DocumentControl::CreatorID:
            return "creator-id";
        case DocumentControl::LabelOnPalm:
            return "label-on-palm";
        case DocumentControl::SplashText:
            return "splash-text";
        case DocumentControl::ContactText:
            return "contact-text";
        case DocumentControl::NodeTitle:
            return "node-title";
        case DocumentControl::LeafTitle:
            return "leaf-title";
        case DocumentControl::Difficulty:
            return "difficulty";
        case DocumentControl::Question:
            return "question";
        case DocumentControl::FirstAnswer:
            return "answer-1";
        case DocumentControl::SecondAnswer:
            return "answer-2";
        case DocumentControl::ColorBitmapButton:
            return "color-bitmap";
        case DocumentControl::SeeAlso1:
            return "see-also-1";
        case DocumentControl::SeeAlso2:
            return "see-also-2";
        case DocumentControl::SeeAlso3:
            return "see-also-3";
    }
    return {};
}

DocumentControl SeeAlsoControl(int slot) {
    switch (slot) {
        case 1:
            return DocumentControl::SeeAlso1;
        case 2:
            return DocumentControl::SeeAlso2;
        case 3:
            return DocumentControl::SeeAlso3;
        default:
            return DocumentControl::None;
    }
}

}  // namespace trovique
