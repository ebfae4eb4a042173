#include "control/TrafficTableModel.h"

#include "core/Messages.h"
#include "link/TrafficDecoder.h"
#include "link/TrafficTextLog.h"
#include "widgets/ShowState.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace tarn {

namespace {

template <typename Enum, std::size_t N>
QString word(const std::string_view (&words)[N], Enum value)
{
    return qText(Messages::wordFor(words, value));
}

bool isTrouble(TrafficVerdict verdict)
{
    return verdict != TrafficVerdict::Ok && verdict != TrafficVerdict::None;
}

QString shownText(const TrafficEntry& entry)
{
    if (entry.text.empty())
        return qText(entry.note);
    if (entry.note.empty())
        return qText(entry.text);
    return qText(entry.text) + QStringLiteral("  (") + qText(entry.note) + QLatin1Char(')');
}

} // namespace

TrafficTableModel::TrafficTableModel(const TrafficRecord& record, QObject* parent)
    : QAbstractTableModel(parent)
    , m_record(record)
    , m_seen(record.firstSequence())
{
}

int TrafficTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TrafficTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const TrafficEntry* TrafficTableModel::entry(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return nullptr;
    return m_record.find(m_rows[static_cast<std::size_t>(row)]);
}

std::size_t TrafficTableModel::takenIn() const
{
    const std::uint64_t first = m_record.firstSequence();
    return m_seen > first ? static_cast<std::size_t>(m_seen - first) : 0;
}

QVariant TrafficTableModel::data(const QModelIndex& index, int role) const
{
    const TrafficEntry* e = entry(index.row());
    if (!e)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Time: return qText(TrafficTextLog::clockTime(m_record.sessionStart(), e->timeUs));
        case Direction: return word(Messages::TrafficDirections, e->direction);
        case Link: return word(Messages::TrafficTransports, e->transport);
        case Kind: return word(Messages::TrafficKinds, e->kind);
        case Address: return qText(TrafficTextLog::addressText(*e));
        case Text: return shownText(*e);
        case Hex: return qText(TrafficDecoder::hex(e->bytes));
        case Verdict: return word(Messages::TrafficVerdicts, e->verdict);
        case To: return word(Messages::TrafficDestinations, e->routedTo);
        case RoundTrip: {
            const std::string ms = TrafficTextLog::roundTripText(e->roundTripUs);
            return ms.empty() ? QString() : qText(ms) + qText(Messages::TrafficMilliseconds);
        }
        default: return {};
        }
    case Qt::ForegroundRole:
        if (isTrouble(e->verdict))
            return QBrush(QColor(190, 0, 0));
        switch (e->direction) {
        case TrafficDirection::Sent: return QBrush(QColor(0, 60, 170));
        case TrafficDirection::Received: return QBrush(QColor(0, 115, 0));
        case TrafficDirection::Event: return QBrush(QColor(110, 110, 110));
        }
        return {};
    case Qt::BackgroundRole:
        if (isTrouble(e->verdict))
            return QBrush(QColor(255, 226, 226));
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Text || index.column() == Hex)
            return qText(TrafficTextLog::line(*e, m_record.sessionStart())).trimmed();
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == RoundTrip)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default: return {};
    }
}

QVariant TrafficTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return qText(Messages::TrafficColumns[section]);
}

void TrafficTableModel::sync()
{
    // Gone from the record: always the oldest rows.
    const std::uint64_t first = m_record.firstSequence();
    const auto kept = std::lower_bound(m_rows.begin(), m_rows.end(), first);
    if (kept != m_rows.begin()) {
        beginRemoveRows({}, 0, static_cast<int>(kept - m_rows.begin()) - 1);
        m_rows.erase(m_rows.begin(), kept);
        endRemoveRows();
    }
    m_seen = std::max(m_seen, first);

    const std::uint64_t upTo = m_record.settledUpTo();
    std::vector<std::uint64_t> added;
    for (; m_seen < upTo; ++m_seen) {
        const TrafficEntry* e = m_record.find(m_seen);
        if (e && m_filter.matches(*e))
            added.push_back(m_seen);
    }
    if (added.empty())
        return;
    const int from = static_cast<int>(m_rows.size());
    beginInsertRows({}, from, from + static_cast<int>(added.size()) - 1);
    m_rows.insert(m_rows.end(), added.begin(), added.end());
    endInsertRows();
}

void TrafficTableModel::setFilter(const QString& typed)
{
    beginResetModel();
    m_filter = TrafficFilter(typed.toStdString());
    m_rows.clear();
    for (std::uint64_t sequence = m_record.firstSequence(); sequence < m_seen; ++sequence) {
        const TrafficEntry* e = m_record.find(sequence);
        if (e && m_filter.matches(*e))
            m_rows.push_back(sequence);
    }
    endResetModel();
}

} // namespace tarn
