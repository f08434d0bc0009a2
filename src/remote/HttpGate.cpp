#include "remote/HttpGate.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

#include <cctype>

namespace {

struct Asset {
    const char* name;
    const char* file;
    const char* type;
};

const Asset Assets[] = {
    {"", ":/remote/index.html", "text/html; charset=utf-8"},
    {"app.js", ":/remote/app.js", "text/javascript; charset=utf-8"},
    {"app.css", ":/remote/app.css", "text/css; charset=utf-8"},
};

QByteArray statusText(int code) {
    switch (code) {
    case 200:
        return "OK";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Bad Request";
    }
}

QByteArray response(int code, const QByteArray& type, const QByteArray& body,
                    const QByteArray& host) {
    QByteArray r = "HTTP/1.1 " + QByteArray::number(code) + ' ' + statusText(code) + "\r\n";
    r += "Content-Type: " + type + "\r\n";
    r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    // Nothing from anywhere else: no scripts, styles, fonts, pictures or frames; the socket
    // only to this very server.
    QByteArray connect = "'self'";
    if (!host.isEmpty()) connect += " ws://" + host;
    r += "Content-Security-Policy: default-src 'none'; script-src 'self'; style-src 'self'; "
         "img-src 'self'; connect-src " +
         connect + "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n";
    r += "X-Content-Type-Options: nosniff\r\nReferrer-Policy: no-referrer\r\n";
    r += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    return r + body;
}

// The Host header when it is a plain host[:port]; anything else is not echoed into a header.
QByteArray cleanHost(const QByteArray& host) {
    if (host.isEmpty() || host.size() > 100) return {};
    for (char c : host)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':' || c == '-' ||
              c == '[' || c == ']'))
            return {};
    return host;
}

} // namespace

bool SameSecret(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size()) return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

HttpGate::HttpGate(QObject* parent)
    : QObject(parent), tcp_(new QTcpServer(this)),
      ws_(new QWebSocketServer(QStringLiteral("ZN"), QWebSocketServer::NonSecureMode, this)) {
    connect(tcp_, &QTcpServer::newConnection, this, &HttpGate::onConnection);
    connect(ws_, &QWebSocketServer::newConnection, this, &HttpGate::onUpgraded);
}

HttpGate::~HttpGate() = default;

bool HttpGate::listen(quint16 port) {
    if (tcp_->isListening()) return true;
    return tcp_->listen(QHostAddress::Any, port) || tcp_->listen(QHostAddress::AnyIPv4, port);
}

void HttpGate::close() {
    tcp_->close();
}
bool HttpGate::isListening() const {
    return tcp_->isListening();
}
quint16 HttpGate::port() const {
    return tcp_->serverPort();
}

QByteArray HttpGate::respond(const QByteArray& head, bool* upgrade) const {
    *upgrade = false;
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
    QByteArray host;
    bool wantsUpgrade = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "host") host = cleanHost(value);
        if (name == "upgrade" && value.toLower() == "websocket") wantsUpgrade = true;
    }
    if (request.size() != 3 || !request[2].startsWith("HTTP/1."))
        return response(400, "text/plain", "bad request\n", {});

    QByteArray path = request[1];
    if (const qsizetype q = path.indexOf('?'); q >= 0) path.truncate(q);
    const QByteArray prefix = '/' + token_ + '/';
    if (token_.isEmpty() || path.size() < prefix.size() ||
        !SameSecret(path.left(prefix.size()), prefix))
        return response(403, "text/plain", "forbidden\n", {});
    if (request[0] != "GET") return response(405, "text/plain", "GET only\n", host);
    const QByteArray rest = path.mid(prefix.size());
    if (rest == "ws" && wantsUpgrade) {
        *upgrade = true;
        return {};
    }
    for (const Asset& a : Assets) {
        if (rest != a.name) continue;
        QFile file(QString::fromLatin1(a.file));
        if (!file.open(QIODevice::ReadOnly)) break;
        return response(200, a.type, file.readAll(), host);
    }
    return response(404, "text/plain", "not found\n", host);
}

void HttpGate::onConnection() {
    while (QTcpSocket* socket = tcp_->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        // A connection that never finishes its request is not kept open.
        QTimer::singleShot(10000, socket, [socket] {
            if (socket->property("zn_upgraded").toBool()) return;
            socket->abort();
            socket->deleteLater();
        });
    }
}

void HttpGate::onReadable(QTcpSocket* socket) {
    // The head is only peeked: an upgrade hands the untouched bytes to the WebSocket server.
    const QByteArray seen = socket->peek(MaxHeadBytes + 1);
    const qsizetype end = seen.indexOf("\r\n\r\n");
    if (end < 0) {
        if (seen.size() > MaxHeadBytes) {
            socket->write(response(431, "text/plain", "too large\n", {}));
            socket->disconnectFromHost();
        }
        return;
    }
    bool upgrade = false;
    const QByteArray answer = respond(seen.left(end), &upgrade);
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    if (upgrade) {
        socket->setProperty("zn_upgraded", true);
        disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        ws_->handleConnection(socket);
        return;
    }
    socket->readAll();
    socket->write(answer);
    socket->disconnectFromHost();
}

void HttpGate::onUpgraded() {
    while (QWebSocket* socket = ws_->nextPendingConnection())
        emit newSocket(socket);
}
