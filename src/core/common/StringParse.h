#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trovique {

// One item of a tokenized text: the part before the name/value delimiter and the part after.
struct CStringNameValue {
    std::string Name;
    std::string Value;

    bool operator==(const CStringNameValue&) const = default;
};

// Splits a text such as a command line into (name, value) items:
//  - outside quotes the token delimiter ends a token and the value delimiter switches from the
//    name to the value; both are dropped, and a second value delimiter in a token is dropped
//    too;
//  - a double or single quote (each can be switched off) opens a quoted run that lasts until
//    the same quote comes again or the text ends; the quotes are dropped and everything inside
//    counts as ordinary characters;
//  - a token whose name is empty is discarded, so runs of blanks give no empty tokens.
class CStringParse {
public:
    const std::string& TokenDelimiter() const { return tokenDelimiter_; }
    void SetTokenDelimiter(std::string delimiter) { tokenDelimiter_ = std::move(delimiter); }
    const std::string& StringValueDelimiter() const { return valueDelimiter_; }
    void SetStringValueDelimiter(std::string delimiter) { valueDelimiter_ = std::move(delimiter); }
    bool GroupDoubleQuote() const { return groupDoubleQuote_; }
    void SetGroupDoubleQuote(bool group) { groupDoubleQuote_ = group; }
    bool GroupSingleQuote() const { return groupSingleQuote_; }
    void SetGroupSingleQuote(bool group) { groupSingleQuote_ = group; }

    // Replaces the items with those of text and returns their number.
    std::size_t Parse(std::string_view text);
    std::size_t NumTokens() const { return items_.size(); }
    // Item index, 1 to NumTokens; nothing outside that range.
    std::optional<CStringNameValue> GetNameValue(std::size_t index) const;
    const std::vector<CStringNameValue>& Items() const { return items_; }

private:
    bool Opens(char c) const;

    std::string tokenDelimiter_ = " ";
    std::string valueDelimiter_ = "=";
    bool groupDoubleQuote_ = true;
    bool groupSingleQuote_ = true;
    std::vector<CStringNameValue> items_;
};

}  // namespace trovique
