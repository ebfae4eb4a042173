// The Camera ID texts and settings as the camera keeps them and reads them back.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

std::string padded(std::string text)
{
    text.resize(24, ' ');
    return text;
}

TEST(CameraIdCommands, whatIsProgrammedIsReadBack)
{
    struct Row {
        std::vector<std::string> commands;
        const char* request;
        std::string reply;
    };
    const Row rows[] = {
        {{}, "cdSc", "SC\x20"},
        {{"dIE", "dIT", "dAe1", "dl5m1"}, "cdSc", "SC\x47"},
        {{"dAE", "dAd1", "dMD", "dID", "dIB", "dl5m0"}, "cdSc", "SC\x20"},
        {{"dl5m2"}, "cdSc", "SC\x80"},
        {{"dL1Gate 3 entrance"}, "cdSl1", "SL1" + padded("Gate 3 entrance")},
        {{"dL2" + std::string(30, 'x')}, "cdSl2", "SL2" + std::string(24, 'x')},
        {{"dL1Gate", "dIE", "dIC"}, "cdSl1", "SL1" + padded("")},
        {{"dIE", "dIC"}, "cdSc", "SC\x20"},
        {{}, "h?", std::string("h\x10\x10")},
        {{"h1P", std::string("h2\x10"), "h1\x51"}, "h?", std::string("hP\x10")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.request + (row.commands.empty() ? std::string() : " after " + row.commands.back()));
        EXPECT_EQ(SimDriver().readBack(row.commands, row.request), row.reply);
    }
}

} // namespace
} // namespace tarn::sim::test
