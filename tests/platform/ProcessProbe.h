#pragma once

#include <fstream>
#include <string>

namespace trovique::test {

// True when process pid no longer runs: it is gone, or a zombie waiting for whoever adopted it.
inline bool ProcessGone(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const auto close = line.rfind(')');
    return close != std::string::npos && line.substr(close + 2, 1) == "Z";
}

}  // namespace trovique::test
