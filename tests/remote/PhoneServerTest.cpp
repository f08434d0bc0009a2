#include "remote/PhoneServer.h"
#include "remote/HttpGate.h"
#include "remote/PhoneClient.h"
#include "support/TestKit.h"

#include <QTcpSocket>

namespace {

QString head(const QByteArray& response) {
    return QString::fromLatin1(response.left(response.indexOf("\r\n")));
}

TEST(HttpGate, ServesThePageOnlyUnderTheToken) {
    HttpGate gate;
    gate.setToken("0123456789abcdef0123456789abcdef");
    const struct {
        QByteArray request;
        const char* status;
        bool upgrade;
    } cases[] = {
        {"GET /0123456789abcdef0123456789abcdef/ HTTP/1.1\r\nHost: 10.0.0.2:8080", "200 OK", false},
        {"GET /0123456789abcdef0123456789abcdef/app.js?x HTTP/1.1", "200 OK", false},
        {"GET /0123456789abcdef0123456789abcdef/ws HTTP/1.1\r\nUpgrade: websocket", "", true},
        {"GET /0123456789abcdef0123456789abcdef/ws HTTP/1.1", "404 Not Found", false},
        {"GET /0123456789abcdef0123456789abcdef/../etc/passwd HTTP/1.1", "404 Not Found", false},
        {"GET / HTTP/1.1", "403 Forbidden", false},
        {"GET /0123456789abcdef0123456789abcdee/ HTTP/1.1", "403 Forbidden", false},
        {"GET /0123456789abcdef0123456789abcdef HTTP/1.1", "403 Forbidden", false},
        {"GET /0123456789abcdef0123456789abcdef/ws HTTP/1.1\r\nUpgrade: websocket\r\n", "", true},
        {"POST /0123456789abcdef0123456789abcdef/ HTTP/1.1", "405 Method Not Allowed", false},
        {"GARBAGE", "400 Bad Request", false},
    };
    for (const auto& c : cases) {
        bool upgrade = false;
        const QByteArray r = gate.respond(c.request, &upgrade);
        EXPECT_EQ(upgrade, c.upgrade) << c.request.constData();
        if (!c.upgrade) {
            EXPECT_EQ(head(r), QStringLiteral("HTTP/1.1 ") + c.status) << c.request.constData();
        }
    }
    bool upgrade = false;
    const QByteArray page =
        gate.respond("GET /0123456789abcdef0123456789abcdef/ HTTP/1.1\r\nHost: 10.0.0.2:8080\r\n"
                     "X: y\r\n",
                     &upgrade);
    EXPECT_TRUE(page.contains("Content-Security-Policy: default-src 'none'; script-src 'self'; "
                              "style-src 'self'; img-src 'self'; connect-src 'self' "
                              "ws://10.0.0.2:8080;"));
    EXPECT_TRUE(page.contains("<script src=\"app.js\"></script>"));
    EXPECT_FALSE(page.contains("http://"));
    EXPECT_FALSE(page.contains("https://"));
    // A Host header that is no host is not echoed into the policy.
    const QByteArray odd = gate.respond(
        "GET /0123456789abcdef0123456789abcdef/ HTTP/1.1\r\nHost: a b; script-src *", &upgrade);
    EXPECT_TRUE(odd.contains("connect-src 'self'; base-uri"));
}

class PhoneServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()); }
    QUrl url(const QByteArray& token, const char* rest = "ws") const {
        return QUrl(QStringLiteral("ws://127.0.0.1:%1/%2/%3")
                        .arg(server.port())
                        .arg(QString::fromLatin1(token), QLatin1String(rest)));
    }
    QUrl wsUrl() const { return url(server.token()); }
    // A phone that has joined under `name`.
    std::unique_ptr<PhoneClient> joined(const QString& name) {
        auto phone = std::make_unique<PhoneClient>();
        EXPECT_TRUE(phone->join(server.joinUrl(QStringLiteral("127.0.0.1")), name));
        return phone;
    }

    FakePlatform fake;
    PhoneServer server;
};

TEST_F(PhoneServerTest, RefusesConnectionsWithoutTheToken) {
    EXPECT_EQ(server.token().size(), 32); // 128 bits
    for (const QByteArray& token : {QByteArray("nope"), QByteArray(), server.token().toUpper()}) {
        PhoneClient phone;
        phone.socket.open(url(token));
        EXPECT_FALSE(PhoneClient::waitFor(
            [&] { return phone.socket.state() == QAbstractSocket::ConnectedState; }, 500));
    }
    QTcpSocket http;
    http.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(http.waitForConnected(2000));
    http.write("GET /" + server.token() + "/app.css HTTP/1.1\r\nHost: x\r\n\r\n");
    ASSERT_TRUE(
        PhoneClient::waitFor([&] { return http.bytesAvailable() > 0 && http.canReadLine(); }));
    EXPECT_EQ(http.readLine(), "HTTP/1.1 200 OK\r\n");
}

TEST_F(PhoneServerTest, NamesFollowThePlayersRulesAndSlotsSurviveReconnection) {
    server.takenNames = [] { return QStringList{QStringLiteral("キー")}; };
    auto aki = joined(QStringLiteral("あき"));
    PhoneClient other;
    ASSERT_TRUE(other.open(wsUrl()));
    const struct {
        QString name;
        int text;
    } refused[] = {{QStringLiteral(" あき"), 78},
                   {QStringLiteral("キー"), 78},
                   {QStringLiteral(""), 76},
                   {QStringLiteral("😀"), TextUnmappableChars}};
    for (const auto& r : refused) {
        other.send({{"t", "join"}, {"name", r.name}});
        EXPECT_EQ(other.next("name").value("msg").toString(), LoadResString(r.text));
    }
    other.send({{"t", "join"}, {"name", QStringLiteral("べん")}});
    const QJsonObject ben = other.next("joined");
    EXPECT_EQ(ben.value("n").toInt(), 2);

    // Ben's phone drops and comes back: same number; a wrong secret is not Ben.
    other.socket.abort();
    PhoneClient thief;
    ASSERT_TRUE(thief.open(wsUrl()));
    thief.send({{"t", "resume"}, {"n", 2}, {"secret", QString(32, u'0')}});
    EXPECT_FALSE(thief.next("gone").isEmpty());
    PhoneClient back;
    ASSERT_TRUE(back.open(wsUrl()));
    back.send({{"t", "resume"}, {"n", 2}, {"secret", ben.value("secret")}});
    EXPECT_EQ(back.next("joined").value("name").toString(), QStringLiteral("べん"));
    EXPECT_EQ(back.next("s").value("s").toString(), QStringLiteral("wait"));
    const auto phones = server.phones();
    ASSERT_EQ(phones.size(), 2);
    EXPECT_EQ(phones[1].name, QStringLiteral("べん"));
    EXPECT_TRUE(phones[1].connected);
}

TEST_F(PhoneServerTest, DropsOversizedMalformedAndFloodingMessagesAndTellsThePhone) {
    auto phone = joined(QStringLiteral("P"));
    phone->answerPings = false; // only what the test sends counts against the rate
    double touched = 0;
    int touches = 0;
    QObject::connect(&server, &PhoneServer::touched, [&](int key, double) {
        ++touches;
        touched = key;
    });
    const struct {
        QString text;
        const char* code;
    } bad[] = {{QString(1025, u'x'), "size"},
               {QStringLiteral("{\"t\":\"buzz\"}"), "form"},
               {QStringLiteral("[1,2]"), "form"},
               {QStringLiteral("{\"t\":\"buzz\",\"p\":\"soon\"}"), "form"},
               {QStringLiteral("{\"t\":\"pong\",\"i\":99999,\"p\":1}"), "form"},
               {QStringLiteral("not json"), "form"}};
    for (const auto& b : bad) {
        phone->sendRaw(b.text);
        EXPECT_EQ(phone->next("err").value("code").toString(), QLatin1String(b.code));
        // Notices come at most once a second.
        PhoneClient::waitFor([] { return false; }, 1010);
    }
    EXPECT_EQ(touches, 0);

    for (int i = 0; i < 60; ++i)
        phone->send({{"t", "buzz"}, {"p", 1.0}});
    EXPECT_EQ(phone->next("err").value("code").toString(), QLatin1String("rate"));
    PhoneClient::waitFor([&] { return touches >= 20; });
    PhoneClient::waitFor([] { return false; }, 100);
    EXPECT_EQ(touches, PhoneServer::MaxMessagesPerSecond - 0);
    EXPECT_EQ(touched, PhoneServer::keyCodeOf(1));
    EXPECT_GE(server.refusedMessages(), 40 + 6);

    // After a quiet second the phone is heard again.
    PhoneClient::waitFor([] { return false; }, 1010);
    phone->send({{"t", "buzz"}, {"p", 1.0}});
    EXPECT_TRUE(PhoneClient::waitFor([&] { return touches == 21; }));
}

TEST_F(PhoneServerTest, TakesTenPhonesAtMost) {
    std::vector<std::unique_ptr<PhoneClient>> phones;
    for (int i = 0; i < PhoneServer::MaxPhones; ++i)
        phones.push_back(joined(QStringLiteral("P%1").arg(i)));
    PhoneClient eleventh;
    ASSERT_TRUE(eleventh.open(wsUrl()));
    eleventh.send({{"t", "join"}, {"name", QStringLiteral("Late")}});
    EXPECT_FALSE(eleventh.next("full").isEmpty());
    EXPECT_EQ(server.phones().size(), PhoneServer::MaxPhones);
}

TEST_F(PhoneServerTest, ConvertsATouchToZnsClockFromThePings) {
    // The phone's clock runs 5000 ms ahead of ZN's; ZN's clock moves 1 ms per reading.
    fake.monotonic = 100;
    fake.monotonicStepMs = 1;
    PhoneClient phone([&] { return fake.monotonic + 5000; });
    ASSERT_TRUE(phone.open(wsUrl()));
    phone.send({{"t", "join"}, {"name", QStringLiteral("P")}});
    ASSERT_TRUE(PhoneClient::waitFor([&] { return phone.pings >= 5; }));
    QList<double> moments;
    QObject::connect(&server, &PhoneServer::touched, [&](int, double m) { moments.append(m); });
    const double now = fake.monotonic;
    phone.send({{"t", "buzz"}, {"p", now + 5000 - 2}});   // touched 2 ms ago
    phone.send({{"t", "buzz"}, {"p", now + 5000 + 900}}); // "in the future": taken as arrival
    phone.send({{"t", "buzz"}, {"p", now + 5000 - 9e6}}); // far in the past: its delay at most
    ASSERT_TRUE(PhoneClient::waitFor([&] { return moments.size() == 3; }));
    EXPECT_NEAR(moments[0], now - 2, 1.5);
    EXPECT_LE(moments[1], fake.monotonic);
    EXPECT_GE(moments[2], now - 30);
}

} // namespace
