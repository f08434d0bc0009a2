#include "support/TestKit.h"

TEST(Help, IsHtmlWithWorkingLinks) {
    QFile file(QStringLiteral(":/zn.hlp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QLatin1String("<html")));
    EXPECT_FALSE(html.contains(QChar(0xFFFD)));
    QSet<QString> anchors;
    for (const auto& m : QRegularExpression(QStringLiteral("name=\"([^\"]+)\"")).globalMatch(html))
        anchors << m.captured(1);
    int links = 0;
    for (const auto& m :
         QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html)) {
        ++links;
        EXPECT_TRUE(anchors.contains(m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GE(links, 8);
}
