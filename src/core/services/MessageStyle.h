#pragma once

namespace trovique {

// The buttons of a message box, numbered as Windows message boxes number them.
enum class MessageButtons { Ok = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4 };

// The icon of a message box, numbered as Windows message boxes number them.
enum class MessageIcon {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};

// The pressed button, numbered as Windows message boxes number them.
enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// A message box's look: one button set and one icon. The Windows style number (the sum of the
// two) is only for where a style is stored or compared with that number.
struct MessageStyle {
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;

    constexpr int WindowsValue() const {
        return static_cast<int>(buttons) + static_cast<int>(icon);
    }
    // The style a Windows style number stands for; bits of neither part are dropped.
    static constexpr MessageStyle FromWindows(int value) {
        return MessageStyle{static_cast<MessageButtons>(value & 0x0F),
                            static_cast<MessageIcon>(value & 0xF0)};
    }
    constexpr bool operator==(const MessageStyle&) const = default;
};

// The styles the program uses.
inline constexpr MessageStyle kStyleCritical{MessageButtons::Ok, MessageIcon::Critical};  // 16
inline constexpr MessageStyle kStyleExclamation{MessageButtons::Ok,
                                                MessageIcon::Exclamation};  // 48: refused input
inline constexpr MessageStyle kStyleInformation{MessageButtons::Ok,
                                                MessageIcon::Information};  // 64: reports
inline constexpr MessageStyle kStyleYesNo{MessageButtons::YesNo, MessageIcon::Question};  // 36
inline constexpr MessageStyle kStyleYesNoWarning{MessageButtons::YesNo,
                                                 MessageIcon::Exclamation};  // 52
inline constexpr MessageStyle kStyleYesNoCancel{MessageButtons::YesNoCancel,
                                                MessageIcon::Question};  // 35

// The answer that loses nothing when nobody can be asked: No for a yes/no question, Cancel
// where there is a Cancel button, OK for a plain message.
inline constexpr MessageAnswer SafeAnswer(MessageStyle style) {
    switch (style.buttons) {
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::Ok:
            break;
    }
    return MessageAnswer::Ok;
}

// True when the style has more than one button, so that showing it asks a question.
inline constexpr bool AsksQuestion(MessageStyle style) {
    return style.buttons != MessageButtons::Ok;
}

// True when the style's buttons include answer.
inline constexpr bool Offers(MessageStyle style, MessageAnswer answer) {
    switch (style.buttons) {
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No ||
                   answer == MessageAnswer::Cancel;
        case MessageButtons::OkCancel:
            return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return answer == MessageAnswer::Ok;
}

}  // namespace trovique
