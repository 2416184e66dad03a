// Buffers that the analysis of every file needs anew, at a size that hardly
// depends on the file. A thread keeps the last one given back for each use, so
// that the next file on that thread takes it over instead of fresh memory,
// which the system would map and clear page by page: over thousands of small
// files that costs more than reading them.
#pragma once

#include <utility>
#include <vector>

// Use tells apart the buffers of different owners.
template <typename T, typename Use>
class TSpareVector {
public:
    // The thread's spare buffer of this use, as it was given back; empty when
    // there is none.
    static std::vector<T> Take() { return std::exchange(Spare(), {}); }
    static void Give(std::vector<T>&& buffer) { Spare() = std::move(buffer); }

private:
    static std::vector<T>& Spare()
    {
        thread_local std::vector<T> spare;
        return spare;
    }
};
