// A progress indicator that shows nothing and handles no events: for searches
// that should take the path with a progress bar without a user interface.
#pragma once

#include "ProgressIndicator.h"

class TQuietProgress : public IProgressIndicator {
public:
    void SetRange(qint64, qint64) override {}
    void SetPosition(qint64) override {}
    void ProcessEvents() override {}
};
