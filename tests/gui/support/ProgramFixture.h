#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/MainWindow.h"

namespace trovique::guitest {

// The program as the window tests drive it: settings in memory, the Qt dialogs, the
// application's settings and the main window, loaded and shown.
class ProgramFixture {
public:
    // A stored value set before the main window loads: section, key, value.
    struct Setting {
        std::string section, key, value;
    };

protected:
    // Starts the program with its file dialogs opening in folder.
    void StartProgram(const QString& folder, const std::vector<Setting>& settings = {});

    std::unique_ptr<MemorySettingsStore> store_;
    std::unique_ptr<gui::CQtUserInterface> ui_;
    std::unique_ptr<CApplication> application_;
    std::unique_ptr<gui::MainWindow> main_;
};

}  // namespace trovique::guitest
