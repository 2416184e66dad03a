#include "ReportOutput.h"

#include "Error.h"

#include <QString>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// error: errno after the failed call; a stream may fail without setting it.
[[noreturn]] void ThrowWriteError(int error)
{
    if (error == 0)
        error = EIO;
    throw TFileError(
        u"Cannot write the report. %1"_s.arg(QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace

TReportOutput::TReportOutput(std::FILE* file, qsizetype capacity)
    : File(file)
    , Capacity(capacity)
{
    Buffer.reserve(capacity);
}

TReportOutput& TReportOutput::operator+=(char c)
{
    Buffer += c;
    WriteIfFull();
    return *this;
}

TReportOutput& TReportOutput::operator+=(const char* text)
{
    Buffer += text;
    WriteIfFull();
    return *this;
}

TReportOutput& TReportOutput::operator+=(const QByteArray& bytes)
{
    Buffer += bytes;
    WriteIfFull();
    return *this;
}

void TReportOutput::Finish()
{
    Write();
    errno = 0;
    if (std::fflush(File) != 0 || std::ferror(File))
        ThrowWriteError(errno);
}

void TReportOutput::WriteIfFull()
{
    if (Buffer.size() >= Capacity)
        Write();
}

// Resized to nothing, the buffer keeps its capacity: the report allocates it
// once.
void TReportOutput::Write()
{
    errno = 0;
    const auto size = static_cast<size_t>(Buffer.size());
    if (std::fwrite(Buffer.constData(), 1, size, File) != size)
        ThrowWriteError(errno);
    Buffer.resize(0);
}
