#pragma once

#include "programming/ToursSectorsSetup.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class ToursSectorsDialog;
}

namespace tarn {

class CameraLink;
class Prompter;

// "Tours and Sectors Setup" (template resources/ToursSectorsDialog.ui): the
// camera's sectors, privacy zones and tours. The decisions are
// ToursSectorsSetup's; this dialog forwards the operator's actions and
// redraws from it after each change. Enter and Escape move on like Tab;
// "Close" (or the window's close box) asks whether to save the local copy.
class ToursSectorsDialog final : public QDialog {
    Q_OBJECT
public:
    ToursSectorsDialog(CameraLink& link, Prompter& prompter, std::string domeFilePath,
                       QWidget* parent = nullptr);
    ~ToursSectorsDialog() override;

    // Where "Dome.dat" lives: the user's data folder for this program.
    static std::string defaultDomeFilePath();

    ToursSectorsSetup& setup() { return m_setup; }

    // "Close": stays open when the save failed.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectSectors();
    void connectZones();
    void connectTours();
    void connectJogButtons();
    void prepareGrid();
    void refresh();
    void refreshGrid();

    std::unique_ptr<Ui::ToursSectorsDialog> m_ui;
    ToursSectorsSetup m_setup;
};

} // namespace tarn
