#pragma once

#include <QString>

#include <algorithm>
#include <vector>

namespace lumetra {

// One cell of a worksheet: 1-based row and column, a number or a text.
struct WorkbookCell
{
    int row = 0;
    int column = 0;
    double value = 0;
    QString textValue;
    bool isText = false;

    bool isNumber() const { return !isText; }
    double number() const { return isText ? 0.0 : value; }
    QString text() const { return isText ? textValue : QString(); }
};

// The contents of a one-sheet workbook, kept in the order the cells were written. Writing a
// cell twice keeps the later value, as a spreadsheet does.
class WorkbookSheet
{
public:
    void setNumber(int row, int column, double value)
    {
        m_cells.push_back({row, column, value, QString(), false});
    }
    void setText(int row, int column, const QString &text)
    {
        m_cells.push_back({row, column, 0.0, text, true});
    }
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
