#include "SearchThread.h"

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>

TSearchThread::TSearchThread(const TAppSettings& settings, IMessageSink& messages)
    : Messages(messages)
    , Runner(settings, *this)
{
    Runner.SetProgress(&FileProgress, &CorpusProgress);
}

// The loop ends early only when the application quits: its loops then no
// longer run, and a message posted to it would never be shown.
TSearchResult TSearchThread::Run(const TSearchRequest& request)
{
    TSearchResult result;
    std::exception_ptr error;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            result = Runner.Run(request);
        } catch (...) {
            error = std::current_exception();
        }
    }));
    QEventLoop loop;
    bool ended = false;
    connect(thread.get(), &QThread::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    thread->start();
    loop.exec();
    if (!ended)
        Abandon();
    thread->wait();
    if (error)
        std::rethrow_exception(error);
    if (CancelRequested && result.Outcome == TSearchResult::TOutcome::Completed)
        result.Outcome = TSearchResult::TOutcome::Cancelled;
    return result;
}

void TSearchThread::Cancel()
{
    CancelRequested = true;
    Runner.Cancel();
}

void TSearchThread::Relay(bool error, const QString& text)
{
    std::unique_lock lock(Mutex);
    if (Abandoned)
        return;
    MessageShown = false;
    QMetaObject::invokeMethod(
        this,
        [this, error, text] {
            if (error)
                Messages.ShowError(text);
            else
                Messages.ShowWarning(text);
            const std::lock_guard shown(Mutex);
            MessageShown = true;
            MessageDone.notify_one();
        },
        Qt::QueuedConnection);
    MessageDone.wait(lock, [this] { return MessageShown || Abandoned; });
}

void TSearchThread::Abandon()
{
    Cancel();
    const std::lock_guard lock(Mutex);
    Abandoned = true;
    MessageDone.notify_one();
}

void TSearchThread::TProgressRelay::SetRange(qint64 minimum, qint64 maximum)
{
    if (Target)
        Target->SetRange(minimum, maximum);
}

void TSearchThread::TProgressRelay::SetPosition(qint64 position)
{
    if (Target)
        Target->SetPosition(position);
}

void TSearchThread::TProgressRelay::ProcessEvents()
{
    if (Owner.CancelRequested.load(std::memory_order_relaxed))
        Owner.Runner.Cancel();
}
