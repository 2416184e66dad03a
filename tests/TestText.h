// A text window over a plain string, numbered as the analysis numbers its window.
#pragma once

#include "WindowText.h"

#include <QString>

#include <string>

// A window over text, numbered from 1 as the analysis numbers its window.
class TTestText {
public:
    explicit TTestText(const QString& text)
        : Chars(u'\0' + text.toStdU16String() + u'\0')
    {}
    TWindowText View() const { return {Chars.data(), static_cast<int>(Chars.size()) - 2, true}; }

private:
    std::u16string Chars;
};
