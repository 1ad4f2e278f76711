#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace trovique {

// Page numbers written as a list of numbers and ranges, "1,3-5": each at least 1 and at most
// lastPage, in the order written, a page named twice kept once. Nothing for an empty or
// malformed text, a range running backwards or a page outside 1..lastPage.
std::optional<std::vector<std::size_t>> ParsePageList(std::string_view text, std::size_t lastPage);

}  // namespace trovique
