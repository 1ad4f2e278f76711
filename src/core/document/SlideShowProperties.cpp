#include "core/document/SlideShowProperties.h"

namespace trovique {

bool CSlideShowProperties::Switch(int number) const {
    return number >= 0 && number < 3 && switches_[static_cast<std::size_t>(number)];
}

void CSlideShowProperties::SetSwitch(int number, bool on) {
    if (number >= 0 && number < 3) {
        switches_[static_cast<std::size_t>(number)] = on;
        changed_();
    }
}

void CSlideShowProperties::SetPassword(std::string password) {
    password_ = std::move(password);
    changed_();
}

void CSlideShowProperties::SetLocked(bool locked) {
    locked_ = locked;
    changed_();
}

void CSlideShowProperties::SetStructured(bool structured) {
    structured_ = structured;
    changed_();
}

void CSlideShowProperties::TakeFromRoot(const CNode& root) {
    for (int bit = 0; bit < 3; ++bit) {
        switches_[static_cast<std::size_t>(bit)] = (root.FlagLo() & (1u << bit)) != 0;
    }
    password_ = root.Password();
    locked_ = !password_.empty();
}

void CSlideShowProperties::ClearSplash() {
    monochromeSplash_ = {};
    colorSplash_ = {};
}

}  // namespace trovique
