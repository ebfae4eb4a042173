#include "programming/TourGrid.h"

#include <charconv>

namespace tarn {

namespace {

bool inRange(int column, int value)
{
    if (column == TourGrid::PresetColumn)
        return value >= 0 && value <= TourGrid::HighestPreset;
    return value == 0 || (value >= TourGrid::ShortestDwell && value <= TourGrid::HighestDwell);
}

std::optional<int> number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    return value;
}

} // namespace

TourGrid::TourGrid()
{
    m_cells[0][PresetColumn] = "Preset";
    m_cells[0][DwellColumn] = "Dwell";
    for (int row = FirstStepRow; row <= LastStepRow; ++row)
        m_cells[static_cast<std::size_t>(row)][StepColumn] = std::to_string(row);
}

const std::string& TourGrid::text(int row, int column) const
{
    static const std::string none;
    if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount)
        return none;
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int TourGrid::value(int row, int column) const
{
    return number(text(row, column)).value_or(0);
}

bool TourGrid::isStepCell(int row, int column)
{
    return row >= FirstStepRow && row <= LastStepRow && (column == PresetColumn || column == DwellColumn);
}

void TourGrid::setText(int row, int column, std::string text)
{
    if (isStepCell(row, column))
        m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

std::optional<std::string> TourGrid::acceptedText(int column, std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string();
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const auto value = number(text);
    if (!value || !inRange(column, *value))
        return std::nullopt;
    return std::to_string(*value);
}

void TourGrid::clearSteps()
{
    for (int row = FirstStepRow; row <= LastStepRow; ++row) {
        setText(row, PresetColumn, {});
        setText(row, DwellColumn, {});
    }
}

void TourGrid::showTour(const CCameraTour& tour)
{
    for (int row = FirstStepRow; row <= LastStepRow; ++row) {
        const TourStep& step = tour.steps[static_cast<std::size_t>(row - 1)];
        const auto shown = [](int column, int value) {
            return value != 0 && inRange(column, value) ? std::to_string(value) : std::string();
        };
        setText(row, PresetColumn, shown(PresetColumn, step.preset));
        setText(row, DwellColumn, shown(DwellColumn, step.dwell));
    }
}

void TourGrid::storeInto(CCameraTour& tour) const
{
    for (int row = FirstStepRow; row <= CCameraTour::StepCount; ++row) {
        TourStep& step = tour.steps[static_cast<std::size_t>(row - 1)];
        step.preset = value(row, PresetColumn);
        step.dwell = value(row, DwellColumn);
    }
}

std::string TourGrid::stepBytes(int column) const
{
    std::string bytes;
    for (int row = FirstStepRow; row <= CCameraTour::StepCount; ++row) {
        // Cells only ever hold accepted values; anything else goes out empty
        // rather than as a byte the camera would misread.
        const int v = value(row, column);
        bytes.push_back(static_cast<char>((inRange(column, v) ? v : 0) + StepByteOffset));
    }
    return bytes;
}

} // namespace tarn
