#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/imaging/Bitmap.h"
#include "core/model/Leaf.h"
#include "core/model/Leaf22.h"
#include "core/model/Node.h"
#include "core/model/Node22.h"

// Small writers of slide show files for tests that need a file the program itself would never
// write: old versions, foreign files, damaged or hostile ones.
namespace trovique::test {

using ByteVector = std::vector<std::uint8_t>;

// The bytes a record class writes for itself.
ByteVector RecordBytes(CNode& record);
ByteVector RecordBytes(const CNode22& record);
ByteVector RecordBytes(CLeaf& record);
ByteVector RecordBytes(CLeaf22& record);

// A Palm database holding records in the given order: the 78-byte header named name with
// NumRecords, the record list, the 2-byte gap and the records back to back.
ByteVector PalmDatabase(const std::vector<ByteVector>& records, std::string_view name = "Test");

// Offset of the list entry of record number (1-based) inside a Palm database.
constexpr std::size_t RecordListEntry(std::size_t number) {
    return 78 + 8 * (number - 1);
}
std::uint32_t ReadBigEndian32(const ByteVector& bytes, std::size_t at);
std::uint16_t ReadBigEndian16(const ByteVector& bytes, std::size_t at);
void WriteBigEndian32(ByteVector& bytes, std::size_t at, std::uint32_t value);
void WriteBigEndian16(ByteVector& bytes, std::size_t at, std::uint16_t value);

// A root that this program's writer could have written (FlagHi bit 3 set), keyed 1.
std::shared_ptr<CNode> WrittenRoot(std::uint16_t titleBitmapKey = 0);

// Pictures of slides: an 8-bit colour picture drawn like a slide (seed varies it), its 1-bit
// black and white form and its four-level grey form.
std::shared_ptr<CBitmap> SlidePicture(std::int32_t width, std::int32_t height, int seed);
std::shared_ptr<CBitmap> MonochromeOf(const CBitmap& colour);
std::shared_ptr<CBitmap> GreyOf(const CBitmap& colour);
// Noise, which run-length coding cannot shrink: its Palm form is stored plain, width x height
// bytes (for a width that is a multiple of 4) after a 16-byte header.
std::shared_ptr<CBitmap> NoisePicture(std::int32_t width, std::int32_t height);

// A picture as the handheld stores it, for comparing pictures after a trip through a file.
ByteVector PalmBytesOf(const CBitmap& bitmap);

}  // namespace trovique::test
