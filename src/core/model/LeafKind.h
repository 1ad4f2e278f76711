#pragma once

#include <cstdint>
#include <optional>

#include "core/model/RecordType.h"

namespace trovique {

// The three kinds of slide: a question with four answers, a picture of a slide, a titled text.
enum class LeafKind { QAF, Bitmap, Fact };

// The record type a leaf of the kind is stored with; the leaf conversion commands name the kinds
// by the same numbers (3, 4, 5).
constexpr std::uint16_t RecordTypeOf(LeafKind kind) {
    switch (kind) {
        case LeafKind::Bitmap:
            return kRecordTypeBitmap;
        case LeafKind::Fact:
            return kRecordTypeFact;
        case LeafKind::QAF:
            break;
    }
    return kRecordTypeQAF;
}

// The kind a stored leaf record type names; none for any other type.
constexpr std::optional<LeafKind> LeafKindOfRecordType(std::uint16_t type) {
    switch (type) {
        case kRecordTypeQAF:
            return LeafKind::QAF;
        case kRecordTypeBitmap:
            return LeafKind::Bitmap;
        case kRecordTypeFact:
            return LeafKind::Fact;
        default:
            return std::nullopt;
    }
}

}  // namespace trovique
