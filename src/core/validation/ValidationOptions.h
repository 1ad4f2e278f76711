#pragma once

#include <string>

namespace trovique {

class CApplication;
class IUserInterface;

// The "Application Options" dialog: whether validation stops listing findings, and after how
// many. It edits a copy and stores both settings only when OK accepts them.
class CValidationOptions {
public:
    static constexpr int kActionOk = 0;
    static constexpr int kActionCancel = 1;

    // Loads the dialog from the settings in use.
    explicit CValidationOptions(CApplication& application);

    // "Limit Validation Error List".
    bool LimitOn() const { return limitOn_; }
    void SetLimitOn(bool on) { limitOn_ = on; }
    // The "Show First ... Errors" box, as typed.
    const std::string& LimitText() const { return limitText_; }
    void SetLimitText(std::string text) { limitText_ = std::move(text); }
    // The count box and its labels can be edited only while the limit is ticked.
    bool LimitTextEnabled() const { return limitOn_; }

    // OK: a ticked limit must be a whole number above 0, else "Show First Errors number must be
    // greater than 0." is shown and the dialog stays open (false). Otherwise stores the switch
    // and, when ticked, the count, and returns true: the dialog closes. With the limit off the
    // typed count is ignored and the stored one kept.
    bool Ok(IUserInterface& ui);
    // The dialog's buttons by number; returns whether the dialog closes. An unknown number is
    // reported as "Invalid action: " and the number.
    bool DoAction(int action, IUserInterface& ui);

private:
    CApplication& application_;
    bool limitOn_;
    std::string limitText_;
};

}  // namespace trovique
