#include "SubWindowPlace.h"

#include <QMdiSubWindow>

#include <algorithm>

namespace {

// The top-left corner within the area where the frame fits; the area's
// top-left corner where it does not.
QRect IntoView(QRect frame, QSize area)
{
    frame.moveLeft(std::max(0, std::min(frame.left(), area.width() - frame.width())));
    frame.moveTop(std::max(0, std::min(frame.top(), area.height() - frame.height())));
    return frame;
}

} // namespace

TWindowPlace PlaceOfSubWindow(const QMdiSubWindow& sub, const QRect& normalFrame)
{
    TWindowPlace place;
    QRect frame = sub.geometry();
    if (sub.isMinimized())
        place.WindowState = TWindowPlace::wsMinimized;
    else if (sub.isMaximized())
        place.WindowState = TWindowPlace::wsMaximized;
    if (place.WindowState != TWindowPlace::wsNormal && normalFrame.isValid())
        frame = normalFrame;
    place.Left = frame.x();
    place.Top = frame.y();
    place.Width = frame.width();
    place.Height = frame.height();
    return place;
}

QRect ApplySubWindowPlace(QMdiSubWindow& sub, const TWindowPlace& place, QSize area)
{
    if (place.WindowState != TWindowPlace::wsMaximized) {
        const QSize smallest = sub.minimumSizeHint();
        const QSize size(std::max(place.Width, smallest.width()),
                         std::max(place.Height, smallest.height()));
        sub.setGeometry(IntoView(QRect(QPoint(place.Left, place.Top), size), area));
    }
    const QRect normalFrame = sub.geometry();
    switch (place.WindowState) {
    case TWindowPlace::wsMinimized:
        sub.showMinimized();
        break;
    case TWindowPlace::wsMaximized:
        sub.showMaximized();
        break;
    default:
        sub.showNormal();
    }
    return normalFrame;
}
