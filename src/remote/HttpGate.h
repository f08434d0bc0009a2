#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

// One port for the player page and its WebSocket. Plain HTTP requests are answered here; a
// WebSocket upgrade is handed to QWebSocketServer on the same connection. Every path begins
// with the session token: without it nothing is served and no socket is opened.
class HttpGate : public QObject {
    Q_OBJECT
public:
    // Request head larger than this is refused (431); a phone's request is a few hundred bytes.
    static constexpr int MaxHeadBytes = 8192;

    explicit HttpGate(QObject* parent = nullptr);
    ~HttpGate() override;

    bool listen(quint16 port);
    void close();
    bool isListening() const;
    quint16 port() const;
    void setToken(const QByteArray& token) { token_ = token; }
    const QByteArray& token() const { return token_; }

    // The response to one request head (status line to body), for tests and the gate itself.
    // `upgrade` is set when the request is a WebSocket upgrade the gate accepts.
    QByteArray respond(const QByteArray& head, bool* upgrade) const;

signals:
    void newSocket(QWebSocket* socket);

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);
    void onUpgraded();

    QTcpServer* tcp_;
    QWebSocketServer* ws_;
    QByteArray token_;
};

// True when two byte strings are equal, in a time that does not depend on where they differ.
bool SameSecret(const QByteArray& a, const QByteArray& b);
