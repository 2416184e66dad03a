// A text laid out as the analysis window lays out its characters, so that a
// matcher reads exactly what it may read: the text at indexes 1..Length, the
// character before it at index 0 and a 0 after it. The buffer holds nothing
// more, so AddressSanitizer reports any read beyond those slots.
#pragma once

#include "WindowText.h"

#include <QString>

#include <vector>

class TFuzzWindow {
public:
    // When atFileStart is false, the text's first character stands before the
    // window, as after a window shift.
    TFuzzWindow(const QString& text, bool atFileStart)
        : AtFileStart(atFileStart || text.isEmpty())
    {
        if (AtFileStart)
            Chars.push_back(0);
        for (QChar c : text)
            Chars.push_back(c.unicode());
        Chars.push_back(0);
    }

    TWindowText View() const
    {
        return {Chars.data(), static_cast<int>(Chars.size()) - 2, AtFileStart};
    }

private:
    bool AtFileStart;
    std::vector<char16_t> Chars;
};
