// libFuzzer target for the settings file: any bytes must load or fail with a
// TError. Settings that load are saved and must load again unchanged.
#include "Error.h"
#include "SettingsFile.h"
#include "TAppSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(u"settings2.xml"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        std::abort();
    file.close();

    TAppSettings settings;
    try {
        LoadSettings(settings, path);
    } catch (const TError&) {
        return 0;
    }
    const QString again = dir.filePath(u"again.xml"_s);
    TAppSettings reloaded;
    try {
        SaveSettings(settings, again);
        LoadSettings(reloaded, again);
    } catch (const TError&) {
        std::abort();
    }
    if (!(reloaded == settings))
        std::abort();
    return 0;
}
