// What the main window needs of the windows it holds: text, results and
// concordance windows are widgets shown in sub-windows of its client area.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QMenu;

class TChildWindow : public QWidget {
    Q_OBJECT

public:
    enum class TKind { Text, Results, Concordance };

    using QWidget::QWidget;

    virtual TKind Kind() const = 0;
    // The entry of the window in the main window's Window menu.
    virtual QString WindowListCaption() const = 0;
    // The menu that the main window's menu bar shows while this window is
    // active, between File and Options; none by default.
    virtual QMenu* MergedMenu() { return nullptr; }
    // Called when the window becomes the active child window.
    virtual void FormActivate() {}
    // Called when the window closes, before it is released.
    virtual void FormClose() {}

    // The frame of the window's sub-window when it was last neither minimised
    // nor maximised, which the main window keeps up to date: the place that a
    // minimised or maximised window returns to.
    QRect NormalFrame;
};
