#include "core/model/Leaf.h"

#include "core/codec/FieldCodec.h"
#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf21.h"
#include "core/model/Leaf22.h"
#include "core/model/LeafPictures.h"
#include "core/model/RecordFields.h"

namespace trovique {
namespace {

void SetBit(std::uint8_t& flags, std::uint8_t bit, bool on) {
    flags = on ? static_cast<std::uint8_t>(flags | bit) : static_cast<std::uint8_t>(flags & ~bit);
}

}  // namespace

void CLeaf::SetFixedRegionSize(std::int64_t size) {
    fixedRegionSize_ = record::CheckedWord(size);
}

LeafKind CLeaf::Kind() const {
    if (factOnly_) {
        return LeafKind::Fact;
    }
    return bitmapOnly_ ? LeafKind::Bitmap : LeafKind::QAF;
}

std::uint16_t CLeaf::StoredRecordType() const {
    return RecordTypeOf(Kind());
}

std::int64_t CLeaf::GetPalmBitmapSize() const {
    if (!bitmapOnly_) {
        return 0;
    }
    return record::EstPalmSize(colorBitmap_.get()) + record::EstPalmSize(monochromeBitmap_.get());
}

std::int64_t CLeaf::GetPalmAuxBitmapSize() const {
    return record::EstPalmSize(auxColorBitmap_.get()) +
           record::EstPalmSize(auxMonochromeBitmap_.get());
}

void CLeaf::FoldFlags() {
    SetBit(flagA_, kFlagAValid, valid_);
    SetBit(flagA_, kFlagAReEdit, reEdit_);
    SetBit(flagA_, kFlagANoMonochrome, monochromeBitmap_ == nullptr);
    SetBit(flagA_, kFlagACopyable, copyable_);
    flagB_ = static_cast<std::uint8_t>((flagB_ & ~kFlagBDifficulty) |
                                       (Difficulty() << kFlagBDifficultyShift));
    SetBit(flagB_, kFlagBHighlight, highlight_);
    SetBit(flagB_, kFlagBSpare, spareFlag_);
    SetBit(flagB_, kFlagBPasswordProtect, passwordProtect_);
}

void CLeaf::UnfoldFlags() {
    valid_ = (flagA_ & kFlagAValid) != 0;
    reEdit_ = (flagA_ & kFlagAReEdit) != 0;
    copyable_ = (flagA_ & kFlagACopyable) != 0;
    highlight_ = (flagB_ & kFlagBHighlight) != 0;
    spareFlag_ = (flagB_ & kFlagBSpare) != 0;
    passwordProtect_ = (flagB_ & kFlagBPasswordProtect) != 0;
    SetDifficulty((flagB_ & kFlagBDifficulty) >> kFlagBDifficultyShift);
}

bool CLeaf::ReadFromFile(CBinaryFile& file, const PalmPalettes& palettes) {
    CLeaf read;
    read.fixedRegionSize_ = record::ReadWord(file);
    const std::uint16_t type = record::ReadWord(file);
    if (type != kRecordTypeQAF && type != kRecordTypeBitmap && type != kRecordTypeFact) {
        throw CError::Object(kErrInvalidValue, "CLEAF:ReadFromFile");
    }
    read.factOnly_ = type == kRecordTypeFact;
    read.bitmapOnly_ = type == kRecordTypeBitmap;
    read.ReadKeys(file);
    read.flagA_ = file.ReadByte();
    read.flagB_ = file.ReadByte();
    read.UnfoldFlags();
    read.ReadBody(file, type, palettes);
    if ((read.flagA_ & kFlagANoMonochrome) != 0) {
        read.monochromeBitmap_.reset();
    }
    *this = std::move(read);
    return true;
}

void CLeaf::ReadBody(CBinaryFile& file, std::uint16_t type, const PalmPalettes& palettes) {
    if (type == kRecordTypeBitmap) {
        SetTitle(ReadFieldString(file, kBitmapTitleField, true, true));
        record::PicturePair pictures = record::ReadPictureBlock(file, palettes);
        colorBitmap_ = std::move(pictures.color);
        monochromeBitmap_ = std::move(pictures.monochrome);
        return;
    }
    SetTitle(record::ReadVarText(file, kMaxTitle));
    if (type == kRecordTypeQAF) {
        ReadQuestionAndAnswers(file);
    }
    ReadFactText(file);
}

bool CLeaf::WriteToFile(CBinaryFile& file) {
    // The record is assembled in memory first: a picture too large for the handheld's layout
    // fails the write before any byte reaches the file.
    FoldFlags();
    fixedRegionSize_ = IsBitmapRecord() ? kBitmapFixedRegionSize : kFixedRegionSize;
    CMemoryFile buffer;
    WriteBody(buffer);
    file.Write(buffer.Data());
    return true;
}

void CLeaf::WriteBody(CBinaryFile& file) const {
    const std::uint16_t type = StoredRecordType();
    record::WriteWord(file, fixedRegionSize_);
    record::WriteWord(file, type);
    WriteKeys(file);
    file.WriteByte(flagA_);
    file.WriteByte(flagB_);
    if (type == kRecordTypeBitmap) {
        WriteFieldString(file, Title(), kBitmapTitleField, true, true, true);
        record::WritePictureBlock(file, monochromeBitmap_.get(), colorBitmap_.get());
        return;
    }
    record::WriteVarText(file, Title(), kMaxTitle);
    if (type == kRecordTypeQAF) {
        WriteQuestionAndAnswers(file);
    }
    WriteFactText(file);
}

void CLeaf::Clone(CLeaf& target) const {
    const std::uint8_t keptBits = target.flagB_ & (kFlagBHidden | kFlagBSpare);
    const bool keptSpare = target.spareFlag_;
    target = *this;
    target.flagB_ = static_cast<std::uint8_t>((flagB_ & ~(kFlagBHidden | kFlagBSpare)) | keptBits);
    target.spareFlag_ = keptSpare;
}

std::unique_ptr<CLeaf> CLeaf::Clone() const {
    auto copy = std::make_unique<CLeaf>();
    Clone(*copy);
    return copy;
}

void CLeaf::Clone22(const CLeaf22& old) {
    static_cast<CLeafFields&>(*this) = old;
    copyable_ = old.Copyable();
    factOnly_ = old.FACTOnly();
    bitmapOnly_ = false;
    highlight_ = old.Highlight();
    passwordProtect_ = old.PasswordProtect();
    reEdit_ = old.ReEdit();
    valid_ = old.Valid();
}

void CLeaf::Clone21(const CLeaf21& old) {
    static_cast<CLeafFields&>(*this) = old;
    valid_ = true;
    copyable_ = false;
    factOnly_ = false;
    bitmapOnly_ = false;
    highlight_ = false;
    passwordProtect_ = false;
    reEdit_ = false;
}

}  // namespace trovique
