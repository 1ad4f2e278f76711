#pragma once

#include <string>

#include "core/delivery/HotSyncInstall.h"

namespace trovique {

class CApplication;
class CDocument;
class IPresentationSource;
class IProcessRunner;

// The presentation name that asks the user for the presentation.
inline constexpr const char* kAskForPresentation = "##__TQASK.NOEXT";

// What the automatic conversion needs besides the slide show it fills (which brings the
// settings and the user interface).
struct DeliveryContext {
    const CApplication& application;  // the viewer application's path, the last data folder
    IPresentationSource& source;      // reads the presentation
    IProcessRunner& runner;           // starts the install tool
    // Where the HotSync road writes its database, ending in a separator; empty for the
    // system's folder for temporary files.
    std::string tempFolder;
    // Empty where the platform has no short path names.
    ShortPathNameFunction shortPathName;
};

// A name in folder for the database of the HotSync road that no file or folder has yet: the
// presentation's base name B as B.PDB, else B.1.PDB, B.2.PDB ... up to B.10000.PDB. Empty when
// all are taken or folder is empty.
std::string TempPdbName(const std::string& presentationFile, const std::string& folder);

// The file the Save road proposes: the presentation's folder and base name with ".pdb".
std::string ProposedExportName(const std::string& presentationFile);

// The automatic conversion of one presentation, without windows of its own: asks for the
// presentation when it is kAskForPresentation (presentationFile then holds the choice), asks for
// the destination, imports every slide into document and exports it, either to a file the user
// names (Save) or to a temporary database that is handed with a copy of the viewer application
// to the Palm install tool (HotSync). Cancel ends the run before anything is imported.
//
// Every way out cleans up: the temporary database and the viewer copy are deleted, the slide
// show is marked clean so that closing it asks nothing, and the progress window is hidden. Any
// error is reported as "An error has occurred creating Palm Slide Show from file " + the
// presentation + ": " + its description, with the critical style; import and export report
// their own failures. True when the slide show was exported and nothing failed afterwards.
bool AutoImportExportInstall(CDocument& document, DeliveryContext& context,
                             std::string& presentationFile);

}  // namespace trovique
