// Where a child window stands in the main window's client area and whether it
// is minimised or maximised, as a workspace keeps it for each window.
#pragma once

class TXmlNode;

struct TWindowPlace {
    enum TState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

    // The window's frame in the client area, in pixels.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // As saved: a value other than those of TState stands for a normal window.
    int WindowState = wsNormal;

    bool operator==(const TWindowPlace&) const = default;
};

// Writes the attributes Left, Top, Width, Height and WindowState, in this order.
void WritePlace(TXmlNode& node, const TWindowPlace& place);
// Reads WindowState and, unless the window is maximised, its frame, each
// defaulting to 0. Throws TXmlError for a value that does not convert.
TWindowPlace ReadPlace(const TXmlNode& node);
