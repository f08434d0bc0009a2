// Phones racing for the buzzer through a delaying proxy on loopback: how often ZN ranks a race
// wrongly (by touch moments) against plain arrival order, and how long a touch takes to reach
// the quiz. Only 127.0.0.1 is used.
#include "quiz/QuizRules.h"
#include "remote/PhoneServer.h"
#include "support/BenchMain.h"
#include "support/FakePlatform.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

// The real monotonic clock, with the fake's recording of everything else.
struct RealClock : FakePlatform {
    double monotonicMs() override { return Platform::monotonicMs(); }
};

double now() {
    return platform().monotonicMs();
}

void runFor(const std::function<bool()>& done, double ms) {
    const double end = now() + ms;
    while (!done() && now() < end) {
        QEventLoop loop;
        QTimer::singleShot(1, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// Forwards one TCP connection to the server, holding each chunk for base ± jitter ms in either
// direction; bytes keep their order, as on a real link.
class DelayProxy : public QObject {
public:
    DelayProxy(quint16 target, double base, double jitter, unsigned seed)
        : target_(target), base_(base), jitter_(jitter), random_(seed) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* in = server_.nextPendingConnection();
            auto* out = new QTcpSocket(in);
            out->connectToHost(QHostAddress::LocalHost, target_);
            link(in, out);
            link(out, in);
        });
    }
    quint16 port() const { return server_.serverPort(); }

private:
    void link(QTcpSocket* from, QTcpSocket* to) {
        auto last = std::make_shared<double>(0);
        connect(from, &QTcpSocket::readyRead, this, [this, from, to, last] {
            const QByteArray data = from->readAll();
            const double delay =
                std::uniform_real_distribution<double>(base_ - jitter_, base_ + jitter_)(random_);
            const double release = std::max(*last, now() + delay);
            *last = release;
            QTimer::singleShot(std::max(0, int(release - now())), Qt::PreciseTimer, to,
                               [to, data] { to->write(data); });
        });
    }

    QTcpServer server_;
    quint16 target_;
    double base_, jitter_;
    std::mt19937 random_;
};

// A phone: answers pings at once with its own clock (offset and drift against ZN's).
class Phone : public QObject {
public:
    Phone(double offset, double drift) : offset_(offset), drift_(drift) {
        connect(&socket, &QWebSocket::textMessageReceived, this, [this](const QString& text) {
            const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
            const QString t = m.value(QLatin1String("t")).toString();
            if (t == QLatin1String("ping"))
                send({{"t", "pong"}, {"i", m.value(QLatin1String("i"))}, {"p", clock()}});
            else if (t == QLatin1String("joined"))
                joined = true;
        });
    }
    double clock() const { return offset_ + (1 + drift_) * now(); }
    void send(const QJsonObject& o) {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    }
    // Touches now; returns the touch's true moment on ZN's clock.
    double touch() {
        const double truth = now();
        send({{"t", "buzz"}, {"p", offset_ + (1 + drift_) * truth}});
        return truth;
    }
    QWebSocket socket;
    bool joined = false;

private:
    double offset_, drift_;
};

// The quiz rules rank the races; nothing is drawn or played.
struct QuietView : QuizView {
    void quitProgram() override {}
    void askNextQuestion() override {}
    void playStateSound() override {}
    void playBuzzSound() override {}
    void playTickSound() override {}
    void setTickInterval(int) override {}
    void showCharacter(const QString&) override {}
    void startRevealLine() override {}
    void showCount(int, int) override {}
    void showIndicator(int, int) override {}
    void showVerdict(bool) override {}
    void showBuzz(int, const QuizBuzz&) override {}
    void showBuzzOrder(const QList<QuizBuzz>&) override {}
};

struct Arrival {
    int key;
    double moment;
    double at;
};

void PhoneRaces(benchmark::State& state) {
    RealClock clock;
    PhoneServer server;
    server.start();
    const quint16 port = server.port();
    DelayProxy fast(port, 5, 1, 1), slow(port, 80, 30, 2);
    Phone near(1.0e6, 40e-6), far(-3.3e5, -120e-6);
    near.socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/%2/ws")
                              .arg(fast.port())
                              .arg(QString::fromLatin1(server.token()))));
    far.socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/%2/ws")
                             .arg(slow.port())
                             .arg(QString::fromLatin1(server.token()))));
    runFor([&] { return near.socket.isValid() && far.socket.isValid(); }, 5000);
    near.send({{"t", "join"}, {"name", "near"}});
    far.send({{"t", "join"}, {"name", "far"}});
    runFor([&] { return near.joined && far.joined; }, 5000);
    // Let the clock estimates settle, as in a real match where players join a while before the
    // first question.
    runFor([] { return false; }, 20000);

    QVector<Arrival> arrivals;
    QObject::connect(&server, &PhoneServer::touched, [&](int key, double moment) {
        arrivals.append({key, moment, now()});
    });
    std::mt19937 random(11);
    const int races = int(state.range(0));
    int znWrong = 0, arrivalWrong = 0, unfinished = 0;
    std::vector<double> errors[2]; // touch moment as ZN saw it less the true one, per phone
    for (auto _ : state) {
        for (int race = 0; race < races; ++race) {
            arrivals.clear();
            const bool nearFirst = random() & 1;
            Phone& first = nearFirst ? near : far;
            Phone& second = nearFirst ? far : near;
            const int firstKey = PhoneServer::keyCodeOf(nearFirst ? 1 : 2);
            const double firstAt = first.touch();
            runFor([] { return false; }, 5);
            const double secondAt = second.touch();
            runFor([&] { return arrivals.size() == 2; }, 400);
            if (arrivals.size() != 2) {
                ++unfinished;
                continue;
            }
            // Each arrival goes to the rules as it would from the window: its moment on the
            // rules' clock (here the monotonic one), read when it arrived.
            QuietView view;
            QuizRules rules(view);
            MatchRoster roster{
                true,
                1,
                {{{"near", PhoneServer::keyCodeOf(1)}, {"far", PhoneServer::keyCodeOf(2)}}}};
            double clockNow = 0;
            rules.roster = &roster;
            rules.clock = [&clockNow] { return std::llround(clockNow); };
            rules.st.running = rules.st.fileOpen = true;
            rules.st.quizState = QuizStage::Reading;
            rules.st.questionNo = rules.st.questionTotal = 1;
            rules.st.verdicts = {false, false};
            rules.st.buzzPositions = {0, 0};
            rules.st.answerers = {QString(), QString()};
            for (const Arrival& a : arrivals) {
                clockNow = a.at;
                rules.playerBuzz(a.key, std::llround(a.moment));
                const double truth = a.key == firstKey ? firstAt : secondAt;
                errors[a.key == PhoneServer::keyCodeOf(1) ? 0 : 1].push_back(a.moment - truth);
            }
            znWrong += rules.buzzes().first().keyCode != firstKey;
            arrivalWrong += arrivals.first().key != firstKey;
        }
    }
    state.counters["zn_wrong_pct"] = 100.0 * znWrong / races;
    state.counters["arrival_wrong_pct"] = 100.0 * arrivalWrong / races;
    state.counters["unfinished"] = unfinished;
    std::printf("%d races, touches 5 ms apart, links 5±1 ms and 80±30 ms: ranked wrong by ZN "
                "%.1f %%, by arrival %.1f %% (%d unfinished)\n",
                races, 100.0 * znWrong / races, 100.0 * arrivalWrong / races, unfinished);
    for (int i = 0; i < 2; ++i) {
        std::vector<double>& e = errors[i];
        if (e.empty()) continue;
        std::sort(e.begin(), e.end());
        std::printf("  %s phone: touch moment error median %+.2f ms, 5th %+.2f, 95th %+.2f\n",
                    i == 0 ? "near" : "far", e[e.size() / 2], e[e.size() / 20],
                    e[e.size() * 19 / 20]);
    }
}
BENCHMARK(PhoneRaces)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

void TouchToRegistered(benchmark::State& state) {
    RealClock clock;
    PhoneServer server;
    server.start();
    Phone phone(5000, 0);
    phone.socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/%2/ws")
                               .arg(server.port())
                               .arg(QString::fromLatin1(server.token()))));
    runFor([&] { return phone.socket.isValid(); }, 5000);
    phone.send({{"t", "join"}, {"name", "p"}});
    runFor([&] { return phone.joined; }, 5000);
    runFor([] { return false; }, 2000);
    double registered = -1;
    QObject::connect(&server, &PhoneServer::touched, [&](int, double) { registered = now(); });
    std::vector<double> latencies;
    for (auto _ : state) {
        registered = -1;
        const double touched = phone.touch();
        runFor([&] { return registered >= 0; }, 1000);
        latencies.push_back(registered - touched);
        // Keeps under the phone's message rate.
        runFor([] { return false; }, 60);
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    state.counters["median_ms"] = median;
    std::printf("touch to registered on loopback: median %.3f ms, worst %.3f ms (%zu touches)\n",
                median, latencies.back(), latencies.size());
}
BENCHMARK(TouchToRegistered)->Iterations(200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
