// What a printed PDF file holds, read with the poppler tools (package
// poppler-utils): its number of pages, the text of each page, and where a
// word stands on its page.
#pragma once

#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

// The standard output of a poppler tool; a tool that cannot run fails the test.
inline QString PopplerOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << tool.toStdString() << " did not run: install the package poppler-utils";
        return QString();
    }
    EXPECT_EQ(process.exitCode(), 0)
        << tool.toStdString() << ' ' << arguments.join(u' ').toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPageCount(const QString& path)
{
    const QRegularExpression pages(uR"(^Pages:\s+(\d+)$)"_s, QRegularExpression::MultilineOption);
    return pages.match(PopplerOutput(u"pdfinfo"_s, {path})).captured(1).toInt();
}

// The text of each page, its lines as laid out.
inline QStringList PdfPageTexts(const QString& path)
{
    QStringList pages = PopplerOutput(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s}).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The left and top edges, in points from the page's corner, of the first word
// that is word.
inline std::optional<QPointF> PdfWordPlace(const QString& path, const QString& word)
{
    const QString html = PopplerOutput(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    const QRegularExpression box(uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>)re"_s +
                                 QRegularExpression::escape(word) + u"</word>"_s);
    const QRegularExpressionMatch found = box.match(html);
    if (!found.hasMatch())
        return std::nullopt;
    return QPointF(found.captured(1).toDouble(), found.captured(2).toDouble());
}
