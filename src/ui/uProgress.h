// The progress dialog of a search: the reading of the current text and the
// progress over the corpus, and the Cancel button that stops the search.
#pragma once

#include "ProgressIndicator.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// Progress that the search reports from a thread of its own. The latest
// values are only kept here, and the dialog puts them on its bars a few times
// a second: the analysis reports every thousand characters, which must cost
// it next to nothing and must not flood the interface's event queue.
class TProgressValues : public IProgressIndicator {
public:
    void SetRange(qint64 minimum, qint64 maximum) override;
    void SetPosition(qint64 position) override
    {
        Position.store(position, std::memory_order_relaxed);
    }
    // The interface handles its events on its own thread meanwhile.
    void ProcessEvents() override {}

    // Shows the latest values on bar, which stays as it is until the first
    // range is set. REQUIRES: called on the interface's thread.
    void ShowOn(QProgressBar& bar) const;

private:
    std::atomic<qint64> Minimum{0};
    std::atomic<qint64> Maximum{-1}; // no range set yet
    std::atomic<qint64> Position{0};
};

class TfrmProgress : public QDialog {
    Q_OBJECT

public:
    explicit TfrmProgress(QWidget* parent = nullptr);

    QProgressBar* pbText;
    QLabel* lblAll;
    QProgressBar* pbAll;
    QPushButton* btnCancel;

    // What the search drives; may be driven from any thread.
    IProgressIndicator& TextProgress() { return TextValues; }
    IProgressIndicator& CorpusProgress() { return CorpusValues; }

    // What Cancel does: stop the search.
    std::function<void()> OnCancel;
    // Runs OnCancel and does nothing else; the dialog stays until the search
    // has ended.
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape and the window's close command cancel the search; they do not
    // hide the dialog while the search goes on.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Often enough to look smooth, seldom enough to cost nothing.
    static constexpr int RefreshInterval = 40; // milliseconds

    void ShowProgress();

    TProgressValues TextValues;
    TProgressValues CorpusValues;
    QTimer Refresh;
};
