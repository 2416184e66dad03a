#include "HelpGuide.h"

#include "MessageSink.h"
#include "UserInteraction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QStringList GuideCandidates()
{
    // Both paths come from the build: the first relative to the installed
    // program's folder, the second absolute.
    return {QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' +
                            QStringLiteral(TAMBORIX_GUIDE_FROM_BINDIR)),
            QStringLiteral(TAMBORIX_GUIDE_IN_BUILD_TREE)};
}

QString FindGuide(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QString GuideMissingMessage(const QStringList& candidates)
{
    return u"Help file not found. Expected location: "_s +
           QDir::toNativeSeparators(candidates.value(0));
}

QUrl GuideUrl(const QString& section, const QStringList& candidates)
{
    const QString guide = FindGuide(candidates);
    if (guide.isEmpty())
        return QUrl();
    QUrl url = QUrl::fromLocalFile(QFileInfo(guide).absoluteFilePath());
    url.setFragment(section);
    return url;
}

void ShowGuide(IUserInteraction& user, IMessageSink& messages, const QString& section,
               const QStringList& candidates)
{
    const QString guide = FindGuide(candidates);
    if (guide.isEmpty())
        messages.ShowError(GuideMissingMessage(candidates));
    else if (section.isEmpty())
        user.OpenDocument(guide);
    else
        user.OpenUrl(GuideUrl(section, candidates));
}
