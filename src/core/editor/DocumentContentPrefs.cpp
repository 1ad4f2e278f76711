// The slide show's preferences (password, beaming, copying of new leaves) and the lock that the
// password puts on protected leaves.

#include "core/codec/Windows1252.h"
#include "core/editor/ContentEdit.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

constexpr int kSwitchBeamable = 1;
constexpr int kSwitchCopyable = 2;
constexpr const char* kPasswordsDiffer = "The passwords entered must be the same.";

}  // namespace

CDocument::Preferences CDocument::CurrentPreferences() const {
    const std::string password = Windows1252ToUtf8(properties_.Password());
    return {password, password, properties_.Beamable(), properties_.Copyable(),
            !properties_.Locked()};
}

bool CDocument::ArePrefsAcceptable(const Preferences& values) const {
    // The password boxes cannot be edited while the slide show is locked.
    if (!properties_.Locked() && values.password != values.passwordAgain) {
        ReportMessage(services_.ui, kPasswordsDiffer, kStyleExclamation);
        return false;
    }
    return true;
}

bool CDocument::SetPrefs(const Preferences& values) {
    return content::Trapped(services_.ui, [&] {
        const bool takePassword = !properties_.Locked();
        if (!ArePrefsAcceptable(values)) {
            return false;
        }
        const std::string password = Utf8ToWindows1252(values.password);
        if (takePassword && password.size() > CNodeFields::kMaxPassword) {
            throw CError::Object(kErrDataTooLong, "frmDocument:Password");
        }
        bool changed = false;
        if (takePassword && password != properties_.Password()) {
            properties_.SetPassword(password);
            changed = true;
        }
        if (values.beamable != properties_.Beamable()) {
            properties_.SetSwitch(kSwitchBeamable, values.beamable);
            changed = true;
        }
        if (values.copyable != properties_.Copyable()) {
            properties_.SetSwitch(kSwitchCopyable, values.copyable);
            changed = true;
        }
        if (changed) {
            ForceDirty(true);
        }
        return true;
    });
}

bool CDocument::EditPrefs() {
    Preferences shown = CurrentPreferences();
    shown.accept = [this](const Preferences& values) { return ArePrefsAcceptable(values); };
    const std::optional<Preferences> values = EditPreferences(services_.ui, shown);
    return values && SetPrefs(*values);
}

bool CDocument::LockDB() {
    if (properties_.Password().empty()) {
        ReportMessage(services_.ui,
                      "No password has been set.  You can not lock without a password.",
                      kStyleExclamation);
        return false;
    }
    properties_.SetLocked(true);
    if (tree_.IsLive(tree_.Selected())) {
        tree_.NotifyItemChanged(tree_.Selected(), ItemAspect::Content);
    }
    return true;
}

bool CDocument::UnlockDB(const std::string& password) {
    if (!properties_.Locked()) {
        return true;
    }
    std::string typed = password;
    if (typed.empty()) {
        const auto answer =
            AskText(services_.ui,
                    {"Enter Password",
                     "Enter the password below and press Enter key or OK button when finished.",
                     {},
                     true,
                     CNodeFields::kMaxPassword});
        if (!answer) {
            return false;
        }
        typed = *answer;
    }
    if (Utf8ToWindows1252(typed) != properties_.Password()) {
        ReportMessage(services_.ui,
                      "Incorrect password.  You can not unlock without correct password.",
                      kStyleExclamation);
        return false;
    }
    properties_.SetLocked(false);
    if (tree_.IsLive(tree_.Selected())) {
        tree_.NotifyItemChanged(tree_.Selected(), ItemAspect::Content);
    }
    return true;
}

bool CDocument::IsLeafLocked(int item) const {
    return properties_.Locked() && tree_.IsLive(item) && tree_.Entry(item).Leaf &&
           tree_.Entry(item).Leaf->PasswordProtect();
}

}  // namespace trovique
