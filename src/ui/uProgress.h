// The progress dialog of a search: the reading of the current text and the
// progress over the corpus, and the Cancel button that stops the search.
#pragma once

#include "ProgressIndicator.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// A progress bar that the analysis drives; it lets the interface handle
// pending events, so that Cancel can act during a long file. The analysis
// asks for that every thousand characters, hundreds of thousands of times in
// a large corpus; a round of the event loop costs system calls, so the bar
// moves and events are handled at most every EventInterval milliseconds,
// which is still smooth to the eye and immediate to a click.
class TProgressBarIndicator : public IProgressIndicator {
public:
    explicit TProgressBarIndicator(QProgressBar* bar)
        : Bar(bar)
    {}

    void SetRange(qint64 minimum, qint64 maximum) override;
    void SetPosition(qint64 position) override;
    void ProcessEvents() override;

private:
    static constexpr qint64 EventInterval = 20;

    void ShowPosition();

    QProgressBar* Bar;
    int Shift = 0; // file sizes beyond the range of a bar are scaled down
    qint64 Position = 0;
    qint64 Shown = 0;
    QElapsedTimer SinceEvents;
};

class TfrmProgress : public QDialog {
    Q_OBJECT

public:
    explicit TfrmProgress(QWidget* parent = nullptr);

    QProgressBar* pbText;
    QLabel* lblAll;
    QProgressBar* pbAll;
    QPushButton* btnCancel;

    IProgressIndicator& TextProgress() { return TextIndicator; }
    IProgressIndicator& CorpusProgress() { return CorpusIndicator; }

    // What Cancel does: stop the search.
    std::function<void()> OnCancel;
    // Runs OnCancel and does nothing else; the dialog stays until the search
    // has ended.
    void btnCancelClick();

protected:
    // Escape and the window's close command cancel the search; they do not
    // hide the dialog while the search goes on.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    TProgressBarIndicator TextIndicator;
    TProgressBarIndicator CorpusIndicator;
};
