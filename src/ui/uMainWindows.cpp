// The main window's child windows: their sub-windows in the client area, the
// menu of the active one merged into the menu bar, and the Window menu.

#include "ChildWindow.h"
#include "SubWindowPlace.h"
#include "uMain.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

TChildWindow* ChildOf(const QMdiSubWindow* sub)
{
    return sub ? qobject_cast<TChildWindow*>(sub->widget()) : nullptr;
}

// Where a new window of the given size goes: the places lie one step down and
// to the right of each other, from the top-left corner as far as the window
// still fits into the visible area. The first place that no other window
// holds is taken, so that the windows of one search fan out and a window
// opened after others were closed fills their gap; when all are held, the
// places are used again in turn.
QPoint CascadePlace(const QList<QMdiSubWindow*>& others, QSize window, QSize area, int step)
{
    step = std::max(step, 1);
    const int last = std::max(
        0, std::min(area.width() - window.width(), area.height() - window.height()) / step);
    for (int k = 0; k <= last; ++k) {
        const QPoint place(k * step, k * step);
        if (std::none_of(others.begin(), others.end(),
                         [&](const QMdiSubWindow* other) { return other->pos() == place; }))
            return place;
    }
    const int k = static_cast<int>(others.size() % (last + 1));
    return {k * step, k * step};
}

} // namespace

void TfrmMain::AddChildWindow(TChildWindow* window, QSize clientSize)
{
    QList<QMdiSubWindow*> others = Area->subWindowList();
    QMdiSubWindow* sub = Area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->installEventFilter(this);
    // The frame's own share of its size hint is its title bar and borders.
    const QSize frame = sub->sizeHint() - window->sizeHint();
    sub->resize(clientSize + frame);
    sub->move(CascadePlace(others, sub->size(), ClientAreaSize(), frame.height()));
    window->NormalFrame = sub->geometry();
    sub->show();
    Area->setActiveSubWindow(sub);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    const auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    if (TChildWindow* child = ChildOf(sub)) {
        if (event->type() == QEvent::Close)
            child->FormClose();
        else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                 !sub->isMinimized() && !sub->isMaximized())
            child->NormalFrame = sub->geometry();
    }
    return QMainWindow::eventFilter(watched, event);
}

TWindowPlace TfrmMain::PlaceOf(const TChildWindow* window) const
{
    const auto* sub = qobject_cast<const QMdiSubWindow*>(window->parentWidget());
    return sub ? PlaceOfSubWindow(*sub, window->NormalFrame) : TWindowPlace();
}

void TfrmMain::ApplyPlace(TChildWindow* window, const TWindowPlace& place)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        window->NormalFrame = ApplySubWindowPlace(*sub, place, ClientAreaSize());
}

TChildWindow* TfrmMain::ActiveChildWindow() const
{
    // The current sub-window stays current while a dialog has the focus.
    return ChildOf(Area->currentSubWindow());
}

QSize TfrmMain::ClientAreaSize() const
{
    return Area->viewport()->size();
}

QList<TChildWindow*> TfrmMain::ChildWindows() const
{
    QList<TChildWindow*> children;
    for (QMdiSubWindow* sub : Area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        if (TChildWindow* child = ChildOf(sub))
            children.append(child);
    }
    return children;
}

void TfrmMain::ActivateChildWindow(TChildWindow* window)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        if (sub->isMinimized())
            sub->showNormal();
        Area->setActiveSubWindow(sub);
        window->setFocus();
    }
}

void TfrmMain::CloseChildWindow(TChildWindow* window)
{
    if (QWidget* sub = window->parentWidget())
        sub->close();
}

// The active child's menu stands between File and Options while it is active:
// ordered by merge group, the results menu (10) and the concordance menu (5)
// both come after File (1) and before the main window's other menus (100).
void TfrmMain::SubWindowActivated(QMdiSubWindow* sub)
{
    TChildWindow* child = ChildOf(sub);
    if (MergedMenuAction)
        menuBar()->removeAction(MergedMenuAction);
    MergedMenuAction = nullptr;
    if (QMenu* menu = child ? child->MergedMenu() : nullptr) {
        MergedMenuAction = menu->menuAction();
        menuBar()->insertAction(miOptions->menuAction(), MergedMenuAction);
    }
    if (child)
        child->FormActivate();
}

void TfrmMain::RebuildWindowList()
{
    for (QAction* item : WindowListItems)
        miWindow->removeAction(item);
    qDeleteAll(WindowListItems);
    WindowListItems.clear();
    const QList<QMdiSubWindow*> subs = Area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
        QMdiSubWindow* sub = *it;
        const TChildWindow* child = ChildOf(sub);
        if (!child)
            continue;
        // A caption is shown as it is: an "&" in a file name or a pattern
        // marks no access key.
        auto* item =
            new QAction(QString(child->WindowListCaption()).replace(u'&', u"&&"_s), miWindow);
        item->setCheckable(true);
        item->setChecked(sub == Area->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { miWindowItemClick(sub); });
        miWindow->addAction(item);
        WindowListItems.append(item);
    }
}

void TfrmMain::miWindowItemClick(QMdiSubWindow* sub)
{
    if (Area->subWindowList().contains(sub)) {
        if (TChildWindow* child = ChildOf(sub))
            ActivateChildWindow(child);
    }
}

// Every window across the whole width, one above the other.
void TfrmMain::TileHorizontally()
{
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : Area->subWindowList()) {
        if (!sub->isMinimized() && sub->isVisible())
            shown.append(sub);
    }
    if (shown.isEmpty())
        return;
    const QSize area = ClientAreaSize();
    const int height = area.height() / static_cast<int>(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        shown[i]->showNormal();
        shown[i]->setGeometry(0, static_cast<int>(i) * height, area.width(), height);
    }
}
