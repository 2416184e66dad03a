#include "TerminalProgress.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int BarWidth = 30;

} // namespace

TTerminalProgress::TTerminalProgress(std::FILE* terminal)
    : Terminal(terminal)
{}

TTerminalProgress::~TTerminalProgress()
{
    std::fputs("\r\033[K", Terminal);
    std::fflush(Terminal);
}

void TTerminalProgress::StartFile(int number, int count, const QString& fileName)
{
    Label = u"%1/%2 %3"_s.arg(number).arg(count).arg(fileName);
    Shown = -1;
}

void TTerminalProgress::SetRange(qint64 minimum, qint64 maximum)
{
    Minimum = minimum;
    Maximum = maximum;
    Draw();
}

void TTerminalProgress::SetPosition(qint64 position)
{
    Position = position;
    Draw();
}

void TTerminalProgress::Draw()
{
    const qint64 span = std::max<qint64>(Maximum - Minimum, 1);
    const int perMille =
        static_cast<int>(std::clamp<qint64>((Position - Minimum) * 1000 / span, 0, 1000));
    if (perMille == Shown)
        return;
    Shown = perMille;
    const int filled = perMille * BarWidth / 1000;
    const QString bar = QString(filled, u'#') + QString(BarWidth - filled, u' ');
    const QString line = u"\r[%1] %2% %3\033[K"_s.arg(bar).arg(perMille / 10, 3).arg(Label);
    std::fputs(line.toLocal8Bit().constData(), Terminal);
    std::fflush(Terminal);
}

void TTerminalCorpusProgress::SetPosition(qint64 done)
{
    if (done < Files.size())
        Bar.StartFile(static_cast<int>(done + 1), static_cast<int>(Files.size()), Files[done]);
}
