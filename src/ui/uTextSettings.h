// The text settings dialog: the header and body tags and how sections,
// paragraphs and sentences are recognised. The options of automatic sentence
// recognition are edited in the sentence options dialog it opens.
#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>

class IMessageSink;
class IUserInteraction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class TAppSettings;

class TfrmTextSettings : public QDialog {
    Q_OBJECT

public:
    // Takes its initial state from settings, which only OK changes. The
    // nested dialogs go through user, their messages through messages.
    TfrmTextSettings(TAppSettings& settings, IUserInteraction& user, IMessageSink& messages,
                     QWidget* parent = nullptr);

    QGroupBox* gbHeaderBody;
    QLineEdit* edtHeadStart;
    QLineEdit* edtHeadStop;
    QLineEdit* edtBodyStart;
    QLineEdit* edtBodyStop;

    QGroupBox* HeadingsGroupBox;
    QComboBox* HeadingsCombo;
    QStackedWidget* HNotebook; // pages Markers, Pattern, RegExp
    QLineEdit* HStartTagEdit;
    QLineEdit* HStopTagEdit;
    QLineEdit* HPatternEdit;
    QLineEdit* HStartRegExpEdit;

    QGroupBox* ParagraphsGroupBox;
    QComboBox* ParagraphsCombo;
    QStackedWidget* PNotebook; // page Markers, then an empty page for each other kind
    QLineEdit* PStartTagEdit;
    QLineEdit* PStopTagEdit;

    QGroupBox* SentGroupBox;
    QComboBox* SentencesCombo;
    QStackedWidget* SNotebook; // pages Markers, Automatic
    QLineEdit* SStartTagEdit;
    QLineEdit* SStopTagEdit;
    QPushButton* SOptionsButton;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // Opens the sentence options dialog on the working copies.
    void SOptionsButtonClick();
    // Stores the dialog's state in the settings and closes it with OK.
    void OKBtnClick();

private:
    QGroupBox* CreateHeaderBodyGroup();
    QGroupBox* CreateSectionsGroup();
    QGroupBox* CreateParagraphsGroup();
    QGroupBox* CreateSentencesGroup();
    void FormShow();
    void StoreSections();

    TAppSettings& Settings;
    IUserInteraction& User;
    IMessageSink& Messages;

    // Types from the settings that the combos have no item for: they show
    // their first item, and OK keeps the type until the user changes the combo.
    std::optional<int> UnshownSectionsType;
    std::optional<int> UnshownParagraphsType;
    std::optional<int> UnshownSentencesType;

    // Working copies of the sentence options, handed to the settings on OK.
    QString Delimiters;
    bool AbbrevDetect = false;
    bool IncQuotes = false;
    bool Capital = false;
    QStringList Exceptions;
};
