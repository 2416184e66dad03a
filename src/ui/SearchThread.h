// Runs a search on a thread of its own while the interface goes on handling
// its events: it repaints, and Cancel acts at once. What the search reports
// reaches the interface's thread through queued calls; each message is shown
// there while the search waits for it, so that messages come as modal boxes,
// one at a time and in the order the search reports them.
#pragma once

#include "MessageSink.h"
#include "ProgressIndicator.h"
#include "SearchRunner.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <mutex>

class TSearchThread : public QObject, private IMessageSink {
public:
    // The settings must not change while the search runs. messages is called
    // on the interface's thread only.
    TSearchThread(const TAppSettings& settings, IMessageSink& messages);

    // Where the search reports its progress. Both are driven from the
    // search's thread; each may be null.
    void SetProgress(IProgressIndicator* fileProgress, IProgressIndicator* corpusProgress)
    {
        FileProgress.Target = fileProgress;
        CorpusProgress.Target = corpusProgress;
    }

    // Searches, and handles the interface's events until the search has
    // ended; returns its result, or throws what the search threw. A search
    // cancelled at any time, even before it started, reports itself
    // cancelled. When the application quits meanwhile, the search is
    // cancelled and waited for. REQUIRES: called on the interface's thread,
    // once per object.
    TSearchResult Run(const TSearchRequest& request);

    // Stops the search at once. May be called from any thread.
    void Cancel();

private:
    // Passes progress on. Where the search lets the interface handle its
    // events, it learns of a Cancel that came before it started (the runner
    // clears its flag when it starts).
    class TProgressRelay : public IProgressIndicator {
    public:
        explicit TProgressRelay(TSearchThread& owner)
            : Owner(owner)
        {}
        void SetRange(qint64 minimum, qint64 maximum) override;
        void SetPosition(qint64 position) override;
        void ProcessEvents() override;

        IProgressIndicator* Target = nullptr;

    private:
        TSearchThread& Owner;
    };

    // The runner's messages, on the search's thread.
    void ShowWarning(const QString& text) override { Relay(false, text); }
    void ShowError(const QString& text) override { Relay(true, text); }
    // Shows the message on the interface's thread and waits until it has
    // been shown, or until the search is abandoned.
    void Relay(bool error, const QString& text);
    // Cancels the search and lets it go on without waiting for the
    // interface, which no longer handles events.
    void Abandon();

    IMessageSink& Messages;
    TSearchRunner Runner;
    TProgressRelay FileProgress{*this};
    TProgressRelay CorpusProgress{*this};
    std::atomic<bool> CancelRequested{false};

    std::mutex Mutex;
    std::condition_variable MessageDone;
    bool MessageShown = false; // guarded by Mutex
    bool Abandoned = false;    // guarded by Mutex
};
