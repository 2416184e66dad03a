// The report on its way to standard output: gathered in a modest buffer and
// written piece by piece as it is produced, so that a report of any size needs
// no more memory than the buffer. A write that fails stops the report at once.
#pragma once

#include <QByteArray>

#include <cstdio>

class TReportOutput {
public:
    // Writes to file, which stays open; about capacity bytes wait in between.
    explicit TReportOutput(std::FILE* file, qsizetype capacity = 64 * 1024);

    // Each throws TFileError, with the system's reason, when a write fails.
    TReportOutput& operator+=(char c);
    TReportOutput& operator+=(const char* text);
    TReportOutput& operator+=(const QByteArray& bytes);

    // Writes what still waits and flushes the file: only then has the whole
    // report been written. Throws TFileError as the others.
    void Finish();

private:
    void WriteIfFull();
    void Write();

    std::FILE* File;
    qsizetype Capacity;
    QByteArray Buffer;
};
