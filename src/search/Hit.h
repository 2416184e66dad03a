// What a matcher reports when a hit begins at the position it was offered.
#pragma once

struct THit {
    int BeginIndex = 0; // window index of the hit's first character
    int EndIndex = 0;   // window index of the hit's last character
    int NewPos = 0;     // where the scan goes on: the analysis continues after it
};
