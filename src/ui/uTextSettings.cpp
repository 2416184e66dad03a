#include "uTextSettings.h"

#include "ConcSentOptions.h"
#include "DialogButtons.h"
#include "TAppSettings.h"
#include "UserInteraction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString MarkersItem = u"HTML/SGML Markers"_s;

// A page of a switcher: a label before each edit, in one row.
QWidget* EditsPage(const QList<std::pair<QString, QLineEdit*>>& edits, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [caption, edit] : edits) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(edit);
        layout->addWidget(label);
        layout->addWidget(edit, 1);
    }
    return page;
}

// A group with its combo beside the switcher whose page follows the combo.
QGroupBox* ComboGroup(const QString& title, QComboBox* combo, QStackedWidget* notebook,
                      QWidget* parent)
{
    QObject::connect(combo, &QComboBox::currentIndexChanged, notebook,
                     &QStackedWidget::setCurrentIndex);
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(combo);
    layout->addWidget(notebook, 1);
    return group;
}

// Shows type in combo; gives back the type when the combo has no item for it.
std::optional<int> ShowType(QComboBox* combo, int type)
{
    const bool shown = type >= 0 && type < combo->count();
    combo->setCurrentIndex(shown ? type : 0);
    return shown ? std::nullopt : std::optional<int>(type);
}

} // namespace

TfrmTextSettings::TfrmTextSettings(TAppSettings& settings, IUserInteraction& user,
                                   IMessageSink& messages, QWidget* parent)
    : QDialog(parent)
    , edtHeadStart(new QLineEdit(this))
    , edtHeadStop(new QLineEdit(this))
    , edtBodyStart(new QLineEdit(this))
    , edtBodyStop(new QLineEdit(this))
    , HeadingsCombo(new QComboBox(this))
    , HNotebook(new QStackedWidget(this))
    , HStartTagEdit(new QLineEdit(this))
    , HStopTagEdit(new QLineEdit(this))
    , HPatternEdit(new QLineEdit(this))
    , HStartRegExpEdit(new QLineEdit(this))
    , ParagraphsCombo(new QComboBox(this))
    , PNotebook(new QStackedWidget(this))
    , PStartTagEdit(new QLineEdit(this))
    , PStopTagEdit(new QLineEdit(this))
    , SentencesCombo(new QComboBox(this))
    , SNotebook(new QStackedWidget(this))
    , SStartTagEdit(new QLineEdit(this))
    , SStopTagEdit(new QLineEdit(this))
    , SOptionsButton(new QPushButton(u"&Options"_s, this))
    , Settings(settings)
    , User(user)
    , Messages(messages)
{
    setWindowTitle(u"Text Settings"_s);
    auto* buttons = CreateOkCancelButtons(this, [this] { OKBtnClick(); });
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateHeaderBodyGroup());
    layout->addWidget(CreateSectionsGroup());
    layout->addWidget(CreateParagraphsGroup());
    layout->addWidget(CreateSentencesGroup());
    layout->addStretch();
    layout->addWidget(buttons);
    // The combos line up, so that the pages beside them do too.
    const int comboWidth =
        std::max({HeadingsCombo->sizeHint().width(), ParagraphsCombo->sizeHint().width(),
                  SentencesCombo->sizeHint().width()});
    for (QComboBox* combo : {HeadingsCombo, ParagraphsCombo, SentencesCombo})
        combo->setFixedWidth(comboWidth);
    setFixedSize(sizeHint().expandedTo(QSize(520, 330)));
    FormShow();
}

QGroupBox* TfrmTextSettings::CreateHeaderBodyGroup()
{
    gbHeaderBody = new QGroupBox(u" Header/Body "_s, this);
    auto* layout = new QGridLayout(gbHeaderBody);
    const std::pair<QString, QLineEdit*> edits[] = {
        {u"Header start tag:"_s, edtHeadStart},
        {u"Header stop tag:"_s, edtHeadStop},
        {u"Body start tag:"_s, edtBodyStart},
        {u"Body stop tag:"_s, edtBodyStop},
    };
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(edits[i].first, gbHeaderBody);
        label->setBuddy(edits[i].second);
        layout->addWidget(label, i / 2, (i % 2) * 2);
        layout->addWidget(edits[i].second, i / 2, (i % 2) * 2 + 1);
    }
    return gbHeaderBody;
}

QGroupBox* TfrmTextSettings::CreateSectionsGroup()
{
    HeadingsCombo->addItems({MarkersItem, u"Pattern"_s, u"Regular expression"_s});
    HNotebook->addWidget(
        EditsPage({{u"Start tag:"_s, HStartTagEdit}, {u"Stop tag:"_s, HStopTagEdit}}, HNotebook));
    HNotebook->addWidget(EditsPage({{u"Pattern:"_s, HPatternEdit}}, HNotebook));
    HNotebook->addWidget(EditsPage({{u"RegExp:"_s, HStartRegExpEdit}}, HNotebook));
    HeadingsGroupBox = ComboGroup(u" Sections "_s, HeadingsCombo, HNotebook, this);
    return HeadingsGroupBox;
}

QGroupBox* TfrmTextSettings::CreateParagraphsGroup()
{
    ParagraphsCombo->addItems(
        {MarkersItem, u"New Line delimited"_s, u"Two New Lines delimited"_s, u"Indented"_s});
    PNotebook->addWidget(
        EditsPage({{u"Start tag:"_s, PStartTagEdit}, {u"Stop tag:"_s, PStopTagEdit}}, PNotebook));
    for (int i = 1; i < ParagraphsCombo->count(); ++i)
        PNotebook->addWidget(new QWidget(PNotebook));
    ParagraphsGroupBox = ComboGroup(u" Paragraphs "_s, ParagraphsCombo, PNotebook, this);
    return ParagraphsGroupBox;
}

QGroupBox* TfrmTextSettings::CreateSentencesGroup()
{
    SentencesCombo->addItems({MarkersItem, u"Automatic recognition"_s});
    SNotebook->addWidget(
        EditsPage({{u"Start tag:"_s, SStartTagEdit}, {u"Stop tag:"_s, SStopTagEdit}}, SNotebook));
    auto* automatic = new QWidget(SNotebook);
    auto* automaticLayout = new QHBoxLayout(automatic);
    automaticLayout->setContentsMargins(0, 0, 0, 0);
    automaticLayout->addWidget(SOptionsButton);
    automaticLayout->addStretch();
    SNotebook->addWidget(automatic);
    SOptionsButton->setAutoDefault(false); // Enter stays with OK
    connect(SOptionsButton, &QPushButton::clicked, this, &TfrmTextSettings::SOptionsButtonClick);
    SentGroupBox = ComboGroup(u" Sentences "_s, SentencesCombo, SNotebook, this);
    return SentGroupBox;
}

void TfrmTextSettings::FormShow()
{
    const TAppSettings& s = Settings;
    edtHeadStart->setText(s.tsHeaderStartTag);
    edtHeadStop->setText(s.tsHeaderStopTag);
    edtBodyStart->setText(s.tsBodyStartTag);
    edtBodyStop->setText(s.tsBodyStopTag);
    UnshownSectionsType = ShowType(HeadingsCombo, s.tsSectionsType);
    switch (s.tsSectionsType) {
    case 0:
        HStartTagEdit->setText(s.tsSectionsStart);
        HStopTagEdit->setText(s.tsSectionsStop);
        break;
    case 1:
        HPatternEdit->setText(s.tsSectionsStart);
        break;
    case 2:
        HStartRegExpEdit->setText(s.tsSectionsStart);
        break;
    }
    UnshownParagraphsType = ShowType(ParagraphsCombo, s.tsParagraphsType);
    PStartTagEdit->setText(s.tsParagraphsStart);
    PStopTagEdit->setText(s.tsParagraphsStop);
    UnshownSentencesType = ShowType(SentencesCombo, s.tsSentencesType);
    SStartTagEdit->setText(s.tsSentencesStart);
    SStopTagEdit->setText(s.tsSentencesStop);
    Delimiters = s.tsSentencesDelimiters;
    AbbrevDetect = s.tsSentencesAbbrevDetect;
    IncQuotes = s.tsSentencesIncQuotes;
    Capital = s.tsSentencesCapital;
    Exceptions = s.tsSentencesExceptions;

    // Only a change made after filling counts as the user's choice.
    connect(HeadingsCombo, &QComboBox::currentIndexChanged, this,
            [this] { UnshownSectionsType.reset(); });
    connect(ParagraphsCombo, &QComboBox::currentIndexChanged, this,
            [this] { UnshownParagraphsType.reset(); });
    connect(SentencesCombo, &QComboBox::currentIndexChanged, this,
            [this] { UnshownSentencesType.reset(); });
}

void TfrmTextSettings::SOptionsButtonClick()
{
    TSentenceOptionsForm options(User, Messages, this);
    options.DelimitersEdit->setText(Delimiters);
    options.SmartAbbrCB->setChecked(AbbrevDetect);
    options.TrailingQuotesCB->setChecked(IncQuotes);
    options.cbCapital->setChecked(Capital);
    options.ExceptionsList = Exceptions;
    if (User.ExecDialog(options) != QDialog::Accepted)
        return;
    Delimiters = options.DelimitersEdit->text();
    AbbrevDetect = options.SmartAbbrCB->isChecked();
    IncQuotes = options.TrailingQuotesCB->isChecked();
    Capital = options.cbCapital->isChecked();
    Exceptions = options.ExceptionsList;
}

// A kind of section that the combo could not show keeps its texts as well:
// the dialog showed none of them, and which edit holds what depends on the kind.
void TfrmTextSettings::StoreSections()
{
    if (UnshownSectionsType)
        return;
    TAppSettings& s = Settings;
    s.tsSectionsType = HeadingsCombo->currentIndex();
    switch (s.tsSectionsType) {
    case 0:
        s.tsSectionsStart = HStartTagEdit->text();
        s.tsSectionsStop = HStopTagEdit->text();
        break;
    case 1:
        s.tsSectionsStart = HPatternEdit->text();
        break;
    case 2:
        s.tsSectionsStart = HStartRegExpEdit->text();
        break;
    }
}

void TfrmTextSettings::OKBtnClick()
{
    TAppSettings& s = Settings;
    s.tsHeaderStartTag = edtHeadStart->text();
    s.tsHeaderStopTag = edtHeadStop->text();
    s.tsBodyStartTag = edtBodyStart->text();
    s.tsBodyStopTag = edtBodyStop->text();
    StoreSections();
    s.tsParagraphsType = UnshownParagraphsType.value_or(ParagraphsCombo->currentIndex());
    s.tsParagraphsStart = PStartTagEdit->text();
    s.tsParagraphsStop = PStopTagEdit->text();
    s.tsSentencesType = UnshownSentencesType.value_or(SentencesCombo->currentIndex());
    s.tsSentencesStart = SStartTagEdit->text();
    s.tsSentencesStop = SStopTagEdit->text();
    s.tsSentencesDelimiters = Delimiters;
    s.tsSentencesAbbrevDetect = AbbrevDetect;
    s.tsSentencesIncQuotes = IncQuotes;
    s.tsSentencesCapital = Capital;
    s.tsSentencesExceptions = Exceptions;
    accept();
}
