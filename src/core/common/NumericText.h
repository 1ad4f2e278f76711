#pragma once

#include <cstdint>
#include <string_view>

namespace trovique {

// Stored settings and typed-in counts are text that may be hand-edited or corrupt. They are read
// the forgiving way the program has always read them: the longest number at the start of the
// text counts and the rest is ignored ("12abc" reads as 12, "abc" as 0). Leading blanks are
// skipped; a sign, a fraction and an exponent are taken when present.
double LeadingNumber(std::string_view text);

// LeadingNumber rounded to the nearest whole number (halves to even) and held inside the 32-bit
// range, so that an absurd stored value cannot overflow a count.
std::int32_t LeadingInteger(std::string_view text);

// True when the text is exactly the plain decimal form of a whole number from 0 to 4294967295
// ("0", "17"; not "017", "+1", " 1" or "1.0"). Such a text survives a trip through a 32-bit
// number unchanged.
bool IsPlainUnsigned32(std::string_view text);

}  // namespace trovique
