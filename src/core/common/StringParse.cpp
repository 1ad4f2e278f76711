#include "core/common/StringParse.h"

namespace trovique {

namespace {

bool DelimiterAt(std::string_view text, std::size_t position, const std::string& delimiter) {
    return !delimiter.empty() && text.substr(position, delimiter.size()) == delimiter;
}

}  // namespace

bool CStringParse::Opens(char c) const {
    return (c == '"' && groupDoubleQuote_) || (c == '\'' && groupSingleQuote_);
}

std::size_t CStringParse::Parse(std::string_view text) {
    items_.clear();
    CStringNameValue current;
    bool inValue = false;
    char quote = 0;  // the quote that opened the current run, 0 outside quotes

    const auto endToken = [&] {
        if (!current.Name.empty()) {
            items_.push_back(std::move(current));
        }
        current = CStringNameValue{};
        inValue = false;
    };

    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else {
                (inValue ? current.Value : current.Name) += c;
            }
            ++i;
        } else if (DelimiterAt(text, i, tokenDelimiter_)) {
            endToken();
            i += tokenDelimiter_.size();
        } else if (DelimiterAt(text, i, valueDelimiter_)) {
            inValue = true;
            i += valueDelimiter_.size();
        } else if (Opens(c)) {
            quote = c;
            ++i;
        } else {
            (inValue ? current.Value : current.Name) += c;
            ++i;
        }
    }
    endToken();
    return items_.size();
}

std::optional<CStringNameValue> CStringParse::GetNameValue(std::size_t index) const {
    if (index < 1 || index > items_.size()) {
        return std::nullopt;
    }
    return items_[index - 1];
}

}  // namespace trovique
