#include "SettingsFile.h"

#include "Error.h"
#include "SettingsLimits.h"
#include "TAppSettings.h"
#include "XmlNode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// Far above the few kilobytes of any real settings, far below what the
// document's tree of a file could take of memory.
constexpr qint64 MaxSettingsBytes = 16 * 1024 * 1024;

} // namespace

QString SettingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Tamborix/settings2.xml"_s;
}

void LoadSettings(TAppSettings& settings, const QString& path)
{
    settings.SetDefaults();
    if (!QFileInfo::exists(path))
        return;
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(path, MaxSettingsBytes);
    // FromXml would take any other document, an empty one included, for
    // settings that are all empty.
    if (!document->FindChild(u"Settings"_s))
        throw TXmlError(
            u"The file \"%1\" holds no settings: it has no \"Settings\" element."_s.arg(path));
    try {
        settings.FromXml(*document);
    } catch (const TSettingsError&) {
        settings.SetDefaults();
        throw;
    }
}

QString KeepUnreadableSettings(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QString();
    const QString copy = path + u".unreadable"_s;
    QFile::remove(copy);
    QFile source(path);
    if (!source.copy(copy))
        throw TFileError::CannotCreate(copy, source.errorString());
    return copy;
}

void SaveSettings(const TAppSettings& settings, const QString& path)
{
    const IXmlDocument document = NewXmlDocument();
    settings.ToXml(*document);
    const QFileInfo file(path);
    const QDir parent = file.dir();
    if (!parent.exists() && !QDir().mkpath(parent.path()))
        throw TFileError(u"Cannot create folder \"%1\"."_s.arg(parent.path()));
    document->SaveToFile(path);
}
