#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trovique {

// One delimiter of the delimited-text import: a short run of characters, such as an empty line,
// that separates one piece of text from the next. Its definition text (DataString) lists the
// character codes in decimal separated by commas, "13,10,13,10"; that is how delimiters are kept
// in the settings and built up code by code in the delimiter dialog.
//
// Characters are single Windows-1252 bytes, codes 0 to 255.
class CDelim {
public:
    CDelim() = default;
    // Raises CError when the text is not a valid definition (see SetDataString).
    explicit CDelim(std::string dataString);

    const std::string& DataString() const { return dataString_; }
    // Accepts an empty text or decimal codes 0..255 separated by commas, blanks around a code
    // allowed. Anything else (a stored value gone corrupt) raises CError and keeps the old text,
    // so that a bad setting can never turn into a wrong delimiter.
    void SetDataString(std::string dataString);

    // Adds one code at the end; a code outside 0..255 raises CError.
    void Append(int code);
    // The code's name in the delimiter dialog: the character itself for 33..126, a word for the
    // blank-looking ones ("CARRIAGE RETURN"), empty for the rest and for codes outside 0..255.
    static std::string CharName(int code);
    // The character as it can be printed in a list: the byte itself, empty for NUL and TAB (and
    // for codes outside 0..255).
    static std::string CharPrint(int code);
    void Clear() { dataString_.clear(); }
    // Takes over source's definition.
    void Clone(const CDelim& source) { dataString_ = source.dataString_; }
    static constexpr int NumChars() { return 256; }
    static constexpr int StartCharIndex() { return 0; }

    // The codes in order.
    std::vector<std::uint8_t> Codes() const;
    // The delimiter itself: the characters of the codes in order.
    std::string DelimString() const;
    // "0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED)": each code in hexadecimal with its name.
    std::string DisplayString() const;

private:
    std::string dataString_;
};

}  // namespace trovique
