#include "core/print/PageList.h"

#include <charconv>

namespace trovique {
namespace {

std::optional<std::size_t> PageNumber(std::string_view text, std::size_t lastPage) {
    std::size_t page = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || page < 1 ||
        page > lastPage) {
        return std::nullopt;
    }
    return page;
}

}  // namespace

std::optional<std::vector<std::size_t>> ParsePageList(std::string_view text, std::size_t lastPage) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::vector<std::size_t> pages;
    std::vector<bool> named(lastPage + 1, false);
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t dash = item.find('-');
        const auto first = PageNumber(item.substr(0, dash), lastPage);
        const auto last =
            dash == std::string_view::npos ? first : PageNumber(item.substr(dash + 1), lastPage);
        if (!first || !last || *last < *first) {
            return std::nullopt;
        }
        for (std::size_t page = *first; page <= *last; ++page) {
            if (!named[page]) {
                named[page] = true;
                pages.push_back(page);
            }
        }
        if (comma == std::string_view::npos) {
            return pages;
        }
        text.remove_prefix(comma + 1);
    }
}

}  // namespace trovique
