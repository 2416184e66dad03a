// tamborix: the windowed application. A workspace file (.tmz) named on the
// command line is opened, and other files are loaded as the corpus, so that a
// file manager can open both kinds with it.

#include "FileNames.h"
#include "SettingsFile.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "Version.h"
#include "uMain.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

// The program's icon in the sizes that title bars, task bars and window
// switchers ask for; every window, dialogs included, shows it.
QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tamborix-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before the application object, which needs a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tamborix %s\n", TamborixVersion);
        return 0;
    }
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Tamborix"));
    application.setWindowIcon(ApplicationIcon());

    // The process-wide objects, in this order, before the main window.
    TAppSettings settings;
    FileNameCache();
    LoadedFileNames();

    TMessageBoxes messages;
    TDesktopInteraction user;
    TfrmMain main(settings, messages, user, SettingsFilePath());
    messages.SetParent(&main);
    main.show();
    const QStringList files = application.arguments().mid(1);
    if (!files.isEmpty())
        main.AddCommandLineFiles(files);
    return application.exec();
}
