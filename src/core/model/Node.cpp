#include "core/model/Node.h"

#include "core/common/Error.h"
#include "core/model/Node22.h"
#include "core/model/RecordFields.h"

namespace trovique {
namespace {

// Hexadecimal digits per link in the link text: the root also stores each link's data value.
constexpr std::size_t kRootDigitsPerLink = 8;
constexpr std::size_t kNodeDigitsPerLink = 4;

std::uint16_t LinkAt(const std::vector<std::uint16_t>& list, std::size_t index,
                     const char* source) {
    if (index < 1 || index > list.size()) {
        throw CError::Object(kErrValueOutOfRange, source);
    }
    return list[index - 1];
}

[[noreturn]] void RaiseBadRecord() {
    throw CError::Object(kErrInvalidValue, "CNode:ReadFromFile");
}

}  // namespace

std::size_t CNode::MaxLinks() const {
    return RecordType() == kRecordTypeNode && IsEndNode() ? kMaxEndNodeLinks : kMaxLinks;
}

void CNode::AddLink(std::int64_t key, std::int64_t data) {
    const std::uint16_t checkedKey = record::CheckedWord(key);
    const std::uint16_t checkedData = record::CheckedWord(data);
    if (links_.size() >= MaxLinks() && !limitLinks_) {
        throw CError::Object(kErrMaxLinksExceeded, "CNode:AddLink");
    }
    links_.push_back(checkedKey);
    linkData_.push_back(checkedData);
}

void CNode::ClearLinks() {
    links_.clear();
    linkData_.clear();
}

std::uint16_t CNode::GetLink(std::size_t index) const {
    return LinkAt(links_, index, "CNode:GetLink");
}

std::uint16_t CNode::GetLinkData(std::size_t index) const {
    return LinkAt(linkData_, index, "CNode:GetLinkData");
}

bool CNode::ReadFromFile(CBinaryFile& file) {
    const std::uint64_t start = file.Position();
    CNode read;
    read.SetVersion(Version());
    if (!read.ReadCurrentLayout(file)) {
        file.Seek(start);
        CNode22 old;
        old.ReadFromFile(file);
        read = CNode();
        read.Clone22(old);
        read.SetVersion(old.Version());
    }
    *this = std::move(read);
    return true;
}

bool CNode::ReadCurrentLayout(CBinaryFile& file) {
    ReadHead(file);
    if (IsRoot()) {
        const std::uint16_t version = record::ReadWord(file);
        if (version == kFileVersion22 || version == kFileVersion21) {
            return false;
        }
        if (version != kCurrentFileVersion) {
            throw CError::Object(kErrVersionNotSupported, "CNode:ReadFromFile");
        }
        SetVersion(version);
    } else {
        SetParentKey(record::ReadWord(file));
    }
    SetFlagHi(file.ReadByte());
    SetFlagLo(file.ReadByte());
    if (IsRoot()) {
        SetFirstLeafKey(record::ReadWord(file));
        SetTitleBitmapKey(record::ReadWord(file));
    }
    SetValid((FlagHi() & kFlagHiValid) != 0);
    SetExpanded((FlagHi() & kFlagHiExpanded) != 0);
    UnfoldEndNodeType();

    const std::uint16_t count = record::ReadWord(file);
    SetTitle(record::ReadVarText(file, kMaxTitle, TextsComplemented(Version())));
    ReadLinkText(file, count);
    if (IsRoot()) {
        ReadRootTexts(file);
    }
    return true;
}

void CNode::ReadLinkText(CBinaryFile& file, std::uint16_t count) {
    const std::size_t digits = IsRoot() ? kRootDigitsPerLink : kNodeDigitsPerLink;
    const std::string text = record::ReadVarText(file, digits * count);
    // The text must hold every link in full; anything else is a damaged record, and guessing at
    // it would attach children to the wrong nodes.
    if (text.size() != digits * count) {
        RaiseBadRecord();
    }
    const std::string_view view(text);
    for (std::size_t at = 0; at < text.size(); at += digits) {
        std::uint16_t key = 0;
        std::uint16_t data = 0;
        if (!record::ParseHexWord(view.substr(at, 4), key)) {
            RaiseBadRecord();
        }
        if (IsRoot()) {
            if (!record::ParseHexWord(view.substr(at + 4, 4), data)) {
                RaiseBadRecord();
            }
        } else {
            data = key;
        }
        if (key != 0) {
            links_.push_back(key);
        }
        linkData_.push_back(data);
    }
}

std::string CNode::LinkText(std::size_t count) const {
    std::string text;
    text.reserve(count * kRootDigitsPerLink);
    for (std::size_t i = 0; i < count; ++i) {
        record::AppendHexWord(text, links_[i]);
        if (IsRoot()) {
            record::AppendHexWord(text, i < linkData_.size() ? linkData_[i] : 0);
        }
    }
    return text;
}

bool CNode::WriteToFile(CBinaryFile& file) {
    const bool root = IsRoot();
    const std::size_t linkCount = root && unstructured_ ? 0 : links_.size();
    const std::uint16_t storedCount = record::CheckedWord(static_cast<std::int64_t>(linkCount));
    const std::string linkText = LinkText(linkCount);

    SetFixedRegionSize(root ? kRootFixedRegionSize : kNodeFixedRegionSize);
    unsigned flags = FlagHi() & ~unsigned{kFlagHiValid | kFlagHiExpanded};
    flags |= Valid() ? kFlagHiValid : 0u;
    flags |= Expanded() ? kFlagHiExpanded : 0u;
    SetFlagHi(static_cast<std::uint8_t>(flags));

    record::WriteWord(file, FixedRegionSize());
    if (root) {
        record::WriteWord(file, kRecordTypeRoot);
    } else {
        record::WriteWord(file, IsEndNode() ? kRecordTypeEndNode : RecordType());
    }
    record::WriteWord(file, Key());
    record::WriteWord(file, root ? kCurrentFileVersion : ParentKey());
    file.WriteByte(FlagHi());
    file.WriteByte(FlagLo());
    if (root) {
        record::WriteWord(file, FirstLeafKey());
        record::WriteWord(file, TitleBitmapKey());
    }
    record::WriteWord(file, storedCount);
    record::WriteVarText(file, Title(), kMaxTitle);
    record::WriteVarText(file, linkText, linkText.size());
    if (root) {
        WriteRootTexts(file, kCurrentFileVersion);
    }
    return true;
}

void CNode::Clone(CNode& target) const {
    target.SetFixedRegionSize(FixedRegionSize());
    target.CopyCommonFields(*this);
    target.limitLinks_ = limitLinks_;
    target.ClearLinks();
    for (std::size_t i = 0; i < links_.size(); ++i) {
        target.AddLink(links_[i], i < linkData_.size() ? linkData_[i] : 0);
    }
}

std::unique_ptr<CNode> CNode::Clone() const {
    auto copy = std::make_unique<CNode>();
    Clone(*copy);
    return copy;
}

void CNode::Clone22(const CNode22& old) {
    CopyCommonFields(old);
    SetPassword(old.Password());
    ClearLinks();
    for (std::size_t i = 1; i <= old.NumLinks(); ++i) {
        AddLink(old.GetLink(i), 0);
    }
}

void CNode::Initialize() {
    *this = CNode();
}

}  // namespace trovique
