#include "control/SiteList.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

SiteCamera camera(std::string name, int address, std::string group = {}, std::string link = "COM1")
{
    SiteCamera c;
    c.name = std::move(name);
    c.link = std::move(link);
    c.protocolIndex = 2;
    c.address = address;
    c.group = std::move(group);
    return c;
}

std::vector<std::string> names(const SiteList& list)
{
    std::vector<std::string> result;
    for (int i = 0; i < list.size(); ++i)
        result.push_back(list.at(i).camera.name);
    return result;
}

SiteList fiveCameras()
{
    SiteList list;
    list.replace({camera("Lobby", 1, "Ground floor"), camera("Gate", 12, "Yard", "10.0.0.5:4001"),
                  camera("Stairs", 112, "First floor"), camera("Dock", 7, "Yard", "/dev/ttyUSB3"),
                  camera("Roof", 120, "Roof")});
    return list;
}

TEST(SiteList, addRefusesValuesOutOfRangeAndAFullList)
{
    SiteList list;
    EXPECT_EQ(list.add(camera("  Lobby\t", 12)), std::vector<std::string>{});
    EXPECT_EQ(list.at(0).camera.name, "Lobby");
    EXPECT_EQ(list.at(0).state, SiteCameraState::NotTried);
    EXPECT_EQ(list.add(camera("Far", 255)),
              std::vector<std::string>{"Camera \"Far\": Address=255 is outside 1..254, the addresses Pelco D allows"});
    for (int i = 2; i <= SiteList::MostCameras; ++i)
        ASSERT_EQ(list.add(camera("C" + std::to_string(i), 1 + i % 254)), std::vector<std::string>{});
    EXPECT_EQ(list.add(camera("One too many", 1)),
              std::vector<std::string>{"The camera list holds at most 255 cameras."});
    EXPECT_EQ(list.size(), SiteList::MostCameras);
}

TEST(SiteList, editKeepsTheLampUnlessTheLineOrAddressChanged)
{
    SiteList list = fiveCameras();
    list.setState(0, SiteCameraState::Answered);
    EXPECT_EQ(list.edit(0, camera("Lobby east", 1, "Ground floor")), std::vector<std::string>{});
    EXPECT_EQ(list.at(0).state, SiteCameraState::Answered);
    EXPECT_EQ(list.edit(0, camera("Lobby east", 2, "Ground floor")), std::vector<std::string>{});
    EXPECT_EQ(list.at(0).state, SiteCameraState::NotTried);
    list.setState(0, SiteCameraState::NoAnswer);
    EXPECT_FALSE(list.edit(0, camera("", 2)).empty());
    EXPECT_EQ(list.at(0).camera.name, "Lobby east");
    EXPECT_EQ(list.at(0).state, SiteCameraState::NoAnswer);
}

TEST(SiteList, dragMovesOneCameraAndKeepsTheOthersInOrder)
{
    struct Row {
        int from;
        int to;
        std::vector<std::string> order;
    };
    const Row rows[] = {
        {0, 4, {"Gate", "Stairs", "Dock", "Roof", "Lobby"}},
        {4, 0, {"Roof", "Lobby", "Gate", "Stairs", "Dock"}},
        {1, 2, {"Lobby", "Stairs", "Gate", "Dock", "Roof"}},
        {3, 1, {"Lobby", "Dock", "Gate", "Stairs", "Roof"}},
        {2, 2, {"Lobby", "Gate", "Stairs", "Dock", "Roof"}},
        {0, 5, {"Lobby", "Gate", "Stairs", "Dock", "Roof"}},
    };
    for (const Row& row : rows) {
        SiteList list = fiveCameras();
        list.setState(row.from, SiteCameraState::Answered);
        list.move(row.from, row.to);
        EXPECT_EQ(names(list), row.order) << row.from << " to " << row.to;
        if (row.to < list.size()) {
            EXPECT_EQ(list.at(row.to).state, SiteCameraState::Answered);
        }
    }
    SiteList list = fiveCameras();
    list.remove(1);
    list.remove(9);
    EXPECT_EQ(names(list), (std::vector<std::string>{"Lobby", "Stairs", "Dock", "Roof"}));
}

TEST(SiteList, filterMatchesEveryWordInNameGroupLinkOrAddress)
{
    const SiteList list = fiveCameras();
    struct Row {
        const char* text;
        std::vector<int> shown;
    };
    const Row rows[] = {
        {"", {0, 1, 2, 3, 4}},
        {"  ", {0, 1, 2, 3, 4}},
        {"yard", {1, 3}},
        {"FLOOR", {0, 2}},
        {"12", {1, 2, 4}},
        {"10.0.0.5", {1}},
        {"ttyUSB", {3}},
        {"yard dock", {3}},
        {"floor roof", {}},
        {"lobby 1", {0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(list.filter(row.text), row.shown) << '"' << row.text << '"';
}

TEST(SiteList, quickKeysReachTheFirstNineAndFindByLinkAndAddress)
{
    SiteList list = fiveCameras();
    EXPECT_EQ(list.quickKey(1), 0);
    EXPECT_EQ(list.quickKey(5), 4);
    EXPECT_EQ(list.quickKey(6), std::nullopt);
    EXPECT_EQ(list.quickKey(0), std::nullopt);
    for (int i = 0; i < 10; ++i)
        list.add(camera("More" + std::to_string(i), 30 + i));
    EXPECT_EQ(list.quickKey(9), 8);
    EXPECT_EQ(list.quickKey(10), std::nullopt);

    EXPECT_EQ(list.find("/dev/ttyUSB3", 7), 3);
    EXPECT_EQ(list.find("COM01", 1), 0);
    EXPECT_EQ(list.find("COM1", 7), std::nullopt);
}

} // namespace
} // namespace tarn
