#include "CliOptions.h"

#include "../TestSupport.h"
#include "TAppSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::optional<TCliOptions> Parse(const QStringList& arguments, QString* error = nullptr)
{
    QString message;
    std::optional<TCliOptions> options = ParseCliOptions(arguments, message);
    if (error)
        *error = message;
    return options;
}

} // namespace

TEST(CliOptions, WhatTheOptionsLeaveOpenTheSettingsDecide)
{
    const std::optional<TCliOptions> options = Parse({u"--pattern"_s, u"the"_s, u"a.txt"_s});
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->Syntax);
    EXPECT_FALSE(options->Distributions);
    EXPECT_TRUE(options->SettingsFile.isEmpty());
    EXPECT_TRUE(options->SaveSettingsFile.isEmpty());
    EXPECT_FALSE(options->Json);
    EXPECT_FALSE(options->Baseline);
    EXPECT_EQ(options->Jobs, 0);
    EXPECT_EQ(options->Encoding, TEncodingChoice::Auto);
    EXPECT_EQ(options->Pattern, u"the"_s);
    EXPECT_EQ(options->Files, QStringList{u"a.txt"_s});
}

TEST(CliOptions, OptionsOverrideTheSettings)
{
    const std::optional<TCliOptions> options =
        Parse({u"a.txt"_s, u"--syntax=regex"_s, u"--dist"_s, u"text,sentence"_s, u"--json"_s,
               u"--settings"_s, u"in.xml"_s, u"--save-settings=out.xml"_s, u"--encoding"_s,
               u"cp1252"_s, u"--baseline"_s, u"--jobs=3"_s, u"--save-bins"_s, u"bins.xml"_s,
               u"--pattern"_s, u"--odd"_s, u"--"_s, u"--b.txt"_s});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->Syntax, ssRegularExpression);
    EXPECT_EQ(options->Distributions, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(options->SettingsFile, u"in.xml"_s);
    EXPECT_EQ(options->SaveSettingsFile, u"out.xml"_s);
    EXPECT_TRUE(options->Json);
    EXPECT_TRUE(options->Baseline);
    EXPECT_EQ(options->Jobs, 3);
    EXPECT_EQ(options->SaveBinsFile, u"bins.xml"_s);
    EXPECT_EQ(options->Encoding, TEncodingChoice::Cp1252);
    EXPECT_EQ(options->Pattern, u"--odd"_s);
    EXPECT_EQ(options->Files, (QStringList{u"a.txt"_s, u"--b.txt"_s}));
}

TEST(CliOptions, EncodingIsNamedAsInTheUsage)
{
    const std::pair<QString, TEncodingChoice> cases[] = {
        {u"auto"_s, TEncodingChoice::Auto},
        {u"utf8"_s, TEncodingChoice::Utf8},
        {u"cp1252"_s, TEncodingChoice::Cp1252},
    };
    for (const auto& [name, encoding] : cases) {
        // After an earlier choice: the last one given counts.
        const std::optional<TCliOptions> options =
            Parse({u"--encoding=utf8"_s, u"--encoding=cp1252"_s, u"--encoding"_s, name,
                   u"--pattern"_s, u"x"_s, u"a"_s});
        ASSERT_TRUE(options) << name.toStdString();
        EXPECT_EQ(options->Encoding, encoding) << name.toStdString();
    }
}

TEST(CliOptions, BadUsageIsExplained)
{
    const std::pair<QStringList, QString> cases[] = {
        {{u"a.txt"_s}, u"--pattern is required"_s},
        {{u"--pattern"_s, u"x"_s}, u"no files to search"_s},
        {{u"--pattern"_s}, u"option --pattern needs a value"_s},
        {{u"--syntax"_s, u"glob"_s, u"--pattern"_s, u"x"_s, u"a"_s},
         u"unknown syntax \"glob\" (word, regex or tag)"_s},
        {{u"--dist"_s, u"sentence,line"_s, u"--pattern"_s, u"x"_s, u"a"_s},
         u"unknown distribution in \"sentence,line\" (sentence, paragraph, section, text)"_s},
        {{u"--encoding"_s, u"UTF-8"_s, u"--pattern"_s, u"x"_s, u"a"_s},
         u"unknown encoding \"UTF-8\" (auto, utf8 or cp1252)"_s},
        {{u"--verbose"_s, u"--pattern"_s, u"x"_s, u"a"_s}, u"unknown option --verbose"_s},
        {{u"--jobs"_s, u"0"_s, u"--pattern"_s, u"x"_s, u"a"_s},
         u"--jobs needs a number from 1 to 256"_s},
        {{u"--jobs=two"_s, u"--pattern"_s, u"x"_s, u"a"_s},
         u"--jobs needs a number from 1 to 256"_s},
        {{u"merge"_s, u"--json"_s}, u"no shard files to merge"_s},
        {{u"merge"_s, u"--baseline"_s, u"a.xml"_s}, u"merge takes no option --baseline"_s},
    };
    for (const auto& [arguments, message] : cases) {
        QString error;
        EXPECT_FALSE(Parse(arguments, &error)) << arguments.join(u' ').toStdString();
        EXPECT_EQ(error, message);
    }
}

TEST(CliOptions, HelpAndVersionNeedNoPatternOrFiles)
{
    const struct {
        QStringList Arguments;
        bool Help;
        bool Version;
    } cases[] = {
        {{u"--version"_s}, false, true},
        {{u"--help"_s}, true, false},
        {{u"--pattern"_s, u"x"_s, u"--version"_s}, false, true},
        {{u"--version"_s, u"--help"_s}, true, true},
    };
    for (const auto& c : cases) {
        const std::optional<TCliOptions> options = Parse(c.Arguments);
        ASSERT_TRUE(options) << c.Arguments.join(u' ').toStdString();
        EXPECT_EQ(options->Help, c.Help);
        EXPECT_EQ(options->Version, c.Version);
    }
    // After "--" it is a file name.
    QString error;
    EXPECT_FALSE(Parse({u"--"_s, u"--version"_s}, &error));
    EXPECT_EQ(error, u"--pattern is required"_s);
}

// Only the first argument names the sub-command; elsewhere "merge" is a file.
TEST(CliOptions, MergeTakesJsonAndTheShardFiles)
{
    const std::optional<TCliOptions> merge =
        Parse({u"merge"_s, u"a.xml"_s, u"--json"_s, u"--"_s, u"--b.xml"_s});
    ASSERT_TRUE(merge);
    EXPECT_TRUE(merge->Merge);
    EXPECT_TRUE(merge->Json);
    EXPECT_EQ(merge->Files, (QStringList{u"a.xml"_s, u"--b.xml"_s}));

    const std::optional<TCliOptions> search = Parse({u"--pattern"_s, u"x"_s, u"merge"_s});
    ASSERT_TRUE(search);
    EXPECT_FALSE(search->Merge);
    EXPECT_EQ(search->Files, QStringList{u"merge"_s});
}
