#include "programming/TourSetupDialog.h"

#include "core/Settings.h"

#include "ui_TourSetupDialog.h"

#include "widgets/EnterActsAsTab.h"
#include "platform/ModalToParent.h"


namespace tarn {

TourSetupDialog::TourSetupDialog(Settings& saved, TourRunFlags& running, ProfileStore& profile,
                                 Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TourSetupDialog>())
    , m_setup(saved, running, profile, prompter)
{
    ModalToParent::apply(*this);
    m_ui->setupUi(this);
    m_checks = {m_ui->presetCheck1, m_ui->presetCheck2, m_ui->presetCheck3, m_ui->presetCheck4,
                m_ui->presetCheck5, m_ui->presetCheck6, m_ui->presetCheck7, m_ui->presetCheck8,
                m_ui->presetCheck9, m_ui->presetCheck10};

    for (int i = 0; i < TourSetup::PresetCount; ++i) {
        QCheckBox* check = m_checks[static_cast<std::size_t>(i)];
        check->setChecked(m_setup.inTour(i));
        connect(check, &QCheckBox::clicked, this,
                [this, check, i] { check->setChecked(m_setup.toggle(i)); });
    }
    m_ui->dwellTimeEdit->setText(QString::number(m_setup.dwellTime()));

    connect(m_ui->okButton, &QPushButton::clicked, this, &TourSetupDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &TourSetupDialog::reject);

    // Enter and Escape move on like Tab: only the buttons close the dialog.
    EnterActsAsTab::install(*this);
}

TourSetupDialog::~TourSetupDialog() = default;

void TourSetupDialog::accept()
{
    if (m_setup.accept(m_ui->dwellTimeEdit->text().toStdString())) {
        QDialog::accept();
        return;
    }
    m_ui->dwellTimeEdit->setFocus();
    m_ui->dwellTimeEdit->selectAll();
}

} // namespace tarn
