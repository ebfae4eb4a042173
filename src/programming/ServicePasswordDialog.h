#pragma once

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class ServicePasswordDialog;
}

namespace tarn {

// "Supervisory Function": asks for the service password before a guarded
// service command. It only collects the text; the caller compares it.
class ServicePasswordDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ServicePasswordDialog(QWidget* parent = nullptr);
    ~ServicePasswordDialog() override;

    QString enteredText() const;

    // Runs it modally: the text entered, or nothing when it was not closed with OK.
    static std::optional<std::string> ask(QWidget* parent);

private:
    std::unique_ptr<Ui::ServicePasswordDialog> m_ui;
};

} // namespace tarn
