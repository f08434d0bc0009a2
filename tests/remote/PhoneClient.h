#pragma once

#include "support/TestKit.h"
#include <QWebSocket>

#include <functional>

// A phone as the tests play it: a WebSocket that answers pings with its own clock and keeps
// every other message it receives.
class PhoneClient : public QObject {
public:
    explicit PhoneClient(std::function<double()> clock = nullptr) : clock_(std::move(clock)) {
        connect(&socket, &QWebSocket::textMessageReceived, this, [this](const QString& text) {
            const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
            if (m.value(QLatin1String("t")).toString() == QLatin1String("ping")) {
                ++pings;
                if (answerPings)
                    send({{QStringLiteral("t"), QStringLiteral("pong")},
                          {QStringLiteral("i"), m.value(QLatin1String("i"))},
                          {QStringLiteral("p"), clock_ ? clock_() : 0.0}});
                return;
            }
            received.append(m);
        });
    }

    bool open(const QUrl& url) {
        socket.open(url);
        return waitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; });
    }
    // Joins under `name` through the server's join page `page` (as the phone's browser does).
    bool join(const QString& page, const QString& name) {
        if (!open(QUrl(QStringLiteral("ws") + page.mid(4) + QStringLiteral("ws")))) return false;
        send({{QStringLiteral("t"), QStringLiteral("join")}, {QStringLiteral("name"), name}});
        return !next(QStringLiteral("joined")).isEmpty();
    }
    void send(const QJsonObject& o) {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    }
    void sendRaw(const QString& text) { socket.sendTextMessage(text); }

    // Runs the event loop until `done` or the time is up; returns `done()`.
    static bool waitFor(const std::function<bool()>& done, int ms = 3000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms) {
            QEventLoop loop;
            QTimer::singleShot(5, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return done();
    }
    // The first received message of type `t` (and state `s` when given), waiting for it.
    QJsonObject next(const QString& t, const QString& s = QString(), int ms = 10000) {
        QJsonObject found;
        waitFor(
            [&] {
                for (qsizetype i = 0; i < received.size(); ++i) {
                    const QJsonObject& m = received[i];
                    if (m.value(QLatin1String("t")).toString() != t) continue;
                    if (!s.isEmpty() && m.value(QLatin1String("s")).toString() != s) continue;
                    found = m;
                    received.remove(0, i + 1);
                    return true;
                }
                return false;
            },
            ms);
        return found;
    }

    QWebSocket socket;
    QList<QJsonObject> received;
    int pings = 0;
    bool answerPings = true;

private:
    std::function<double()> clock_;
};
