#include "uOptions.h"

#include "DialogButtons.h"
#include "MessageSink.h"
#include "SettingsLimits.h"
#include "TAppSettings.h"
#include "WordPattern.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The value of a number edit: what the integer conversion accepts (decimal
// digits with an optional sign), -1 for any other text.
int WholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : -1;
}

bool IsPositionItem(const QString& item)
{
    if (item.compare(u"Other"_s, Qt::CaseInsensitive) == 0 || item == u"#"_s)
        return true;
    const QString number = item.endsWith(u'#') ? item.chopped(1) : item;
    return WholeNumber(number) >= 0;
}

QString PositiveMessage(const QString& field)
{
    return u"Incorrect value of \"%1\", it should be positive number."_s.arg(field);
}

QString RangeMessage(const QString& field, int from, int to)
{
    return u"Incorrect value of \"%1\", it should be a number from %2 to %3."_s.arg(field)
        .arg(from)
        .arg(to);
}

QString PositionsMessage(const QString& name)
{
    return u"Incorrect value of \"Positions for %1\", it should be set of positive numbers or "
           "numbers with # at end, divided with spaces. Word \"Other\" also can be incliuded "
           "into set. Example: \"1 2 3 1# 2# Other\"."_s.arg(name);
}

QLineEdit* NumberEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(60);
    return edit;
}

} // namespace

bool ValidatePositions(const QString& text)
{
    if (TrimControls(text).isEmpty())
        return false;
    const QStringList items = text.split(u' ', Qt::SkipEmptyParts);
    return std::all_of(items.begin(), items.end(), IsPositionItem);
}

TfrmOptions::TfrmOptions(TAppSettings& settings, IMessageSink& messages, QWidget* parent)
    : QDialog(parent)
    , rbSentPercent(new QRadioButton(u"Percentage division. Number of bins:"_s, this))
    , edtSentPerc(NumberEdit(this))
    , rbSentPos(new QRadioButton(u"Positions (e.g. \"1 2 Other 1# #\")"_s, this))
    , edtSentPos(new QLineEdit(this))
    , rbParaPercent(new QRadioButton(rbSentPercent->text(), this))
    , edtParaPerc(NumberEdit(this))
    , rbParaPos(new QRadioButton(rbSentPos->text(), this))
    , edtParaPos(new QLineEdit(this))
    , rbSectPercent(new QRadioButton(rbSentPercent->text(), this))
    , edtSectPerc(NumberEdit(this))
    , rbSectPos(new QRadioButton(rbSentPos->text(), this))
    , edtSectPos(new QLineEdit(this))
    , rbTextPercent(new QRadioButton(rbSentPercent->text(), this))
    , edtTextPerc(NumberEdit(this))
    , rbTextPos(new QRadioButton(rbSentPos->text(), this))
    , edtTextPos(new QLineEdit(this))
    , edtStar(new QLineEdit(this))
    , edtQuestion(new QLineEdit(this))
    , edtPercent(new QLineEdit(this))
    , edtAmpersant(new QLineEdit(this))
    , edtAt(new QLineEdit(this))
    , edtAtMin(NumberEdit(this))
    , edtAtMax(NumberEdit(this))
    , edtWrdDelims(new QLineEdit(this))
    , rbWords(new QRadioButton(u"Count words"_s, this))
    , rbCharacters(new QRadioButton(u"Count characters"_s, this))
    , cbSkipTags(new QCheckBox(u"Skip tags"_s, this))
    , cbForwardPreffered(new QCheckBox(
          u"Span of several bins. Position in first bin rather than last bin preferred"_s, this))
    , edtExclSent(NumberEdit(this))
    , edtExclPara(NumberEdit(this))
    , cbCaseSensitive(new QCheckBox(u"Search is case sensitive"_s, this))
    , btnOk(nullptr)
    , btnCancel(nullptr)
    , Settings(settings)
    , Messages(messages)
    , Distributions{{
          {u"sentences"_s, rbSentPercent, edtSentPerc, rbSentPos, edtSentPos,
           &TAppSettings::SentType, &TAppSettings::SentPercentBins, &TAppSettings::SentPositions},
          {u"paragraphs"_s, rbParaPercent, edtParaPerc, rbParaPos, edtParaPos,
           &TAppSettings::ParaType, &TAppSettings::ParaPercentBins, &TAppSettings::ParaPositions},
          {u"sections"_s, rbSectPercent, edtSectPerc, rbSectPos, edtSectPos,
           &TAppSettings::SectType, &TAppSettings::SectPercentBins, &TAppSettings::SectPositions},
          {u"texts"_s, rbTextPercent, edtTextPerc, rbTextPos, edtTextPos, &TAppSettings::TextType,
           &TAppSettings::TextPercentBins, &TAppSettings::TextPositions},
      }}
{
    setWindowTitle(u"Options"_s);
    edtSentPerc->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), edtSentPerc));

    auto* buttons = CreateOkCancelButtons(this, [this] { btnOkClick(); });
    btnOk = buttons->button(QDialogButtonBox::Ok);
    btnCancel = buttons->button(QDialogButtonBox::Cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(CreateDistributionGroup(u"Sentences distribution"_s, Distributions[0]), 0, 0);
    grid->addWidget(CreateDistributionGroup(u"Paragraphs distribution"_s, Distributions[1]), 0, 1);
    grid->addWidget(CreateDistributionGroup(u"Sections distribution"_s, Distributions[2]), 1, 0);
    grid->addWidget(CreateDistributionGroup(u"Texts distribution"_s, Distributions[3]), 1, 1);
    grid->addWidget(CreateWildcardsGroup(), 2, 0);
    grid->addWidget(CreateMiscellaneousGroup(), 2, 1);
    grid->setRowStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    // The designed size, or more where the platform's font needs it.
    setFixedSize(sizeHint().expandedTo(QSize(754, 471)));
    FormShow();
}

QGroupBox* TfrmOptions::CreateDistributionGroup(const QString& title,
                                                const TDistribution& distribution)
{
    auto* group = new QGroupBox(title, this);
    auto* layout = new QGridLayout(group);
    // Reparented into the group, so that each pair forms its own choice.
    layout->addWidget(distribution.Percent, 0, 0);
    layout->addWidget(distribution.Bins, 0, 1, Qt::AlignLeft);
    layout->addWidget(distribution.Positions, 1, 0);
    layout->addWidget(distribution.PositionsEdit, 1, 1);
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox* TfrmOptions::CreateWildcardsGroup()
{
    auto* group = new QGroupBox(u"Wildcards and Separators"_s, this);
    auto* layout = new QFormLayout(group);
    layout->addRow(u"Wildcard: 0 or more:"_s, edtStar);
    layout->addRow(u"Wildcard: exactly 1:"_s, edtQuestion);
    layout->addRow(u"Wildcard: 0 or 1:"_s, edtPercent);
    layout->addRow(u"Word - Part of Speech delimiter:"_s, edtAmpersant);
    layout->addRow(u"Variable intervening words:"_s, edtAt);
    layout->addRow(u"Minimum number of words:"_s, edtAtMin);
    layout->addRow(u"Maximum number of words:"_s, edtAtMax);
    layout->addRow(u"Words delimiters"_s, edtWrdDelims);
    return group;
}

QGroupBox* TfrmOptions::CreateMiscellaneousGroup()
{
    auto* group = new QGroupBox(u"Miscellaneous options"_s, this);
    auto* counting = new QHBoxLayout;
    counting->addWidget(rbWords);
    counting->addWidget(rbCharacters);
    counting->addStretch();
    auto* exclusions = new QFormLayout;
    exclusions->addRow(u"Exclude sentences. Words fewer than:"_s, edtExclSent);
    exclusions->addRow(u"Exclude paragraphs: Sentences fewer than:"_s, edtExclPara);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(counting);
    layout->addWidget(cbSkipTags);
    layout->addWidget(cbForwardPreffered);
    layout->addLayout(exclusions);
    layout->addWidget(cbCaseSensitive);
    layout->addStretch();
    return group;
}

void TfrmOptions::FormShow()
{
    const TAppSettings& s = Settings;
    for (const TDistribution& d : Distributions) {
        d.Percent->setChecked(s.*d.Type == 1);
        d.Positions->setChecked(s.*d.Type == 2);
        d.Bins->setText(QString::number(s.*d.PercentBins));
        d.PositionsEdit->setText(s.*d.PositionsText);
    }
    edtStar->setText(s.wcStar);
    edtQuestion->setText(s.wcQuestion);
    edtPercent->setText(s.wcPercent);
    edtAmpersant->setText(s.sdAmpersant);
    edtAt->setText(s.sdAt);
    edtAtMin->setText(QString::number(s.sdAtMinWords));
    edtAtMax->setText(QString::number(s.sdAtMaxWords));
    edtWrdDelims->setText(s.WrdDelims);
    rbWords->setChecked(s.soWords);
    rbCharacters->setChecked(!s.soWords);
    cbSkipTags->setChecked(s.soSkipTags);
    cbForwardPreffered->setChecked(s.soForwardBinsPreffered);
    edtExclSent->setText(QString::number(s.ExclSentLessThan));
    edtExclPara->setText(QString::number(s.ExclParaLessThan));
    cbCaseSensitive->setChecked(s.soCaseSensitive);
}

// The message of the first test that fails, in the order the user reads the
// dialog's numbers; empty when all pass.
QString TfrmOptions::ValidationMessage() const
{
    if (WholeNumber(edtAtMin->text()) < 0)
        return PositiveMessage(u"Minimal number of words"_s);
    const int atMax = WholeNumber(edtAtMax->text());
    if (atMax < 0)
        return PositiveMessage(u"Maximal number of words"_s);
    if (atMax > MaxInterveningWords)
        return RangeMessage(u"Maximal number of words"_s, 0, MaxInterveningWords);
    if (WholeNumber(edtExclSent->text()) < 0)
        return PositiveMessage(u"Exclude sentences less than words:"_s);
    if (WholeNumber(edtExclPara->text()) < 0)
        return PositiveMessage(u"Exclude paragraphs less than sentences:"_s);
    for (const TDistribution& d : Distributions) {
        const QString binsField = u"Number of bins for "_s + d.Name;
        const int bins = WholeNumber(d.Bins->text());
        if (d.Percent->isChecked() && bins < 1)
            return PositiveMessage(binsField);
        if (d.Percent->isChecked() && bins > MaxPercentBins)
            return RangeMessage(binsField, 1, MaxPercentBins);
        if (d.Positions->isChecked() && !ValidatePositions(d.PositionsEdit->text()))
            return PositionsMessage(d.Name);
    }
    return QString();
}

void TfrmOptions::btnOkClick()
{
    const QString message = ValidationMessage();
    if (!message.isEmpty()) {
        Messages.ShowWarning(message);
        return;
    }
    Store();
    accept();
}

void TfrmOptions::Store()
{
    TAppSettings& s = Settings;
    s.wcStar = edtStar->text();
    s.wcQuestion = edtQuestion->text();
    s.wcPercent = edtPercent->text();
    s.sdAmpersant = edtAmpersant->text();
    s.sdAt = edtAt->text();
    s.sdAtMinWords = WholeNumber(edtAtMin->text());
    s.sdAtMaxWords = WholeNumber(edtAtMax->text());
    s.soWords = rbWords->isChecked();
    s.soSkipTags = cbSkipTags->isChecked();
    s.soForwardBinsPreffered = cbForwardPreffered->isChecked();
    s.ExclSentLessThan = WholeNumber(edtExclSent->text());
    s.ExclParaLessThan = WholeNumber(edtExclPara->text());
    for (const TDistribution& d : Distributions) {
        s.*d.Type = d.Percent->isChecked() ? 1 : 2;
        // The number and the positions that the distribution does not use are
        // not validated: what a settings file could not hold keeps the old value.
        bool ok = false;
        const int bins = d.Bins->text().toInt(&ok, 10);
        if (ok && PercentBinsRange.Holds(bins))
            s.*d.PercentBins = bins;
        if (PositionOutsideRange(d.PositionsEdit->text(), BinPositionRange).isEmpty())
            s.*d.PositionsText = d.PositionsEdit->text();
    }
    s.WrdDelims = edtWrdDelims->text();
    s.soCaseSensitive = cbCaseSensitive->isChecked();
}
