// However a dialog closes, what it leaves behind is the same: nothing it
// queued goes out afterwards, no reply stays marked as wanted by it, and the
// main window's pump has the queue again.
#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "control/AzimuthSetup.h"
#include "control/WashSetup.h"
#include "control/WipeSetup.h"
#include "imaging/AlderHdDsp.h"
#include "imaging/ThermalControl.h"
#include "platform/TimerIds.h"
#include "programming/CameraId.h"
#include "programming/LensMaintenance.h"
#include "programming/OtherMaintenance.h"
#include "programming/ScreenPrivacy.h"
#include "programming/ToursSectorsSetup.h"
#include "support/LinkFixture.h"
#include "support/TemporaryFolder.h"

#include <functional>
#include <memory>

namespace tarn::test {
namespace {

class DialogClosing : public LinkFixture {
public:
    Settings settings;
    ConnectionSequence connection{link, prompter, profile, settings};
    TemporaryFolder folder;
};

using Opened = std::shared_ptr<void>;
struct DialogCase {
    const char* name;
    std::function<Opened(DialogClosing&, CameraLink&, Prompter&)> open;
};

template <class Logic, class... Extra>
Opened make(CameraLink& link, Prompter& prompter, Extra&&... extra)
{
    return std::make_shared<Logic>(link, prompter, std::forward<Extra>(extra)...);
}

TEST_F(DialogClosing, whatADialogQueuedGoesWithItAndNoReplyStaysWanted)
{
    const DialogCase cases[] = {
        {"Wipe Setup", [](auto&, auto& l, auto& p) { return make<WipeSetup>(l, p); }},
        {"Wash Setup", [](auto&, auto& l, auto& p) { return make<WashSetup>(l, p); }},
        {"Azimuth Setup", [](auto&, auto& l, auto& p) { return make<AzimuthSetup>(l, p); }},
        {"day/night picture", [](auto&, auto& l, auto& p) { return make<AlderHdDsp>(l, p); }},
        {"Thermal Control", [](auto&, auto& l, auto& p) { return make<ThermalControl>(l, p); }},
        {"Camera ID", [](auto&, auto& l, auto& p) { return make<CameraId>(l, p); }},
        {"Lens Maintenance", [](auto&, auto& l, auto& p) {
             auto lens = std::make_shared<LensMaintenance>(l, p);
             lens->open();
             return Opened(lens);
         }},
        {"Other Maintenance", [](DialogClosing& f, auto& l, auto& p) {
             auto other = std::make_shared<OtherMaintenance>(l, p, f.connection, 1,
                                                             [] { return std::optional<std::string>(); });
             other->open();
             return Opened(other);
         }},
        {"Screen Privacy", [](auto&, auto& l, auto& p) {
             auto privacy = std::make_shared<ScreenPrivacy>(l, p);
             privacy->open();
             return Opened(privacy);
         }},
        {"Tours and Sectors", [](DialogClosing& f, auto& l, auto& p) {
             return make<ToursSectorsSetup>(l, p, f.folder.file("Dome.dat"));
         }},
    };
    for (const DialogCase& dialog : cases) {
        SCOPED_TRACE(dialog.name);
        link.queue().clearForDialog();
        {
            Opened opened = dialog.open(*this, link, prompter);
            clock.advance(1500); // its opening questions go out
            link.state().replyWanted = link.state().privacyReplyWanted = true;
            link.queue().queueReady = false; // an answer is awaited
            link.enqueue("mTS");
            link.enqueue("L3");
        }
        serial.writes.clear();
        EXPECT_TRUE(link.queue().empty());
        EXPECT_FALSE(link.state().replyWanted);
        EXPECT_FALSE(link.state().privacyReplyWanted);
        clock.advance(5000);
        EXPECT_TRUE(serial.writes.empty());
        // The main pump has the queue again.
        link.queue().queueReady = true;
        link.enqueue("L?");
        clock.advance(5);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"L?"});
        clock.advance(200);
    }
}

} // namespace
} // namespace tarn::test
