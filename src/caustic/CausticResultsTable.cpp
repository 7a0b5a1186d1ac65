#include "caustic/CausticResultsTable.h"

#include <QHeaderView>

namespace lumetra {

namespace {

const char *const RowTitles[] = {"d₀ (µm)",
                                 "z₀ (mm)",
                                 "z_R (mm)",
                                 "Θ (mrad)",
                                 "M²",
                                 QT_TRANSLATE_NOOP("lumetra::CausticResultsTable", "残差 rms (µm)"),
                                 QT_TRANSLATE_NOOP("lumetra::CausticResultsTable", "点数"),
                                 QT_TRANSLATE_NOOP("lumetra::CausticResultsTable", "z_R 内"),
                                 QT_TRANSLATE_NOOP("lumetra::CausticResultsTable", "2 z_R 外"),
                                 "ISO 11146-1"};

} // namespace

CausticResultsTable::CausticResultsTable(QWidget *parent) : QTableWidget(RowCount, 0, parent)
{
    setObjectName(QStringLiteral("results"));
    QStringList titles;
    for (int row = 0; row < RowCount; ++row)
        titles << rowTitle(row);
    setVerticalHeaderLabels(titles);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWordWrap(true);
}

QString CausticResultsTable::rowTitle(int row)
{
    return row >= 0 && row < RowCount ? tr(RowTitles[row]) : QString();
}

QStringList CausticResultsTable::columnTexts(const CausticAxisResult &result)
{
    QStringList texts;
    for (int row = 0; row < RowCount; ++row)
        texts << QString();
    if (!result.fit.ok()) {
        texts[Iso] = tr("无法拟合：%1").arg(causticFailureText(result.fit));
        return texts;
    }
    const beam::CausticFit &f = *result.fit.fit;
    const int decimals[RowCount] = {1, 2, 2, 3, 3, 2, 0, 0, 0, 0};
    for (int row = 0; row < Iso; ++row) {
        const std::optional<double> error = rowError(f, row);
        texts[row] = figureWithError(rowValue(f, row), error.value_or(0), error.has_value(), decimals[row]);
    }
    texts[Iso] = isoCheckText(f);
    return texts;
}

double CausticResultsTable::rowValue(const beam::CausticFit &f, int row)
{
    switch (row) {
    case D0: return f.d0Um;
    case Z0: return f.z0Mm;
    case Zr: return f.zrMm;
    case Theta: return f.thetaMrad;
    case M2: return f.m2;
    case Residual: return f.residualRmsUm;
    case Points: return f.points;
    case WithinZr: return f.pointsWithinZr;
    case Beyond2Zr: return f.pointsBeyond2Zr;
    default: return 0;
    }
}

std::optional<double> CausticResultsTable::rowError(const beam::CausticFit &f, int row)
{
    if (!f.sd.known || row < D0 || row > M2)
        return std::nullopt;
    const double errors[] = {f.sd.d0Um, f.sd.z0Mm, f.sd.zrMm, f.sd.thetaMrad, f.sd.m2};
    return errors[row];
}

void CausticResultsTable::showResults(const std::vector<CausticAxisResult> &results)
{
    setColumnCount(int(results.size()));
    QStringList names;
    for (int column = 0; column < int(results.size()); ++column) {
        const CausticAxisResult &result = results[std::size_t(column)];
        names << result.name;
        const QStringList texts = columnTexts(result);
        for (int row = 0; row < RowCount; ++row) {
            auto *item = new QTableWidgetItem(texts[row]);
            item->setTextAlignment(Qt::Alignment(row == Iso ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (row == Iso)
                item->setForeground(result.fit.ok() && result.fit.fit->isoValid ? QColor(0, 128, 0) : QColor(192, 0, 0));
            // An M² below 1 is not a result to read off without a second look.
            if (row == M2 && result.fit.ok() && !result.fit.fit->warnings.empty())
                item->setForeground(QColor(220, 0, 0));
            setItem(row, column, item);
        }
    }
    setHorizontalHeaderLabels(names);
}

QString CausticResultsTable::resultText(int row, int axis) const
{
    const QTableWidgetItem *cell = item(row, axis);
    return cell ? cell->text() : QString();
}

} // namespace lumetra
