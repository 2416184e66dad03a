// A child window's place as a workspace keeps it, read from and applied to the
// sub-window that frames the window in the main window's client area.
#pragma once

#include "WindowPlace.h"

#include <QRect>
#include <QSize>

class QMdiSubWindow;

// The sub-window's state and frame; a minimised or maximised sub-window gives
// normalFrame, the frame it returns to.
TWindowPlace PlaceOfSubWindow(const QMdiSubWindow& sub, const QRect& normalFrame);

// Gives the sub-window the place's frame (unless maximised) and state, and
// returns the frame it returns to from a minimised or maximised state. A
// frame is never smaller than the sub-window can be shown, and one that lies
// beyond an area of the given size moves into it as far as its size allows,
// so that a place saved on a larger screen stays within reach.
QRect ApplySubWindowPlace(QMdiSubWindow& sub, const TWindowPlace& place, QSize area);
