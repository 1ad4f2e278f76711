#include "core/document/GenElemInfo.h"

namespace trovique {

IElement* CGenElemInfo::Element() const {
    if (Leaf) {
        return Leaf.get();
    }
    return Node.get();
}

const std::string& CGenElemInfo::Title() const {
    static const std::string kNone;
    const IElement* element = Element();
    return element != nullptr ? element->Title() : kNone;
}

void CGenElemInfo::SetTitle(std::string title) {
    if (IElement* element = Element()) {
        element->SetTitle(std::move(title));
    }
}

}  // namespace trovique
