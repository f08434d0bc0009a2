#include "pomvex/Henkan.h"
#include "data/QuestionFile.h"
#include "pomvex/RowModel.h"
#include "support/TestKit.h"

namespace {

class HenkanTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(list, SjisEncode(QStringLiteral("問題,解答,ジャンル\r\n"
                                                   "日本一高い山は？,富士山,2\r\n"
                                                   "空欄の答え,,3\r\n"
                                                   "\"改行\r\nあり\",答,スポーツ\r\n")));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void choose(const QString& file) {
        fake.dialogAnswers.enqueue(file);
        w.inputButton->click();
    }
    QString cell(int line, int column) const {
        return w.model->index(line, column).data().toString();
    }

    FakePlatform fake;
    QTemporaryDir dir;
    QString list = path("一覧.csv");
    Henkan w;
};

} // namespace

TEST_F(HenkanTest, RefusesUnusableFilesExportsQuestionFilesAndPreviewsLists) {
    writeBytes(path("empty.csv"), "");
    choose(path("empty.csv"));
    EXPECT_FALSE(w.Loaded);
    EXPECT_EQ(fake.messages.last().kind, MsgError);

    ASSERT_TRUE(
        WriteRecordTexts(path("q.znd"), {ComposeRecordText(QStringLiteral("問"), "A", u'5')}));
    fake.dialogAnswers << path("q.znd") << path("q");
    w.exportButton->click();
    EXPECT_EQ(readBytes(path("q.csv")),
              QByteArray("\xEF\xBB\xBF") +
                  QStringLiteral("問題,解答,ジャンル\r\n問,A,5\r\n").toUtf8());

    choose(list);
    ASSERT_EQ(w.model->rowCount(), 3);
    EXPECT_EQ(cell(0, RowModel::RowColumn), QStringLiteral("2"));
    EXPECT_EQ(cell(0, RowModel::GenreColumn), QStringLiteral("2 社会・地理"));
    EXPECT_EQ(cell(1, RowModel::ProblemColumn), QStringLiteral("解答が空です"));
    EXPECT_EQ(QList<QVariant>({w.model->index(0, 0).data(Qt::BackgroundRole),
                               w.model->index(1, 0).data(Qt::BackgroundRole),
                               w.model->index(2, 0).data(Qt::BackgroundRole)}),
              QList<QVariant>({QVariant(), RowModel::ErrorColour, RowModel::WarningColour}));
    EXPECT_TRUE(w.summaryLabel->text().startsWith(QStringLiteral("3行中 1行にエラー、1行に注意")));
    EXPECT_TRUE(w.detectedLabel->text().startsWith(QStringLiteral("Shift-JIS・ｶﾝﾏ区切り")));
    EXPECT_EQ(QDir::fromNativeSeparators(w.outputBox->text()), path("一覧.znd"));
    EXPECT_FALSE(w.convertButton->isEnabled()) << "a row has an error";

    w.problemsOnlyBox->click();
    EXPECT_EQ(w.model->rowCount(), 2);
    EXPECT_EQ(cell(0, RowModel::RowColumn), QStringLiteral("3"));

    // Reading it as UTF-8 on request shows unreadable text instead of guessing.
    w.encodingBox->setCurrentIndex(1);
    w.Moji_Change(1);
    EXPECT_EQ(w.Table.encoding, TableEncoding::Utf8);
    EXPECT_TRUE(w.statusLabel->text().contains(QStringLiteral("読めないﾊﾞｲﾄ")));
    choose(list);
    EXPECT_EQ(w.Table.encoding, TableEncoding::Utf8) << "the choice stays for the next list";
}

TEST_F(HenkanTest, ConvertsGoodRowsAndAsksBeforeReplacingANameItCompleted) {
    choose(list);
    w.goodOnlyBox->click();
    ASSERT_TRUE(w.convertButton->isEnabled());
    // The save dialog returns a name without extension; ".znd" makes it a file that exists.
    writeBytes(path("出力.znd"), "old");
    fake.dialogAnswers.enqueue(path("出力"));
    w.outputButton->click();
    fake.messageAnswers.enqueue(AnswerNo);
    w.convertButton->click();
    EXPECT_EQ(readBytes(path("出力.znd")), "old");
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_TRUE(fake.messages[0].text.contains(QStringLiteral("置き換えますか")));

    w.convertButton->click(); // yes this time
    const QByteArray written = readBytes(path("出力.znd"));
    EXPECT_EQ(written.size(), 2 * QuestionFormat::RecordLength);
    EXPECT_TRUE(written.startsWith(SjisEncode(QStringLiteral("日本一高い山は？"))));
    EXPECT_TRUE(written.contains(SjisEncode(QStringLiteral("改行あり "))));
    EXPECT_EQ(fake.messages.last().kind, MsgPlain);
    EXPECT_TRUE(fake.messages.last().text.contains(QStringLiteral("2問を書き込みました")));

    // A name the save dialog returned whole was asked about there, once.
    fake.dialogAnswers.enqueue(path("出力.znd"));
    w.outputButton->click();
    fake.clear();
    w.convertButton->click();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, MsgPlain);
    fake.messageAnswers.enqueue(AnswerNo);
    w.convertButton->click();
    EXPECT_EQ(fake.messages.last().kind, MsgReplace);
}

TEST_F(HenkanTest, ADroppedListOpensAFolderIsNoOutputNameAndEnterConverts) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(list)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: without a drag in progress the application would not deliver it.
    static_cast<QObject&>(w).event(&drop);
    ASSERT_TRUE(w.Loaded);
    EXPECT_EQ(w.model->rowCount(), 3);

    w.goodOnlyBox->click();
    w.outputBox->setText(dir.path() + u'/');
    w.convertButton->click();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_TRUE(fake.messages[0].text.contains(QStringLiteral("ﾌｧｲﾙ名を入れて下さい")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral(".znd"))));
    // A name still being composed is no name; once committed, Enter in the box converts, and a
    // bare name goes beside the list.
    w.outputBox->clear();
    w.outputBox->setFocus();
    QInputMethodEvent composing(QStringLiteral("しゅつりょく"), {});
    QCoreApplication::sendEvent(w.outputBox, &composing);
    EXPECT_FALSE(w.convertButton->isEnabled());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("出力"));
    QCoreApplication::sendEvent(w.outputBox, &commit);
    ASSERT_TRUE(w.convertButton->isEnabled());
    QTest::keyClick(w.outputBox, Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(path("出力.znd")));

    // A path typed into the list box opens on Enter; one that cannot be read changes nothing.
    fake.clear();
    w.inputBox->setText(path("none.csv"));
    QTest::keyClick(w.inputBox, Qt::Key_Return);
    EXPECT_EQ(w.InputPath, list);
    EXPECT_EQ(fake.messages.size(), 1);
    writeBytes(path("二.csv"), "q,a,1\n");
    w.inputBox->setText(path("二.csv"));
    QTest::keyClick(w.inputBox, Qt::Key_Return);
    EXPECT_EQ(w.InputPath + w.outputBox->text(), path("二.csv") + path("二.znd"));
}

TEST_F(HenkanTest, PreviewNamesItsColumnsShowsWholeReasonsAndTabLeavesIt) {
    writeBytes(path("headed.csv"),
               QStringLiteral("No.,解答,問題,ジャンル\r\n1,富士山,日本一高い山は？,2\r\n"
                              "2,答,とても長い理由のある問題\u200B,9\r\n")
                   .toUtf8());
    choose(path("headed.csv"));
    ASSERT_TRUE(w.Loaded);
    const auto header = [this](int c) {
        return w.model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    EXPECT_EQ(QStringList({header(1), header(2), header(3)}),
              QStringList({"問題（C列）", "解答（B列）", "ジャンル（D列）"}));
    EXPECT_EQ(cell(0, RowModel::QuestionColumn), QStringLiteral("日本一高い山は？"));
    EXPECT_TRUE(w.detectedLabel->text().contains(QStringLiteral("問題=C列、解答=B列")));

    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.preview->setFocus();
    QTest::keyClick(w.preview, Qt::Key_Down);
    QTest::keyClick(w.preview, Qt::Key_Down);
    EXPECT_EQ(w.preview->currentIndex().row(), 1);
    // Every reason in full, however narrow the column.
    EXPECT_EQ(
        w.detailLabel->text(),
        QStringLiteral("3行目: 問題にShift-JISで書けない文字があります「U+200B (ゼロ幅スペース)」\n"
                       "3行目: ジャンル「9」は1～7の数字でもジャンル名でもありません"));
    QTest::keyClick(w.preview, Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.problemsOnlyBox);
    // F1 opens the program's help, which lies beside the tool.
    QTest::keyClick(w.problemsOnlyBox, Qt::Key_F1);
    EXPECT_EQ(fake.helpShown,
              QStringList{QCoreApplication::applicationDirPath() + QStringLiteral("/zn.hlp")});

    // The yen sign as the user chose: one byte, or full width.
    writeBytes(path("yen.csv"), QStringLiteral("¥100は？,百円,1\r\n").toUtf8());
    choose(path("yen.csv"));
    EXPECT_EQ(w.Checked.rows[0].question, QStringLiteral("\\100は？"));
    w.yenBox->click();
    EXPECT_EQ(w.Checked.rows[0].question, QStringLiteral("￥100は？"));
}
