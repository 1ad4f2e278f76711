#include "core/services/Messages.h"

#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"

namespace trovique {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first maxLength characters of UTF-8 text.
std::string CutToCharacters(std::string text, std::size_t maxLength) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsContinuationByte(text[at]) && characters++ == maxLength) {
            text.resize(at);
            break;
        }
    }
    return text;
}

}  // namespace

CModalScope::CModalScope(IUserInterface& ui) : ui_(ui), pointer_(ui.Pointer()) {
    flags_ = ui_.ReleaseTopMost();
    ui_.SetPointer(MousePointer::Default);
}

CModalScope::~CModalScope() {
    ui_.RestoreTopMost(flags_);
    ui_.SetPointer(pointer_);
}

std::string MessageTitle(const std::string& title) {
    return title.empty() ? std::string(kApplicationTitle) : title;
}

MessageAnswer ReportMessage(IUserInterface& ui, const std::string& text, MessageStyle style,
                            const std::string& title) {
    CModalScope modal(ui);
    return ui.ShowMessage(text, style, MessageTitle(title));
}

MessageAnswer ReportFailure(IUserInterface& ui, const std::string& text, MessageStyle style,
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
    if (!memoryKey.empty() && answer.noShowAgain && answer.yes) {
        services.settings.Set(application, section, memoryKey, "1");
    }
    return answer.yes;
}

void ShowLongMessage(IUserInterface& ui, const std::string& caption, const std::string& header,
                     const std::string& text) {
    CModalScope modal(ui);
    ui.ShowLongMessage(caption, header, text);
}

std::optional<std::string> AskText(IUserInterface& ui, const TextQuestion& question) {
    TextQuestion asked = question;
    for (;;) {
        std::optional<std::string> answer;
        {
            CModalScope modal(ui);
            answer = ui.AskText(asked);
        }
        if (answer && asked.maxLength > 0) {
            *answer = CutToCharacters(std::move(*answer), asked.maxLength);
        }
        // A face that does not check entries itself gets its question asked again.
        if (!answer || !asked.accept || asked.accept(*answer)) {
            return answer;
        }
        asked.initial = *answer;
    }
}

std::optional<SlideShowPreferences> EditPreferences(IUserInterface& ui,
                                                    const SlideShowPreferences& current) {
    SlideShowPreferences shown = current;
    for (;;) {
        std::optional<SlideShowPreferences> values;
        {
            CModalScope modal(ui);
            values = ui.EditPreferences(shown);
        }
        if (!values || !shown.accept || shown.accept(*values)) {
            return values;
        }
        values->accept = shown.accept;
        shown = *values;
    }
}

std::optional<std::size_t> AskChoice(IUserInterface& ui, const ChoiceQuestion& question) {
    CModalScope modal(ui);
    return ui.AskChoice(question);
}

}  // namespace trovique
