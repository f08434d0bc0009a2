#include "data/Csv.h"
#include "data/LogFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QList<QStringList> fieldsOf(const QList<CsvRecord>& records) {
    QList<QStringList> out;
    for (const CsvRecord& r : records)
        out << r.fields;
    return out;
}

} // namespace

// The quoting rules of every CSV the programs read: spreadsheets' lists and our own logs.
TEST(Csv, ReadsFieldsAsSpreadsheetsAndLogsWriteThem) {
    const struct Case {
        const char16_t* text;
        QList<QStringList> spreadsheet;
        QList<QStringList> log;  // empty: the same as a spreadsheet's
        qsizetype looseRow = -1; // the record whose opening quote enclosed nothing
    } cases[] = {
        {u"\"a\",\"b\"\r\n\"c\",\"d\"\r\n", {{"a", "b"}, {"c", "d"}}, {}},
        {u"a,\"b,c\",1\r\n", {{"a", "b,c", "1"}}, {}},
        {u"\"say \"\"hi\"\"\",\"\"\"\"", {{"say \"hi\"", "\""}}, {}},
        {u"\"line\r\nbreak\",x\r\nnext", {{"line\r\nbreak", "x"}, {"next"}}, {}},
        {u"a,,b\n\"\",x\ry\r\n\r\nz", {{"a", "", "b"}, {"", "x"}, {"y"}, {""}, {"z"}}, {}},
        {u"a,", {{"a", ""}}, {}},
        // A quote inside an unquoted field opens nothing.
        {u"in\"side,\"x\"", {{"in\"side", "x"}}, {}},
        // Pasted or hand-written text that merely begins with a quote keeps it.
        {u"\"Hello\" he said,x,1", {{"\"Hello\" he said", "x", "1"}}, {}, 0},
        {u"\"quoted\"tail,x", {{"\"quoted\"tail", "x"}}, {}, 0},
        // An opening quote never closed ends with its field; the records after it survive.
        {u"\"open,x\nb,y\n\"m\nn\",z", {{"\"open", "x"}, {"b", "y"}, {"m\nn", "z"}}, {}, 0},
        // Older logs did not double the quotes inside their fields.
        {u"\"\"答\"\",\"b\"", {{"\"\"答\"\"", "b"}}, {{"\"答\"", "b"}}, 0},
        {u"\"a\"b\",c", {{"\"a\"b\"", "c"}}, {{"a\"b", "c"}}, 0},
        {u"\"x\",y\",\"z\"\r\n\"彼は\"a, b\"と\"",
         {{"x", "y\"", "z"}, {"\"彼は\"a", " b\"と\""}},
         {{"x", "y\"", "z"}, {"彼は\"a, b\"と"}},
         1},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const QList<CsvRecord> sheet = ReadCsv(text, u',', CsvQuotes::Spreadsheet);
        EXPECT_EQ(fieldsOf(sheet), c.spreadsheet);
        EXPECT_EQ(fieldsOf(ReadCsv(text, u',', CsvQuotes::Log)),
                  c.log.isEmpty() ? c.spreadsheet : c.log);
        for (qsizetype i = 0; i < sheet.size(); ++i) {
            EXPECT_EQ(sheet[i].row, i + 1);
            EXPECT_EQ(sheet[i].looseQuote, i == c.looseRow) << i;
        }
    }
    EXPECT_EQ(fieldsOf(ReadCsv(u"a\t\"b\tc\"\t1", u'\t', CsvQuotes::Spreadsheet)),
              (QList<QStringList>{{"a", "b\tc", "1"}}));
}

TEST(Csv, WritesWhatItReadsBack) {
    const QStringList fields = {
        u"plain"_s, u""_s,        u"a,b"_s,          u"\"q\""_s,
        u" edge"_s, u"tab\tin"_s, u"two\r\nlines"_s, u"\"Hello\" he said"_s};
    EXPECT_EQ(CsvLine({u"a"_s, u""_s, u"say \"hi\""_s}, CsvQuoting::Always),
              u"\"a\",\"\",\"say \"\"hi\"\"\"\r\n"_s);
    EXPECT_EQ(CsvLine({u"a"_s, u""_s, u"x y"_s}, CsvQuoting::WhenNeeded), u"a,,x y\r\n"_s);
    for (CsvQuoting quoting : {CsvQuoting::Always, CsvQuoting::WhenNeeded}) {
        const QList<CsvRecord> back =
            ReadCsv(CsvLine(fields, quoting), u',', CsvQuotes::Spreadsheet);
        ASSERT_EQ(back.size(), 1);
        EXPECT_EQ(back[0].fields, fields);
    }
    // A log keeps one line per record: line breaks in a field become blanks.
    EXPECT_EQ(CsvField(u"「\"a\"」\r\nb\nc\rd"_s), u"\"「\"\"a\"\"」 b c d\""_s);
}
