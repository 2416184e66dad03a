#include "uProgress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

// A new file sets its range before its first position, so a bar shown between
// the two may hold a position beyond the range for one refresh; the bar
// ignores such a value.
void TProgressValues::SetRange(qint64 minimum, qint64 maximum)
{
    Minimum.store(minimum, std::memory_order_relaxed);
    Maximum.store(maximum, std::memory_order_relaxed);
}

// File sizes beyond the range of a bar are scaled down.
void TProgressValues::ShowOn(QProgressBar& bar) const
{
    const qint64 maximum = Maximum.load(std::memory_order_relaxed);
    if (maximum < 0)
        return;
    int shift = 0;
    while ((maximum >> shift) > std::numeric_limits<int>::max())
        ++shift;
    bar.setRange(static_cast<int>(Minimum.load(std::memory_order_relaxed) >> shift),
                 static_cast<int>(maximum >> shift));
    bar.setValue(static_cast<int>(Position.load(std::memory_order_relaxed) >> shift));
}

TfrmProgress::TfrmProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , pbText(new QProgressBar(this))
    , lblAll(new QLabel(u"Overall progress:"_s, this))
    , pbAll(new QProgressBar(this))
    , btnCancel(new QPushButton(u"Cancel"_s, this))
{
    setWindowTitle(u"Processing..."_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Text Progress:"_s, this));
    layout->addWidget(pbText);
    layout->addWidget(lblAll);
    layout->addWidget(pbAll);
    layout->addWidget(btnCancel, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(428, 145)));
    connect(btnCancel, &QPushButton::clicked, this, &TfrmProgress::btnCancelClick);
    Refresh.setInterval(RefreshInterval);
    connect(&Refresh, &QTimer::timeout, this, &TfrmProgress::ShowProgress);
}

void TfrmProgress::btnCancelClick()
{
    if (OnCancel)
        OnCancel();
}

void TfrmProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ShowProgress();
    Refresh.start();
}

void TfrmProgress::hideEvent(QHideEvent* event)
{
    Refresh.stop();
    QDialog::hideEvent(event);
}

void TfrmProgress::ShowProgress()
{
    TextValues.ShowOn(*pbText);
    CorpusValues.ShowOn(*pbAll);
}

void TfrmProgress::reject()
{
    btnCancelClick();
}

void TfrmProgress::closeEvent(QCloseEvent* event)
{
    event->ignore();
    btnCancelClick();
}
