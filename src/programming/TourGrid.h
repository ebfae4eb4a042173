#pragma once

#include "programming/LocalTables.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// The tour table of the Tours and Sectors dialog as texts: 33 rows by 3
// columns, row 0 the header ("Preset", "Dwell"), column 0 the step numbers
// 1..32. Rows 1..32 of the other two columns hold a tour's steps; an empty
// cell is an empty step.
class TourGrid {
public:
    static constexpr int RowCount = 33;
    static constexpr int ColumnCount = 3;
    static constexpr int StepColumn = 0;
    static constexpr int PresetColumn = 1;
    static constexpr int DwellColumn = 2;
    static constexpr int FirstStepRow = 1;
    static constexpr int LastStepRow = 32;
    static constexpr std::array<int, ColumnCount> ColumnWidths = {30, 50, 50};
    static constexpr int HighestPreset = 64;
    static constexpr int HighestDwell = 60;
    static constexpr int ShortestDwell = 5;
    // A step's preset or dwell goes to the camera as its value plus 16.
    static constexpr int StepByteOffset = 16;

    TourGrid();

    // Any cell, header and step numbers included; empty outside the grid.
    const std::string& text(int row, int column) const;
    bool isEmpty(int row, int column) const { return text(row, column).empty(); }
    // The cell's decimal value; 0 for an empty cell.
    int value(int row, int column) const;
    // Step cells only (rows 1..32, columns 1 and 2).
    void setText(int row, int column, std::string text);
    static bool isStepCell(int row, int column);

    // Every even row is shaded light green, so the eye keeps the line.
    static bool isShaded(int row) { return row > 0 && row % 2 == 0; }

    // What an edit of a step cell leaves in it, or nullopt when the text is
    // refused: presets 0..64, dwell times 0 and 5..60, an empty cell.
    static std::optional<std::string> acceptedText(int column, std::string_view text);

    void clearSteps();
    // Shows a tour's steps; a value the cell would not accept shows empty.
    void showTour(const CCameraTour& tour);
    // Rows 1..33 become the tour's 33 step pairs (an empty cell is 0).
    void storeInto(CCameraTour& tour) const;
    // One byte per row 1..33 of the column: its value + 16 (0x10 for empty).
    std::string stepBytes(int column) const;

private:
    std::array<std::array<std::string, ColumnCount>, RowCount> m_cells{};
};

} // namespace tarn
