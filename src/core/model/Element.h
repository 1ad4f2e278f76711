#pragma once

#include <cstdint>
#include <string>

namespace trovique {

// What the document window needs of any element of the tree, node or leaf: its key and title.
// Both setters apply the record's own checks (a 16-bit key, the title's length limit) and keep
// the old value when they fail.
class IElement {
public:
    virtual ~IElement() = default;

    virtual std::uint16_t Key() const = 0;
    virtual void SetKey(std::int64_t key) = 0;
    virtual const std::string& Title() const = 0;
    virtual void SetTitle(std::string title) = 0;

protected:
    IElement() = default;
    IElement(const IElement&) = default;
    IElement& operator=(const IElement&) = default;
    IElement(IElement&&) = default;
    IElement& operator=(IElement&&) = default;
};

}  // namespace trovique
