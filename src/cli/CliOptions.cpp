#include "CliOptions.h"

#include "TAppSettings.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList DistributionNames = {u"sentence"_s, u"paragraph"_s, u"section"_s, u"text"_s};

std::optional<TSearchSyntax> SyntaxNamed(const QString& name)
{
    if (name == u"word")
        return ssWordPhrase;
    if (name == u"regex")
        return ssRegularExpression;
    if (name == u"tag")
        return ssWordTag;
    return std::nullopt;
}

std::optional<TEncodingChoice> EncodingNamed(const QString& name)
{
    if (name == u"auto")
        return TEncodingChoice::Auto;
    if (name == u"utf8")
        return TEncodingChoice::Utf8;
    if (name == u"cp1252")
        return TEncodingChoice::Cp1252;
    return std::nullopt;
}

struct TFlag {
    QStringView Name;
    bool TCliOptions::*Field;
};

// The options that take no value.
constexpr TFlag Flags[] = {
    {u"--json", &TCliOptions::Json},
    {u"--baseline", &TCliOptions::Baseline},
    {u"--help", &TCliOptions::Help},
    {u"--version", &TCliOptions::Version},
};

bool* FlagNamed(TCliOptions& options, const QString& argument)
{
    for (const TFlag& flag : Flags) {
        if (argument == flag.Name)
            return &(options.*flag.Field);
    }
    return nullptr;
}

bool ReadDistributions(const QString& list, std::array<bool, 4>& distributions)
{
    distributions.fill(false);
    for (const QString& name : list.split(u',')) {
        const qsizetype index = DistributionNames.indexOf(name.trimmed());
        if (index < 0)
            return false;
        distributions[static_cast<size_t>(index)] = true;
    }
    return true;
}

std::optional<TCliOptions> ParseMergeOptions(const QStringList& arguments, QString& error)
{
    TCliOptions options;
    options.Merge = true;
    bool optionsEnd = false;
    for (const QString& argument : arguments) {
        if (optionsEnd || !argument.startsWith(u"--")) {
            options.Files.append(argument);
        } else if (argument == u"--") {
            optionsEnd = true;
        } else if (argument == u"--json") {
            options.Json = true;
        } else {
            error = u"merge takes no option %1"_s.arg(argument);
            return std::nullopt;
        }
    }
    if (options.Files.isEmpty()) {
        error = u"no shard files to merge"_s;
        return std::nullopt;
    }
    return options;
}

} // namespace

QString CliUsage()
{
    return u"usage: tamborix-cli [--settings FILE] [--save-settings FILE] "
           "[--syntax word|regex|tag] [--dist sentence,paragraph,section,text] "
           "[--encoding auto|utf8|cp1252] [--jobs N] [--json] [--baseline] [--save-bins FILE] "
           "--pattern TEXT FILE...\n"
           "       tamborix-cli merge [--json] SHARD...\n"
           "       tamborix-cli --help | --version\n"
           "  --jobs N    analyse N files at once (default: one per processor core); the\n"
           "              results do not depend on N\n"
           "  --baseline  also count where every word of the text falls in the bins, and\n"
           "              report the expected counts, residuals and the chi-squared and\n"
           "              G-squared tests of the hits\n"
           "  --save-bins FILE  also keep the results in FILE, a shard for merge\n"
           "  merge       report the shards' results as one search over all their files,\n"
           "              in the order given, would report them"_s;
}

std::optional<TCliOptions> ParseCliOptions(const QStringList& arguments, QString& error)
{
    if (!arguments.isEmpty() && arguments.first() == u"merge")
        return ParseMergeOptions(arguments.mid(1), error);
    TCliOptions options;
    bool havePattern = false;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (optionsEnd || !argument.startsWith(u"--") || argument == u"-") {
            options.Files.append(argument);
            continue;
        }
        if (argument == u"--") {
            optionsEnd = true;
            continue;
        }
        if (bool* flag = FlagNamed(options, argument)) {
            *flag = true;
            continue;
        }
        // Options with a value: "--name value" or "--name=value".
        QString value;
        const qsizetype equals = argument.indexOf(u'=');
        if (equals >= 0) {
            value = argument.mid(equals + 1);
            argument.truncate(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            error = u"option %1 needs a value"_s.arg(argument);
            return std::nullopt;
        }
        if (argument == u"--pattern") {
            options.Pattern = value;
            havePattern = true;
        } else if (argument == u"--syntax") {
            const std::optional<TSearchSyntax> syntax = SyntaxNamed(value);
            if (!syntax) {
                error = u"unknown syntax \"%1\" (word, regex or tag)"_s.arg(value);
                return std::nullopt;
            }
            options.Syntax = *syntax;
        } else if (argument == u"--dist") {
            std::array<bool, 4> distributions{};
            if (!ReadDistributions(value, distributions)) {
                error =
                    u"unknown distribution in \"%1\" (sentence, paragraph, section, text)"_s.arg(
                        value);
                return std::nullopt;
            }
            options.Distributions = distributions;
        } else if (argument == u"--encoding") {
            const std::optional<TEncodingChoice> encoding = EncodingNamed(value);
            if (!encoding) {
                error = u"unknown encoding \"%1\" (auto, utf8 or cp1252)"_s.arg(value);
                return std::nullopt;
            }
            options.Encoding = *encoding;
        } else if (argument == u"--jobs") {
            bool ok = false;
            options.Jobs = value.toInt(&ok);
            if (!ok || options.Jobs < 1 || options.Jobs > MaxJobs) {
                error = u"--jobs needs a number from 1 to %1"_s.arg(MaxJobs);
                return std::nullopt;
            }
        } else if (argument == u"--settings") {
            options.SettingsFile = value;
        } else if (argument == u"--save-settings") {
            options.SaveSettingsFile = value;
        } else if (argument == u"--save-bins") {
            options.SaveBinsFile = value;
        } else {
            error = u"unknown option %1"_s.arg(argument);
            return std::nullopt;
        }
    }
    if (options.Help || options.Version)
        return options;
    if (!havePattern) {
        error = u"--pattern is required"_s;
        return std::nullopt;
    }
    if (options.Files.isEmpty()) {
        error = u"no files to search"_s;
        return std::nullopt;
    }
    return options;
}
