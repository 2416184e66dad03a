// A menu written out as text, so that a test compares it with one literal.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

// The menu as lines "caption [shortcut] (checked) (disabled)", submenus
// indented.
inline QStringList Outline(const QMenu* menu, const QString& indent = {})
{
    using namespace Qt::StringLiterals;
    QStringList lines;
    for (const QAction* action : menu->actions()) {
        QString line = indent + (action->isSeparator() ? u"-"_s : action->text());
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
