// Ctrl-C in the shell: the terminal's interrupt signal cancels, it never ends the program.
// While an InterruptCatcher lives, the signal only raises a flag that the line readers take:
// a read under way is cancelled, and a signal that came while a command ran cancels that
// command's next question. Without a catcher the signal does what it did before.
#pragma once

class InterruptCatcher {
  public:
    // Installs the handler; the destructor puts the previous one back. One at a time.
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;
};

// Whether Ctrl-C came since the last call; the flag is cleared.
bool TakeInterrupt();
