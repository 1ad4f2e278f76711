#include "core/delivery/AutoImportExportInstall.h"

#include <filesystem>

#include "core/common/Error.h"
#include "core/common/TempFile.h"
#include "core/delivery/InstallTool.h"
#include "core/delivery/PathOps.h"
#include "core/editor/Document.h"
#include "core/import/PowerPointImport.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/FileDialog.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/settings/Application.h"
#include "core/slideshowfile/SlideShowWriter.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxTempPdbNumber = 10000;
constexpr const char* kRunSource = "AutoImportExportInstall";
constexpr const char* kErrorPrefix = "An error has occurred creating Palm Slide Show from file ";

// What the clean-up has to undo, filled in as the run goes.
struct RunState {
    bool hotSync = false;
    std::string target;
    std::string viewerCopy;  // empty until a copy is made
};

// Anything at the path takes the name, a folder or a dangling link too: the export could not
// write there. A path that cannot be looked at counts as taken.
bool Taken(const std::string& path) {
    std::error_code error;
    return fs::symlink_status(PathFromText(path), error).type() != fs::file_type::not_found;
}

// The copy beside the database may be the shipped viewer itself (the database went into the
// DATA folder); that one is never copied over or deleted.
bool IsTheViewerItself(const std::string& copy, const std::string& viewer) {
    std::error_code error;
    return SamePathText(copy, viewer) ||
           fs::equivalent(PathFromText(copy), PathFromText(viewer), error);
}

void RemoveQuietly(const std::string& path) {
    std::error_code error;
    fs::remove(PathFromText(path), error);
}

std::string SystemTempFolder() {
    return EnsureTrailingBackslash(TextFromPath(TemporaryDirectory()));
}

// The HotSync road's target, and the viewer application it needs, checked before the long
// import so that a missing file is known at once.
std::string HotSyncTarget(const DeliveryContext& context, const std::string& presentation) {
    const std::string viewer = ViewerAppPath(context.application);
    if (!FileExists(viewer)) {
        throw CError(kErrFileNotFound, kRunSource,
                     "The handheld viewer application " + viewer + " was not found.");
    }
    const std::string folder = context.tempFolder.empty()
                                   ? SystemTempFolder()
                                   : EnsureTrailingBackslash(context.tempFolder);
    std::string target = TempPdbName(presentation, folder);
    if (target.empty()) {
        throw CError(kErrPathFileAccess, kRunSource,
                     "No free name for the temporary database was found in " + folder + ".");
    }
    return target;
}

// Copies the viewer application beside the database, where the install tool takes both from,
// and returns the path to hand over.
std::string PlaceViewerBeside(const std::string& target, RunState& state,
                              const CApplication& application) {
    const std::string viewer = ViewerAppPath(application);
    const std::string copy = PathFolder(target) + PathFileName(viewer);
    if (IsTheViewerItself(copy, viewer)) {
        return viewer;
    }
    state.viewerCopy = copy;
    // A copy left by an earlier run is replaced; whatever else is there is removed rather than
    // written through, so that a link planted in a shared temporary folder cannot redirect the
    // copy onto another file.
    RemoveQuietly(copy);
    std::error_code error;
    fs::copy_file(PathFromText(viewer), PathFromText(copy), fs::copy_options::none, error);
    if (error) {
        throw CError(kErrPathFileAccess, kRunSource,
                     "The handheld viewer application could not be copied to " + copy + ": " +
                         error.message());
    }
    return copy;
}

void ShowInstallWait(CProgress& progress) {
    progress.SetText(std::string(kApplicationTitle) +
                     " will now wait until you complete and close Palm Install Tool.");
    progress.SetTop(0);
    progress.SetAllowCancel(false);
    progress.SetOnTop(false);
    progress.Show();
}

// Imports and exports; false when the run ends early (nothing chosen, cancelled, a failure the
// import or export has reported). Raises on every other failure.
bool ImportAndDeliver(CDocument& document, DeliveryContext& context, std::string& presentation,
                      RunState& state) {
    CServices& services = document.Services();
    IUserInterface& ui = services.ui;
    if (presentation == kAskForPresentation) {
        presentation = GetFileName(
            services,
            DescribeFileDialog(FileDialogKind::PowerPoint, context.application.LastDataPath()));
        if (presentation.empty()) {
            return false;
        }
    }

    switch (ui.ChooseSlideShowDestination()) {
        case SlideShowDestination::HotSync:
            state.target = HotSyncTarget(context, presentation);
            state.hotSync = true;
            MakeInstallTool(services, context.runner)->CheckReady();
            break;
        case SlideShowDestination::Save:
            state.target = GetFileName(
                services,
                DescribeFileDialog(FileDialogKind::Export, ProposedExportName(presentation)));
            if (state.target.empty()) {
                return false;
            }
            break;
        case SlideShowDestination::Cancel:
            return false;
    }

    CProgress& progress = ui.Progress();
    progress.Clear(false);
    progress.SetText({});
    progress.Show();

    const PowerPointImportResult imported =
        ImportFromPowerPoint(document, context.source, PathFromText(presentation));
    // A cancelled import is not delivered half-way: the user asked to stop.
    if (!imported.succeeded || imported.cancelled) {
        return false;
    }
    if (imported.slidesAdded == 0) {
        throw CError(kErrInvalidValue, kRunSource,
                     "No slide of the presentation could be converted.");
    }
    if (!Export(document, PathFromText(state.target))) {
        return false;
    }
    if (state.hotSync) {
        const std::string viewer = PlaceViewerBeside(state.target, state, context.application);
        ShowInstallWait(progress);
        InstallWithHotSync(services, context.runner, {viewer, state.target}, context.shortPathName);
    }
    return true;
}

// Reached on every way out; never raises.
void CleanUp(CDocument& document, const RunState& state, const CApplication& application) {
    if (state.hotSync) {
        RemoveQuietly(state.target);
    }
    if (!state.viewerCopy.empty() &&
        !IsTheViewerItself(state.viewerCopy, ViewerAppPath(application))) {
        RemoveQuietly(state.viewerCopy);
    }
    document.ForceDirty(false);
    document.Services().ui.Progress().Hide();
}

}  // namespace

std::string TempPdbName(const std::string& presentationFile, const std::string& folder) {
    if (folder.empty()) {
        return {};
    }
    const std::string stem = EnsureTrailingBackslash(folder) + PathBaseName(presentationFile);
    if (const std::string first = stem + ".PDB"; !Taken(first)) {
        return first;
    }
    for (int number = 1; number <= kMaxTempPdbNumber; ++number) {
        const std::string candidate = stem + "." + std::to_string(number) + ".PDB";
        if (!Taken(candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string ProposedExportName(const std::string& presentationFile) {
    return PathFolder(presentationFile) + PathBaseName(presentationFile) + ".pdb";
}

bool AutoImportExportInstall(CDocument& document, DeliveryContext& context,
                             std::string& presentationFile) {
    RunState state;
    bool delivered = false;
    try {
        delivered = ImportAndDeliver(document, context, presentationFile, state);
    } catch (const std::exception& error) {
        const std::string prefix = kErrorPrefix + presentationFile + ": ";
        ReportFailure(document.Services().ui, TrappedErrorText(prefix, error), kStyleCritical);
        delivered = false;
    }
    CleanUp(document, state, context.application);
    return delivered;
}

}  // namespace trovique
