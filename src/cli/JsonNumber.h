// A double in the JSON report: the shortest text that reads back to the very
// same double, so that a script gets the program's figures and not figures
// rounded for the eye. JSON has no word for NaN or infinity; such a value is
// written as null.
#pragma once

#include <QByteArray>

QByteArray JsonNumber(double value);
