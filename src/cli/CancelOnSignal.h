// Ctrl-C (SIGINT) and SIGTERM while a search runs: each cancels the search, so
// that the run ends as a cancelled search instead of being killed in the
// middle. The first signal restores the default action, so that a second one
// kills at once should the search be slow to stop.
#pragma once

#include <csignal>

class TSearchRunner;

class TCancelOnSignal {
public:
    // REQUIRES: no other TCancelOnSignal lives, and runner outlives this one.
    // A signal ignored when the program started stays ignored.
    explicit TCancelOnSignal(TSearchRunner& runner);
    // Gives the signals back their actions from before.
    ~TCancelOnSignal();

    TCancelOnSignal(const TCancelOnSignal&) = delete;
    TCancelOnSignal& operator=(const TCancelOnSignal&) = delete;

    // The signal that came while this object lived (SIGINT when both did); 0
    // when none did.
    int Caught() const;

private:
    struct TSaved {
        int Signal;
        bool Installed = false;
        struct sigaction Before {};
    };
    TSaved Saved[2] = {{SIGINT}, {SIGTERM}};
};
