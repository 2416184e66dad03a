// The command line of tamborix-cli:
//   tamborix-cli [--syntax word|regex|tag] [--dist sentence,paragraph,section,text]
//                [--json] --pattern TEXT FILE...
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TAppSettings;

struct TCliOptions {
    int Syntax = 0;
    std::array<bool, 4> Distributions{}; // sentence, paragraph, section, text
    bool Json = false;
    bool Help = false;
    QString Pattern;
    QStringList Files;
};

// Reads the arguments (without the program name); the syntax and the
// distributions default to those of settings. On bad usage returns none and
// sets error to a one-line message.
std::optional<TCliOptions> ParseCliOptions(const QStringList& arguments,
                                           const TAppSettings& settings, QString& error);

// The usage text printed for --help and after a usage error.
QString CliUsage();
