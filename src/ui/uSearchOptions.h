// The search options dialog: the pattern with its history, the syntax, the
// distributions to compute and the area to search.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class TAppSettings;

class TfrmSearchOptions : public QDialog {
    Q_OBJECT

public:
    // Takes its initial state from settings, which OK changes.
    TfrmSearchOptions(TAppSettings& settings, QWidget* parent = nullptr);

    QComboBox* cbPattern;
    QLabel* lblExample;
    QRadioButton* rbWordPhrase;
    QRadioButton* rbRegExp;
    QRadioButton* rbWordTag;
    QCheckBox* cbSentence;
    QCheckBox* cbParagraph;
    QCheckBox* cbSection;
    QCheckBox* cbText;
    QRadioButton* rbProcessAll;
    QRadioButton* rbOnlyActive;

    // The pattern as typed.
    QString PatternText() const;

    // Any syntax button selected, by the user or by the program.
    void rbWordTagClick();
    // A key pressed in the pattern box or an entry picked from its list.
    void cbPatternEdited() { TermEdited = true; }
    // Stores the dialog's choices in the settings and closes it with OK.
    void btnOkClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void GetLastTerm();
    void SetExamples();
    QWidget* CreateSyntaxGroup();
    QWidget* CreateDistributionGroup();
    QWidget* CreateAreaGroup();

    TAppSettings& Settings;
    bool TermEdited = false;
};
