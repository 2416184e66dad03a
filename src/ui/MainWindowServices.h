// The services of the main window that the child windows use: the status
// bar's second panel, the client area that holds them, the display of
// messages and errors, the dialogs, the printer and the error handler of
// commands.
#pragma once

#include "RunCommand.h"
#include "WindowPlace.h"

#include <QSize>
#include <QString>

class IMessageSink;
class IUserInteraction;
class QPrinter;
class TAppSettings;
class TChildWindow;

class IMainWindow {
public:
    virtual ~IMainWindow() = default;

    // Panel 1 of the status bar, which describes the active child window.
    virtual void SetActiveWindowText(const QString& text) = 0;

    // Shows window in a new sub-window of the client area, with the given
    // client size, cascaded from the other windows within the visible part
    // of the area, and makes it the active child window. The sub-window
    // releases the window when it is closed.
    virtual void AddChildWindow(TChildWindow* window, QSize clientSize) = 0;
    // The active child window, or null.
    virtual TChildWindow* ActiveChildWindow() const = 0;
    // The size of the client area that holds the child windows.
    virtual QSize ClientAreaSize() const = 0;
    // Where a child window stands and in which state; for a minimised or
    // maximised window, the frame it returns to.
    virtual TWindowPlace PlaceOf(const TChildWindow* window) const = 0;
    // Puts a child window into the state and, unless maximised, the frame;
    // a frame that lies beyond the client area is moved into it as far as
    // the window's size allows.
    virtual void ApplyPlace(TChildWindow* window, const TWindowPlace& place) = 0;

    // Warnings and errors for the user (message boxes in the application).
    virtual IMessageSink& Messages() = 0;
    virtual const TAppSettings& Settings() const = 0;
    // The person at the dialogs (scripted in tests).
    virtual IUserInteraction& User() = 0;
    // The one printer of the program, which "Printer Setup.." and every print
    // command share.
    virtual QPrinter& Printer() = 0;

    // Runs a command of a window; whatever it raises is shown as an error.
    bool RunCommand(const std::function<void()>& command)
    {
        return ::RunCommand(Messages(), command);
    }
};
