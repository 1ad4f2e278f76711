#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/common/ProcessRunner.h"

namespace trovique::test {

// A process runner for core tests: records each request, lets a test look at the world while
// the "program" runs, and plays a program that stays for a number of polls (calling the
// request's whileWaiting each time, as the real runner does) or cannot be started.
class FakeInstallRunner final : public IProcessRunner {
public:
    int polls = 3;
    bool startFails = false;
    int exitCode = 0;
    std::string output;
    std::function<void(const ProcessRequest&)> whileRunning;
    std::vector<ProcessRequest> requests;

    ProcessResult Run(const ProcessRequest& request) override {
        requests.push_back(request);
        ProcessResult result;
        if (startFails) {
            result.detail = "the program " + request.arguments.front() + " was not found";
            return result;
        }
        if (whileRunning) {
            whileRunning(request);
        }
        result.end = ProcessEnd::Exited;
        result.exitCode = exitCode;
        result.output = output;
        for (int poll = 0; poll < polls; ++poll) {
            if (request.whileWaiting && !request.whileWaiting()) {
                result.end = ProcessEnd::TimedOut;
                break;
            }
        }
        return result;
    }
};

}  // namespace trovique::test
