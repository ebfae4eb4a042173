// The stick on the main window, through SDL's virtual joystick: its status
// line, and the one stop when a dialog opens or the stick is pulled out.
#include "support/MainWindowHarness.h"

#include "control/MainControl.h"
#include "platform/SdlJoystick.h"

#include <QDialog>
#include <QLabel>
#include <QTest>

#include <SDL.h>

namespace tarn {

class JoystickWindowTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    SDL_Joystick* m_stick = nullptr;
    SDL_JoystickID m_id = -1;

    void look() { clock.advance(SdlJoystick::PollMs); }
    void plug()
    {
        const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 8, 0);
        QVERIFY2(device >= 0, SDL_GetError());
        m_stick = SDL_JoystickOpen(device);
        QVERIFY2(m_stick, SDL_GetError());
        m_id = SDL_JoystickInstanceID(m_stick);
    }
    void unplug()
    {
        if (!m_stick)
            return;
        SDL_JoystickClose(m_stick);
        m_stick = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == m_id)
                SDL_JoystickDetachVirtual(index);
    }
    void pan(Sint16 value)
    {
        SDL_JoystickSetVirtualAxis(m_stick, 0, value);
        look();
    }

private slots:
    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1)));
        holdTheQueue();
        plug();
        look();
        queued();
    }

    void cleanup()
    {
        unplug();
        closeMainWindow();
    }

    void statusLineNamesTheStick()
    {
        auto* line = child<QLabel>("stickLine");
        QVERIFY(line->isVisible());
        QVERIFY(line->text().startsWith(QStringLiteral("Joystick: ")));
        unplug();
        look();
        QVERIFY(!line->isVisible());
    }

    void aDialogOpeningStopsTheDomeOnce()
    {
        pan(32767);
        const auto started = queued();
        QCOMPARE(started.size(), std::size_t{1});
        QVERIFY(started[0] != "PSTS");

        QDialog dialog(mainWindow.get());
        dialog.setWindowModality(Qt::WindowModal);
        dialog.show();
        look();
        QCOMPARE(queued(), std::vector<std::string>{"PSTS"});
        look();
        pan(-32768);
        QVERIFY(queued().empty());
        dialog.close();
        look();
        QVERIFY2(queued().empty(), "still deflected: it waits for the centre");
        pan(0);
        pan(32767);
        QCOMPARE(queued().size(), std::size_t{1});
    }

    void unplugWhileDeflectedStopsOnce()
    {
        pan(-32768);
        QCOMPARE(queued().size(), std::size_t{1});
        unplug();
        look();
        look();
        QCOMPARE(queued(), std::vector<std::string>{"PSTS"});
    }
};

} // namespace tarn

QTEST_MAIN(tarn::JoystickWindowTest)
#include "JoystickWindowTest.moc"
