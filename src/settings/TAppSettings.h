// Every user-adjustable option of Tamborix in one plain object: how corpus texts
// are structured, how part-of-speech tags are written, the characters of the
// search languages, how distributions are divided into bins, the search
// dialog's last state and a few application switches.
//
// The field names are the persistent names: the settings file and workspace
// files store each field under exactly this name. Reading a file checks each
// number against its range (SettingsLimits.h); nothing checks the fields'
// consistency with each other.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

class TXmlDocument;

// A new object has empty texts, false flags, zero integers and empty lists;
// call SetDefaults to give it the defaults. The class declares no constructor:
// as an aggregate its members can be counted, which keeps the table of fields
// in SettingsFields.h complete.
class TAppSettings {
public:
    // Empties both lists and gives every field its default value.
    void SetDefaults();

    bool operator==(const TAppSettings&) const = default;

    // Writes the settings as the content of the document's top-level element
    // "Settings", replacing what it held; other top-level elements stay.
    void ToXml(TXmlDocument& document) const;
    // Reads them back. A missing element or value gives an empty text, 0 or
    // false, except for WrdDelims and the requested distributions, which have
    // fall-backs of their own. Throws TXmlError for a value that does not
    // convert, TSettingsError for a number outside its range; the settings
    // read before keep the document's values.
    void FromXml(TXmlDocument& document);

    // Ordinary markup tags.
    QString TagStart;
    QString TagStop;

    // Part-of-speech tags.
    bool psEmbeddedInWord = false;
    bool psOutsideOfWord = false;
    QString psDelimeter;
    std::array<QString, 4> psTagsStart;
    QString psTagStop;
    bool psBeforeWord = false;

    // Text structure.
    QString tsHeaderStartTag;
    QString tsHeaderStopTag;
    QString tsBodyStartTag;
    QString tsBodyStopTag;
    int tsSectionsType = 0; // 0 markers, 1 pattern, 2 regular expression
    QString tsSectionsStart;
    QString tsSectionsStop;
    int tsParagraphsType = 0; // 0 markers, 1 new line, 2 two new lines, 3 indented
    QString tsParagraphsStart;
    QString tsParagraphsStop;
    int tsSentencesType = 0; // 0 markers, 1 automatic recognition
    QString tsSentencesStart;
    QString tsSentencesStop;
    QString tsSentencesDelimiters;
    bool tsSentencesAbbrevDetect = false;
    bool tsSentencesIncQuotes = false;
    QStringList tsSentencesExceptions;
    bool tsSentencesCapital = false;

    // Wildcards, counting mode and separators of the search languages.
    QString wcStar;
    QString wcQuestion;
    QString wcPercent;
    bool soWords = false; // count words (true) or characters (false)
    QString sdAmpersant;
    QString sdAt;
    int sdAtMinWords = 0;
    int sdAtMaxWords = 0;
    bool soSkipTags = false;
    bool soForwardBinsPreffered = false;

    bool maSaveWorkspaceOnExit = false;

    // Bins of the four distributions: type 1 percentage bins, otherwise positions.
    int SentType = 0;
    int SentPercentBins = 0;
    QString SentPositions;
    int ParaType = 0;
    int ParaPercentBins = 0;
    QString ParaPositions;
    int SectType = 0;
    int SectPercentBins = 0;
    QString SectPositions;
    int TextType = 0;
    int TextPercentBins = 0;
    QString TextPositions;

    int ExclSentLessThan = 0;
    int ExclParaLessThan = 0;

    // State of the search dialog.
    QStringList swPatternHistory; // most recent first
    int swDistrOver = 0;
    int swSyntax = 0; // 1 word/phrase, 2 regular expression, 3 word/tag
    int swArea = 0;   // 1 whole corpus, 2 file of the active window
    QString stWordPhrase;
    QString stRegEx;
    QString stWordTag;
    bool srSent = false;
    bool srPara = false;
    bool srSect = false;
    bool srText = false;

    QString WrdDelims;
    bool soCaseSensitive = false;
};

// Values of swSyntax and of the syntax argument of the analysis.
enum TSearchSyntax : int {
    ssWordPhrase = 1,
    ssRegularExpression = 2,
    ssWordTag = 3,
};
