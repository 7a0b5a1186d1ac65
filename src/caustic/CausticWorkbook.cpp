#include "caustic/CausticWorkbook.h"

#include "caustic/CausticFrameModel.h"
#include "caustic/CausticResultsTable.h"

#include <QCoreApplication>

namespace lumetra {

WorkbookSheet causticWorkbook(const CausticFrameModel &frames, const std::vector<CausticAxisResult> &results,
                              double wavelengthNm)
{
    WorkbookSheet sheet;
    sheet.setText(1, 1, QCoreApplication::translate("CausticWorkbook", "M² 焦散测量 (ISO 11146-1)"));
    sheet.setText(2, 1, QCoreApplication::translate("CausticWorkbook", "波长 (nm)"));
    sheet.setNumber(2, 2, wavelengthNm);
    sheet.setText(3, 1, QCoreApplication::translate("CausticWorkbook", "像素尺寸 (µm)"));
    sheet.setNumber(3, 2, frames.pixelSizeUm());

    int row = 5;
    for (int column = 0; column < CausticFrameModel::ColumnCount; ++column)
        sheet.setText(row, column + 1, frames.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    for (int r = 0; r < frames.rowCount(); ++r) {
        ++row;
        const CausticFrame &frame = frames.frames()[std::size_t(r)];
        sheet.setText(row, 1, frame.path);
        if (frame.zMm)
            sheet.setNumber(row, CausticFrameModel::ZColumn + 1, *frame.zMm);
        if (frame.state == CausticFrame::State::Ok) {
            const double px = frames.pixelSizeUm();
            const double diameters[] = {frame.dX, frame.dY, frame.dMajor, frame.dMinor};
            for (int d = 0; d < 4; ++d)
                sheet.setNumber(row, CausticFrameModel::DxColumn + 1 + d, diameters[d] * px);
        }
        for (const int column : {CausticFrameModel::StripeColumn, CausticFrameModel::StatusColumn})
            sheet.setText(row, column + 1, frames.cellText(r, column));
    }

    row += 2;
    sheet.setText(row, 1, QCoreApplication::translate("CausticWorkbook", "参数"));
    // The standard errors in columns of their own to the right of the figures.
    const int errorColumn = int(results.size()) + 2;
    for (std::size_t a = 0; a < results.size(); ++a) {
        sheet.setText(row, int(a) + 2, results[a].name);
        sheet.setText(row, errorColumn + int(a),
                      QCoreApplication::translate("CausticWorkbook", "%1 标准误差").arg(results[a].name));
    }
    for (int r = 0; r < CausticResultsTable::RowCount; ++r) {
        sheet.setText(row + 1 + r, 1, CausticResultsTable::rowTitle(r));
        for (std::size_t a = 0; a < results.size(); ++a) {
            const beam::CausticFitResult &fit = results[a].fit;
            if (r == CausticResultsTable::Iso)
                sheet.setText(row + 1 + r, int(a) + 2, CausticResultsTable::columnTexts(results[a])[r]);
            else if (fit.ok())
                sheet.setNumber(row + 1 + r, int(a) + 2, CausticResultsTable::rowValue(*fit.fit, r));
            const std::optional<double> error = fit.ok() ? CausticResultsTable::rowError(*fit.fit, r) : std::nullopt;
            if (error)
                sheet.setNumber(row + 1 + r, errorColumn + int(a), *error);
        }
    }
    return sheet;
}

} // namespace lumetra
