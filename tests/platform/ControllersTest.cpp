#include "platform/DeviceWake.h"
#include "platform/SdlControllers.h"
#include "support/VirtualPad.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the reader reported, as "+code", "-code", "in pad", "out pad".
class Reports : public QObject {
public:
    explicit Reports(Controllers& c) {
        connect(&c, &Controllers::buttonChanged, this, [this](int code, bool down) {
            log.push_back((down ? '+' : '-') + std::to_string(code));
        });
        connect(&c, &Controllers::padConnected, this,
                [this](int pad) { log.push_back("in " + std::to_string(pad)); });
        connect(&c, &Controllers::padDisconnected, this,
                [this](int pad) { log.push_back("out " + std::to_string(pad)); });
    }
    std::vector<std::string> take() { return std::exchange(log, {}); }
    std::vector<std::string> log;
};

std::string in(int pad) {
    return "in " + std::to_string(pad);
}
std::string down(int pad, int button) {
    return '+' + std::to_string(ControllerButtonCode(pad, button));
}
std::string up(int pad, int button) {
    return '-' + std::to_string(ControllerButtonCode(pad, button));
}

class ControllersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(reader.started());
        reader.pollNow();
        // Real devices on the test machine come first; the virtual ones are numbered after them.
        base = int(reader.connectedPads().size());
        reports.take();
    }
    SdlControllers reader;
    Reports reports{reader};
    int base = 0;
};

} // namespace

TEST_F(ControllersTest, EveryButtonOfSeveralPadsAndPadsKeepTheirNumbersWhenPluggedBackIn) {
    VirtualPad boxA(20, 0x1111), pad(4, 0x2222), boxB(20, 0x1111);
    reader.pollNow();
    EXPECT_EQ(reports.take(), (std::vector<std::string>{in(base), in(base + 1), in(base + 2)}));
    // The last button of a 20-button box and the first of the pad, held across two looks.
    boxB.setButton(19, true);
    pad.setButton(0, true);
    reader.pollNow();
    boxB.setButton(19, false);
    pad.setButton(0, false);
    reader.pollNow();
    EXPECT_EQ(reports.take(), (std::vector<std::string>{down(base + 2, 19), down(base + 1, 0),
                                                        up(base + 2, 19), up(base + 1, 0)}));

    // Unplugged, the gamepad and the first box free their numbers; each kind takes its own back.
    boxA.unplug();
    pad.unplug();
    reader.pollNow();
    EXPECT_EQ(reader.connectedPads().size(), base + 1);
    reports.take();
    pad.plug();
    reader.pollNow();
    boxA.plug();
    reader.pollNow();
    VirtualPad newcomer(8, 0x3333);
    reader.pollNow();
    EXPECT_EQ(reports.take(), (std::vector<std::string>{in(base + 1), in(base), in(base + 3)}));
    boxA.tap(reader, 2);
    EXPECT_EQ(reports.take(), (std::vector<std::string>{down(base, 2), up(base, 2)}));
}

// Nothing polls while no device is attached or while each device's node can wake the reader.
TEST_F(ControllersTest, ANodeWithInputWakesTheReaderAndItsLossFallsBackToPolling) {
    EXPECT_FALSE(reader.polling());
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain")); // always "readable": refused
    QFile(plain).open(QIODevice::WriteOnly);
    EXPECT_FALSE(DeviceWake().open(plain));
    const QByteArray fifo = dir.filePath(QStringLiteral("event0")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    reader.wakeNodeFor = [&](const QString&) { return QString::fromLocal8Bit(fifo); };
    VirtualPad pad(4, 0x2222);
    const int writer = ::open(fifo.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    reader.pollNow();
    EXPECT_FALSE(reader.polling());
    reports.take();

    // Input on the node, as the kernel puts it there with the press: the reader looks by itself.
    pad.setButton(3, true);
    ASSERT_EQ(::write(writer, "e", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reports.log.empty(); }, 1000));
    EXPECT_EQ(reports.log, std::vector<std::string>{down(base, 3)});
    QTest::qWait(20);
    EXPECT_EQ(reports.log.size(), 1); // and sleeps again: nothing is left to read on the node

    // A node that fails hands the device over to the poll.
    ::close(writer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return reader.polling(); }, 1000));
    pad.setButton(3, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports.log.back() == up(base, 3); }, 1000));
    pad.unplug();
    reader.pollNow();
    EXPECT_FALSE(reader.polling());
}

// The program starts its reader after the first frame: until then nothing is loaded or looked
// at; started (once, however often asked), it reads like any other.
TEST(ControllersStart, AReaderStartedLaterSeesNothingBeforeAndEverythingAfter) {
    SdlControllers later(nullptr, SdlControllers::Start::Later);
    Reports seen(later);
    later.pollNow();
    EXPECT_FALSE(later.started());
    later.start();
    later.start();
    ASSERT_TRUE(later.started());
    QCoreApplication::processEvents(); // its first look, at the devices already there
    const int base = int(later.connectedPads().size());
    seen.take();
    VirtualPad box(4, 0x4444);
    later.pollNow();
    EXPECT_EQ(seen.take(), std::vector<std::string>{in(base)});
    box.tap(later, 3);
    EXPECT_EQ(seen.take(), (std::vector<std::string>{down(base, 3), up(base, 3)}));
}
