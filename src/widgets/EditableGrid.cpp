#include "widgets/EditableGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace tarn {

namespace {

// Hands the end of every edit to the grid's check before the model sees it.
class CheckingDelegate final : public QStyledItemDelegate {
public:
    explicit CheckingDelegate(EditableGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            return;
        const auto kept = m_grid->checkEdit({index.row() + 1, index.column() + 1}, line->text());
        if (kept)
            model->setData(index, *kept, Qt::EditRole);
    }

private:
    EditableGrid* m_grid;
};

} // namespace

EditableGrid::EditableGrid(QWidget* parent)
    : QTableWidget(parent)
{
    setItemDelegate(new CheckingDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Rows as tall as a line of text, so many steps are in view at once.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void EditableGrid::setGridSize(int rows, int columns)
{
    setRowCount(std::max(rows - 1, 0));
    setColumnCount(std::max(columns - 1, 0));
    for (int row = 0; row < rowCount(); ++row) {
        setVerticalHeaderItem(row, new QTableWidgetItem);
        for (int column = 0; column < columnCount(); ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    for (int column = 0; column < columnCount(); ++column)
        setHorizontalHeaderItem(column, new QTableWidgetItem);
}

void EditableGrid::setCellText(Cell cell, const QString& text)
{
    QTableWidgetItem* target = nullptr;
    if (cell.row == 0 && cell.column > 0)
        target = horizontalHeaderItem(cell.column - 1);
    else if (cell.column == 0 && cell.row > 0)
        target = verticalHeaderItem(cell.row - 1);
    else if (cell.row > 0 && cell.column > 0)
        target = item(cell.row - 1, cell.column - 1);
    if (target)
        target->setText(text);
}

QString EditableGrid::cellText(Cell cell) const
{
    const QTableWidgetItem* source = nullptr;
    if (cell.row == 0 && cell.column > 0)
        source = horizontalHeaderItem(cell.column - 1);
    else if (cell.column == 0 && cell.row > 0)
        source = verticalHeaderItem(cell.row - 1);
    else if (cell.row > 0 && cell.column > 0)
        source = item(cell.row - 1, cell.column - 1);
    return source ? source->text() : QString();
}

void EditableGrid::setGridColumnWidth(int column, int width)
{
    if (column == 0)
        verticalHeader()->setFixedWidth(width);
    else
        setColumnWidth(column - 1, width);
}

void EditableGrid::setRowShade(int row, const QColor& colour)
{
    for (int column = 0; row > 0 && column < columnCount(); ++column) {
        if (QTableWidgetItem* cell = item(row - 1, column))
            cell->setBackground(colour);
    }
}

QColor EditableGrid::rowShade(int row) const
{
    const QTableWidgetItem* cell = row > 0 ? item(row - 1, 0) : nullptr;
    return cell ? cell->background().color() : QColor();
}

EditableGrid::Cell EditableGrid::focusedCell() const
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return {};
    return {index.row() + 1, index.column() + 1};
}

void EditableGrid::focusCell(Cell cell)
{
    if (cell.row < 1 || cell.column < 1)
        return;
    setCurrentCell(cell.row - 1, cell.column - 1);
    setFocus();
}

std::optional<QString> EditableGrid::checkEdit(Cell cell, const QString& text) const
{
    if (!m_check)
        return text;
    return m_check(cell, text);
}

} // namespace tarn
