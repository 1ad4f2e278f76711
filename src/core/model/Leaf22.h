#pragma once

#include <cstdint>

#include "core/common/BinaryFile.h"
#include "core/model/LeafFields.h"

namespace trovique {

class CLeaf21;

// A QAF or FACT leaf of a version-22 file. Its record is that of a current QAF or FACT leaf
// with three flag bytes instead of two; there were no pictures and no BITMAP kind yet.
class CLeaf22 final : public CLeafFields {
public:
    std::uint16_t FixedRegionSize() const { return fixedRegionSize_; }
    void SetFixedRegionSize(std::int64_t size);

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

    // The three stored flag bytes; bits this program does not know are carried as read.
    std::uint8_t FlagA() const { return flagA_; }
    std::uint8_t FlagB() const { return flagB_; }
    std::uint8_t FlagC() const { return flagC_; }
    void SetFlagC(std::uint8_t flags) { flagC_ = flags; }

    // Replaces this leaf with the record of type 3 (QAF) or 5 (FACT) at the file position;
    // raises on anything else or a short record and leaves this leaf unchanged.
    bool ReadFromFile(CBinaryFile& file);
    // Writes the record in the layout ReadFromFile expects.
    bool WriteToFile(CBinaryFile& file);

    void Clone21(const CLeaf21& old);

private:
    std::uint16_t fixedRegionSize_ = 16;
    bool copyable_ = false;
    bool highlight_ = false;
    bool passwordProtect_ = false;
    bool reEdit_ = false;
    bool valid_ = true;
    bool factOnly_ = false;
    std::uint8_t flagA_ = 0;
    std::uint8_t flagB_ = 0;
    std::uint8_t flagC_ = 0;
};

}  // namespace trovique
