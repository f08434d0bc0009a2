#include "settings/PhoneJoin.h"
#include "CastFixture.h"
#include "remote/PhoneClient.h"
#include "remote/PhoneServer.h"
#include "settings/QrView.h"

namespace {

// Phones join the server on loopback; the join window puts them into the dialog's player slots,
// and "OK" makes them match players whose keys are phone codes.
class PhoneJoinTest : public CastTest {
protected:
    void SetUp() override {
        CastTest::SetUp();
        writeBytes(G().IniPath, Default);
        G().Roster.matchOn = true;
        setPhoneServer(&server);
    }
    void TearDown() override { setPhoneServer(nullptr); }

    void joinPhone(const QString& name) {
        auto phone = std::make_unique<PhoneClient>();
        ASSERT_TRUE(phone->join(server.joinUrl(QStringLiteral("127.0.0.1")), name));
        phones.push_back(std::move(phone));
    }

    PhoneServer server;
    std::vector<std::unique_ptr<PhoneClient>> phones;
};

TEST_F(PhoneJoinTest, JoinedPhonesBecomePlayersBesideKeys) {
    Cast cast;
    cast.show();
    PhoneJoin window(&cast, &server);
    ASSERT_TRUE(server.isRunning());
    EXPECT_TRUE(window.address->currentText().contains(QString::fromLatin1(server.token())));
    joinPhone(QStringLiteral("あき"));
    joinPhone(QStringLiteral("べん"));
    joinPhone(QStringLiteral("しん"));
    EXPECT_EQ(window.list->rowCount(), 3);
    EXPECT_EQ(window.list->item(1, 1)->text(), QStringLiteral("べん"));

    // A keyboard player in slot 0; the operator puts Shin in slot 4, the rest go automatically.
    cast.NameK[0]->setEditText(QStringLiteral("Key"));
    cast.UKey[0]->setCurrentIndex(cast.UKey[0]->findText(QStringLiteral("Z")));
    window.assign(3, 4);
    window.assignAll();
    EXPECT_EQ((QList<int>{window.slotOf(1), window.slotOf(2), window.slotOf(3)}),
              (QList<int>{1, 2, 4}));
    EXPECT_EQ(cast.UKey[4]->currentText(), PhoneKeyText(3));
    EXPECT_EQ(cast.Nin->text(), QStringLiteral("5"));
    window.assign(3, 3); // moved: slot 4 is empty again
    EXPECT_EQ(cast.UKey[4]->currentIndex(), -1);
    cast.VScroll1->setValue(4);
    window.accept();

    cast.OK_CAN_Click(0);
    const MatchRoster& roster = G().Roster;
    EXPECT_EQ(roster.lastPlayer, 3);
    QList<int> keys;
    QStringList names;
    for (int i = 0; i <= 3; ++i) {
        keys << roster.players[i].keyCode;
        names << roster.players[i].name;
    }
    EXPECT_EQ(keys, (QList<int>{'Z', 0x20001, 0x20002, 0x20003}));
    EXPECT_EQ(names, (QStringList{"Key", "あき", "べん", "しん"}));
    StopPhonesUnlessUsed();
    EXPECT_TRUE(server.isRunning());
    G().Roster.matchOn = false;
    StopPhonesUnlessUsed();
    EXPECT_FALSE(server.isRunning());
}

TEST(QrView, DrawsWholePixelModulesAtAnySize) {
    QrView view;
    view.setText("http://192.168.1.20:40123/0123456789abcdef0123456789abcdef/");
    const int n = view.matrix().size;
    ASSERT_GE(n, 21);
    for (int side : {150, 333, 800}) {
        view.resize(side, side);
        const int m = view.moduleSize();
        ASSERT_GE(m, 1);
        EXPECT_LE(m * (n + 8), side);
        const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Only black and white, and each module one colour throughout.
        const int left = (side - m * n) / 2;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const QRgb want = view.matrix().at(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                EXPECT_EQ(image.pixel(left + x * m, left + y * m), want);
                EXPECT_EQ(image.pixel(left + x * m + m - 1, left + y * m + m - 1), want);
            }
    }
}

} // namespace
