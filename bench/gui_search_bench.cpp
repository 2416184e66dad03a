// Times the search "the" (word/phrase, all four distributions) in the windowed
// application, from the OK of the search dialog until the four results windows
// are shown and painted, against tamborix-cli running the same search on the
// same corpus file. The two run in alternating rounds, so that a busy machine
// slows both alike; the figures are processor times (user and system) and
// their ratio, which the project wants below 1.10.
//
// usage: gui_search_bench TAMBORIX_CLI CORPUS_FILE [ROUNDS]
#include "BenchSupport.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "uMain.h"
#include "uSearchOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Processor time of the command line, run to its end with its output discarded.
double ChildSeconds(const std::vector<std::string>& command)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::vector<char*> argv;
        for (const std::string& argument : command)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", command.front().c_str());
        std::exit(1);
    }
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// Answers the search dialog with "the" in every distribution, and notes when
// it pressed OK.
class TBenchUser : public IUserInteraction {
public:
    double OkPressed = 0;

    int ExecDialog(QDialog& dialog) override
    {
        auto& options = dynamic_cast<TfrmSearchOptions&>(dialog);
        options.cbPattern->setEditText(u"the"_s);
        for (QCheckBox* box :
             {options.cbSentence, options.cbParagraph, options.cbSection, options.cbText})
            box->setChecked(true);
        options.rbProcessAll->setChecked(true);
        OkPressed = ProcessSeconds();
        options.btnOkClick();
        return dialog.result();
    }
    QStringList OpenCorpusFiles(QWidget*) override { return {}; }
    bool OpenDocument(const QString&) override { return false; }
    QString OpenFileName(QWidget*, const TFileDialogSetup&) override { return {}; }
    TSaveChoice SaveFileChoice(QWidget*, const TFileDialogSetup&) override { return {}; }
    bool InputText(QWidget*, const QString&, const QString&, QString&) override { return false; }
};

// Processor time from OK until the results windows are painted.
double WindowSearchSeconds(const QString& corpusFile)
{
    const QTemporaryDir settingsFolder;
    TAppSettings settings;
    TPrintedMessages messages;
    TBenchUser user;
    TfrmMain main(settings, messages, user, settingsFolder.filePath(u"settings2.xml"_s));
    main.resize(1200, 900);
    main.show();
    QApplication::processEvents();
    main.AddFileToCorpus(corpusFile);
    main.DoSearch(main.miWordPhrase);
    QApplication::processEvents();
    const double seconds = ProcessSeconds() - user.OkPressed;
    if (main.ChildWindows().size() != 4) {
        std::fprintf(stderr, "the search opened %d windows, not 4\n",
                     static_cast<int>(main.ChildWindows().size()));
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: gui_search_bench TAMBORIX_CLI CORPUS_FILE [ROUNDS]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::vector<std::string> cli = {argv[1], "--pattern", "the", argv[2]};
    const QString corpusFile = QString::fromLocal8Bit(argv[2]);
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    std::vector<double> cliSeconds, windowSeconds, ratios;
    for (int round = 0; round < rounds; ++round) {
        cliSeconds.push_back(ChildSeconds(cli));
        windowSeconds.push_back(WindowSearchSeconds(corpusFile));
        ratios.push_back(windowSeconds.back() / cliSeconds.back());
        std::fprintf(stderr, "  round %d: tamborix-cli %.2f s, windows %.2f s\n", round + 1,
                     cliSeconds.back(), windowSeconds.back());
    }
    std::printf("search \"the\" from OK to the results windows, against tamborix-cli "
                "(processor time, median of %d):\n",
                rounds);
    std::printf("  tamborix-cli      %6.2f s\n", Median(cliSeconds));
    std::printf("  tamborix windows  %6.2f s  = %.3f x  (goal < 1.10 x)\n", Median(windowSeconds),
                Median(ratios));
    return 0;
}
