// A progress bar that a long operation drives, and through which it lets the
// user interface handle pending events (so that a Cancel button can act).
#pragma once

#include <QtGlobal>

class IProgressIndicator {
public:
    virtual ~IProgressIndicator() = default;
    virtual void SetRange(qint64 minimum, qint64 maximum) = 0;
    virtual void SetPosition(qint64 position) = 0;
    virtual void ProcessEvents() = 0;
};
