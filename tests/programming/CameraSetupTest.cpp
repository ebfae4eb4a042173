#include "programming/CameraSetup.h"
#include "programming/SetupReply.h"
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

class CameraSetupTest : public LinkFixture {
protected:
    std::vector<SerialPortEntry> ports{{1, "/dev/ttyS0", {}, true, true}, {5, "/dev/ttyUSB0", "FTDI FT232R", true, true}};

    SetupValues makersCamera(int cameraType = 0)
    {
        SetupValues values;
        values.cameraType = cameraType;
        values.cameraProtocol = 1;
        values.baudIndex = 0;
        values.portNumber = 5;
        return values;
    }

    // The texts that went out since the last call, without frame bytes and
    // extended-address digits.
    std::vector<std::string> sent()
    {
        std::vector<std::string> texts;
        for (const Bytes& frame : serial.writes) {
            const std::size_t start = frame.size() > 1 && frame[1] == 0xFE ? 6 : 2;
            if (frame.size() > start)
                texts.emplace_back(frame.begin() + static_cast<std::ptrdiff_t>(start), frame.end() - 1);
        }
        serial.writes.clear();
        return texts;
    }
};

TEST_F(CameraSetupTest, readBackChainFillsTheControlsWithNormalAndExtendedAddress)
{
    struct Step {
        std::string_view query;
        std::string_view answer;
    };
    const Step chain[] = {
        {"RS", "R0107"}, {"mSs", "mS0000000"}, {"sS", "s2"}, {"SS", "S1"}, {"JcS", "Jc1"}, {"JbS", "Jb1"},
    };
    for (const int address : {5, 300}) {
        SCOPED_TRACE(address);
        link.state().address = address;
        link.state().versionReceived = false;
        const std::string digits = address > 223 ? "0300" : "";
        const std::uint8_t addressByte = address > 223 ? 0xFE : static_cast<std::uint8_t>(address);
        CameraSetup setup(link, prompter, makersCamera(), ports);
        setup.open();
        for (const Step& step : chain) {
            // The next query's timer, then the deferred send's.
            clock.advance(CameraSetup::ReadBackDelayMs + DeferredSend::DelayMs);
            EXPECT_EQ(sent(), std::vector<std::string>{std::string(step.query)});
            receive(cameraReply(addressByte, digits + std::string(step.answer)));
        }
        clock.advance(100);
        EXPECT_TRUE(sent().empty()); // "Jb" ends the chain
        EXPECT_EQ(setup.firmware(), "0107");
        EXPECT_TRUE(link.state().versionReceived);
        EXPECT_EQ(setup.values().serialNumber, "0000");
        EXPECT_EQ(setup.values().ptType, 2);
        EXPECT_EQ(setup.values().ptDirection, 1);
        EXPECT_TRUE(setup.values().cameraJavelinContinuous);
        EXPECT_TRUE(setup.values().cameraJavelinAddress);

        receive(cameraReply(addressByte, digits + "mn1"));
        EXPECT_TRUE(setup.values().ntcip);
    }
    // Closed, the dialog takes no more replies.
    EXPECT_EQ(link.router().receiver(ReceiverSlot::Setup), nullptr);
}

TEST_F(CameraSetupTest, replyParserReadsOnlyWhatTheFrameHolds)
{
    using Kind = SetupReply::Kind;
    struct Row {
        Bytes frame;
        int protocol;
        Kind kind;
        std::string text;
        int value;
    };
    const Row rows[] = {
        {cameraReply(1, "mS0001234"), 1, Kind::SerialNumber, "1234", -1},
        {cameraReply(1, "mS0000000"), 1, Kind::SerialNumber, "0000", -1},
        {cameraReply(1, "mS1234567"), 1, Kind::SerialNumber, "1234567", -1},
        {cameraReply(1, "RV2.10 beta"), 1, Kind::Firmware, "V2.10 beta", -1},
        {Bytes{0xF8, 0x01, 'R', '1', 0x01, '2'}, 1, Kind::Firmware, "1", -1}, // a control byte ends it
        {Bytes{0xF8, 0x01, 'R', '1', '2'}, 1, Kind::Firmware, "12", -1},      // no checksum: the frame's end
        {cameraReply(1, "s3"), 1, Kind::PanTiltType, "", -1},
        {cameraReply(1, "S2"), 1, Kind::Direction, "", 2},
        {cameraReply(1, "Jb0"), 1, Kind::JavelinAddress, "", 0},
        {cameraReply(1, "Jx1"), 1, Kind::Other, "", -1},
        {cameraReply(1, "mn"), 1, Kind::Ntcip, "", -1},
        {cameraReply(1, "mT025"), 1, Kind::Other, "", -1},
        {Bytes{0xF8, 0xFE, '0', '3'}, 1, Kind::Other, "", -1},
        {cameraReply(0xFE, "16000Jc1"), 5, Kind::JavelinContinuous, "", 1}, // five address digits
        {Bytes{}, 1, Kind::Other, "", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.frame.begin(), row.frame.end()));
        const SetupReply reply = SetupReply::parse(row.frame, row.protocol);
        EXPECT_EQ(reply.kind, row.kind);
        EXPECT_EQ(reply.text, row.text);
        EXPECT_EQ(reply.value, row.value);
    }
}

TEST_F(CameraSetupTest, typedEntriesAreCheckedBeforeTheySend)
{
    using Field = CameraSetup::Field;
    struct Row {
        bool serial; // else elevation
        std::string_view typed;
        std::vector<std::string> sent;
        std::string_view message;
        Field cleared;
    };
    const Row rows[] = {
        {true, "12", {"mS0000012"}, "", Field::None},
        {true, "1234567", {"mS1234567"}, "", Field::None},
        {true, "", {}, "Invalid Serial Number Entry", Field::SerialNumber},
        {true, "12a", {}, "Invalid Serial Number Entry", Field::None},
        {true, "12345678", {}, "Invalid Serial Number Entry", Field::None},
        {false, "10000", {"E10000"}, "", Field::None},
        {false, "00010", {"E00010"}, "", Field::None},
        {false, "10001", {}, "Invalid Elevation Entry", Field::None},
        {false, "", {}, "Invalid Elevation Entry", Field::Elevation},
        {false, "12a", {}, "Invalid Elevation Entry", Field::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        prompter.clear();
        CameraSetup setup(link, prompter, makersCamera(), ports);
        setup.open();
        clock.advance(10);
        sent();
        if (row.serial) {
            setup.editSerialNumber(row.typed);
            setup.setSerialNumber();
        } else {
            setup.editElevation(row.typed);
            setup.setElevation();
        }
        clock.advance(10);
        EXPECT_EQ(sent(), row.sent);
        const std::vector<std::string> messages =
            row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{std::string(row.message)};
        EXPECT_EQ(prompter.texts(), messages);
        EXPECT_EQ(setup.fieldToClear(), row.cleared);
    }
}

TEST_F(CameraSetupTest, protocolChangeAsksAndNoKeepsTheProtocol)
{
    struct Row {
        int chosen;
        bool yes;
        std::vector<std::string> sent;
        int protocol;
        bool setBaud;
        bool javelinBoxes;
    };
    const Row rows[] = {
        {2, false, {}, 1, true, false},
        {0, true, {}, 0, true, false},        // "Undefined": stored, nothing sent
        {4, true, {"cP4"}, 4, false, true},   // the Javelin options follow "Javelin"
        {10, true, {"cP:"}, 10, false, false},
        {1, true, {"cP1"}, 1, true, false},
        {11, true, {}, 1, true, false},       // the empty entry cannot be chosen
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen);
        prompter.clear();
        prompter.scriptAnswer(row.yes);
        CameraSetup setup(link, prompter, makersCamera(2), ports);
        setup.open();
        clock.advance(10);
        sent();
        setup.chooseCameraProtocol(row.chosen);
        clock.advance(10);
        EXPECT_EQ(sent(), row.sent);
        EXPECT_EQ(setup.values().cameraProtocol, row.protocol);
        EXPECT_EQ(setup.enabling().setBaud, row.setBaud);
        EXPECT_EQ(setup.enabling().cameraJavelin, row.javelinBoxes);
        if (row.chosen <= 10) {
            EXPECT_EQ(prompter.texts(),
                      std::vector<std::string>{"Do you really want to Change Camera Comm. Protocol?"});
        }
    }
}

TEST_F(CameraSetupTest, protocolChangeStopsTheReadBackChain)
{
    prompter.scriptAnswer(true);
    CameraSetup setup(link, prompter, makersCamera(), ports);
    setup.open();
    clock.advance(5);
    receive(cameraReply(1, "R0107"));
    setup.chooseCameraProtocol(2);
    clock.advance(100);
    EXPECT_EQ(sent(), (std::vector<std::string>{"RS", "cP2"}));
}

TEST_F(CameraSetupTest, baudCommandsByCameraType)
{
    struct Row {
        int cameraType;
        int baudIndex;
        std::string_view command;
    };
    const Row rows[] = {
        {0, 0, "Bs9600"}, {5, 4, "Bs0600"}, {1, 6, "Bs192K"}, {0, -1, "Bs9600"},
        {6, 0, "bs9600"}, {6, 5, "bs0300"}, {6, 6, "Bs192K"}, {6, 9, "bs9600"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CameraSetup::baudCommand(row.baudIndex, row.cameraType), row.command)
            << row.cameraType << " " << row.baudIndex;

    // Through the dialog: the camera type set to the empty entry.
    CameraSetup setup(link, prompter, makersCamera(), ports);
    setup.open();
    setup.chooseCameraType(6);
    setup.selectBaud(0);
    setup.setBaud();
    clock.advance(10);
    // The newer command superseded "RS", which had not gone out yet.
    EXPECT_EQ(sent(), std::vector<std::string>{"bs9600"});
}

TEST_F(CameraSetupTest, enablingAtOpenAndOnCameraTypeChange)
{
    struct Row {
        int openedWith;
        int changedTo; // -1: not changed
        bool lensMaintenance, otherSetup, direction, javelinBoxes, flip, firmwareGet, cameraProtocol,
            maxSpeeds;
        int moduleType;
    };
    const Row rows[] = {
        {0, -1, false, true, true, false, false, true, true, false, 1},
        {1, -1, false, true, true, true, false, true, true, false, 1},
        {3, -1, false, true, true, false, true, true, true, false, 1},
        {4, -1, false, true, true, false, false, true, true, false, 2},
        {6, -1, true, false, false, false, false, false, false, true, 0},
        {6, 2, false, true, true, false, true, true, true, true, 1},
        {0, 6, false, true, true, false, false, false, true, false, 1}, // only the common rules apply
        {0, 4, false, true, true, false, false, true, true, true, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.openedWith << " -> " << row.changedTo);
        SetupValues values = makersCamera(row.openedWith);
        values.moduleType = 0;
        CameraSetup setup(link, prompter, values, ports);
        setup.open();
        if (row.changedTo >= 0)
            setup.chooseCameraType(row.changedTo);
        const SetupEnabling& e = setup.enabling();
        EXPECT_EQ(e.lensMaintenance, row.lensMaintenance);
        EXPECT_EQ(e.otherSetup, row.otherSetup);
        EXPECT_EQ(e.direction, row.direction);
        EXPECT_EQ(e.cameraJavelin, row.javelinBoxes);
        EXPECT_EQ(e.flip, row.flip);
        EXPECT_EQ(e.firmwareGet, row.firmwareGet);
        EXPECT_EQ(e.cameraProtocol, row.cameraProtocol);
        EXPECT_EQ(e.maxSpeeds, row.maxSpeeds);
        EXPECT_EQ(setup.values().moduleType, row.moduleType);
    }
}

TEST_F(CameraSetupTest, portIsSelectedByItsNumberAndChoosingOneChangesBoth)
{
    SetupValues values = makersCamera();
    values.portIndex = 0; // remembered from a list that had COM5 first
    values.background = 12;
    CameraSetup setup(link, prompter, values, ports);
    setup.open();
    EXPECT_EQ(setup.portListIndex(), 1);
    EXPECT_EQ(setup.values().portIndex, 0); // unchanged until the operator chooses
    EXPECT_EQ(setup.values().background, 0);
    setup.selectPort(0);
    EXPECT_EQ(setup.values().portIndex, 0);
    EXPECT_EQ(setup.values().portNumber, 1);
    EXPECT_EQ(setup.chosenPort()->device, "/dev/ttyS0");
}

} // namespace
} // namespace tarn::test
