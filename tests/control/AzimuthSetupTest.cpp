#include "control/AzimuthReply.h"
#include "control/AzimuthSetup.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

namespace tarn::test {
namespace {

class AzimuthSetupLogic : public LinkFixture {
protected:
};

TEST_F(AzimuthSetupLogic, everyButtonQueuesItsCommand)
{
    using B = AzimuthButton;
    const std::pair<B, const char*> rows[] = {
        {B::NorthSet, "mNs"},          {B::NorthClear, "mNc"},           {B::NorthEightZones, "dN0"},
        {B::NorthSixteenZones, "dN1"}, {B::AzElEnable, "dpE"},           {B::AzElDisable, "dpD"},
        {B::AzElPermanent, "dpt"},     {B::AzElTimeOut, "dpT"},          {B::DirectionEnable, "dNE"},
        {B::DirectionDisable, "dND"},  {B::DirectionPermanent, "dNt"},   {B::DirectionTimeOut, "dNT"},
        {B::GroupedWithIds, "dNI"},    {B::SeparatedFromIds, "dNi"},     {B::AutoResponseEnable, "UE"},
        {B::AutoResponseDisable, "UD"}, {B::GetControlSetup, "US"},      {B::GetCurrentPtzfl, "U?"},
    };
    AzimuthSetup azimuth(link, prompter);
    EXPECT_FALSE(azimuth.busy());
    for (const auto& [button, command] : rows) {
        azimuth.press(button);
        EXPECT_EQ(queued(), std::vector<std::string>{command});
    }
    EXPECT_EQ(azimuth.autoResponse(), 1) << "the last radio pressed";
}

TEST_F(AzimuthSetupLogic, delayTimeIsCheckedBeforeItIsQueued)
{
    struct Row {
        const char* typed;
        std::vector<std::string> queued;
        std::vector<std::string> prompts;
        int delay;
    };
    const Row rows[] = {
        {"250", {"UT250"}, {}, 250},
        {" +100 ", {"UT100"}, {}, 100},
        {"999", {"UT999"}, {}, 999},
        {"99", {}, {"Please enter an integer between 100 and 999."}, 100},
        {"1000", {}, {"Please enter an integer between 100 and 999."}, 100},
        {"-250", {}, {"Please enter an integer between 100 and 999."}, 100},
        {"", {}, {"Please enter an integer."}, 100},
        {"25O", {}, {"Please enter an integer."}, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        prompter.clear();
        AzimuthSetup azimuth(link, prompter);
        EXPECT_EQ(azimuth.setDelayTime(row.typed), row.prompts.empty());
        EXPECT_EQ(queued(), row.queued);
        EXPECT_EQ(prompter.texts(), row.prompts);
        EXPECT_EQ(azimuth.delay(), row.delay);
    }
}

TEST_F(AzimuthSetupLogic, repliesSelectTheRadioAndFillTheText)
{
    struct Row {
        std::string text;
        bool understood;
        std::optional<int> autoResponse;
        std::optional<int> delay;
        std::optional<std::string> controlSetupText;
    };
    const Row rows[] = {
        {"UE250", true, 0, 250, {}},
        {"UD", true, 1, {}, {}},
        {"UD050", true, 1, {}, {}},      // not a delay the field takes
        {"UE2:0", true, 0, {}, {}},
        {"U?P0123\tT0045\tLB", true, {}, {}, "P0123 T0045 LB"},
        {"U?", true, {}, {}, ""},
        {"UE25?abc", true, 0, {}, "25?abc"},
        {"U?" + std::string(70, 'x'), true, {}, {}, std::string(64, 'x')},
        {"U?a\x7F" "b\x01" "c", true, {}, {}, "abc"},
        {"UT250", false, {}, {}, {}},
        {"Lx", false, {}, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        for (const auto& [addressByte, digits, protocol] :
             {std::tuple<std::uint8_t, std::string, int>{0x01, "", 1}, {0xFE, "0001", 1}, {0xFE, "00001", 5}}) {
            const auto reply = AzimuthReply::parse(cameraReply(addressByte, digits + row.text), protocol);
            ASSERT_EQ(reply.has_value(), row.understood);
            if (!reply)
                continue;
            EXPECT_EQ(reply->autoResponse, row.autoResponse);
            EXPECT_EQ(reply->delay, row.delay);
            EXPECT_EQ(reply->controlSetupText, row.controlSetupText);
        }
    }
}

TEST_F(AzimuthSetupLogic, answersReachTheOpenDialogOnly)
{
    auto azimuth = std::make_unique<AzimuthSetup>(link, prompter);
    int redraws = 0;
    azimuth->setChanged([&] { ++redraws; });
    azimuth->press(AzimuthButton::GetCurrentPtzfl);
    clock.advance(5);
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_TRUE(link.state().replyWanted);
    const Bytes reply = cameraReply(0x01, "U?P1800\tT0900");
    ASSERT_GE(reply.back(), 0x80);
    receive(reply);
    EXPECT_EQ(azimuth->controlSetupText(), "P1800 T0900") << "without the checksum byte";
    receive(cameraReply(0x01, "UE300"));
    EXPECT_EQ(azimuth->autoResponse(), 0);
    EXPECT_EQ(azimuth->delay(), 300);
    EXPECT_EQ(azimuth->controlSetupText(), "P1800 T0900");
    EXPECT_EQ(redraws, 2);
    azimuth.reset();
    EXPECT_EQ(link.router().receiver(ReceiverSlot::Azimuth), nullptr);
}

} // namespace
} // namespace tarn::test
