// The main window's settings commands: each opens its dialog on the settings
// and then writes the settings file, whichever button closed the dialog, so
// that the file always holds what the next search will use.
#include "HelpGuide.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "uMain.h"
#include "uNormalTags.h"
#include "uOptions.h"
#include "uPartOfSpeechTags.h"
#include "uTextSettings.h"

void TfrmMain::RunSettingsDialog(QDialog& dialog, const char16_t* guideSection)
{
    AddGuideKey(dialog, UserAnswers, MessageSink, QString::fromUtf16(guideSection));
    UserAnswers.ExecDialog(dialog);
    SaveSettings();
}

void TfrmMain::miTextSettingsClick()
{
    TfrmTextSettings dialog(AppSettings, UserAnswers, MessageSink, this);
    RunSettingsDialog(dialog, GuideSection::TextSettings);
}

void TfrmMain::miNormalTagsClick()
{
    TfrmNormalTags dialog(AppSettings, MessageSink, this);
    RunSettingsDialog(dialog, GuideSection::TagSettings);
}

void TfrmMain::miPartofSpeechTagsClick()
{
    TfrmPartOfSpeechTags dialog(AppSettings, MessageSink, this);
    RunSettingsDialog(dialog, GuideSection::TagSettings);
}

void TfrmMain::GeneralOptions1Click()
{
    TfrmOptions dialog(AppSettings, MessageSink, this);
    RunSettingsDialog(dialog, GuideSection::Options);
}
