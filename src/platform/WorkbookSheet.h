#pragma once

#include <QString>

#include <algorithm>
#include <variant>
#include <vector>

namespace lumetra {

// One cell of a worksheet: 1-based row and column, a number or a text.
struct WorkbookCell
{
    int row = 0;
    int column = 0;
    std::variant<double, QString> value;

    bool isNumber() const { return std::holds_alternative<double>(value); }
    double number() const { return isNumber() ? std::get<double>(value) : 0.0; }
    QString text() const { return isNumber() ? QString() : std::get<QString>(value); }
};

// The contents of a one-sheet workbook, kept in the order the cells were written. Writing a
// cell twice keeps the later value, as a spreadsheet does.
class WorkbookSheet
{
public:
    void setNumber(int row, int column, double value) { m_cells.push_back({row, column, value}); }
    void setText(int row, int column, const QString &text) { m_cells.push_back({row, column, text}); }
    void reserve(size_t cells) { m_cells.reserve(cells); }

    const std::vector<WorkbookCell> &cells() const { return m_cells; }
    bool isEmpty() const { return m_cells.empty(); }

    // The cell at (row, column) as last written, or nullptr for an empty cell.
    const WorkbookCell *find(int row, int column) const
    {
        auto it = std::find_if(m_cells.rbegin(), m_cells.rend(),
                               [&](const WorkbookCell &c) { return c.row == row && c.column == column; });
        return it == m_cells.rend() ? nullptr : &*it;
    }

private:
    std::vector<WorkbookCell> m_cells;
};

// The spreadsheet name of a 1-based column: "A".."Z", then "AA".."AZ", "BA", ... "ZZ", "AAA".
inline QString columnName(int column)
{
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

} // namespace lumetra
