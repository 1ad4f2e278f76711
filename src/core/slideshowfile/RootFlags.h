#pragma once

#include <cstdint>

namespace trovique {

// The root record's FlagHi bits that the slide show writer owns; Valid and Expanded are the
// record's own.
inline constexpr std::uint8_t kRootFlagHiWrittenByUs = 0x08;
inline constexpr std::uint8_t kRootFlagHiHasPictures = 0x20;
inline constexpr std::uint8_t kRootFlagHiHasTexts = 0x40;
inline constexpr std::uint8_t kRootFlagHiReserved = 0x80;
// FlagLo: the three document switches, and whether the slide show is structured.
inline constexpr std::uint8_t kRootFlagLoSwitches = 0x07;
inline constexpr std::uint8_t kRootFlagLoStructured = 0x08;

}  // namespace trovique
