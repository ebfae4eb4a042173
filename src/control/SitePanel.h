#pragma once

#include "control/SiteSession.h"

#include <QWidget>

#include <memory>

namespace Ui {
class SitePanel;
}

namespace tarn {

// The camera list beside the main panel: each camera's lamp, name, address
// and link, a filter, and the edits for the chosen entry. The decisions are
// SiteSession's; double-click or Enter switches, dragging reorders.
class SitePanel final : public QWidget {
    Q_OBJECT
public:
    SitePanel(SiteSession& session, Prompter& prompter, QWidget* parent = nullptr);
    ~SitePanel() override;

    // Ctrl+1 .. Ctrl+9.
    void quickKey(int key);
    void openFile();

private:
    void refresh();
    void applyFilter();
    void showSelected();
    void applyEdits();
    int selectedIndex() const;

    std::unique_ptr<Ui::SitePanel> m_ui;
    SiteSession& m_session;
    Prompter& m_prompter;
    bool m_refreshing = false;
};

} // namespace tarn
