#include "control/TrafficWindow.h"

#include "ui_TrafficWindow.h"

#include "core/Messages.h"
#include "control/TrafficTableModel.h"
#include "link/TrafficFiles.h"
#include "link/TrafficTextLog.h"
#include "platform/ModalToParent.h"
#include "platform/Prompter.h"
#include "widgets/ShowState.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace tarn {

TrafficWindow::TrafficWindow(TrafficRecord& record, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TrafficWindow>())
    , m_record(record)
    , m_prompter(prompter)
{
    build();
    setWindowTitle(qText(Messages::TrafficWindowTitle));
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("refreshTimer"));
    connect(timer, &QTimer::timeout, this, [this] {
        // Hidden, it takes in everything at once when it is shown again.
        if (isVisible() && !m_ui->pauseButton->isChecked())
            refresh();
    });
    timer->start(RefreshMs);
}

TrafficWindow::TrafficWindow(std::unique_ptr<TrafficRecord> loaded, const QString& fileName, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TrafficWindow>())
    , m_owned(std::move(loaded))
    , m_record(*m_owned)
    , m_prompter(prompter)
{
    build();
    setWindowTitle(qText(Messages::format(Messages::TrafficLoadedTitle, fileName.toStdString().c_str())));
    // Nothing comes in: there is nothing to pause or to follow.
    m_ui->pauseButton->hide();
    m_ui->followCheck->setChecked(false);
    m_ui->followCheck->hide();
}

TrafficWindow::~TrafficWindow() = default;

void TrafficWindow::showEvent(QShowEvent* event)
{
    // Beside the main window, never behind one of its dialogs.
    ModalToParent::standApart(*this);
    if (!m_ui->pauseButton->isChecked())
        refresh();
    QDialog::showEvent(event);
}

void TrafficWindow::build()
{
    m_ui->setupUi(this);
    // A window of its own beside the main window, not one on top of it.
    setWindowFlags(Qt::Window);
    setObjectName(QStringLiteral("TrafficWindow"));

    m_model = new TrafficTableModel(m_record, this);
    QTableView* table = m_ui->table;
    table->setModel(m_model);
    // Rows of one height and fixed column widths: the view never measures
    // 100 000 rows to lay them out.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Widths in characters of the fixed font, room for the cell's margins included.
    const int character = table->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const int widths[TrafficTableModel::ColumnCount] = {14, 4, 11, 30, 36, 14, 11, 16, 13, 9};
    for (int column = 0; column < TrafficTableModel::ColumnCount; ++column)
        table->setColumnWidth(column, widths[column] * character);

    connect(m_ui->filterEdit, &QLineEdit::textChanged, this, [this](const QString& typed) {
        m_model->setFilter(typed);
        if (m_ui->followCheck->isChecked())
            m_ui->table->scrollToBottom();
        showStatus();
    });
    connect(m_ui->pauseButton, &QPushButton::toggled, this, [this](bool paused) {
        if (!paused)
            refresh();
        showStatus();
    });
    connect(m_ui->followCheck, &QCheckBox::toggled, this, [this](bool follow) {
        if (follow)
            m_ui->table->scrollToBottom();
    });
    connect(m_ui->clearButton, &QPushButton::clicked, this, [this] {
        m_record.clear();
        m_model->sync();
        showStatus();
    });
    connect(m_ui->copyButton, &QPushButton::clicked, this, [this] { copySelection(); });
    auto* copyKey = new QShortcut(QKeySequence::Copy, table);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, [this] { copySelection(); });
    connect(m_ui->saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->loadButton, &QPushButton::clicked, this, [this] { load(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::close);

    m_model->sync();
    table->scrollToBottom();
    showStatus();
}

void TrafficWindow::refresh()
{
    const int before = m_model->rowCount();
    const std::uint64_t firstBefore = m_record.firstSequence();
    m_model->sync();
    if (m_model->rowCount() != before || m_record.firstSequence() != firstBefore) {
        if (m_ui->followCheck->isChecked())
            m_ui->table->scrollToBottom();
    }
    showStatus();
}

void TrafficWindow::showStatus()
{
    QString status;
    const auto shown = static_cast<std::size_t>(m_model->rowCount());
    if (m_record.dropped() > 0)
        status = qText(Messages::format(Messages::TrafficShownDropped, shown, m_model->takenIn(),
                                        static_cast<unsigned long long>(m_record.dropped())));
    else
        status = qText(Messages::format(Messages::TrafficShown, shown, m_model->takenIn()));
    if (!m_lastSaved.isEmpty())
        status += QStringLiteral("   ") + m_lastSaved;
    m_ui->statusLine->setText(status);
}

QString TrafficWindow::selectedText() const
{
    QModelIndexList rows = m_ui->table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::string text;
    for (const QModelIndex& row : rows) {
        if (const TrafficEntry* entry = m_model->entry(row.row()))
            text += TrafficTextLog::line(*entry, m_record.sessionStart());
    }
    return QString::fromStdString(text);
}

void TrafficWindow::copySelection()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TrafficWindow::save()
{
    const auto chosen =
        m_prompter.chooseFile(FileChoice::Save, Messages::TrafficSaveFilter, TrafficFiles::suggestedName(m_record.sessionStart()));
    if (!chosen)
        return;
    const TrafficFiles::Saved saved = TrafficFiles::save(m_record, *chosen);
    if (saved.failure) {
        m_prompter.showMessage(
            Messages::format(Messages::TrafficNotSaved, saved.failedPath.c_str(), saved.failure->c_str()),
            Messages::TrafficErrorTitle, MessageIcon::Error);
        return;
    }
    m_lastSaved = qText(Messages::format(Messages::TrafficSaved, saved.logPath.c_str(), saved.capturePath.c_str()));
    showStatus();
}

void TrafficWindow::load()
{
    const auto chosen = m_prompter.chooseFile(FileChoice::Open, Messages::TrafficLoadFilter, {});
    if (!chosen)
        return;
    TrafficFiles::Opened opened = TrafficFiles::open(*chosen);
    if (!opened.record) {
        m_prompter.showMessage(Messages::format(Messages::TrafficNotLoaded, chosen->c_str(), opened.failure.c_str()),
                               Messages::TrafficErrorTitle, MessageIcon::Error);
        return;
    }
    const QString name = QFileInfo(QString::fromStdString(*chosen)).fileName();
    auto* window = new TrafficWindow(std::move(opened.record), name, m_prompter, parentWidget() ? parentWidget() : this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (opened.damaged)
        m_prompter.showMessage(Messages::format(Messages::TrafficCaptureDamaged, chosen->c_str(), opened.entriesRead),
                               Messages::TrafficErrorTitle, MessageIcon::Warning);
}

} // namespace tarn
