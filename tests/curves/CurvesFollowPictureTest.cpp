// The open curve window always shows the picture on screen: after a filter, after new settings,
// after another picture was opened, and enlarged in line mode.
#include "CurveFixture.h"

#include "analysis/Module1.h"

namespace lumetra::test {
namespace {

using CurvesFollowPicture = CurveFixture;

// The table's two value columns, row by row.
[[maybe_unused]] QStringList tableValues(const AppContext &context)
{
    QStringList values;
    const frm_listview *table = frm_listview::instance(context);
    for (int row = 1; table && row <= table->rowCount(); ++row)
        values << table->text(row, 1) + QLatin1Char('/') + table->text(row, 2);
    return values;
}

TEST_F(CurvesFollowPicture, LineModeEnlargedShowsTheBlueCurve)
{
    // Also with the integration width 0 of a fresh install (no smoothing along the cut).
    for (const bool vertical : {false, true, false, true}) {
        static int run = 0;
        if (run++ == 2)
            writeSettings(QStringLiteral("0"));
        CurveWindow *w = openCurves(vertical);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
        const int normal = countColour(w->plot(), colours::AnalysedLine);
        EXPECT_GT(normal, 100);
        QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
        EXPECT_GT(countColour(w->plot(), colours::AnalysedLine), normal) << vertical;
        closeAllWindows();
    }
}

} // namespace
} // namespace lumetra::test
