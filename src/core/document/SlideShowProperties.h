#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "core/model/Node.h"
#include "core/palmdb/DBHeader.h"

namespace trovique {

// What belongs to a slide show as a whole rather than to one item of its tree: the database
// header, the switches and password taken from the root record, the lock the password puts on
// protected leaves, and the splash pictures of the root pane. Every change is told through
// changed (the document's observers).
class CSlideShowProperties {
public:
    explicit CSlideShowProperties(std::function<void()> changed) : changed_(std::move(changed)) {}

    // Switch 0 and 1 (the root's FlagLo bits 0 and 1; bit 1 allows beaming), switch 2 (bit 2:
    // copying allowed, new leaves are Copyable).
    static constexpr int kSwitchBeamable = 1;
    static constexpr int kSwitchCopyable = 2;
    bool Switch(int number) const;
    void SetSwitch(int number, bool on);
    bool Beamable() const { return Switch(kSwitchBeamable); }
    bool Copyable() const { return Switch(kSwitchCopyable); }
    const std::string& Password() const { return password_; }
    void SetPassword(std::string password);
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    // A structured slide show keeps its leaves under categories; the text import can make an
    // unstructured one.
    bool Structured() const { return structured_; }
    void SetStructured(bool structured);
    // The switches and the password of a root entering the tree; a password locks.
    void TakeFromRoot(const CNode& root);

    CDBHeader& Header() { return header_; }
    const CDBHeader& Header() const { return header_; }

    // The splash picture of the root pane: a monochrome and a colour picture, each kept as
    // a Palm bitmap and as the bitmap it shows.
    struct SplashPicture {
        std::shared_ptr<CPalmBitmap> palm;
        std::shared_ptr<CBitmap> bitmap;
        std::int64_t Size() const { return palm ? palm->EstFileSize() : 0; }
        bool Empty() const { return !palm && !bitmap; }
    };
    SplashPicture& MonochromeSplash() { return monochromeSplash_; }
    SplashPicture& ColorSplash() { return colorSplash_; }
    const SplashPicture& MonochromeSplash() const { return monochromeSplash_; }
    const SplashPicture& ColorSplash() const { return colorSplash_; }
    // What the splash pictures add to the size estimate (they travel with the root).
    std::int64_t SplashSize() const { return monochromeSplash_.Size() + colorSplash_.Size(); }
    void ClearSplash();

private:
    std::function<void()> changed_;
    std::array<bool, 3> switches_{};
    std::string password_;
    bool locked_ = false;
    bool structured_ = true;
    CDBHeader header_;
    SplashPicture monochromeSplash_;
    SplashPicture colorSplash_;
};

}  // namespace trovique
