#pragma once

#include <cstdint>

namespace trovique {

// The record type stored as the second number of every record.
inline constexpr std::uint16_t kRecordTypeRoot = 0;
inline constexpr std::uint16_t kRecordTypeNode = 1;
// Only in files: a node whose children are leaves. In memory it is a node with IsEndNode set.
inline constexpr std::uint16_t kRecordTypeEndNode = 2;
inline constexpr std::uint16_t kRecordTypeQAF = 3;
inline constexpr std::uint16_t kRecordTypeBitmap = 4;
inline constexpr std::uint16_t kRecordTypeFact = 5;

// File format versions. Records are always written in the current one; the two older ones can
// still be read.
inline constexpr std::uint16_t kCurrentFileVersion = 23;
inline constexpr std::uint16_t kFileVersion22 = 22;
inline constexpr std::uint16_t kFileVersion21 = 21;

}  // namespace trovique
