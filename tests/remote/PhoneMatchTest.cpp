#include "quiz/ZnFixture.h"
#include "remote/PhoneClient.h"
#include "remote/PhoneServer.h"

// Two phones and a keyboard player play a match through the quiz window: touches are ranked by
// when they were made, on the one clock the keys use, and each phone is told where it stands.
class PhoneMatchTest : public ZnTest {
protected:
    // A phone whose clock reads ZN's plus `offset`; it answers its first pings as if each way
    // took 30 ms, then stays quiet so the test alone moves the clock.
    std::unique_ptr<PhoneClient> join(const QString& name, double offset) {
        auto phone = std::make_unique<PhoneClient>([this, offset] {
            fake.monotonic += 30;
            const double reading = fake.monotonic + offset;
            fake.monotonic += 30;
            return reading;
        });
        EXPECT_TRUE(phone->join(server.joinUrl(QStringLiteral("127.0.0.1")), name));
        EXPECT_TRUE(PhoneClient::waitFor([&] { return phone->pings >= 6; }));
        phone->answerPings = false;
        return phone;
    }
    // Both of the window's clocks at `t` ms: the monotonic one phones are measured on and the
    // wall clock the quiz rules read.
    void at(double t) {
        fake.monotonic = t;
        fake.now = start_.addMSecs(qint64(t));
    }
    // A touch made at `touchedAt` on ZN's clock, arriving at `arrival`.
    void touch(PhoneClient& phone, double offset, double touchedAt, double arrival) {
        at(arrival);
        const int before = touches;
        phone.send({{"t", "buzz"}, {"p", touchedAt + offset}});
        ASSERT_TRUE(PhoneClient::waitFor([&] { return touches > before; }));
    }
    void tickAt(double moment) {
        at(moment);
        ticks(1);
    }

    PhoneServer server;
    int touches = 0;
    const QDateTime start_ = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
};

TEST_F(PhoneMatchTest, PhonesAndAKeyPlayAMatchRankedByTouch) {
    ASSERT_TRUE(server.start());
    const double offA = 123456.5, offB = -777;
    auto aki = join(QStringLiteral("あき"), offA);
    auto ben = join(QStringLiteral("べん"), offB);
    G().Roster = {true,
                  2,
                  {{{"Zさん", 'Z'},
                    {"あき", PhoneServer::keyCodeOf(1)},
                    {"べん", PhoneServer::keyCodeOf(2)}}}};
    load();
    zn->rules().addObserver(&server);
    zn->rules().timeReveal = true;
    QObject::connect(&server, &PhoneServer::touched, zn.get(), [this](int key, double moment) {
        ++touches;
        zn->remoteBuzz(key, moment);
    });
    start({{QStringLiteral("一二三四五六七八九十"), QStringLiteral("答え")},
           {QStringLiteral("ABCDE"), QStringLiteral("z")}});
    EXPECT_FALSE(aki->next("s", "open").isEmpty());
    fake.clear();

    tickAt(10000);
    tickAt(10100);
    tickAt(10200);
    // Aki's touch arrives first, but Ben touched earlier on a slower link; Z's key comes last.
    touch(*aki, offA, 10220, 10240);
    EXPECT_EQ(zn->st.answerers[1], QStringLiteral("あき"));
    touch(*ben, offB, 10190, 10290);
    at(10300);
    keys('Z');
    EXPECT_EQ(fake.soundIds(), (QList<int>{12, 12, 12})); // each heard on arrival
    EXPECT_EQ(zn->st.answerers[1], QStringLiteral("べん"));
    EXPECT_EQ(zn->st.buzzKey, PhoneServer::keyCodeOf(2));
    EXPECT_EQ(zn->st.buzzPositions[1], 2); // two characters were up when Ben touched
    const QList<QuizBuzz>& order = zn->rules().buzzes();
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ((QList<int>{order[0].slot, order[1].slot, order[2].slot}), (QList<int>{2, 1, 0}));
    EXPECT_EQ((QList<qint64>{order[1].lagMs, order[2].lagMs}), (QList<qint64>{30, 110}));
    const QJsonObject akiRank = aki->next("s", "rank");
    EXPECT_EQ(akiRank.value("n").toInt(), 1); // first arrival, before Ben's came in
    EXPECT_EQ(aki->next("s", "rank").value("n").toInt(), 2);
    EXPECT_EQ(ben->next("s", "rank").value("n").toInt(), 1);

    revealToEnd();
    touch(*aki, offA, 10500, 10520); // not the answerer: nothing
    EXPECT_EQ(zn->st.timerMode, 2);
    touch(*ben, offB, 10600, 10620); // Ben's second touch shows the answer
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_TRUE(zn->st.verdicts[1]);
    const QJsonObject verdict = ben->next("s", "verdict");
    EXPECT_TRUE(verdict.value("ok").toBool());
    EXPECT_TRUE(verdict.value("you").toBool());
    EXPECT_FALSE(aki->next("s", "verdict").value("you").toBool());
    touch(*ben, offB, 10700, 10720); // a phone never starts the next question
    EXPECT_EQ(zn->st.questionNo, 1);
    keys(VK::Space);

    // Second question: nobody during the reveal; Aki buzzes in the thinking count, answers,
    // and the judge calls it wrong.
    revealToEnd();
    EXPECT_EQ(zn->st.timerMode, 1);
    touch(*aki, offA, 20000, 20010);
    EXPECT_EQ(zn->st.timerMode, 2);
    touch(*aki, offA, 20400, 20410);
    EXPECT_TRUE(zn->st.verdicts[2]);
    EXPECT_TRUE(aki->next("s", "verdict").value("ok").toBool()); // shown as right,
    keys(VK::F2);
    EXPECT_FALSE(aki->next("s", "verdict").value("ok").toBool(true)); // then judged wrong
    keys(VK::Space);
    EXPECT_FALSE(zn->st.running);
    const QByteArray log = saveLog("phones.csv");
    EXPECT_EQ(log, Log("VS", {QStringLiteral("\"一二//三四五六七八九十\",\"答え\",\"べん\",\"○\""),
                              QStringLiteral("\"ABCDE//\",\"z\",\"あき\",\"×\"")}))
        << SjisDecode(log).toStdString();
}
