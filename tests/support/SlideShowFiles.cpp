#include "support/SlideShowFiles.h"

#include <random>

#include "core/common/MemoryFile.h"
#include "core/imaging/PalmBitmap.h"
#include "support/BitmapWriter.h"
#include "support/DocumentFixture.h"

namespace trovique::test {
namespace {

template <class Record>
ByteVector Written(Record& record) {
    CMemoryFile file;
    record.WriteToFile(file);
    return file.Data();
}

void PutText(ByteVector& bytes, std::size_t at, std::string_view text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        bytes[at + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
    }
}

}  // namespace

ByteVector RecordBytes(CNode& record) {
    return Written(record);
}
ByteVector RecordBytes(const CNode22& record) {
    return Written(record);
}
ByteVector RecordBytes(CLeaf& record) {
    return Written(record);
}
ByteVector RecordBytes(CLeaf22& record) {
    return Written(record);
}

ByteVector PalmDatabase(const std::vector<ByteVector>& records, std::string_view name) {
    const std::size_t count = records.size();
    ByteVector bytes(78 + 8 * count + 2, 0);
    PutText(bytes, 0, name, 32);
    WriteBigEndian16(bytes, 32, 24);  // attributes
    WriteBigEndian16(bytes, 34, 1);   // version
    PutText(bytes, 60, "qsdb", 4);
    PutText(bytes, 64, "TQVK", 4);
    WriteBigEndian16(bytes, 76, static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        WriteBigEndian32(bytes, RecordListEntry(i + 1), static_cast<std::uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), records[i].begin(), records[i].end());
    }
    return bytes;
}

std::uint32_t ReadBigEndian32(const ByteVector& bytes, std::size_t at) {
    return (std::uint32_t{bytes.at(at)} << 24) | (std::uint32_t{bytes.at(at + 1)} << 16) |
           (std::uint32_t{bytes.at(at + 2)} << 8) | bytes.at(at + 3);
}

std::uint16_t ReadBigEndian16(const ByteVector& bytes, std::size_t at) {
    return static_cast<std::uint16_t>((bytes.at(at) << 8) | bytes.at(at + 1));
}

void WriteBigEndian32(ByteVector& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(at + static_cast<std::size_t>(i)) =
            static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

void WriteBigEndian16(ByteVector& bytes, std::size_t at, std::uint16_t value) {
    bytes.at(at) = static_cast<std::uint8_t>(value >> 8);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value & 0xFF);
}

std::shared_ptr<CNode> WrittenRoot(std::uint16_t titleBitmapKey) {
    auto root = std::make_shared<CNode>();
    root->SetRecordType(kRecordTypeRoot);
    root->SetKey(1);
    root->SetTitle("Foreign Show");
    root->SetFlagHi(0x08);
    root->SetFlagLo(0x0B);
    root->SetTitleBitmapKey(titleBitmapKey);
    return root;
}

std::shared_ptr<CBitmap> SlidePicture(std::int32_t width, std::int32_t height, int seed) {
    BmpImage image = SlideLikeImage(width, height);
    std::vector<std::uint8_t> pixels = BgrPixels(image);
    // Shift the colours a little so that pictures of different seeds differ.
    for (std::size_t i = 0; i < pixels.size(); i += 7) {
        pixels[i] = static_cast<std::uint8_t>(pixels[i] + seed * 37);
    }
    return std::make_shared<CBitmap>(width, height, pixels, static_cast<std::size_t>(width) * 3,
                                     TestPalettes().color256);
}

std::shared_ptr<CBitmap> MonochromeOf(const CBitmap& colour) {
    auto bitmap = std::make_shared<CBitmap>();
    bitmap->CreateMonochromeBitmap(colour);
    return bitmap;
}

std::shared_ptr<CBitmap> GreyOf(const CBitmap& colour) {
    auto bitmap = std::make_shared<CBitmap>();
    bitmap->CreateGrayScale4Bitmap(colour);
    return bitmap;
}

std::shared_ptr<CBitmap> NoisePicture(std::int32_t width, std::int32_t height) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
    for (auto& byte : bgr) {
        byte = static_cast<std::uint8_t>(random());
    }
    return std::make_shared<CBitmap>(width, height, bgr, static_cast<std::size_t>(width) * 3,
                                     TestPalettes().color256);
}

ByteVector PalmBytesOf(const CBitmap& bitmap) {
    CPalmBitmap palm;
    palm.ReadFromCBitmap(bitmap);
    CMemoryFile file;
    palm.WriteToFile(file, true);
    return file.Data();
}

}  // namespace trovique::test
