#include "support/ProgramFixture.h"

#include "support/GuiTestSupport.h"

namespace trovique::guitest {

void ProgramFixture::StartProgram(const QString& folder, const std::vector<Setting>& settings) {
    store_ = std::make_unique<MemorySettingsStore>();
    store_->Set("Norvane Trovique", "Settings", "LastPath", folder.toStdString() + "/");
    for (const Setting& setting : settings) {
        store_->Set("Norvane Trovique", setting.section, setting.key, setting.value);
    }
    ui_ = std::make_unique<gui::CQtUserInterface>();
    application_ = std::make_unique<CApplication>(*store_, BinDir());
    application_->SetAllowGUI(true);
    main_ = std::make_unique<gui::MainWindow>(*store_, *ui_);
    main_->SetApplication(application_.get());
    main_->Load();
    main_->show();
}

}  // namespace trovique::guitest
