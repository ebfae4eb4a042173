#include "control/SweepDialog.h"

#include "ui_SweepDialog.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QGridLayout>

namespace tarn {

SweepDialog::SweepDialog(Timers& timers, Prompter& prompter, SweepSetup::LineOpener openLine, int replyTimeoutMs,
                         QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::SweepDialog>())
    , m_prompter(prompter)
    , m_setup(timers, prompter, std::move(openLine), replyTimeoutMs)
{
    m_ui->setupUi(this);
    buildChoices();
    connect(m_ui->startButton, &QPushButton::clicked, this, [this] {
        readChoices();
        m_setup.start();
        refresh();
    });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, [this] { m_setup.cancel(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->addButton, &QPushButton::clicked, this, [this] {
        if (!m_addFound)
            return;
        const auto& found = m_setup.found();
        QList<QListWidgetItem*> chosen = m_ui->foundList->selectedItems();
        if (chosen.isEmpty())
            for (int row = 0; row < m_ui->foundList->count(); ++row)
                chosen << m_ui->foundList->item(row);
        for (QListWidgetItem* item : chosen) {
            const auto row = static_cast<std::size_t>(m_ui->foundList->row(item));
            if (row < found.size() && !m_addFound(found[row]))
                break;
        }
    });
    connect(m_ui->addServerButton, &QPushButton::clicked, this, [this] { addServer(); });
    connect(m_ui->serverEdit, &QLineEdit::returnPressed, this, [this] { addServer(); });
    connect(m_ui->serverList, &QListWidget::itemChanged, this, [this] {
        readChoices();
        refresh();
    });
    for (QLineEdit* edit : {m_ui->linksEdit, m_ui->firstAddressEdit, m_ui->lastAddressEdit})
        connect(edit, &QLineEdit::textEdited, this, [this] {
            readChoices();
            refresh();
        });
    m_setup.setChanged([this] { refresh(); });
    preset(m_setup.choices());
}

SweepDialog::~SweepDialog()
{
    m_setup.setChanged({});
}

void SweepDialog::buildChoices()
{
    auto* baudLayout = static_cast<QGridLayout*>(m_ui->baudGroup->layout());
    for (int i = 0; i < SweepChoices::BaudCount; ++i) {
        auto* box = new QCheckBox(QString::number(Settings::baudRateForIndex(i)), m_ui->baudGroup);
        baudLayout->addWidget(box, 0, i);
        m_bauds.push_back(box);
    }
    auto* protocolLayout = static_cast<QGridLayout*>(m_ui->protocolGroup->layout());
    for (int i = 0; i < Protocol::Count; ++i) {
        const ProtocolInfo* info = protocolInfo(i);
        auto* box = new QCheckBox(QString::fromLatin1(info->listText.data(), static_cast<int>(info->listText.size())),
                                  m_ui->protocolGroup);
        protocolLayout->addWidget(box, i / 4, i % 4);
        m_protocols.push_back(box);
    }
    for (QCheckBox* box : m_bauds)
        connect(box, &QCheckBox::toggled, this, [this] {
            readChoices();
            refresh();
        });
    for (QCheckBox* box : m_protocols)
        connect(box, &QCheckBox::toggled, this, [this] {
            readChoices();
            refresh();
        });
}

void SweepDialog::addServer()
{
    readChoices();
    const std::string_view problem = m_setup.addPortServer(m_ui->serverEdit->text().toStdString());
    if (!problem.empty()) {
        m_prompter.showMessage(problem, Messages::SweepTitle, MessageIcon::Warning);
        return;
    }
    m_ui->serverEdit->clear();
    showServers();
    refresh();
}

void SweepDialog::showServers()
{
    const QSignalBlocker blocker(m_ui->serverList);
    m_ui->serverList->clear();
    for (const SweepChoices::PortServer& server : m_setup.choices().portServers) {
        auto* item = new QListWidgetItem(QString::fromStdString(server.link), m_ui->serverList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(server.chosen ? Qt::Checked : Qt::Unchecked);
    }
}

void SweepDialog::preset(const SweepChoices& choices)
{
    m_setup.choices() = choices;
    m_ui->linksEdit->setText(QString::fromStdString(choices.links));
    showServers();
    m_ui->firstAddressEdit->setText(QString::fromStdString(choices.firstAddress));
    m_ui->lastAddressEdit->setText(QString::fromStdString(choices.lastAddress));
    for (std::size_t i = 0; i < m_bauds.size(); ++i) {
        const QSignalBlocker blocker(m_bauds[i]);
        m_bauds[i]->setChecked(choices.bauds[i]);
    }
    for (std::size_t i = 0; i < m_protocols.size(); ++i) {
        const QSignalBlocker blocker(m_protocols[i]);
        m_protocols[i]->setChecked(choices.protocols[i]);
    }
    refresh();
}

void SweepDialog::setAddFound(std::function<bool(const SweepFind&)> add)
{
    m_addFound = std::move(add);
    refresh();
}

void SweepDialog::readChoices()
{
    SweepChoices& choices = m_setup.choices();
    choices.links = m_ui->linksEdit->text().toStdString();
    for (int row = 0; row < m_ui->serverList->count(); ++row)
        if (static_cast<std::size_t>(row) < choices.portServers.size())
            choices.portServers[static_cast<std::size_t>(row)].chosen =
                m_ui->serverList->item(row)->checkState() == Qt::Checked;
    choices.firstAddress = m_ui->firstAddressEdit->text().toStdString();
    choices.lastAddress = m_ui->lastAddressEdit->text().toStdString();
    for (std::size_t i = 0; i < m_bauds.size(); ++i)
        choices.bauds[i] = m_bauds[i]->isChecked();
    for (std::size_t i = 0; i < m_protocols.size(); ++i)
        choices.protocols[i] = m_protocols[i]->isChecked();
}

void SweepDialog::refresh()
{
    const bool running = m_setup.running();
    const std::string progress = m_setup.progressText();
    m_ui->estimateLabel->setText(QString::fromStdString(progress.empty() || !running ? m_setup.estimate() : progress));
    if (!progress.empty() && !running)
        m_ui->estimateLabel->setText(QString::fromStdString(progress));
    m_ui->progressBar->setValue(m_setup.progressPercent());
    const auto rows = m_setup.foundRows();
    while (m_ui->foundList->count() > static_cast<int>(rows.size()))
        delete m_ui->foundList->takeItem(m_ui->foundList->count() - 1);
    for (std::size_t i = static_cast<std::size_t>(m_ui->foundList->count()); i < rows.size(); ++i)
        m_ui->foundList->addItem(QString::fromStdString(rows[i]));
    QString problems;
    for (const std::string& row : m_setup.problemRows())
        problems += (problems.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(row);
    m_ui->problemsLabel->setText(problems);
    m_ui->startButton->setEnabled(!running);
    m_ui->addButton->setEnabled(m_addFound && !running && !rows.empty());
    m_ui->cancelButton->setEnabled(running);
    for (QWidget* choice : {static_cast<QWidget*>(m_ui->linksEdit), static_cast<QWidget*>(m_ui->serverList),
                            static_cast<QWidget*>(m_ui->serverEdit), static_cast<QWidget*>(m_ui->addServerButton),
                            static_cast<QWidget*>(m_ui->baudGroup),
                            static_cast<QWidget*>(m_ui->protocolGroup), static_cast<QWidget*>(m_ui->firstAddressEdit),
                            static_cast<QWidget*>(m_ui->lastAddressEdit)})
        choice->setEnabled(!running);
}

void SweepDialog::done(int result)
{
    // Whichever way it closes, a sweep still running stops and the line goes back.
    m_setup.cancel();
    QDialog::done(result);
}

} // namespace tarn
