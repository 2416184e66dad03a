// Analyses the files of one search on worker threads, each file into results
// of its own, and hands the results over in corpus order. Workers run at most
// a fixed number of files ahead of the file the search is waiting for, so
// that results kept back never hold much more than the search will keep.
#pragma once

#include "Distribution.h"
#include "ProgressIndicator.h"
#include "RecordedMessages.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// How far a worker has read its file; read by the thread that waits for it.
class TSharedProgress : public IProgressIndicator {
public:
    void SetRange(qint64, qint64 maximum) override { Maximum = maximum; }
    void SetPosition(qint64 position) override { Position = position; }
    void ProcessEvents() override {}

    std::atomic<qint64> Maximum{0};
    std::atomic<qint64> Position{0};
};

// What the analysis of one file leaves for the search.
struct TFileResult {
    TSearchBins Bins;
    TRecordedMessages Messages;
    std::int64_t Hits = 0;    // registered, also those dropped later
    std::exception_ptr Error; // the analysis stopped with it
    TSharedProgress Progress;
};

class TFilePool {
public:
    // Runs analyse(worker, file, result) for file 0 to count - 1 on jobs
    // worker threads, worker counted from 0. analyse must not throw; it
    // keeps a failure in the result.
    using TAnalyse = std::function<void(int worker, qsizetype file, TFileResult& result)>;
    TFilePool(qsizetype count, int jobs, TAnalyse analyse);
    // Stops the workers after their current file, and waits for them.
    ~TFilePool();
    TFilePool(const TFilePool&) = delete;
    TFilePool& operator=(const TFilePool&) = delete;

    // The results of file, the next one not yet taken, once they are
    // complete; null when they are not complete within timeout.
    TFileResult* WaitFor(qsizetype file, std::chrono::milliseconds timeout);
    // The results of a file being analysed, or null: for its progress.
    const TFileResult* Running(qsizetype file);
    // Frees the results of file, which the search has taken.
    void Release(qsizetype file);

private:
    void Work(int worker);

    const qsizetype Count;
    const qsizetype Ahead; // files a worker may start beyond the one waited for
    const TAnalyse Analyse;
    std::mutex Lock;
    std::condition_variable Changed;
    std::vector<std::unique_ptr<TFileResult>> Results;
    std::vector<char> Done;
    qsizetype Next = 0;     // the next file to start
    qsizetype Released = 0; // files taken by the search
    bool Stopping = false;
    std::vector<std::thread> Workers;
};
