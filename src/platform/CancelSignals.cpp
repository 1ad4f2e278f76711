#include "platform/CancelSignals.h"

#include <signal.h>

#include <atomic>

namespace trovique {
namespace {

std::atomic<bool> cancelled{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void OnCancelSignal(int) {
    cancelled.store(true);
}

}  // namespace

void InstallCancelSignals() {
    struct sigaction action {};
    action.sa_handler = OnCancelSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the next one is the signal's default again, for a user who insists.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        ::sigaction(signal, &action, nullptr);
    }
}

bool CancelRequested() {
    return cancelled.load();
}

}  // namespace trovique
