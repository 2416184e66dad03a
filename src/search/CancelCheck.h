// Lets a long match attempt notice that its search was cancelled. The
// attempt counts its work; only every so many steps is the question asked,
// because asking may let the user interface handle its pending events.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

class TCancelCheck {
public:
    // poll answers whether the search was cancelled.
    explicit TCancelCheck(std::function<bool()> poll)
        : Poll(std::move(poll))
    {}

    // Counts steps of work done; true once the search is cancelled. A
    // cancelled attempt gives up and finds nothing.
    bool Work(std::int64_t steps)
    {
        Done += steps;
        if (Done >= Interval) {
            Done = 0;
            Cancelled = Cancelled || Poll();
        }
        return Cancelled;
    }

private:
    // About a millisecond of matching between two questions.
    static constexpr std::int64_t Interval = std::int64_t{1} << 20;

    std::function<bool()> Poll;
    std::int64_t Done = 0;
    bool Cancelled = false;
};
