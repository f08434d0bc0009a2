#include "remote/PhoneServer.h"

#include "core/ResText.h"
#include "data/PlayerName.h"
#include "platform/Platform.h"
#include "remote/HttpGate.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QWebSocket>

#include <algorithm>
#include <cmath>

namespace {

PhoneServer* theServer = nullptr;

// 128 random bits from the system's generator, as 32 hex digits.
QByteArray randomSecret() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

QByteArray json(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray stateMessage(const char* state) {
    return json(
        {{QStringLiteral("t"), QStringLiteral("s")}, {QStringLiteral("s"), QLatin1String(state)}});
}

} // namespace

PhoneServer* phoneServer() {
    return theServer;
}
void setPhoneServer(PhoneServer* server) {
    theServer = server;
}

PhoneServer::PhoneServer(QObject* parent) : QObject(parent), gate_(new HttpGate(this)) {
    connect(gate_, &HttpGate::newSocket, this, &PhoneServer::onSocket);
    pingTimer_.setInterval(50);
    connect(&pingTimer_, &QTimer::timeout, this, &PhoneServer::pingDue);
    wall_.start();
}

PhoneServer::~PhoneServer() {
    stop();
    if (theServer == this) theServer = nullptr;
}

bool PhoneServer::start(quint16 port) {
    if (gate_->isListening()) return true;
    if (gate_->token().isEmpty()) gate_->setToken(randomSecret());
    if (port == 0 && lastPort_ != 0 && gate_->listen(lastPort_)) {
        // The join URL the phones hold is still good.
    } else if (!gate_->listen(port)) {
        return false;
    }
    lastPort_ = gate_->port();
    pingTimer_.start();
    emit phonesChanged();
    return true;
}

void PhoneServer::stop() {
    pingTimer_.stop();
    gate_->close();
    const auto open = connections_;
    connections_.clear();
    for (Connection* c : open) {
        c->socket->disconnect(this);
        c->socket->close();
        c->socket->deleteLater();
        delete c;
    }
    for (auto& [number, p] : phones_)
        p.conn = nullptr;
    if (!phones_.empty()) emit phonesChanged();
}

bool PhoneServer::isRunning() const {
    return gate_->isListening();
}
quint16 PhoneServer::port() const {
    return gate_->port();
}
QByteArray PhoneServer::token() const {
    return gate_->token();
}

QString PhoneServer::joinUrl(const QString& host) const {
    const QString h = host.contains(u':') ? u'[' + host + u']' : host;
    return QStringLiteral("http://%1:%2/%3/").arg(h).arg(port()).arg(QString::fromLatin1(token()));
}

QStringList PhoneServer::joinUrls() const {
    QStringList urls;
    for (const QNetworkInterface& nif : QNetworkInterface::allInterfaces()) {
        const auto flags = nif.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : nif.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                urls.append(joinUrl(e.ip().toString()));
    }
    return urls;
}

QVector<PhoneServer::PhoneInfo> PhoneServer::phones() const {
    QVector<PhoneInfo> list;
    for (const auto& [number, p] : phones_)
        list.append({number, p.name, p.conn != nullptr, p.sync.lastRoundTrip()});
    return list;
}

void PhoneServer::onSocket(QWebSocket* socket) {
    // Frames beyond this close the connection; messages up to it are read and refused politely.
    socket->setMaxAllowedIncomingMessageSize(64 * 1024);
    socket->setMaxAllowedIncomingFrameSize(64 * 1024);
    if (connections_.size() >= 2 * MaxPhones) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("full"));
        socket->deleteLater();
        return;
    }
    auto* c = new Connection;
    c->socket = socket;
    connections_.insert(socket, c);
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, c](const QString& text) { onText(c, text); });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, c] { onBinary(c); });
    connect(socket, &QWebSocket::disconnected, this, [this, c] { onClosed(c); });
}

void PhoneServer::onClosed(Connection* c) {
    if (!connections_.remove(c->socket)) return;
    for (auto& [number, p] : phones_)
        if (p.conn == c) p.conn = nullptr;
    c->socket->deleteLater();
    delete c;
    emit phonesChanged();
}

bool PhoneServer::admit(Connection* c, qsizetype bytes) {
    const qint64 now = wall_.elapsed();
    c->recent.erase(std::remove_if(c->recent.begin(), c->recent.end(),
                                   [now](qint64 t) { return now - t >= 1000; }),
                    c->recent.end());
    if (c->recent.size() >= MaxMessagesPerSecond) {
        refuse(c, "rate");
        return false;
    }
    c->recent.append(now);
    if (bytes > MaxMessageBytes) {
        refuse(c, "size");
        return false;
    }
    return true;
}

void PhoneServer::refuse(Connection* c, const char* code) {
    ++refused_;
    // One notice a second at most, so a flood does not turn into a flood of notices.
    const qint64 now = wall_.elapsed();
    if (now - c->lastWarned < 1000) return;
    c->lastWarned = now;
    send(c, json({{QStringLiteral("t"), QStringLiteral("err")},
                  {QStringLiteral("code"), QLatin1String(code)}}));
}

void PhoneServer::onBinary(Connection* c) {
    if (admit(c, 0)) refuse(c, "form");
}

void PhoneServer::onText(Connection* c, const QString& text) {
    if (!admit(c, text.toUtf8().size())) return;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return refuse(c, "form");
    const QJsonObject o = doc.object();
    const QString type = o.value(QLatin1String("t")).toString();
    if (type == QLatin1String("pong")) {
        const auto it = c->pings.find(o.value(QLatin1String("i")).toInt(-1));
        const QJsonValue p = o.value(QLatin1String("p"));
        if (it == c->pings.end() || !p.isDouble() || c->phone == 0) return refuse(c, "form");
        const double sent = it->second;
        c->pings.erase(c->pings.begin(), std::next(it));
        Phone& phone = phones_[c->phone];
        const double received = platform().monotonicMs();
        phone.sync.addSample(sent, p.toDouble(), received);
        phone.recentTrips.append(received - sent);
        if (phone.recentTrips.size() > 8) phone.recentTrips.removeFirst();
        return;
    }
    if (type == QLatin1String("buzz")) {
        const QJsonValue p = o.value(QLatin1String("p"));
        if (!p.isDouble() || c->phone == 0) return refuse(c, "form");
        return handleBuzz(c, p.toDouble());
    }
    if (type == QLatin1String("join")) {
        const QJsonValue name = o.value(QLatin1String("name"));
        if (!name.isString()) return refuse(c, "form");
        return handleJoin(c, name.toString());
    }
    if (type == QLatin1String("resume")) {
        const int number = o.value(QLatin1String("n")).toInt(0);
        const QByteArray secret = o.value(QLatin1String("secret")).toString().toLatin1();
        return handleResume(c, number, secret);
    }
    refuse(c, "form");
}

void PhoneServer::handleJoin(Connection* c, const QString& typed) {
    if (c->phone != 0) return refuse(c, "form");
    QStringList taken = takenNames ? takenNames() : QStringList();
    for (const auto& [number, p] : phones_)
        taken.append(p.name);
    if (const int problem = PlayerNameProblem(typed, taken)) {
        send(c, json({{QStringLiteral("t"), QStringLiteral("name")},
                      {QStringLiteral("msg"), LoadResString(problem)}}));
        return;
    }
    int number = 1;
    while (phones_.count(number))
        ++number;
    if (number > MaxPhones) {
        send(c, json({{QStringLiteral("t"), QStringLiteral("full")}}));
        return;
    }
    Phone& p = phones_[number];
    p.number = number;
    p.name = StoredPlayerName(typed);
    p.secret = randomSecret();
    p.state = phase_.isEmpty() ? stateMessage("wait") : phase_;
    attach(c, p);
}

void PhoneServer::handleResume(Connection* c, int number, const QByteArray& secret) {
    const auto it = phones_.find(number);
    if (c->phone != 0 || it == phones_.end() || !SameSecret(it->second.secret, secret)) {
        send(c, json({{QStringLiteral("t"), QStringLiteral("gone")}}));
        return;
    }
    Phone& p = it->second;
    if (p.conn && p.conn != c) {
        // The phone came back on a new connection; the old one is dead or soon will be.
        Connection* old = p.conn;
        p.conn = nullptr;
        old->phone = 0;
        old->socket->close();
    }
    attach(c, p);
}

void PhoneServer::attach(Connection* c, Phone& p) {
    c->phone = p.number;
    p.conn = c;
    c->lastPingAt = -100000;
    send(c, json({{QStringLiteral("t"), QStringLiteral("joined")},
                  {QStringLiteral("n"), p.number},
                  {QStringLiteral("name"), p.name},
                  {QStringLiteral("secret"), QString::fromLatin1(p.secret)}}));
    send(c, p.state);
    emit phonesChanged();
}

void PhoneServer::handleBuzz(Connection* c, double phoneTime) {
    Phone& p = phones_[c->phone];
    const double arrival = platform().monotonicMs();
    double moment = arrival;
    if (p.sync.ready() && std::isfinite(phoneTime)) {
        // A touch cannot come after it arrived, nor earlier than the phone's delay allows:
        // a phone that lies about its clock gains at most its own delay.
        const double slowest = *std::max_element(p.recentTrips.begin(), p.recentTrips.end());
        const double oldest = std::min(1.5 * slowest + 20, 500.0);
        moment = std::clamp(p.sync.toZnClock(phoneTime), arrival - oldest, arrival);
    }
    emit touched(keyCodeOf(p.number), moment);
}

void PhoneServer::pingDue() {
    const qint64 now = wall_.elapsed();
    for (Connection* c : std::as_const(connections_)) {
        if (c->phone == 0) continue;
        const Phone& p = phones_[c->phone];
        const int interval = p.sync.sampleCount() < QuickPings ? QuickPingMs : SlowPingMs;
        if (now - c->lastPingAt < interval) continue;
        c->lastPingAt = now;
        const int seq = c->nextPing++;
        c->pings[seq] = platform().monotonicMs();
        while (c->pings.size() > 16)
            c->pings.erase(c->pings.begin());
        send(c, json({{QStringLiteral("t"), QStringLiteral("ping")}, {QStringLiteral("i"), seq}}));
    }
    // The delays shown in the join window follow the pings.
    if (now - lastShown_ >= 1000 && !phones_.empty()) {
        lastShown_ = now;
        emit phonesChanged();
    }
}

void PhoneServer::send(Connection* c, const QByteArray& message) {
    if (c && c->socket) c->socket->sendTextMessage(QString::fromUtf8(message));
}

void PhoneServer::setState(Phone& p, const QByteArray& message) {
    p.state = message;
    send(p.conn, message);
}

PhoneServer::Phone* PhoneServer::phoneOf(int keyCode) {
    if (!isPhoneKey(keyCode)) return nullptr;
    const auto it = phones_.find(keyCode - PhoneKeyBase);
    return it == phones_.end() ? nullptr : &it->second;
}

void PhoneServer::questionAsked(int, int, const QuestionRecord&) {
    phase_ = stateMessage("open");
    for (auto& [number, p] : phones_)
        setState(p, phase_);
}

void PhoneServer::buzzesRanked(const QList<QuizBuzz>& byRank) {
    QVector<int> ranked;
    for (int i = 0; i < byRank.size(); ++i) {
        Phone* p = phoneOf(byRank[i].keyCode);
        if (!p) continue;
        ranked.append(p->number);
        setState(*p, json({{QStringLiteral("t"), QStringLiteral("s")},
                           {QStringLiteral("s"), QStringLiteral("rank")},
                           {QStringLiteral("n"), i + 1},
                           {QStringLiteral("lag"), double(byRank[i].lagMs)}}));
    }
    // Three buzzes are all a question ranks.
    if (byRank.size() < 3) return;
    phase_ = stateMessage("locked");
    for (auto& [number, p] : phones_)
        if (!ranked.contains(number)) setState(p, phase_);
}

void PhoneServer::questionJudged(const JudgedQuestion& judged) {
    const int answerer = judged.buzzes.isEmpty() ? 0 : judged.buzzes.first().keyCode;
    auto verdict = [&](bool you) {
        return json({{QStringLiteral("t"), QStringLiteral("s")},
                     {QStringLiteral("s"), QStringLiteral("verdict")},
                     {QStringLiteral("ok"), judged.correct},
                     {QStringLiteral("you"), you}});
    };
    phase_ = verdict(false);
    for (auto& [number, p] : phones_)
        setState(p, verdict(keyCodeOf(number) == answerer));
}
