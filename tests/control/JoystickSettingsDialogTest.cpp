// The joystick's settings page: what it shows is what it gives back, and
// the live view follows the stick.
#include "control/JoystickSettingsDialog.h"
#include "platform/StickInput.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

namespace tarn {

class JoystickSettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void givesBackWhatItWasGiven()
    {
        JoystickSettings settings;
        settings.panAxis = 2;
        settings.tiltAxis = JoystickSettings::None;
        settings.zoomAxis = JoystickSettings::TriggerZoom;
        settings.invertTilt = true;
        settings.deadzonePercent = 17;
        settings.expoPercent = 40;
        settings.topSpeedPercent = 60;
        settings.gotoButton = 31;
        settings.presetButtons = {0, 1, 2, 3, 4, 5, 6, JoystickSettings::None};
        settings.stopOnFocusLoss = false;
        const JoystickSettingsDialog dialog(settings);
        QCOMPARE(dialog.settings(), settings);
        QCOMPARE(JoystickSettingsDialog(JoystickSettings{}).settings(), JoystickSettings{});
    }

    void choicesReachTheSettings()
    {
        JoystickSettingsDialog dialog{JoystickSettings{}};
        const auto boxes = dialog.findChildren<QComboBox*>();
        QComboBox* pan = boxes.at(0);
        pan->setCurrentIndex(pan->findText(QStringLiteral("Axis 5")));
        const auto spins = dialog.findChildren<QSpinBox*>();
        spins.at(0)->setValue(30);
        QCOMPARE(dialog.settings().panAxis, 4);
        QCOMPARE(dialog.settings().deadzonePercent, 30);
    }

    void showsTheLiveStick()
    {
        JoystickSettingsDialog dialog{JoystickSettings{}};
        dialog.showStick({"Pad", {0.5, -1.0}, {false, true, false, true}});
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("stickName"))->text(), QStringLiteral("Joystick: Pad"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("stickAxes"))->text(), QStringLiteral("1: +50 %   2: -100 %"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("stickButtons"))->text(), QStringLiteral("2 4"));
        dialog.showStick({});
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("stickName"))->text(),
                 QStringLiteral("No joystick or gamepad is plugged in."));
    }
};

} // namespace tarn

QTEST_MAIN(tarn::JoystickSettingsDialogTest)
#include "JoystickSettingsDialogTest.moc"
