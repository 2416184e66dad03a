#include "CancelOnSignal.h"

#include "SearchRunner.h"

#include <atomic>

namespace {

// Only lock-free atomics may be touched inside a signal handler.
static_assert(std::atomic<bool>::is_always_lock_free); // the runner's cancel flag
static_assert(std::atomic<TSearchRunner*>::is_always_lock_free);

std::atomic<TSearchRunner*> Target{nullptr};

void CancelSearch(int)
{
    Target.load()->Cancel();
}

} // namespace

TCancelOnSignal::TCancelOnSignal(TSearchRunner& runner)
{
    Target = &runner;
    struct sigaction action {};
    action.sa_handler = CancelSearch;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND makes the handler a one-shot; SA_RESTART keeps the reading
    // of corpus files free of EINTR.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (TSaved& saved : Saved) {
        sigaction(saved.Signal, nullptr, &saved.Before);
        if (saved.Before.sa_handler == SIG_IGN)
            continue;
        saved.Installed = sigaction(saved.Signal, &action, nullptr) == 0;
    }
}

TCancelOnSignal::~TCancelOnSignal()
{
    for (const TSaved& saved : Saved) {
        if (saved.Installed)
            sigaction(saved.Signal, &saved.Before, nullptr);
    }
    Target = nullptr;
}

// The handler records nothing, to stay as small as a handler can be: the
// action that SA_RESETHAND put back tells which signal came.
int TCancelOnSignal::Caught() const
{
    for (const TSaved& saved : Saved) {
        struct sigaction now {};
        if (saved.Installed && sigaction(saved.Signal, nullptr, &now) == 0 &&
            now.sa_handler != CancelSearch)
            return saved.Signal;
    }
    return 0;
}
