#include "config/ConfigDialog.h"

#include "ui_ConfigDialog.h"

#include "core/Messages.h"
#include "platform/ModalToParent.h"

#include <QHeaderView>

namespace tarn {
namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ConfigDialog::ConfigDialog(MainControl& control, Prompter& prompter, std::function<std::unique_ptr<ConfigJob>()> newJob,
                           QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ConfigDialog>())
    , m_session(control, prompter, std::move(newJob))
{
    m_ui->setupUi(this);
    ModalToParent::apply(*this);
    m_ui->settingsTable->setColumnCount(4);
    m_ui->settingsTable->horizontalHeader()->setStretchLastSection(true);
    m_ui->settingsTable->verticalHeader()->hide();
    connect(m_ui->saveButton, &QPushButton::clicked, this, [this] { m_session.saveFromCamera(); });
    connect(m_ui->compareButton, &QPushButton::clicked, this, [this] { m_session.compareWithCamera(); });
    connect(m_ui->compareFilesButton, &QPushButton::clicked, this, [this] { m_session.compareFiles(); });
    connect(m_ui->writeFileButton, &QPushButton::clicked, this, [this] { m_session.chooseFileToWrite(); });
    connect(m_ui->writeButton, &QPushButton::clicked, this, [this] { m_session.write(); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, [this] { m_session.cancel(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->differencesOnlyBox, &QCheckBox::toggled, this, [this] { fillTable(); });
    connect(m_ui->sectionList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_session.tick(static_cast<std::size_t>(m_ui->sectionList->row(item)), item->checkState() == Qt::Checked);
    });
    m_session.setChanged([this] { refresh(); });
    refresh();
}

ConfigDialog::~ConfigDialog()
{
    m_session.setChanged({});
}

void ConfigDialog::done(int result)
{
    m_session.cancel();
    QDialog::done(result);
}

void ConfigDialog::refresh()
{
    using Activity = ConfigSession::Activity;
    const bool busy = m_session.busy();
    const Activity activity = m_session.activity();
    for (QPushButton* button : {m_ui->saveButton, m_ui->compareButton, m_ui->compareFilesButton, m_ui->writeFileButton})
        button->setEnabled(!busy);
    m_ui->cancelButton->setEnabled(busy);
    const bool choosing = activity == Activity::ChoosingSections;
    m_ui->writeButton->setVisible(choosing);
    m_ui->sectionsLabel->setVisible(choosing);
    m_ui->sectionList->setVisible(choosing);
    if (choosing && m_shownActivity != Activity::ChoosingSections)
        fillSections();
    m_shownActivity = activity;

    QString status = qText(m_session.status());
    if (busy && !m_session.sectionInProgress().empty())
        status += QLatin1Char(' ')
            + qText(Messages::format(Messages::ConfigReadingSection, std::string(m_session.sectionInProgress()).c_str(),
                                     m_session.partsDone() + 1, m_session.partCount()));
    m_ui->statusLine->setText(status);
    m_ui->progressBar->setMaximum(std::max(1, m_session.partCount()));
    m_ui->progressBar->setValue(busy ? m_session.partsDone() : (m_session.partCount() > 0 ? m_session.partCount() : 0));
    if (!busy)
        fillTable();
}

void ConfigDialog::fillSections()
{
    const QSignalBlocker blocker(m_ui->sectionList);
    m_ui->sectionList->clear();
    for (const ConfigJob::Choice& choice : m_session.choices()) {
        auto* item = new QListWidgetItem(qText(choice.section), m_ui->sectionList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(choice.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void ConfigDialog::fillTable()
{
    QTableWidget& table = *m_ui->settingsTable;
    table.setHorizontalHeaderLabels({qText(Messages::ConfigSectionColumn), qText(Messages::ConfigFieldColumn),
                                     qText(m_session.firstCaption()), qText(m_session.secondCaption())});
    const bool differencesOnly = m_ui->differencesOnlyBox->isChecked();
    table.setRowCount(0);
    for (const ConfigRow& row : m_session.rows()) {
        if (differencesOnly && !row.differs)
            continue;
        const int at = table.rowCount();
        table.insertRow(at);
        const std::string_view cells[] = {row.section, row.field, row.first, row.second};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(qText(cells[column]));
            if (row.differs) {
                item->setBackground(QColor(255, 220, 160));
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            table.setItem(at, column, item);
        }
    }
    table.resizeColumnsToContents();
}

} // namespace tarn
