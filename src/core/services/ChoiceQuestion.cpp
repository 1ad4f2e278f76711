#include "core/services/ChoiceQuestion.h"

#include <array>

namespace trovique {
namespace {

constexpr std::array<MessageAnswer, 3> kButtons = {MessageAnswer::Yes, MessageAnswer::No,
                                                   MessageAnswer::Cancel};
constexpr std::array<const char*, 3> kButtonNames = {"Yes: ", "No: ", "Cancel: "};

}  // namespace

std::string ChoiceQuestion::MessageText() const {
    std::string message = text + "\r\n";
    for (std::size_t choice = 0; choice < choices.size() && choice < kButtons.size(); ++choice) {
        message += std::string("\r\n") + kButtonNames[choice] + choices[choice];
    }
    return message;
}

MessageStyle ChoiceQuestion::Style() const {
    return choices.size() > 2 ? kStyleYesNoCancel : kStyleYesNo;
}

std::optional<std::size_t> ChoiceQuestion::ChoiceOf(MessageAnswer answer) const {
    for (std::size_t choice = 0; choice < choices.size() && choice < kButtons.size(); ++choice) {
        if (kButtons[choice] == answer) {
            return choice;
        }
    }
    return std::nullopt;
}

}  // namespace trovique
