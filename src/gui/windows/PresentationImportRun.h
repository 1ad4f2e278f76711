#pragma once

#include <filesystem>

#include "core/import/PowerPointImport.h"

class QWidget;

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// Imports a presentation into document while the windows stay alive: every call into the
// source (the office converting, slides being drawn) runs on a worker thread while this thread
// lets events run, so that the progress window repaints, its Cancel button is seen and the tree
// grows slide by slide. Meanwhile every window of the program but progressWindow is disabled and
// refuses to close, so that no second command can start and nothing the import works on goes
// away. Returns what core's ImportFromPowerPoint did.
PowerPointImportResult ImportPresentationInBackground(CDocument& document,
                                                      IPresentationSource& source,
                                                      const std::filesystem::path& file,
                                                      QWidget* progressWindow);

}  // namespace trovique::gui
