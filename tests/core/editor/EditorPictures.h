#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "support/BitmapWriter.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

// Picture files for the editor's tests, written into a scratch folder.
namespace trovique::test {

inline const Rgb kWhite{255, 255, 255};
inline const Rgb kBlack{0, 0, 0};
inline const Rgb kRed{255, 0, 0};

// An 8-bit picture of white, black and red whose Palm form, run-length coded, takes exactly
// palmBytes bytes. Each row is a few alternating black and red pixels (one code pair each) and a
// white run (one more pair), so the row codes add up to any even total.
inline BmpImage ExactSizeImage(std::int32_t width, std::int32_t height, std::int64_t palmBytes) {
    const std::int64_t pairs = (palmBytes - 22) / 2 - height;  // each row also ends in 0x00 0x00
    EXPECT_EQ((palmBytes - 22) % 2, 0);
    const std::int64_t base = pairs / height;
    const std::int64_t extra = pairs % height;
    EXPECT_GE(base, 1);
    EXPECT_LE(width - base, 255) << "the white run must fit one pair";
    return IndexedImage(width, height, 8, {kWhite, kBlack, kRed},
                        [base, extra](std::int32_t x, std::int32_t y) -> std::uint8_t {
                            const std::int64_t rowPairs = base + (y < extra ? 1 : 0);
                            return static_cast<std::uint8_t>(x < rowPairs - 1 ? x % 2 + 1 : 0);
                        });
}

// Black and white stripes at one bit per pixel.
inline BmpImage MonochromeImage(std::int32_t width, std::int32_t height) {
    return IndexedImage(width, height, 1, {kBlack, kWhite},
                        [](std::int32_t x, std::int32_t y) -> std::uint8_t {
                            return static_cast<std::uint8_t>((x / 8 + y / 8) % 2);
                        });
}

inline BmpImage ColorImage(std::int32_t width, std::int32_t height) {
    return SlideLikeImage(width, height);
}

class PictureFiles {
public:
    std::filesystem::path Write(const std::string& name, const BmpImage& image) {
        const auto path = scratch_ / (name + ".bmp");
        WriteBmp(path, image);
        return path;
    }
    // A picture as the editor keeps it: read and re-indexed against the palette of its kind.
    std::shared_ptr<CBitmap> Load(const std::string& name, const BmpImage& image) {
        auto bitmap = std::make_shared<CBitmap>();
        bitmap->ReadFile(Write(name, image), TestPalettes().color256);
        bitmap->ConvertPalette(bitmap->NumColors() < 3 ? TestPalettes().monochrome
                                                       : TestPalettes().color256);
        return bitmap;
    }
    const std::filesystem::path& Folder() const { return scratch_.Path(); }

private:
    ScratchDir scratch_;
};

inline std::int64_t PalmSize(const CBitmap& bitmap) {
    CPalmBitmap palm;
    palm.ReadFromCBitmap(bitmap);
    return palm.EstFileSize();
}

}  // namespace trovique::test
