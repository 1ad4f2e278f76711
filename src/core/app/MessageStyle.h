#pragma once

namespace trovique {

// A message style is the sum of one button set and one icon, numbered as message boxes number
// them, so that styles written as plain numbers elsewhere keep their meaning.
inline constexpr int kButtonsOk = 0;
inline constexpr int kButtonsOkCancel = 1;
inline constexpr int kButtonsYesNoCancel = 3;
inline constexpr int kButtonsYesNo = 4;

inline constexpr int kIconNone = 0;
inline constexpr int kIconCritical = 16;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;

// The styles the program uses.
inline constexpr int kStyleCritical = kIconCritical;                           // 16: fatal errors
inline constexpr int kStyleExclamation = kIconExclamation;                     // 48: refused input
inline constexpr int kStyleInformation = kIconInformation;                     // 64: reports
inline constexpr int kStyleYesNo = kButtonsYesNo + kIconQuestion;              // 36
inline constexpr int kStyleYesNoWarning = kButtonsYesNo + kIconExclamation;    // 52
inline constexpr int kStyleYesNoCancel = kButtonsYesNoCancel + kIconQuestion;  // 35

// The pressed button.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr int ButtonSetOf(int style) {
    return style & 0x0F;
}
inline constexpr int IconOf(int style) {
    return style & 0xF0;
}

// The answer that loses nothing when nobody can be asked: No for a yes/no question, Cancel
// where there is a Cancel button, OK for a plain message.
inline constexpr int SafeAnswer(int style) {
    switch (ButtonSetOf(style)) {
        case kButtonsOkCancel:
        case kButtonsYesNoCancel:
            return kAnswerCancel;
        case kButtonsYesNo:
            return kAnswerNo;
        default:
            return kAnswerOk;
    }
}

// True when the style has more than one button, so that showing it asks a question.
inline constexpr bool AsksQuestion(int style) {
    return ButtonSetOf(style) != kButtonsOk;
}

}  // namespace trovique
