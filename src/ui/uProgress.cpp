#include "uProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

void TProgressBarIndicator::SetRange(qint64 minimum, qint64 maximum)
{
    Shift = 0;
    while ((maximum >> Shift) > std::numeric_limits<int>::max())
        ++Shift;
    Bar->setRange(static_cast<int>(minimum >> Shift), static_cast<int>(maximum >> Shift));
}

// A bar that goes back (a new file) does so at once; forward moves wait for
// the next round of events.
void TProgressBarIndicator::SetPosition(qint64 position)
{
    Position = position;
    if (position < Shown || !SinceEvents.isValid())
        ShowPosition();
}

void TProgressBarIndicator::ProcessEvents()
{
    if (SinceEvents.isValid() && SinceEvents.elapsed() < EventInterval)
        return;
    ShowPosition();
    QCoreApplication::processEvents();
    SinceEvents.start();
}

void TProgressBarIndicator::ShowPosition()
{
    Shown = Position;
    Bar->setValue(static_cast<int>(Position >> Shift));
}

TfrmProgress::TfrmProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , pbText(new QProgressBar(this))
    , lblAll(new QLabel(u"Overall progress:"_s, this))
    , pbAll(new QProgressBar(this))
    , btnCancel(new QPushButton(u"Cancel"_s, this))
    , TextIndicator(pbText)
    , CorpusIndicator(pbAll)
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
}

void TfrmProgress::btnCancelClick()
{
    if (OnCancel)
        OnCancel();
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
