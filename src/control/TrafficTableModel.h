#pragma once

#include "link/TrafficFilter.h"
#include "link/TrafficRecord.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace tarn {

// The traffic record as a table, one row per entry the filter keeps. The
// rows are sequence numbers into the record, so taking in what the record
// gained and lost costs only the change, and filtering 100 000 entries is
// one pass over them.
class TrafficTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Direction, Address, Text, Hex, Verdict, RoundTrip, To, Kind, Link, ColumnCount };

    explicit TrafficTableModel(const TrafficRecord& record, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes in the entries that became final and lets go of those the
    // record dropped or cleared since the last call.
    void sync();
    // Shows only the entries that match; the entries taken in stay the same.
    void setFilter(const QString& typed);

    // Null when the row's entry is no longer held.
    const TrafficEntry* entry(int row) const;
    // Entries taken in, whether shown or not.
    std::size_t takenIn() const;

private:
    const TrafficRecord& m_record;
    TrafficFilter m_filter;
    std::vector<std::uint64_t> m_rows;
    // Entries before this one have been taken in.
    std::uint64_t m_seen = 0;
};

} // namespace tarn
