#pragma once

#include <exception>
#include <string_view>

#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

// What the content edits of the document's panes share: their error trap and the lookup of the
// leaf an edit changes.
namespace trovique::content {

inline constexpr std::string_view kErrorPrefix = "An error has occurred: ";

// Runs an edit; an error it raises is reported and the edit answers false.
template <class Body>
bool Trapped(IUserInterface& ui, Body&& body) {
    try {
        return body();
    } catch (const std::exception& error) {
        ReportFailure(ui, TrappedErrorText(kErrorPrefix, error), kStyleInformation);
        return false;
    }
}

// The leaf an edit of the leaf pane changes. Raises when item is not a live leaf; null, after
// the locked notice, while the slide show's password locks the leaf.
CLeaf* LeafForEdit(CDocument& document, int item);

}  // namespace trovique::content
