// A menu written out as text, so that a test compares it with one literal,
// and the access keys of its items.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

#include <map>

// The caption as the user reads it: without the "&" that marks the access
// key, and with "&&" shown as "&".
inline QString VisibleText(const QAction* action)
{
    const QString text = action->text();
    QString visible;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        visible += text[i];
    }
    return visible;
}

// The menu as lines "caption [shortcut] (checked) (disabled)", submenus
// indented.
inline QStringList Outline(const QMenu* menu, const QString& indent = {})
{
    using namespace Qt::StringLiterals;
    QStringList lines;
    for (const QAction* action : menu->actions()) {
        QString line = indent + (action->isSeparator() ? u"-"_s : VisibleText(action));
        if (!action->shortcut().isEmpty())
            line += u" ["_s + action->shortcut().toString() + u']';
        if (action->isChecked())
            line += u" (checked)"_s;
        if (!action->isEnabled())
            line += u" (disabled)"_s;
        lines.append(line);
        if (action->menu())
            lines += Outline(action->menu(), indent + u"  "_s);
    }
    return lines;
}

// What keeps the keyboard from reaching each of actions by its access key:
// a caption without one, or two captions with the same one. Submenus are
// checked too.
inline QStringList AccessKeyProblems(const QList<QAction*>& actions)
{
    using namespace Qt::StringLiterals;
    QStringList problems;
    std::map<QString, QString> taken; // access key -> caption
    for (const QAction* action : actions) {
        if (action->isSeparator())
            continue;
        const QString key = QKeySequence::mnemonic(action->text()).toString();
        if (key.isEmpty())
            problems.append(u"no access key: "_s + VisibleText(action));
        else if (const auto [at, added] = taken.emplace(key, VisibleText(action)); !added)
            problems.append(key + u" in "_s + at->second + u" and "_s + VisibleText(action));
        if (action->menu())
            problems += AccessKeyProblems(action->menu()->actions());
    }
    return problems;
}
