// The slide show's preferences (password, beaming, copying of new leaves) and the lock that the
// password puts on protected leaves.

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/editor/ContentEdit.h"
#include "core/editor/Document.h"

namespace trovique {
namespace {

constexpr int kSwitchBeamable = 1;
constexpr int kSwitchCopyable = 2;

}  // namespace

CDocument::Preferences CDocument::CurrentPreferences() const {
    return {password_, password_, Beamable(), Copyable()};
}

bool CDocument::SetPrefs(const Preferences& values) {
    return content::Trapped(services_.ui, [&] {
        // The password boxes cannot be edited while the slide show is locked.
        const bool takePassword = !locked_;
        if (takePassword && values.password != values.passwordAgain) {
            ReportMessage(services_.ui, "The passwords entered must be the same.",
                          kStyleExclamation);
            return false;
        }
        if (takePassword && values.password.size() > CNodeFields::kMaxPassword) {
            throw CError::Object(kErrDataTooLong, "frmDocument:Password");
        }
        bool changed = false;
        if (takePassword && values.password != password_) {
            SetPassword(values.password);
            changed = true;
        }
        if (values.beamable != Beamable()) {
            SetSwitch(kSwitchBeamable, values.beamable);
            changed = true;
        }
        if (values.copyable != Copyable()) {
            SetSwitch(kSwitchCopyable, values.copyable);
            changed = true;
        }
        if (changed) {
            ForceDirty(true);
        }
        return true;
    });
}

bool CDocument::LockDB() {
    if (password_.empty()) {
        ReportMessage(services_.ui,
                      "No password has been set.  You can not lock without a password.",
                      kStyleExclamation);
        return false;
    }
    SetLocked(true);
    if (IsLive(selected_)) {
        NotifyItemChanged(selected_);
    }
    return true;
}

bool CDocument::UnlockDB(const std::string& password) {
    if (!locked_) {
        return true;
    }
    if (password != password_) {
        ReportMessage(services_.ui,
                      "Incorrect password.  You can not unlock without correct password.",
                      kStyleExclamation);
        return false;
    }
    SetLocked(false);
    if (IsLive(selected_)) {
        NotifyItemChanged(selected_);
    }
    return true;
}

bool CDocument::IsLeafLocked(int item) const {
    return locked_ && IsLive(item) && Entry(item).Leaf && Entry(item).Leaf->PasswordProtect();
}

}  // namespace trovique
