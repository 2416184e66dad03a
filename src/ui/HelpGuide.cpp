#include "HelpGuide.h"

#include "MessageSink.h"
#include "UserInteraction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QWidget>

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
    if (guide.isEmpty()) {
        messages.ShowError(GuideMissingMessage(candidates));
        return;
    }
    const bool opened =
        section.isEmpty() ? user.OpenDocument(guide) : user.OpenUrl(GuideUrl(section, candidates));
    if (!opened)
        messages.ShowError(u"The desktop has no program to show the user guide. Open it in a "
                           "web browser: "_s +
                           QDir::toNativeSeparators(guide));
}

void AddGuideKey(QWidget& window, IUserInteraction& user, IMessageSink& messages,
                 const QString& section)
{
    auto* key = new QShortcut(QKeySequence(QKeySequence::HelpContents), &window);
    QObject::connect(key, &QShortcut::activated, &window,
                     [&user, &messages, section] { ShowGuide(user, messages, section); });
}
