#include "FilePool.h"

#include <algorithm>

TFilePool::TFilePool(qsizetype count, int jobs, TAnalyse analyse)
    : Count(count)
    , Ahead(std::max<qsizetype>(8 * qsizetype(jobs), 16))
    , Analyse(std::move(analyse))
    , Results(static_cast<size_t>(count))
    , Done(static_cast<size_t>(count), 0)
{
    Workers.reserve(static_cast<size_t>(jobs));
    for (int worker = 0; worker < jobs; ++worker)
        Workers.emplace_back([this, worker] { Work(worker); });
}

TFilePool::~TFilePool()
{
    {
        const std::scoped_lock lock(Lock);
        Stopping = true;
    }
    Changed.notify_all();
    for (std::thread& worker : Workers)
        worker.join();
}

void TFilePool::Work(int worker)
{
    for (;;) {
        TFileResult* result = nullptr;
        qsizetype file = 0;
        {
            std::unique_lock lock(Lock);
            Changed.wait(lock,
                         [&] { return Stopping || Next >= Count || Next < Released + Ahead; });
            if (Stopping || Next >= Count)
                return;
            file = Next++;
            Results[static_cast<size_t>(file)] = std::make_unique<TFileResult>();
            result = Results[static_cast<size_t>(file)].get();
        }
        Analyse(worker, file, *result);
        {
            const std::scoped_lock lock(Lock);
            Done[static_cast<size_t>(file)] = 1;
        }
        Changed.notify_all();
    }
}

TFileResult* TFilePool::WaitFor(qsizetype file, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(Lock);
    if (!Changed.wait_for(lock, timeout, [&] { return Done[static_cast<size_t>(file)] != 0; }))
        return nullptr;
    return Results[static_cast<size_t>(file)].get();
}

const TFileResult* TFilePool::Running(qsizetype file)
{
    const std::scoped_lock lock(Lock);
    return Results[static_cast<size_t>(file)].get();
}

void TFilePool::Release(qsizetype file)
{
    {
        const std::scoped_lock lock(Lock);
        Results[static_cast<size_t>(file)].reset();
        Released = file + 1;
    }
    Changed.notify_all();
}
