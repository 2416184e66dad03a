#include "uSearchOptions.h"

#include "DialogButtons.h"
#include "TAppSettings.h"
#include "WordPattern.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int HistoryLength = 20;

} // namespace

TfrmSearchOptions::TfrmSearchOptions(TAppSettings& settings, QWidget* parent)
    : QDialog(parent)
    , cbPattern(new QComboBox(this))
    , lblExample(new QLabel(this))
    , rbWordPhrase(new QRadioButton(u"Word/Phrase"_s, this))
    , rbRegExp(new QRadioButton(u"Regular Expression"_s, this))
    , rbWordTag(new QRadioButton(u"Word/Tag"_s, this))
    , cbSentence(new QCheckBox(u"Sentence"_s, this))
    , cbParagraph(new QCheckBox(u"Paragraph"_s, this))
    , cbSection(new QCheckBox(u"Section"_s, this))
    , cbText(new QCheckBox(u"Text"_s, this))
    , rbProcessAll(new QRadioButton(u"Process whole corpus"_s, this))
    , rbOnlyActive(new QRadioButton(u"Process only file in active window"_s, this))
    , Settings(settings)
{
    setWindowTitle(u"Search Options"_s);
    cbPattern->setEditable(true);
    cbPattern->setInsertPolicy(QComboBox::NoInsert);
    // The history is offered in the drop-down list only. The box's completer
    // would finish the typed text inline with an entry of any syntax, and on
    // Enter swap it for an entry that differs only in case.
    cbPattern->setCompleter(nullptr);
    cbPattern->installEventFilter(this);
    cbPattern->lineEdit()->installEventFilter(this);
    connect(cbPattern, &QComboBox::activated, this, [this] { cbPatternEdited(); });
    lblExample->setTextFormat(Qt::PlainText); // "&" is shown as it is

    auto* buttons = CreateOkCancelButtons(this, [this] { btnOkClick(); });

    auto* patternLabel = new QLabel(u"Pattern:"_s, this);
    patternLabel->setBuddy(cbPattern);
    auto* groups = new QHBoxLayout;
    groups->addWidget(CreateSyntaxGroup());
    groups->addWidget(CreateDistributionGroup());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(patternLabel);
    layout->addWidget(cbPattern);
    layout->addWidget(lblExample);
    layout->addLayout(groups);
    layout->addWidget(CreateAreaGroup());
    layout->addWidget(buttons);
    // The designed size, or more where the platform's font needs it.
    setFixedSize(sizeHint().expandedTo(QSize(418, 266)));
    FormCreate();
}

QWidget* TfrmSearchOptions::CreateSyntaxGroup()
{
    auto* group = new QGroupBox(u"Search Syntax"_s, this);
    auto* layout = new QVBoxLayout(group);
    for (QRadioButton* button : {rbWordPhrase, rbRegExp, rbWordTag}) {
        layout->addWidget(button);
        // Also when the program selects the button.
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                rbWordTagClick();
        });
    }
    return group;
}

QWidget* TfrmSearchOptions::CreateDistributionGroup()
{
    auto* group = new QGroupBox(u"Distribution"_s, this);
    auto* layout = new QGridLayout(group);
    layout->addWidget(new QLabel(u"Calculate distribution of word/sentence over:"_s, group), 0, 0,
                      1, 2);
    layout->addWidget(cbSentence, 1, 0);
    layout->addWidget(cbParagraph, 1, 1);
    layout->addWidget(cbSection, 2, 0);
    layout->addWidget(cbText, 2, 1);
    return group;
}

QWidget* TfrmSearchOptions::CreateAreaGroup()
{
    auto* group = new QGroupBox(u"Area"_s, this);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(rbProcessAll);
    layout->addWidget(rbOnlyActive);
    return group;
}

void TfrmSearchOptions::FormCreate()
{
    cbPattern->addItems(Settings.swPatternHistory);
    TermEdited = false;
    cbSentence->setChecked(Settings.srSent);
    cbParagraph->setChecked(Settings.srPara);
    cbSection->setChecked(Settings.srSect);
    cbText->setChecked(Settings.srText);
    switch (Settings.swSyntax) {
    case ssWordPhrase:
        rbWordPhrase->setChecked(true);
        break;
    case ssRegularExpression:
        rbRegExp->setChecked(true);
        break;
    case ssWordTag:
        rbWordTag->setChecked(true);
        break;
    }
    rbProcessAll->setChecked(Settings.swArea == 1);
    rbOnlyActive->setChecked(Settings.swArea == 2);
    GetLastTerm();
    SetExamples();
}

QString TfrmSearchOptions::PatternText() const
{
    return cbPattern->currentText();
}

void TfrmSearchOptions::GetLastTerm()
{
    if (rbWordPhrase->isChecked())
        cbPattern->setEditText(Settings.stWordPhrase);
    else if (rbRegExp->isChecked())
        cbPattern->setEditText(Settings.stRegEx);
    else if (rbWordTag->isChecked())
        cbPattern->setEditText(Settings.stWordTag);
}

void TfrmSearchOptions::SetExamples()
{
    const TAppSettings& s = Settings;
    if (rbWordPhrase->isChecked()) {
        lblExample->setText(u"e.g. \"colo"_s + s.wcPercent + u"r table\", \"post office"_s +
                            s.wcQuestion + u"\", \"computer "_s + s.sdAt + u" program\""_s);
    } else if (rbRegExp->isChecked()) {
        lblExample->setText(u"e.g. \"\\b[A-Z0-9._%+-]\", \"reg(ular expressions?|ex(p|es)?)\""_s);
    } else if (rbWordTag->isChecked()) {
        lblExample->setText(u"e.g. \"colo"_s + s.wcPercent + u"r"_s + s.sdAmpersant +
                            u"NN1 table"_s + s.sdAmpersant + u"NN1\", \"post"_s + s.sdAmpersant +
                            u" office"_s + s.wcQuestion + s.sdAmpersant + u"N"_s + s.wcStar +
                            u"\""_s);
    }
}

void TfrmSearchOptions::rbWordTagClick()
{
    if (!TermEdited)
        GetLastTerm();
    SetExamples();
}

bool TfrmSearchOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        cbPatternEdited();
    return QDialog::eventFilter(watched, event);
}

void TfrmSearchOptions::btnOkClick()
{
    const QString pattern = PatternText();
    QStringList& history = Settings.swPatternHistory;
    if (!TrimControls(pattern).isEmpty()) {
        history.removeIf(
            [&](const QString& entry) { return entry.compare(pattern, Qt::CaseInsensitive) == 0; });
        history.prepend(pattern);
        cbPattern->setEditText(pattern);
    }
    if (history.size() > HistoryLength)
        history.removeLast();
    if (rbWordPhrase->isChecked()) {
        Settings.swSyntax = ssWordPhrase;
        Settings.stWordPhrase = pattern;
    } else if (rbRegExp->isChecked()) {
        Settings.swSyntax = ssRegularExpression;
        Settings.stRegEx = pattern;
    } else if (rbWordTag->isChecked()) {
        Settings.swSyntax = ssWordTag;
        Settings.stWordTag = pattern;
    }
    if (rbProcessAll->isChecked())
        Settings.swArea = 1;
    else if (rbOnlyActive->isChecked())
        Settings.swArea = 2;
    Settings.srSent = cbSentence->isChecked();
    Settings.srPara = cbParagraph->isChecked();
    Settings.srSect = cbSection->isChecked();
    Settings.srText = cbText->isChecked();
    accept();
}
