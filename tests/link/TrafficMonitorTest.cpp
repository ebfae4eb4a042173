#include "link/TrafficMonitor.h"
#include "platform/TimerIds.h"
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

TEST(TrafficMonitorText, transmitLines)
{
    struct Row {
        Bytes frame;
        bool stx;
        const char* line;
    };
    const Row rows[] = {
        {{0xF8, 0x01, 0x41, 0x3F, 0x8F}, false, " F8 01 A? 8F"},
        {{0xF8, 0x01, 0x41, 0x3F, 0x8F}, true, " STX 01 A? 8F"},
        {{0xF8, 0xFE, '1', '0', '0', '0', 'A', '?', 0x81}, false, " F8 FE 1000A? 81"},
        // Kept as themselves: * # space /; below '0' or above 0x7F in hex.
        {{0xF8, 0x01, '*', '#', ' ', '/', '-', 0x10, 0x8C}, false, " F8 01 *# / 2D 10 8C"},
        {{0xF8, 0x01, 'c', 'D', 'S', 0x80, 0x03}, true, " STX 01 cDS 80  3"},
        {{0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}, false,
         " FF  06  07  03  00  05  00  EB "},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TrafficMonitor::transmitText(row.frame, row.stx), row.line);
}

TEST(TrafficMonitorText, receiveLines)
{
    struct Row {
        Bytes frame;
        bool stx;
        const char* line;
    };
    const Row rows[] = {
        {{0xF8, 0x01, 'L', '0', 0x8D}, false, " F8 01 L0 8D "},
        {{0x02, 0x01, 'L', '0', 0x8D, 0x03}, true, " STX 01 L0 8D   3 "},
        // space as itself; other control bytes, '&' and high bytes in hex
        {{0xF8, 0x01, 'd', ' ', '&', 0x1F, 0x80}, false, " F8 01 d  26  1F  80 "},
        // shown up to the first zero byte only
        {{0xF8, 0x01, 'A', 0x00, 'B', 0x85}, false, " F8 01 A"},
        {{0xFF, 0x02, 0x10, 0xEE}, false, " FF  02  10  EE "},
        // a length byte beyond the frame shows what is there
        {{0xFF, 0x20, 0x10}, false, " FF  20  10 "},
        {{0xF8}, false, " F8 "},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TrafficMonitor::receiveText(row.frame, row.stx), row.line);
}

TEST(TrafficMonitorLamps, eachFrameLightsItsLampForFiftyMilliseconds)
{
    VirtualClock clock;
    TrafficMonitor monitor(clock);
    EXPECT_EQ(monitor.transmitLine(), " Transmit data");
    EXPECT_EQ(monitor.receiveLine(), " Receive data");

    monitor.showReceived(Bytes{0xF8, 0x01, 'L', '0', 0x8D}, false);
    monitor.showTransmitted(Bytes{0xF8, 0x01, 0x41, 0x3F, 0x8F}, false);
    EXPECT_TRUE(monitor.transmitLampOn());
    EXPECT_EQ(monitor.receiveLine(), ""); // a new command clears the last answer
    clock.advance(49);
    EXPECT_TRUE(monitor.transmitLampOn());
    EXPECT_TRUE(monitor.receiveLampOn());
    clock.advance(1);
    EXPECT_FALSE(monitor.transmitLampOn());
    EXPECT_FALSE(monitor.receiveLampOn());
    EXPECT_EQ(clock.runningCount(), 0);

    monitor.showAcknowledgement();
    EXPECT_EQ(monitor.receiveLine(), " Ack");
    EXPECT_TRUE(monitor.receiveLampOn());
}

} // namespace
} // namespace tarn::test
