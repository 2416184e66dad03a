// The normal tags dialog: two one-character fields and OK/Cancel.

#include "uNormalTags.h"

#include "DialogButtons.h"
#include "OneCharEdit.h"
#include "TAppSettings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmNormalTags::TfrmNormalTags(TAppSettings& settings, IMessageSink& messages, QWidget* parent)
    : QDialog(parent)
    , edtTagStart(new TOneCharEdit(messages, this))
    , edtTagStop(new TOneCharEdit(messages, this))
    , Settings(settings)
{
    setWindowTitle(u"Tag Setting"_s);
    auto* buttons = CreateOkCancelButtons(this, [this] { btnOkClick(); });
    btnOk = buttons->button(QDialogButtonBox::Ok);
    btnCancel = buttons->button(QDialogButtonBox::Cancel);
    // A click on a button leaves the focus in the field, so that Cancel
    // closes without the field's leave check and OK makes that check itself.
    btnOk->setFocusPolicy(Qt::TabFocus);
    btnCancel->setFocusPolicy(Qt::TabFocus);

    auto* startLabel = new QLabel(u"Tag Start:"_s, this);
    startLabel->setBuddy(edtTagStart);
    auto* stopLabel = new QLabel(u"Tag Stop:"_s, this);
    stopLabel->setBuddy(edtTagStop);
    auto* fields = new QGridLayout;
    fields->addWidget(startLabel, 0, 0);
    fields->addWidget(edtTagStart, 0, 1);
    fields->addWidget(stopLabel, 1, 0);
    fields->addWidget(edtTagStop, 1, 1);
    fields->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addWidget(buttons);

    edtTagStart->Load(Settings.TagStart);
    edtTagStop->Load(Settings.TagStop);
    // The designed size, or more where the platform's font or a long stored
    // value needs it.
    setFixedSize(sizeHint().expandedTo(QSize(220, 120)));
}

void TfrmNormalTags::btnOkClick()
{
    if (!edtTagStart->CheckValue() || !edtTagStop->CheckValue())
        return;
    Settings.TagStart = edtTagStart->text();
    Settings.TagStop = edtTagStop->text();
    accept();
}
