#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TrafficWindow;
}

namespace tarn {

class Prompter;
class TrafficRecord;
class TrafficTableModel;

// The "Traffic" window (template resources/TrafficWindow.ui): the traffic
// record as a table, beside the main window's one-line monitor. It takes in
// new entries a few times a second unless paused, follows the newest when
// asked, filters by text or hex, copies rows as text-log lines, saves the
// record and opens saved captures in windows of their own.
class TrafficWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int RefreshMs = 200;

    // Over the console's live record.
    TrafficWindow(TrafficRecord& record, Prompter& prompter, QWidget* parent = nullptr);
    // Over a record read from `fileName`; the window owns it.
    TrafficWindow(std::unique_ptr<TrafficRecord> loaded, const QString& fileName, Prompter& prompter,
                  QWidget* parent = nullptr);
    ~TrafficWindow() override;

    TrafficTableModel& model() { return *m_model; }
    // Takes in what the record gained, as the refresh does.
    void refresh();
    // The selected rows as text-log lines, oldest first.
    QString selectedText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void copySelection();
    void save();
    void load();
    void showStatus();

    std::unique_ptr<Ui::TrafficWindow> m_ui;
    std::unique_ptr<TrafficRecord> m_owned;
    TrafficRecord& m_record;
    Prompter& m_prompter;
    TrafficTableModel* m_model = nullptr;
    QString m_lastSaved;
};

} // namespace tarn
