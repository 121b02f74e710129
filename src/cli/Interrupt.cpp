#include "cli/Interrupt.h"

namespace tessemar::cli {
namespace {

std::atomic<int> interruptRequest{0};

extern "C" void OnInterrupt(int) {
    interruptRequest.store(1);
}

}  // namespace

std::atomic<int>& InterruptRequest() {
    return interruptRequest;
}

InterruptScope::InterruptScope() {
    interruptRequest.store(0);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_);
}

InterruptScope::~InterruptScope() {
    sigaction(SIGINT, &previous_, nullptr);
}

}  // namespace tessemar::cli
