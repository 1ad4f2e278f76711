#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/common/BinaryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "core/model/LeafFields.h"
#include "core/model/LeafKind.h"
#include "core/model/RecordType.h"

namespace trovique {

class CLeaf21;
class CLeaf22;

// A slide of the slide show in the current file version: a QAF leaf (question, four answers,
// difficulty and fact), a FACT leaf (titled text) or a BITMAP leaf (colour and monochrome
// picture). Pictures are shared, not copied, between a leaf and its clones.
class CLeaf final : public CLeafFields {
public:
    // Stored limit of a BITMAP leaf's title field, terminator included.
    static constexpr std::size_t kBitmapTitleField = 40;
    static constexpr std::uint16_t kFixedRegionSize = 16;
    static constexpr std::uint16_t kBitmapFixedRegionSize = 56;

    // FlagA bits.
    static constexpr std::uint8_t kFlagAValid = 0x80;
    static constexpr std::uint8_t kFlagAReEdit = 0x40;
    static constexpr std::uint8_t kFlagANoMonochrome = 0x20;
    static constexpr std::uint8_t kFlagACopyable = 0x01;
    // FlagB bits; bits 5 to 7 hold the difficulty.
    static constexpr std::uint8_t kFlagBDifficulty = 0xE0;
    static constexpr int kFlagBDifficultyShift = 5;
    static constexpr std::uint8_t kFlagBHighlight = 0x10;
    static constexpr std::uint8_t kFlagBSpare = 0x08;
    static constexpr std::uint8_t kFlagBPasswordProtect = 0x02;
    static constexpr std::uint8_t kFlagBHidden = 0x01;

    std::uint16_t FixedRegionSize() const { return fixedRegionSize_; }
    void SetFixedRegionSize(std::int64_t size);
    // Always 3 in memory; the kind is told by FACTOnly and BITMAPOnly.
    std::uint16_t RecordType() const { return kRecordTypeQAF; }
    // The record type the leaf is written with: FACT wins over BITMAP.
    std::uint16_t StoredRecordType() const;

    // A second text of the slide, stored in a record of its own.
    const std::string& AuxText() const { return auxText_; }
    void SetAuxText(std::string text) { auxText_ = std::move(text); }

    bool Copyable() const { return copyable_; }
    void SetCopyable(bool copyable) { copyable_ = copyable; }
    bool Highlight() const { return highlight_; }
    void SetHighlight(bool highlight) { highlight_ = highlight; }
    bool PasswordProtect() const { return passwordProtect_; }
    void SetPasswordProtect(bool protect) { passwordProtect_ = protect; }
    bool ReEdit() const { return reEdit_; }
    void SetReEdit(bool reEdit) { reEdit_ = reEdit; }
    bool Valid() const { return valid_; }
    void SetValid(bool valid) { valid_ = valid; }
    bool FACTOnly() const { return factOnly_; }
    void SetFACTOnly(bool factOnly) { factOnly_ = factOnly; }
    bool BITMAPOnly() const { return bitmapOnly_; }
    void SetBITMAPOnly(bool bitmapOnly) { bitmapOnly_ = bitmapOnly; }
    // The kind the record is stored as: FACTOnly wins over BITMAPOnly.
    LeafKind Kind() const;
    // Makes the leaf of one kind: exactly its flag set.
    void SetKind(LeafKind kind) {
        factOnly_ = kind == LeafKind::Fact;
        bitmapOnly_ = kind == LeafKind::Bitmap;
    }
    // Bit 3 of FlagB, of no meaning to this program and carried as read.
    bool SpareFlag() const { return spareFlag_; }
    void SetSpareFlag(bool spare) { spareFlag_ = spare; }

    // The flag bytes as last read or written; WriteToFile first folds the fields into them.
    std::uint8_t FlagA() const { return flagA_; }
    void SetFlagA(std::uint8_t flags) { flagA_ = flags; }
    std::uint8_t FlagB() const { return flagB_; }
    void SetFlagB(std::uint8_t flags) { flagB_ = flags; }
    // Hidden records carry a slide's extra texts and pictures; once set, the bit stays.
    void ForceHidden() { flagB_ |= kFlagBHidden; }
    bool Hidden() const { return (flagB_ & kFlagBHidden) != 0; }

    const std::shared_ptr<CBitmap>& ColorBitmap() const { return colorBitmap_; }
    void SetColorBitmap(std::shared_ptr<CBitmap> bitmap) { colorBitmap_ = std::move(bitmap); }
    const std::shared_ptr<CBitmap>& MonochromeBitmap() const { return monochromeBitmap_; }
    void SetMonochromeBitmap(std::shared_ptr<CBitmap> bitmap) {
        monochromeBitmap_ = std::move(bitmap);
    }
    const std::shared_ptr<CBitmap>& AuxColorBitmap() const { return auxColorBitmap_; }
    void SetAuxColorBitmap(std::shared_ptr<CBitmap> bitmap) { auxColorBitmap_ = std::move(bitmap); }
    const std::shared_ptr<CBitmap>& AuxMonochromeBitmap() const { return auxMonochromeBitmap_; }
    void SetAuxMonochromeBitmap(std::shared_ptr<CBitmap> bitmap) {
        auxMonochromeBitmap_ = std::move(bitmap);
    }

    // For a BITMAP leaf the estimated stored size of its colour and monochrome pictures as Palm
    // bitmaps; 0 for other leaves and when there is no picture.
    std::int64_t GetPalmBitmapSize() const;
    // The same for the second pair of pictures. It does not depend on the kind, so that an
    // import can weigh a slide's pictures before it settles the kind.
    std::int64_t GetPalmAuxBitmapSize() const;

    // Replaces this leaf with the leaf record (type 3, 4 or 5) at the file position; the
    // palettes serve Palm bitmaps without a colour table of their own. Raises on a damaged or
    // short record and leaves this leaf unchanged.
    bool ReadFromFile(CBinaryFile& file, const PalmPalettes& palettes);
    // Writes the record for the leaf's kind, folding the fields into the flag bytes first.
    // Nothing is written when a picture cannot be converted.
    bool WriteToFile(CBinaryFile& file);

    // Copies every field into target but the hidden bit and SpareFlag, which target keeps.
    void Clone(CLeaf& target) const;
    std::unique_ptr<CLeaf> Clone() const;
    // Fill this leaf from a leaf of an old file.
    void Clone22(const CLeaf22& old);
    void Clone21(const CLeaf21& old);

private:
    bool IsBitmapRecord() const { return StoredRecordType() == kRecordTypeBitmap; }
    void FoldFlags();
    void UnfoldFlags();
    void ReadBody(CBinaryFile& file, std::uint16_t type, const PalmPalettes& palettes);
    void WriteBody(CBinaryFile& file) const;

    std::uint16_t fixedRegionSize_ = kFixedRegionSize;
    std::string auxText_;
    bool copyable_ = false;
    bool highlight_ = false;
    bool passwordProtect_ = false;
    bool reEdit_ = false;
    bool valid_ = true;
    bool factOnly_ = false;
    bool bitmapOnly_ = false;
    bool spareFlag_ = false;
    std::uint8_t flagA_ = 0;
    std::uint8_t flagB_ = 0;
    std::shared_ptr<CBitmap> colorBitmap_;
    std::shared_ptr<CBitmap> monochromeBitmap_;
    std::shared_ptr<CBitmap> auxColorBitmap_;
    std::shared_ptr<CBitmap> auxMonochromeBitmap_;
};

}  // namespace trovique
