#include "app/shell/interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t interrupted = 0;

}  // namespace

#ifdef _WIN32

namespace {

using Handler = void (*)(int);
Handler previous = SIG_DFL;

void OnInterrupt(int) {
    // The C library puts the default back before it calls the handler.
    std::signal(SIGINT, OnInterrupt);
    interrupted = 1;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
    interrupted = 0;
    previous = std::signal(SIGINT, OnInterrupt);
}

InterruptCatcher::~InterruptCatcher() {
    std::signal(SIGINT, previous);
}

#else

#include <signal.h>

namespace {

struct sigaction previous {};

void OnInterrupt(int) {
    interrupted = 1;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read waiting for the terminal must return, so that it can be cancelled.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &previous);
}

InterruptCatcher::~InterruptCatcher() {
    sigaction(SIGINT, &previous, nullptr);
}

#endif

bool TakeInterrupt() {
    const bool was = interrupted != 0;
    interrupted = 0;
    return was;
}
