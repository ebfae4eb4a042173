// The camera module's screen privacy zones as the camera keeps them and
// reads them back.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

TEST(ScreenPrivacyCommands, theSelectedZoneIsReadBack)
{
    struct Row {
        std::vector<std::string> commands;
        std::string reply;
    };
    const Row rows[] = {
        {{}, "c*B0R0S0M0h000v000"},
        {{"c*N3", "c*h3007", "c*v3127", "c*M32", "c*S<", "c*R?", "c*B1"}, "c*B1R?S<M2h007v127"},
        // Sizes and modes name their zone; the colours go to the selected one.
        {{"c*h2050", "c*S5", "c*N2"}, "c*B0R0S0M0h050v000"},
        {{"c*N2", "c*NA"}, "c*B0R0S0M0h000v000"},
        {{"c*h1128", "c*M13", "c*R@", "c*h10x1", "c*h9001", "c*N9"}, "c*B0R0S0M0h000v000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.commands.empty() ? std::string("at start") : row.commands.back());
        EXPECT_EQ(SimDriver().readBack(row.commands, "c*Z?"), row.reply);
    }
}

} // namespace
} // namespace tarn::sim::test
