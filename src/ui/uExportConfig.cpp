#include "uExportConfig.h"

#include "DialogButtons.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmExportConfig::TfrmExportConfig(QWidget* parent)
    : QDialog(parent)
    , Prompt(new QLabel(u"Enter maximum number of &lines to print/save:"_s))
    , MaxLinesUpDown(new QSpinBox)
    , NoLimitLabel(new QLabel(u"(0 indicates no limit)"_s))
    , ShowFileBox(new QCheckBox(u"Show &file names on each line"_s))
    , ConcealHits(new QCheckBox(u"&Conceal hits"_s))
    , LinesCB(new QCheckBox(u"Line Numbers"_s))
{
    setWindowTitle(u"Export data"_s);
    MaxLinesUpDown->setRange(0, 32000);
    MaxLinesUpDown->setSingleStep(15);
    MaxLinesUpDown->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    MaxLinesUpDown->findChild<QLineEdit*>()->setMaxLength(7);
    Prompt->setBuddy(MaxLinesUpDown);

    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* controls = new QGridLayout(bevel);
    controls->addWidget(Prompt, 0, 0, 1, 2);
    controls->addWidget(MaxLinesUpDown, 1, 0);
    controls->addWidget(NoLimitLabel, 1, 1);
    controls->addWidget(ShowFileBox, 2, 0, 1, 2);
    controls->addWidget(ConcealHits, 3, 0, 1, 2);
    controls->addWidget(LinesCB, 4, 0, 1, 2);
    controls->setColumnStretch(1, 1);

    // A number still being typed counts as it stands when OK is pressed.
    auto* buttons = CreateOkCancelButtons(this, [this] {
        MaxLinesUpDown->interpretText();
        accept();
    });
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    layout->addStretch();
    layout->addWidget(buttons);
    // The designed size, or more where the platform's font needs it.
    setFixedSize(sizeHint().expandedTo(QSize(290, 197)));
}

TExportOptions TfrmExportConfig::Options() const
{
    return {.MaxLines = MaxLinesUpDown->value(),
            .ShowFileNames = ShowFileBox->isChecked(),
            .ConcealHits = ConcealHits->isChecked(),
            .LineNumbers = LinesCB->isChecked()};
}
