#include "core/app/Messages.h"

#include "core/app/ApplicationTitle.h"
#include "core/app/NumericText.h"
#include "core/app/SettingNames.h"

namespace trovique {

namespace {

// Lets the top-most windows down and sets the normal pointer for the life of a modal window,
// and puts both back on every way out.
class CModalScope {
public:
    explicit CModalScope(IUserInterface& ui) : ui_(ui), pointer_(ui.Pointer()) {
        flags_ = ui_.ReleaseTopMost();
        ui_.SetPointer(MousePointer::Default);
    }
    ~CModalScope() {
        ui_.RestoreTopMost(flags_);
        ui_.SetPointer(pointer_);
    }
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;

private:
    IUserInterface& ui_;
    MousePointer pointer_;
    int flags_ = 0;
};

}  // namespace

std::string MessageTitle(const std::string& title) {
    return title.empty() ? std::string(kApplicationTitle) : title;
}

int ReportMessage(IUserInterface& ui, const std::string& text, int style,
                  const std::string& title) {
    CModalScope modal(ui);
    return ui.ShowMessage(text, style, MessageTitle(title));
}

int ReportFailure(IUserInterface& ui, const std::string& text, int style,
                  const std::string& title) {
    CModalScope modal(ui);
    return ui.ShowFailure(text, style, MessageTitle(title));
}

bool ConfirmOnce(const CServices& services, const std::string& text, const std::string& title,
                 const std::string& memoryKey) {
    const std::string application(kApplicationTitle);
    const std::string section(settings::kNoShowAgain);
    if (!memoryKey.empty()) {
        const auto remembered = services.settings.Get(application, section, memoryKey);
        if (remembered && LeadingNumber(*remembered) != 0.0) {
            return true;
        }
    }
    ConfirmAnswer answer;
    {
        CModalScope modal(services.ui);
        answer = services.ui.AskConfirm(text, MessageTitle(title));
    }
    if (!memoryKey.empty() && answer.noShowAgain) {
        services.settings.Set(application, section, memoryKey, "1");
    }
    return answer.yes;
}

void ShowLongMessage(IUserInterface& ui, const std::string& caption, const std::string& header,
                     const std::string& text) {
    CModalScope modal(ui);
    ui.ShowLongMessage(caption, header, text);
}

}  // namespace trovique
