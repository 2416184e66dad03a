#include "ConcSentExceptions.h"

#include "DialogButtons.h"
#include "Error.h"
#include "ExceptionListFile.h"
#include "UserInteraction.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// "*" rather than "*.*": on Linux "*.*" would hide files without an extension.
const QString AllFiles = u"All Files (*)"_s;
const QString TextFiles = u"Text Files (*.txt)"_s;

} // namespace

TSentenceExceptionsForm::TSentenceExceptionsForm(IUserInteraction& user, IMessageSink& messages,
                                                 QWidget* parent)
    : QDialog(parent)
    , WordList(new QListWidget(this))
    , AddBtn(new QPushButton(u"&Add..."_s, this))
    , RemoveBtn(new QPushButton(u"&Remove"_s, this))
    , ClearBtn(new QPushButton(u"&Clear"_s, this))
    , SaveBtn(new QPushButton(u"&Save..."_s, this))
    , LoadBtn(new QPushButton(u"&Load..."_s, this))
    , User(user)
    , Messages(messages)
{
    setWindowTitle(u"Sentence Delimiters Exceptions List"_s);
    connect(AddBtn, &QPushButton::clicked, this, &TSentenceExceptionsForm::AddBtnClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &TSentenceExceptionsForm::RemoveBtnClick);
    connect(ClearBtn, &QPushButton::clicked, this, &TSentenceExceptionsForm::ClearBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TSentenceExceptionsForm::SaveBtnClick);
    connect(LoadBtn, &QPushButton::clicked, this, &TSentenceExceptionsForm::LoadBtnClick);

    auto* buttons = CreateOkCancelButtons(
        this, [this] { accept(); }, Qt::Vertical);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* label = new QLabel(u"&Words in file:"_s, this);
    label->setBuddy(WordList);
    auto* list = new QVBoxLayout;
    list->addWidget(label);
    list->addWidget(WordList);
    auto* commands = new QVBoxLayout;
    for (QPushButton* button : {AddBtn, RemoveBtn, ClearBtn, SaveBtn, LoadBtn}) {
        button->setAutoDefault(false); // Enter stays with OK
        commands->addWidget(button);
    }
    commands->addStretch();
    commands->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(commands);
    setFixedSize(sizeHint().expandedTo(QSize(360, 300)));
}

void TSentenceExceptionsForm::SetWords(const QStringList& words)
{
    WordList->clear();
    for (const QString& word : words)
        AddWord(word);
}

QStringList TSentenceExceptionsForm::Words() const
{
    QStringList words;
    for (int row = 0; row < WordList->count(); ++row)
        words.append(WordList->item(row)->text());
    return words;
}

void TSentenceExceptionsForm::AddWord(const QString& word)
{
    int low = 0;
    int high = WordList->count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (QString::localeAwareCompare(word, WordList->item(middle)->text()) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    WordList->insertItem(low, word);
}

void TSentenceExceptionsForm::AddBtnClick()
{
    QString word;
    if (User.InputText(this, u"Add exception"_s, u"New exception:"_s, word))
        AddWord(word);
}

void TSentenceExceptionsForm::RemoveBtnClick()
{
    delete WordList->currentItem();
}

void TSentenceExceptionsForm::ClearBtnClick()
{
    WordList->clear();
}

void TSentenceExceptionsForm::SaveBtnClick()
{
    const QString path = User.SaveFileName(
        this, {u"Save Sentence Delimiters Exceptions"_s, {TextFiles, AllFiles}, u"txt"_s});
    if (path.isEmpty())
        return;
    try {
        WriteExceptionList(path, Words());
    } catch (const TFileError& error) {
        Messages.ShowError(error.Message());
    }
}

void TSentenceExceptionsForm::LoadBtnClick()
{
    const QString path = User.OpenFileName(
        this, {u"Load New Sentence Delimiters Exceptions"_s, {TextFiles, AllFiles}, u"txt"_s});
    if (path.isEmpty())
        return;
    try {
        SetWords(ReadExceptionList(path));
    } catch (const TFileError& error) {
        Messages.ShowError(error.Message());
    }
}
