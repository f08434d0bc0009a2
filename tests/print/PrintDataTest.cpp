#include "print/PrintData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PrintData, CsvRecordsAndFields) {
    const struct {
        QString text;
        QList<QStringList> expected;
    } cases[] = {
        {u"\"a\",\"b\"\r\n\"c\",\"d\"\r\n"_s, {{"a", "b"}, {"c", "d"}}},
        {u"\"x,y\",\"1\r\n2\"\n"_s, {{"x,y", "1\r\n2"}}},
        {u"\"say \"\"hi\"\"\",\"\"\"\""_s, {{"say \"hi\"", "\""}}},
        {u"\"a\"b\",c"_s, {{"a\"b", "c"}}}, // a quote the writer did not double
        {u"ab\"c,d"_s, {{"ab\"c", "d"}}},   // a quote inside an unquoted field is text
        {u"a,,b\n\"\",x\ry\r\n\r\nz"_s, {{"a", "", "b"}, {"", "x"}, {"y"}, {""}, {"z"}}},
        {u"\"abc,d"_s, {{"abc,d"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCsv(c.text), c.expected) << c.text.toStdString();
}
