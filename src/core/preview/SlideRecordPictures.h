#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/imaging/PalmBitmap.h"
#include "core/imaging/RgbPicture.h"

namespace trovique {

// What the handheld draws from one BITMAP record: its title and its pictures as pixels, the
// 8-bit colour one and the 1- or 2-bit one that grey handhelds show. A missing picture is empty.
struct SlideRecordPictures {
    std::string title;
    RgbPicture color;
    RgbPicture gray;
};

// Reads the bytes of a BITMAP leaf record as the handheld would: the title field, then each
// Palm bitmap of the picture block decoded through its palette. Every read stays inside
// record; a record that is short, of another kind or holds a damaged bitmap raises CError.
SlideRecordPictures ReadSlideRecordPictures(std::span<const std::uint8_t> record,
                                            const PalmPalettes& palettes);

}  // namespace trovique
