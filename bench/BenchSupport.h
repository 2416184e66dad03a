// What the benchmark programs share: the median of their rounds, and messages
// printed to the standard error stream.
#pragma once

#include "MessageSink.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class TPrintedMessages : public IMessageSink {
public:
    void ShowWarning(const QString& text) override { Print(text); }
    void ShowError(const QString& text) override { Print(text); }

private:
    static void Print(const QString& text)
    {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
};
