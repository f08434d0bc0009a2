#include "platform/Cp932.h"
#include "support/TestKit.h"

TEST(ResText, EveryIdFitsTheCodePagePlaceholdersJoinsAndMessageBoxes) {
    const QList<int> notInTable = {28, 29, 104, 105, 106, 107, 108, 109};
    for (int id = 21; id <= 157; ++id)
        EXPECT_TRUE(notInTable.contains(id) ||
                    (!LoadResString(id).isEmpty() && SjisRepresentable(LoadResString(id))))
            << id;
    // An empty value removes the placeholder; a value holding "@" is not scanned again.
    const std::tuple<int, QString, QString> cases[] = {
        {98, "  ", "Fast  Slow"}, {67, "", "Dataは迄です。"}, {67, "@@", "Dataは@@迄です。"}};
    for (const auto& [id, value, expected] : cases)
        EXPECT_EQ(ResText(id, value), expected) << id;
    EXPECT_EQ(ResJoin(120, 122), QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd),*.znd,全てのﾌｧｲﾙ (*.*),*.*"));

    FakePlatform fake;
    fake.messageAnswers << AnswerNo;
    EXPECT_EQ(ResMsgBox(2, 84, 62, 71), AnswerNo);
    EXPECT_EQ(ResMsgBox(3, 81, 70, 0), AnswerOk);
    EXPECT_EQ(QString::number(fake.messages.value(0).kind) + fake.messages.value(0).title +
                  fake.messages.value(0).text,
              QStringLiteral("2終了確認Dataを保存していません。\r\n終了しますか？"));
    EXPECT_EQ(fake.messages.value(1).text, QStringLiteral("多重起動不可"))
        << "no trailing line break";
}

TEST(Sjis, CodePageMappingsBadInputWidthsAndFields) {
    // Wave dash, full-width minus and circled digits are where a plain Shift-JIS codec differs.
    const std::pair<QString, const char*> pairs[] = {
        {"～－①", "8160817c8740"}, {"ﾌｧｲﾙ｡ﾟ", "cca7b2d9a1df"}, {"A\\~ ", "415c7e20"}};
    for (const auto& [text, hex] : pairs)
        EXPECT_EQ(std::pair(Cp932Encode(text), Cp932Decode(QByteArray::fromHex(hex))),
                  std::pair(QByteArray::fromHex(hex), text));
    // Unmappable: one "?" per UTF-16 unit, so per-character widths add up.
    EXPECT_EQ(Cp932Encode(QString::fromUcs4(U"aéb한\U0001F600")), QByteArray("a?b???"));
    // A lead byte at the end or before a byte that cannot follow it; the next byte survives.
    const QString b(QChar(0xFFFD));
    const std::pair<const char*, QString> garbled[] = {
        {"80a0ff", b + b + b}, {"4193", "A" + b}, {"930a41", b + "\nA"}, {"8540", b + b}};
    for (const auto& [hex, text] : garbled)
        EXPECT_EQ(Cp932Decode(QByteArray::fromHex(hex)), text) << hex;

    // text, position (0: the whole text), width
    const std::tuple<QString, int, int> cases[] = {
        {"日本", 0, 4}, {"A  ", 0, 1}, {"  A", 0, 3}, {"", 0, 0},     {"A B", 2, 0},
        {"日A", 2, 1},  {"AB", 5, 0},  {"AB", -1, 0}, {"a　é", 3, 1}, {"x😀", 0, 3}};
    for (const auto& [text, pos, width] : cases)
        EXPECT_EQ(SjisWidth(text, pos), width) << text.toStdString() << " " << pos;
    EXPECT_EQ(SjisBytes(QStringLiteral(" A　  ")), QByteArray::fromHex("20418140"));
    // A field never splits a character.
    const QByteArray mixed = SjisBytes(QStringLiteral("Aｱ日本B語"));
    for (int n = 0; n <= mixed.size(); ++n)
        EXPECT_LE(SjisWidth(SjisField(mixed, n, 0), 0), n) << n;
    // A stored record: question, answer and genre fields; ranges past the end give what exists.
    const QByteArray record = SjisBytes(QStringLiteral("　日本")) + QByteArray(282, ' ') + "ABC" +
                              QByteArray(57, ' ') + "3\r\n";
    const std::tuple<int, int, QString> fields[] = {{288, 0, "　日本"}, {5, 2, "本"},
                                                    {1, 1, ""},         {289, 60, "ABC"},
                                                    {350, 10, "\r\n"},  {352, 10, ""}};
    for (const auto& [start, count, text] : fields)
        EXPECT_EQ(SjisField(record, start, count), text) << start;
}
