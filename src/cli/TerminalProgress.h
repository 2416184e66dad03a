// A progress bar drawn on one line of a terminal: the file being read, how far
// it is read, and which file of how many it is.
#pragma once

#include "ProgressIndicator.h"

#include <QString>
#include <QStringList>

#include <cstdio>

class TTerminalProgress : public IProgressIndicator {
public:
    explicit TTerminalProgress(std::FILE* terminal);
    ~TTerminalProgress() override;

    void StartFile(int number, int count, const QString& fileName);

    void SetRange(qint64 minimum, qint64 maximum) override;
    void SetPosition(qint64 position) override;
    void ProcessEvents() override {}

private:
    void Draw();

    std::FILE* Terminal;
    QString Label;
    qint64 Minimum = 0;
    qint64 Maximum = 0;
    qint64 Position = 0;
    int Shown = -1; // the per-mille last drawn
};

// The files done, which the bar's label names: the next file and its number.
class TTerminalCorpusProgress : public IProgressIndicator {
public:
    TTerminalCorpusProgress(TTerminalProgress& bar, QStringList files)
        : Bar(bar)
        , Files(std::move(files))
    {}

    void SetRange(qint64, qint64) override {}
    void SetPosition(qint64 done) override;
    void ProcessEvents() override {}

private:
    TTerminalProgress& Bar;
    QStringList Files;
};
