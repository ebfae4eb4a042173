#pragma once

#include <QTableWidget>

#include <functional>
#include <optional>

namespace tarn {

// A grid of text cells with a fixed header row (row 0) and a fixed first
// column (column 0) that stay in view while the rest scrolls. Cells are
// addressed by (row, column) counting the fixed ones, so row 1, column 1 is
// the first editable cell. At the end of each edit the owner's check decides
// what the cell keeps: the text it returns, or the old text when it refuses.
class EditableGrid final : public QTableWidget {
    Q_OBJECT
public:
    struct Cell {
        int row = -1;
        int column = -1;
    };
    // The text the edited cell keeps, or nullopt to keep its old text.
    using EditCheck = std::function<std::optional<QString>(Cell cell, const QString& text)>;

    explicit EditableGrid(QWidget* parent = nullptr);

    void setGridSize(int rows, int columns);
    int gridRows() const { return rowCount() + 1; }
    int gridColumns() const { return columnCount() + 1; }

    // Any cell, the fixed ones included.
    void setCellText(Cell cell, const QString& text);
    QString cellText(Cell cell) const;
    void setGridColumnWidth(int column, int width);
    void setRowShade(int row, const QColor& colour);
    QColor rowShade(int row) const;

    // The cell with the grid's focus; row and column -1 when there is none.
    Cell focusedCell() const;
    void focusCell(Cell cell);

    void setEditCheck(EditCheck check) { m_check = std::move(check); }
    // Runs the owner's check for an edit of `cell` ending with `text`; the
    // delegate calls it, and so may a test.
    std::optional<QString> checkEdit(Cell cell, const QString& text) const;

private:
    EditCheck m_check;
};

} // namespace tarn
