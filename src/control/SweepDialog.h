#pragma once

#include "control/SweepSetup.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;

namespace Ui {
class SweepDialog;
}

namespace tarn {

// "Find Domes": the commissioning sweep's choices, its progress and the domes
// it finds. The decisions are SweepSetup's; closing the dialog cancels a
// sweep still running, which gives the line back.
class SweepDialog final : public QDialog {
    Q_OBJECT
public:
    SweepDialog(Timers& timers, Prompter& prompter, SweepSetup::LineOpener openLine, int replyTimeoutMs,
                QWidget* parent = nullptr);
    ~SweepDialog() override;

    SweepSetup& setup() { return m_setup; }
    // Fills the choices in (the current port, rate and protocol).
    void preset(const SweepChoices& choices);
    // "Add to camera list": each dome selected in the list of finds (all of
    // them when none is selected) goes to this; false when it was refused.
    void setAddFound(std::function<bool(const SweepFind&)> add);

protected:
    void done(int result) override;

private:
    void buildChoices();
    void addServer();
    void showServers();
    void readChoices();
    void refresh();

    std::unique_ptr<Ui::SweepDialog> m_ui;
    Prompter& m_prompter;
    SweepSetup m_setup;
    std::vector<QCheckBox*> m_bauds;
    std::vector<QCheckBox*> m_protocols;
    std::function<bool(const SweepFind&)> m_addFound;
};

} // namespace tarn
