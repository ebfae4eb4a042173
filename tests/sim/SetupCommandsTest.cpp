// What the Setup dialog programs, the camera keeps and reads back.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

TEST(SetupCommands, readBacksAnswerWithWhatWasProgrammed)
{
    struct Row {
        std::vector<std::string_view> programmed;
        std::string_view query;
        std::string_view answer;
    };
    const Row rows[] = {
        {{}, "RS", "R0107"},
        {{}, "mSs", "mS0001234"},
        {{"mS0000012"}, "mSs", "mS0000012"},
        {{"mS12"}, "mSs", "mS0001234"}, // not seven digits: kept as it was
        {{}, "sS", "s1"},
        {{"s0"}, "sS", "s0"},
        {{"s3"}, "sS", "s1"},
        {{"S2"}, "SS", "S2"},
        {{"Jc1"}, "JcS", "Jc1"},
        {{"Jc1", "Jc0"}, "JcS", "Jc0"},
        {{"Jb1"}, "JbS", "Jb1"},
        {{}, "mND", "mn0"},
        {{"mNe"}, "mND", "mn1"},
        {{"cP9", "cv0"}, "bS", "P9"}, // the status reply carries protocol and video type
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.query);
        const std::string answer = SimDriver().readBack(row.programmed, row.query);
        if (row.query == "bS") {
            EXPECT_EQ(answer.substr(9, 2), row.answer);
            EXPECT_EQ(answer.substr(11, 2), "v0");
        } else {
            EXPECT_EQ(answer, row.answer);
        }
    }
}

} // namespace
} // namespace tarn::sim::test
