#include "ConcSentOptions.h"

#include "ConcSentExceptions.h"
#include "DialogButtons.h"
#include "UserInteraction.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TSentenceOptionsForm::TSentenceOptionsForm(IUserInteraction& user, IMessageSink& messages,
                                           QWidget* parent)
    : QDialog(parent)
    , DelimitersEdit(new QLineEdit(this))
    , SmartAbbrCB(new QCheckBox(u"Smart &Abbreviations Detect"_s, this))
    , TrailingQuotesCB(new QCheckBox(u"Include Trailing Quotes"_s, this))
    , cbCapital(new QCheckBox(u"Initial capital letter is required"_s, this))
    , ExcEditBtn(new QPushButton(u"&Exceptions..."_s, this))
    , User(user)
    , Messages(messages)
{
    setWindowTitle(u"Sentence Options"_s);
    ExcEditBtn->setAutoDefault(false); // Enter stays with OK
    connect(ExcEditBtn, &QPushButton::clicked, this, &TSentenceOptionsForm::ExcEditBtnClick);

    auto* buttons = CreateOkCancelButtons(this, [this] { accept(); });
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* label = new QLabel(u"Sentence &Delimiters:"_s, this);
    label->setBuddy(DelimitersEdit);
    auto* delimiters = new QHBoxLayout;
    delimiters->addWidget(label);
    delimiters->addWidget(DelimitersEdit, 1);
    auto* exceptions = new QHBoxLayout;
    exceptions->addWidget(ExcEditBtn);
    exceptions->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(delimiters);
    layout->addWidget(SmartAbbrCB);
    layout->addWidget(TrailingQuotesCB);
    layout->addWidget(cbCapital);
    layout->addLayout(exceptions);
    layout->addStretch();
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 210)));
}

void TSentenceOptionsForm::ExcEditBtnClick()
{
    TSentenceExceptionsForm dialog(User, Messages, this);
    dialog.SetWords(ExceptionsList);
    if (User.ExecDialog(dialog) == QDialog::Accepted)
        ExceptionsList = dialog.Words();
}
