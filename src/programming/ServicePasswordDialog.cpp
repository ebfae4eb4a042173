#include "programming/ServicePasswordDialog.h"

#include "ui_ServicePasswordDialog.h"

#include "programming/ServicePassword.h"
#include "platform/ModalToParent.h"


namespace tarn {

ServicePasswordDialog::ServicePasswordDialog(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ServicePasswordDialog>())
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_ui->passwordEdit->setMaxLength(static_cast<int>(ServicePassword::MaxLength));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

ServicePasswordDialog::~ServicePasswordDialog() = default;

QString ServicePasswordDialog::enteredText() const
{
    return m_ui->passwordEdit->text();
}

std::optional<std::string> ServicePasswordDialog::ask(QWidget* parent)
{
    ServicePasswordDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.enteredText().toStdString();
}

} // namespace tarn
