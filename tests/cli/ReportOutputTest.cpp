// The report's way out: the bytes arrive in order across every boundary of
// the pieces, and they leave as the report grows, not at its end.
#include "ReportOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

TEST(ReportOutput, WritesInPiecesAsTheReportGrows)
{
    for (const qsizetype capacity : {1, 5, 64}) {
        SCOPED_TRACE(capacity);
        char* data = nullptr;
        size_t size = 0;
        std::FILE* file = open_memstream(&data, &size);
        ASSERT_NE(file, nullptr);
        QByteArray expected;
        {
            TReportOutput out(file, capacity);
            for (int i = 0; i < 100; ++i) {
                const QByteArray number = QByteArray::number(i);
                out += '[';
                out += "a\"b";
                out += number;
                expected += '[' + QByteArray("a\"b") + number;
            }
            std::fflush(file);
            EXPECT_GT(static_cast<qsizetype>(size), expected.size() - capacity);
            out.Finish();
        }
        EXPECT_EQ(QByteArray(data, static_cast<qsizetype>(size)), expected);
        std::fclose(file);
        std::free(data);
    }
}
