#pragma once

#include "config/ConfigSession.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ConfigDialog;
}

namespace tarn {

// "Camera Configuration": the four jobs, the progress of the one running,
// the sections to write, and the settings side by side with the differences
// marked. The decisions are ConfigSession's; closing cancels a job still
// running.
class ConfigDialog final : public QDialog {
    Q_OBJECT
public:
    ConfigDialog(MainControl& control, Prompter& prompter, std::function<std::unique_ptr<ConfigJob>()> newJob,
                 QWidget* parent = nullptr);
    ~ConfigDialog() override;

    ConfigSession& session() { return m_session; }

protected:
    void done(int result) override;

private:
    void refresh();
    void fillSections();
    void fillTable();

    std::unique_ptr<Ui::ConfigDialog> m_ui;
    ConfigSession m_session;
    ConfigSession::Activity m_shownActivity = ConfigSession::Activity::Idle;
};

} // namespace tarn
