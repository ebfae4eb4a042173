// Every control a user can work in every window of the console has a name a
// screen reader can say: a button its text (or an accessible name), any other
// control an accessible name or a label that is its buddy.
#include "control/AzimuthSetupDialog.h"
#include "control/JoystickSettingsDialog.h"
#include "control/LinkSweepLine.h"
#include <QPushButton>
#include "config/ConfigDialog.h"
#include "config/ConfigTarget.h"
#include "control/SweepDialog.h"
#include "control/TrafficWindow.h"
#include "control/WashSetupDialog.h"
#include "control/WipeSetupDialog.h"
#include "imaging/AlderHdDspDialog.h"
#include "imaging/ThermalControlDialog.h"
#include "programming/CameraIdDialog.h"
#include "programming/CameraSetupDialog.h"
#include "programming/LensMaintenanceDialog.h"
#include "programming/OtherMaintenanceDialog.h"
#include "programming/ScreenPrivacyDialog.h"
#include "programming/ServicePasswordDialog.h"
#include "programming/TourSetupDialog.h"
#include "programming/ToursSectorsDialog.h"
#include "support/MainWindowHarness.h"
#include "support/TemporaryFolder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <functional>
#include <memory>

namespace tarn {

namespace {

// Parts of a composite control (the edit of a spin or combo box, a view's
// popup list, an edit's clear button, a view's scroll bars, headers and
// cell editors) are named through their owner.
bool isPartOfAnother(const QWidget* widget)
{
    for (const QWidget* owner = widget->parentWidget(); owner; owner = owner->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(owner) || qobject_cast<const QComboBox*>(owner)
            || qobject_cast<const QAbstractScrollArea*>(owner) || qobject_cast<const QLineEdit*>(owner))
            return true;
    }
    return qobject_cast<const QHeaderView*>(widget) != nullptr;
}

// What a user can press, type into, choose from or drive.
bool isInteractive(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget)
        || qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget)
        || qobject_cast<const QAbstractSlider*>(widget) || qobject_cast<const QAbstractItemView*>(widget)
        || qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget)
        || (!qobject_cast<const QLabel*>(widget) && (widget->focusPolicy() & Qt::TabFocus));
}

bool hasName(const QWidget* widget, const QList<QLabel*>& labels)
{
    if (!widget->accessibleName().trimmed().isEmpty())
        return true;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return !button->text().remove(QLatin1Char('&')).trimmed().isEmpty();
    for (const QLabel* label : labels) {
        if (label->buddy() == widget && !label->text().remove(QLatin1Char('&')).trimmed().isEmpty())
            return true;
    }
    return false;
}

// The interactive controls of `window` (and of the windows it owns) that
// have no name, by object name.
QStringList namelessControls(const QWidget& window)
{
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    QStringList nameless;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isWindow() || isPartOfAnother(widget) || !isInteractive(widget) || hasName(widget, labels))
            continue;
        nameless << QStringLiteral("%1 (%2)").arg(widget->objectName(), QLatin1String(widget->metaObject()->className()));
    }
    return nameless;
}

using Opener = std::function<std::unique_ptr<QWidget>(MainControl&, test::QtTestPlatform&, QWidget* parent)>;

template <class D>
Opener onLink()
{
    return [](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
        return std::make_unique<D>(control.link(), platform.prompter, parent);
    };
}

} // namespace

class AccessibleNamesTest : public QObject, private test::MainWindowHarness {
    Q_OBJECT

private:
    test::TemporaryFolder folder;
    std::vector<std::pair<const char*, Opener>> m_openers;

private slots:
    void init()
    {
        QVERIFY(openMainWindow(test::alderHdSettings(1))); // Day/Night: every control enabled
        holdTheQueue();
    }

    void cleanup() { closeMainWindow(); }

    void mainWindowControlsHaveNames()
    {
        // With the camera list shown too.
        if (auto* cameras = mainWindow->findChild<QPushButton*>(QStringLiteral("siteButton")))
            cameras->setChecked(true);
        const QStringList nameless = namelessControls(*mainWindow);
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
    }

    void everyDialogsControlsHaveNames_data()
    {
        QTest::addColumn<int>("which");
        for (int i = 0; i < int(openers().size()); ++i)
            QTest::addRow("%s", openers()[std::size_t(i)].first) << i;
    }

    void everyDialogsControlsHaveNames()
    {
        QFETCH(int, which);
        const std::unique_ptr<QWidget> dialog = openers()[std::size_t(which)].second(*control, *this, mainWindow.get());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const QStringList nameless = namelessControls(*dialog);
        dialog->hide();
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
    }

private:
    // Every window the main window can open, as it opens it.
    std::vector<std::pair<const char*, Opener>>& openers()
    {
        auto& all = m_openers;
        if (!all.empty())
            return all;
        const std::string domeFile = folder.file("Dome.dat");
        all = {
            {"Setup",
             [](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<CameraSetupDialog>(control.link(), platform.prompter, control.openingSetup(),
                                                            control.serialPorts(), parent);
             }},
            {"Lens Maintenance",
             [](MainControl& control, test::QtTestPlatform&, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<LensMaintenanceDialog>(control, parent);
             }},
            {"Other Maintenance",
             [](MainControl& control, test::QtTestPlatform&, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<OtherMaintenanceDialog>(control, 0, parent);
             }},
            {"Supervisory Function",
             [](MainControl&, test::QtTestPlatform&, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<ServicePasswordDialog>(parent);
             }},
            {"Camera ID", onLink<CameraIdDialog>()},
            {"Day/night picture", onLink<AlderHdDspDialog>()},
            {"Screen Privacy",
             [](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<ScreenPrivacyDialog>(control.link(), platform.prompter, control.padSetup(),
                                                              parent);
             }},
            {"Thermal", onLink<ThermalControlDialog>()},
            {"Wipe Setup", onLink<WipeSetupDialog>()},
            {"Wash Setup", onLink<WashSetupDialog>()},
            {"Azimuth Setup", onLink<AzimuthSetupDialog>()},
            {"Tour Setup",
             [](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<TourSetupDialog>(control.savedSettings(), control.runningTour(),
                                                          platform.profile, platform.prompter, parent);
             }},
            {"Tours and Sectors",
             [domeFile](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<ToursSectorsDialog>(control.link(), platform.prompter, domeFile, parent);
             }},
            {"Traffic",
             [](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<TrafficWindow>(control.traffic(), platform.prompter, parent);
             }},
            {"Find Domes",
             [](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<SweepDialog>(
                     platform.clock, platform.prompter, [&control] { return std::make_unique<LinkSweepLine>(control); },
                     100, parent);
             }},
            {"Camera Configuration",
             [domeFile](MainControl& control, test::QtTestPlatform& platform, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<ConfigDialog>(
                     control, platform.prompter,
                     [&control, domeFile] {
                         return std::make_unique<ConfigJob>(ConfigTarget::context(control, domeFile),
                                                            ConfigTarget::header(control, "COM1", "2026-12-10 09:00:00"));
                     },
                     parent);
             }},
            {"Joystick",
             [](MainControl&, test::QtTestPlatform&, QWidget* parent) -> std::unique_ptr<QWidget> {
                 return std::make_unique<JoystickSettingsDialog>(JoystickSettings{}, parent);
             }},
        };
        return all;
    }
};

} // namespace tarn

QTEST_MAIN(tarn::AccessibleNamesTest)
#include "AccessibleNamesTest.moc"
