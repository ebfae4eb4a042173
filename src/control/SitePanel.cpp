#include "control/SitePanel.h"

#include "ui_SitePanel.h"

#include "core/Messages.h"
#include "platform/Prompter.h"

#include <QPainter>
#include <QPixmap>

namespace tarn {
namespace {

constexpr int IndexRole = Qt::UserRole;

QIcon lampIcon(SiteCameraState state)
{
    const QColor colour = state == SiteCameraState::Answered ? QColor(0, 170, 0)
        : state == SiteCameraState::NoAnswer             ? QColor(200, 0, 0)
                                                          : QColor(160, 160, 160);
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(1, 1, 10, 10);
    return QIcon(pixmap);
}

QString stateWord(SiteCameraState state)
{
    const std::string_view word = state == SiteCameraState::Answered ? Messages::SiteAnswered
        : state == SiteCameraState::NoAnswer                           ? Messages::SiteNoAnswer
                                                                       : Messages::SiteNotTried;
    return QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
}

} // namespace

SitePanel::SitePanel(SiteSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::SitePanel>())
    , m_session(session)
    , m_prompter(prompter)
{
    m_ui->setupUi(this);
    connect(m_ui->openButton, &QPushButton::clicked, this, [this] { openFile(); });
    connect(m_ui->addButton, &QPushButton::clicked, this, [this] { m_session.addCurrent(); });
    connect(m_ui->removeButton, &QPushButton::clicked, this, [this] {
        if (const int index = selectedIndex(); index >= 0)
            m_session.remove(index);
    });
    connect(m_ui->filterEdit, &QLineEdit::textChanged, this, [this] { applyFilter(); });
    connect(m_ui->cameraList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { m_session.choose(item->data(IndexRole).toInt()); });
    connect(m_ui->cameraList, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    for (QLineEdit* edit : {m_ui->nameEdit, m_ui->groupEdit, m_ui->noteEdit})
        connect(edit, &QLineEdit::editingFinished, this, [this] { applyEdits(); });
    // A drop moves one row: the list follows it, then redraws from the session.
    connect(m_ui->cameraList->model(), &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int from, int, const QModelIndex&, int to) {
                if (m_refreshing)
                    return;
                const int destination = to > from ? to - 1 : to;
                QMetaObject::invokeMethod(this, [this, from, destination] { m_session.move(from, destination); },
                                          Qt::QueuedConnection);
            });
    m_session.setChanged([this] { refresh(); });
    refresh();
}

SitePanel::~SitePanel()
{
    m_session.setChanged({});
}

void SitePanel::openFile()
{
    if (const auto path = m_prompter.chooseFile(FileChoice::Open, Messages::SiteFileFilter, {}))
        m_session.open(*path);
}

void SitePanel::quickKey(int key)
{
    if (const auto index = m_session.list().quickKey(key))
        m_session.choose(*index);
}

int SitePanel::selectedIndex() const
{
    const QListWidgetItem* item = m_ui->cameraList->currentItem();
    return item ? item->data(IndexRole).toInt() : -1;
}

void SitePanel::refresh()
{
    m_refreshing = true;
    const int selected = selectedIndex();
    const SiteList& list = m_session.list();
    QListWidget* view = m_ui->cameraList;
    view->clear();
    for (int i = 0; i < list.size(); ++i) {
        const SiteList::Entry& entry = list.at(i);
        const SiteCamera& camera = entry.camera;
        const QString text = QString::fromStdString(
            Messages::format(Messages::SiteRow, camera.name.c_str(), camera.address, camera.link.c_str()));
        auto* item = new QListWidgetItem(lampIcon(entry.state), text, view);
        item->setData(IndexRole, i);
        item->setToolTip(stateWord(entry.state));
        // The screen reader says the lamp too.
        item->setData(Qt::AccessibleTextRole, text + QStringLiteral(", ") + stateWord(entry.state));
        if (m_session.current() == i) {
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
        }
        if (i == selected)
            view->setCurrentItem(item);
    }
    m_refreshing = false;
    applyFilter();
    showSelected();
    const bool hasFile = !m_session.path().empty();
    m_ui->camerasLabel->setToolTip(QString::fromStdString(m_session.path()));
    m_ui->removeButton->setEnabled(hasFile && selectedIndex() >= 0);
}

void SitePanel::applyFilter()
{
    const std::string text = m_ui->filterEdit->text().toStdString();
    const std::vector<int> shown = m_session.list().filter(text);
    QListWidget* view = m_ui->cameraList;
    for (int row = 0; row < view->count(); ++row) {
        QListWidgetItem* item = view->item(row);
        const int index = item->data(IndexRole).toInt();
        item->setHidden(std::find(shown.begin(), shown.end(), index) == shown.end());
    }
    // Reordering a filtered list would move cameras the operator cannot see.
    view->setDragDropMode(text.empty() ? QAbstractItemView::InternalMove : QAbstractItemView::NoDragDrop);
}

void SitePanel::showSelected()
{
    const int index = selectedIndex();
    const bool any = index >= 0 && index < m_session.list().size();
    const SiteCamera* camera = any ? &m_session.list().at(index).camera : nullptr;
    m_ui->nameEdit->setText(camera ? QString::fromStdString(camera->name) : QString());
    m_ui->groupEdit->setText(camera ? QString::fromStdString(camera->group) : QString());
    m_ui->noteEdit->setText(camera ? QString::fromStdString(camera->note) : QString());
    for (QWidget* edit : {static_cast<QWidget*>(m_ui->nameEdit), static_cast<QWidget*>(m_ui->groupEdit),
                          static_cast<QWidget*>(m_ui->noteEdit)})
        edit->setEnabled(any);
    m_ui->removeButton->setEnabled(any);
}

void SitePanel::applyEdits()
{
    if (m_refreshing)
        return;
    const int index = selectedIndex();
    if (index < 0)
        return;
    if (!m_session.rename(index, m_ui->nameEdit->text().toStdString(), m_ui->groupEdit->text().toStdString(),
                          m_ui->noteEdit->text().toStdString()))
        showSelected(); // refused: the entry as it is
}

} // namespace tarn
