// Where the core sends messages for the user. The windowed application shows
// them as message boxes, the command-line runner prints them, tests collect them.
#pragma once

#include <QString>

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // A condition the user can correct (a box titled "Warning").
    virtual void ShowWarning(const QString& text) = 0;
    // A failure (a box titled "Error").
    virtual void ShowError(const QString& text) = 0;
};
