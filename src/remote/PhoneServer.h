#pragma once

#include "quiz/QuizRules.h"
#include "remote/ClockSync.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>
#include <map>

class HttpGate;
class QWebSocket;

// Phones as match buzzers: serves the player page, keeps one session per phone (with a secret
// that lets it come back after a dropped connection and keep its number), measures each phone's
// clock against ZN's, turns touches into buzzes on ZN's clock, and tells each phone where it
// stands. Everything a phone sends is untrusted: size, rate and form are checked, names go
// through the players' name rules.
class PhoneServer : public QObject, public QuizObserver {
    Q_OBJECT
public:
    static constexpr int MaxPhones = 10;
    static constexpr int MaxMessageBytes = 1024;
    static constexpr int MaxMessagesPerSecond = 20;
    // A phone's "key" in the match roster.
    static constexpr int PhoneKeyBase = 0x20000;
    // Pings: quickly after joining until this many answers, then steadily; the more exchanges,
    // the likelier a few fast ones that pin a jittery link's offset down.
    static constexpr int QuickPings = 10;
    static constexpr int QuickPingMs = 150;
    static constexpr int SlowPingMs = 250;

    struct PhoneInfo {
        int number;
        QString name;
        bool connected;
        double roundTripMs; // latest ping exchange; -1 before the first
    };

    explicit PhoneServer(QObject* parent = nullptr);
    ~PhoneServer() override;

    // Starts listening (port 0: the port of the last start, else any free one). The session
    // token and the phones that joined stay for the life of this object, so a phone waiting
    // through a stop comes back into its slot when the server starts again.
    bool start(quint16 port = 0);
    // Closes the port and every connection.
    void stop();
    bool isRunning() const;
    quint16 port() const;
    QByteArray token() const;
    // http://<address>:<port>/<token>/ for each address of this computer on a network.
    QStringList joinUrls() const;
    QString joinUrl(const QString& host) const;
    QVector<PhoneInfo> phones() const;
    static int keyCodeOf(int number) { return PhoneKeyBase + number; }
    static bool isPhoneKey(int keyCode) {
        return keyCode > PhoneKeyBase && keyCode <= PhoneKeyBase + MaxPhones;
    }

    // Names already taken by players outside the phones (stored forms).
    std::function<QStringList()> takenNames;

    // What each phone shows follows the quiz: a question asked, the buzz order, the verdict.
    void questionAsked(int questionNo, int recordNo, const QuestionRecord& record) override;
    void buzzesRanked(const QList<QuizBuzz>& byRank) override;
    void questionJudged(const JudgedQuestion& judged) override;

    // Messages refused since start (oversized, malformed, over the rate), for the window.
    int refusedMessages() const { return refused_; }

signals:
    // A phone's touch, at `moment` on ZN's clock (platform().monotonicMs()).
    void touched(int keyCode, double moment);
    void phonesChanged();

private:
    struct Connection {
        QWebSocket* socket = nullptr;
        int phone = 0;          // 0 until it has joined
        QVector<qint64> recent; // receive times (ms, wall) within the last second
        qint64 lastWarned = -10000;
        std::map<int, double> pings; // sequence -> sent (ZN clock)
        int nextPing = 1;
        qint64 lastPingAt = -100000;
    };
    struct Phone {
        int number = 0;
        QString name;
        QByteArray secret;
        Connection* conn = nullptr;
        ClockSync sync;
        QVector<double> recentTrips; // latest round trips, for the limit on a touch's age
        QByteArray state;            // the last state message, sent again on reconnection
    };

    void onSocket(QWebSocket* socket);
    void onText(Connection* c, const QString& text);
    void onBinary(Connection* c);
    void onClosed(Connection* c);
    bool admit(Connection* c, qsizetype bytes);
    void refuse(Connection* c, const char* code);
    void handleJoin(Connection* c, const QString& name);
    void handleResume(Connection* c, int number, const QByteArray& secret);
    void attach(Connection* c, Phone& p);
    void handleBuzz(Connection* c, double phoneTime);
    void pingDue();
    void send(Connection* c, const QByteArray& json);
    void setState(Phone& p, const QByteArray& json);
    Phone* phoneOf(int keyCode);

    HttpGate* gate_;
    QTimer pingTimer_;
    QElapsedTimer wall_;
    QHash<QWebSocket*, Connection*> connections_;
    std::map<int, Phone> phones_;
    int refused_ = 0;
    qint64 lastShown_ = 0;
    quint16 lastPort_ = 0;
    QByteArray phase_; // what a phone joining now is shown
};

// The process's phone server, when the program made one (the settings dialog opens the join
// window on it); nullptr otherwise.
PhoneServer* phoneServer();
void setPhoneServer(PhoneServer* server);
