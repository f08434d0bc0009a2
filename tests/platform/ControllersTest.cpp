#include "platform/DeviceWake.h"
#include "platform/SdlControllers.h"
#include "support/VirtualPad.h"

#include <QSignalSpy>
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

TEST(ControllerCodes, PadsAndButtonsStayClearOfKeysAndPhones) {
    EXPECT_EQ(ControllerButtonCode(0, 0), 0x10000);
    EXPECT_EQ(ControllerButtonCode(255, 255), 0x1FFFF);
    for (int code : {255, 0xFFFF, 0x20000, 0x20001})
        EXPECT_FALSE(IsControllerCode(code)) << code;
    EXPECT_EQ(PadOfCode(ControllerButtonCode(7, 19)), 7);
    EXPECT_EQ(ButtonOfCode(ControllerButtonCode(7, 19)), 19);
}

TEST_F(ControllersTest, EveryButtonOfSeveralPadsAndPadsKeepTheirNumbersWhenPluggedBackIn) {
    VirtualPad boxA(20, 0x1111), pad(4, 0x2222), boxB(20, 0x1111);
    reader.pollNow();
    EXPECT_EQ(reports.take(), (std::vector<std::string>{"in " + std::to_string(base),
                                                        "in " + std::to_string(base + 1),
                                                        "in " + std::to_string(base + 2)}));
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
    EXPECT_EQ(reports.take(), (std::vector<std::string>{"in " + std::to_string(base + 1),
                                                        "in " + std::to_string(base),
                                                        "in " + std::to_string(base + 3)}));
    boxA.tap(reader, 2);
    EXPECT_EQ(reports.take(), (std::vector<std::string>{down(base, 2), up(base, 2)}));
}

TEST_F(ControllersTest, PollsOnlyWhileADeviceWithoutANodeIsAttached) {
    EXPECT_FALSE(reader.polling());
    {
        VirtualPad pad(4, 0x2222);
        reader.pollNow();
        EXPECT_TRUE(reader.polling());
        // The poll alone notices a button.
        pad.setButton(1, true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return reports.log.size() == 2; }, 1000));
        EXPECT_EQ(reports.log.back(), down(base, 1));
    }
    reader.pollNow();
    EXPECT_FALSE(reader.polling());
}

TEST_F(ControllersTest, ANodeWithInputWakesTheReaderAndItsLossFallsBackToPolling) {
    QTemporaryDir dir;
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
}

TEST(DeviceWake, TakesOnlyDevicesAndFifos) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain"));
    QFile(file).open(QIODevice::WriteOnly);
    DeviceWake wake;
    EXPECT_FALSE(wake.open(file));
    EXPECT_FALSE(wake.open(dir.filePath(QStringLiteral("missing"))));
    EXPECT_TRUE(wake.open(QStringLiteral("/dev/null")));
}
