// The part-of-speech tags dialog: two exclusive check boxes, each with a panel

#include "DialogButtons.h"
// of the values that belong to it, and OK/Cancel.
#include "OneCharEdit.h"
#include "TAppSettings.h"
#include "uPartOfSpeechTags.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int TagStartRows = 4;
constexpr int DesignedRowHeight = 18;
// How far the panels stand in from their check boxes.
constexpr int PanelIndent = 20;

} // namespace

TfrmPartOfSpeechTags::TfrmPartOfSpeechTags(TAppSettings& settings, IMessageSink& messages,
                                           QWidget* parent)
    : QDialog(parent)
    , EmbededCB(new QCheckBox(u"Embedded in Word"_s, this))
    , DelimiterEdit(new TOneCharEdit(messages, this))
    , OutsideCB(new QCheckBox(u"Outside Word"_s, this))
    , TagStartGrid(new QTableWidget(TagStartRows, 1, this))
    , TagStopEdit(new TOneCharEdit(messages, this))
    , OutsideBeforeCB(new QCheckBox(u"Before Word"_s, this))
    , Settings(settings)
{
    setWindowTitle(u"Part of Speech Tags Setting"_s);
    auto* group = new QGroupBox(u" General Settings "_s, this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(EmbededCB);
    groupLayout->addWidget(CreateEmbeddedPanel());
    groupLayout->addWidget(OutsideCB);
    groupLayout->addWidget(CreateOutsidePanel());
    // Also when the program sets the box.
    connect(EmbededCB, &QCheckBox::toggled, this, &TfrmPartOfSpeechTags::EmbededCBClick);
    connect(OutsideCB, &QCheckBox::toggled, this, &TfrmPartOfSpeechTags::OutsideCBClick);

    auto* buttons = CreateOkCancelButtons(this, [this] { OkBtnClick(); });
    OkBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);
    // A click on a button leaves the focus where it is, so that Cancel closes
    // without a field's leave check and OK makes that check itself.
    OkBtn->setFocusPolicy(Qt::TabFocus);
    CancelBtn->setFocusPolicy(Qt::TabFocus);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    FormShow();
    // The designed size, or more where the platform's font or a long stored
    // value needs it.
    setFixedSize(sizeHint().expandedTo(QSize(280, 300)));
}

QWidget* TfrmPartOfSpeechTags::CreateEmbeddedPanel()
{
    EmbededPanel = new QWidget(this);
    DelimiterLabel = new QLabel(u"Delimiter Character:"_s, EmbededPanel);
    DelimiterLabel->setBuddy(DelimiterEdit);
    DelimiterEdit->setParent(EmbededPanel);
    auto* layout = new QHBoxLayout(EmbededPanel);
    layout->setContentsMargins(PanelIndent, 0, 0, 0);
    layout->addWidget(DelimiterLabel);
    layout->addWidget(DelimiterEdit);
    layout->addStretch();
    return EmbededPanel;
}

QWidget* TfrmPartOfSpeechTags::CreateOutsidePanel()
{
    OutsidePanel = new QWidget(this);
    TagStartLabel = new QLabel(u"Tag Start:"_s, OutsidePanel);
    TagStartLabel->setBuddy(TagStartGrid);
    TagStartGrid->setParent(OutsidePanel);
    CreateTagStartGrid();
    TagStopLabel = new QLabel(u"Tag Stop:"_s, OutsidePanel);
    TagStopLabel->setBuddy(TagStopEdit);
    TagStopEdit->setParent(OutsidePanel);
    OutsideBeforeCB->setParent(OutsidePanel);
    auto* layout = new QGridLayout(OutsidePanel);
    layout->setContentsMargins(PanelIndent, 0, 0, 0);
    layout->addWidget(TagStartLabel, 0, 0, Qt::AlignTop);
    layout->addWidget(TagStartGrid, 0, 1);
    layout->addWidget(TagStopLabel, 1, 0);
    layout->addWidget(TagStopEdit, 1, 1);
    layout->addWidget(OutsideBeforeCB, 2, 0, 1, 2);
    layout->setColumnStretch(2, 1);
    return OutsidePanel;
}

// All four rows are always in view: no headers, no scroll bars, and a height
// of exactly four rows. A row is 18 pixels high, or more where the font needs it.
void TfrmPartOfSpeechTags::CreateTagStartGrid()
{
    QTableWidget* grid = TagStartGrid;
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(0);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = std::max(DesignedRowHeight, grid->fontMetrics().height() + 2);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setTabKeyNavigation(false); // Tab leaves the grid, as in any field
    grid->setFixedSize(120, TagStartRows * rowHeight + 2 * grid->frameWidth());
    for (int row = 0; row < TagStartRows; ++row)
        grid->setItem(row, 0, new QTableWidgetItem);
}

void TfrmPartOfSpeechTags::FormShow()
{
    EmbededCB->setChecked(Settings.psEmbeddedInWord);
    DelimiterEdit->Load(Settings.psDelimeter);
    OutsideCB->setChecked(Settings.psOutsideOfWord);
    for (int row = 0; row < TagStartRows; ++row)
        TagStartGrid->item(row, 0)->setText(Settings.psTagsStart[row]);
    TagStopEdit->Load(Settings.psTagStop);
    OutsideBeforeCB->setChecked(Settings.psBeforeWord);
    // A box set to the state it already had has not run its rule.
    EmbededCBClick();
    OutsideCBClick();
}

// The labels are children of the panels and are drawn in the disabled text
// colour with them.
void TfrmPartOfSpeechTags::EmbededCBClick()
{
    const bool on = EmbededCB->isChecked();
    EmbededPanel->setEnabled(on);
    if (on)
        OutsideCB->setChecked(false);
}

void TfrmPartOfSpeechTags::OutsideCBClick()
{
    const bool on = OutsideCB->isChecked();
    OutsidePanel->setEnabled(on);
    if (on)
        EmbededCB->setChecked(false);
}

void TfrmPartOfSpeechTags::OkBtnClick()
{
    if (!DelimiterEdit->CheckValue() || !TagStopEdit->CheckValue())
        return;
    // An edit still open in the grid has not handed its text to the row yet
    // (a click on OK leaves the focus in the editor); taking the focus from the
    // editor makes it do so.
    if (QWidget* focused = focusWidget(); focused && TagStartGrid->isAncestorOf(focused))
        TagStartGrid->setFocus();
    Settings.psEmbeddedInWord = EmbededCB->isChecked();
    Settings.psDelimeter = DelimiterEdit->text();
    Settings.psOutsideOfWord = OutsideCB->isChecked();
    for (int row = 0; row < TagStartRows; ++row)
        Settings.psTagsStart[row] = TagStartGrid->item(row, 0)->text();
    Settings.psTagStop = TagStopEdit->text();
    Settings.psBeforeWord = OutsideBeforeCB->isChecked();
    accept();
}
