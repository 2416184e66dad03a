// The general options dialog: how the four distributions are divided into
// bins, the wildcards and separators of the search languages, and the
// counting and matching options. It checks the numbers and bin
// specifications before it stores anything.
#pragma once

#include <QDialog>

#include <array>

class IMessageSink;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TAppSettings;

// True when text is a list of bins: items separated by spaces, each
// "Other" (any letter case), a whole number of at least 0, such a number
// followed by "#", or "#" alone. Order, duplicates and ranges are not checked.
bool ValidatePositions(const QString& text);

class TfrmOptions : public QDialog {
    Q_OBJECT

public:
    // Shows settings, which OK changes; validation warnings go to messages.
    TfrmOptions(TAppSettings& settings, IMessageSink& messages, QWidget* parent = nullptr);

    QRadioButton* rbSentPercent;
    QLineEdit* edtSentPerc;
    QRadioButton* rbSentPos;
    QLineEdit* edtSentPos;
    QRadioButton* rbParaPercent;
    QLineEdit* edtParaPerc;
    QRadioButton* rbParaPos;
    QLineEdit* edtParaPos;
    QRadioButton* rbSectPercent;
    QLineEdit* edtSectPerc;
    QRadioButton* rbSectPos;
    QLineEdit* edtSectPos;
    QRadioButton* rbTextPercent;
    QLineEdit* edtTextPerc;
    QRadioButton* rbTextPos;
    QLineEdit* edtTextPos;

    QLineEdit* edtStar;
    QLineEdit* edtQuestion;
    QLineEdit* edtPercent;
    QLineEdit* edtAmpersant;
    QLineEdit* edtAt;
    QLineEdit* edtAtMin;
    QLineEdit* edtAtMax;
    QLineEdit* edtWrdDelims;

    QRadioButton* rbWords;
    QRadioButton* rbCharacters;
    QCheckBox* cbSkipTags;
    QCheckBox* cbForwardPreffered;
    QLineEdit* edtExclSent;
    QLineEdit* edtExclPara;
    QCheckBox* cbCaseSensitive;

    QPushButton* btnOk;
    QPushButton* btnCancel;

    // Copies the settings into the controls.
    void FormShow();
    // Validates; on the first failure warns and stays open with nothing
    // stored, otherwise stores the controls in the settings and closes with OK.
    void btnOkClick();

private:
    // The controls of one distribution and the settings they edit.
    struct TDistribution {
        QString Name; // as the messages name it: "sentences", ...
        QRadioButton* Percent;
        QLineEdit* Bins;
        QRadioButton* Positions;
        QLineEdit* PositionsEdit;
        int TAppSettings::*Type;
        int TAppSettings::*PercentBins;
        QString TAppSettings::*PositionsText;
    };

    QGroupBox* CreateDistributionGroup(const QString& title, const TDistribution& distribution);
    QGroupBox* CreateWildcardsGroup();
    QGroupBox* CreateMiscellaneousGroup();
    QString ValidationMessage() const;
    void Store();

    TAppSettings& Settings;
    IMessageSink& Messages;
    std::array<TDistribution, 4> Distributions;
};
