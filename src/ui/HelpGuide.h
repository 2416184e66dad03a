// Where the user guide is, and how Help and the dialogs open it. The guide is
// installed as HTML beside the program (share/doc/tamborix under the
// installation prefix) and copied into the build tree, so that a program run
// from either place finds it.
#pragma once

#include <QStringList>
#include <QUrl>

class IMessageSink;
class IUserInteraction;
class QWidget;

// The ids of the guide's sections that the program opens directly; the guide's
// test checks that each one is there.
namespace GuideSection {
inline constexpr char16_t Options[] = u"options";
inline constexpr char16_t TextSettings[] = u"text-settings";
inline constexpr char16_t TagSettings[] = u"tag-settings";
inline constexpr char16_t Search[] = u"search";
inline constexpr char16_t Patterns[] = u"patterns";
inline constexpr char16_t Results[] = u"results";
inline constexpr char16_t Concordance[] = u"concordance";
inline constexpr char16_t CommandLine[] = u"cli";
} // namespace GuideSection

// The places where the guide's index.html is looked for, in order: the
// installed location relative to the running program, then the build tree.
QStringList GuideCandidates();

// The first candidate that exists; empty when there is none.
QString FindGuide(const QStringList& candidates = GuideCandidates());

// The error shown when no candidate exists; it names the first candidate, the
// place where an installed guide belongs.
QString GuideMissingMessage(const QStringList& candidates = GuideCandidates());

// The guide opened at one of its sections; an empty URL when there is no guide.
QUrl GuideUrl(const QString& section, const QStringList& candidates = GuideCandidates());

// Opens the guide in the desktop's viewer, at section when one is given, or
// shows GuideMissingMessage as an error; when the desktop has no viewer for
// it, says where the guide is, so that the user can open it by hand.
void ShowGuide(IUserInteraction& user, IMessageSink& messages, const QString& section = QString(),
               const QStringList& candidates = GuideCandidates());

// Lets F1 in window open the guide at section.
void AddGuideKey(QWidget& window, IUserInteraction& user, IMessageSink& messages,
                 const QString& section);
