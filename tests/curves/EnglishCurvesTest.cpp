// The curve windows in English: both windows, their popup menu, the width readout and the
// intensity table carry no Chinese, and the English captions fit their fixed buttons.
#include "CurveFixture.h"

#include "curves/CurveWidthReadout.h"
#include "curves/IntensityTableWindow.h"
#include "platform/settings/Calibration.h"
#include "support/EnglishInterface.h"
#include "support/TextFits.h"
#include "support/WidgetTexts.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace lumetra::test {
namespace {

class EnglishCurves : public CurveFixture, public ::testing::WithParamInterface<bool>
{
};

TEST_P(EnglishCurves, TheWindowItsTableAndReadoutSpeakEnglishAndFit)
{
    const bool vertical = GetParam();
    const EnglishInterface english; // before any window
    CurveWindow *w = openCurves(vertical);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), vertical ? QStringLiteral("Vertical intensity profile")
                                         : QStringLiteral("Horizontal intensity profile"));
    auto *markers = w->findChild<QCheckBox *>(QStringLiteral("widthMarkers"));
    ASSERT_NE(markers, nullptr);
    markers->setChecked(true);
    const QString readout = w->widthReadout().label()->text();
    EXPECT_TRUE(readout.contains(QStringLiteral("FWHM  raw ")) &&
                readout.contains(QStringLiteral("analysed ")))
        << readout.toStdString();

    IntensityTableWindow *table = IntensityTableWindow::instance(*context);
    ASSERT_NE(table, nullptr);
    for (QWidget *window : {static_cast<QWidget *>(w), static_cast<QWidget *>(table)}) {
        SCOPED_TRACE(window->objectName().toStdString());
        const QStringList chinese = chineseTexts(window);
        EXPECT_TRUE(chinese.isEmpty()) << qPrintable(chinese.join(u'\n'));
        const QStringList cut = cutTexts(window);
        EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));
    }
    // The table's columns are as wide as their English headers.
    auto *view = table->findChild<QTableView *>(QStringLiteral("valueList"));
    ASSERT_NE(view, nullptr);
    const QHeaderView *header = view->horizontalHeader();
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const QString text = view->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(header->sectionSize(c), header->fontMetrics().horizontalAdvance(text))
            << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, EnglishCurves, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("Vertical") : std::string("Horizontal");
                         });

TEST(EnglishCurveTexts, WidthsAndTheCutCaptionReadInEnglish)
{
    const EnglishInterface english;
    EXPECT_EQ(CurveWidthReadout::widthText(4000.0, Calibration{5.5, 1.0}),
              QStringLiteral("4000.0 px (22.00 mm)"));
    EXPECT_EQ(CurveWidthReadout::widthText(47.04, Calibration{}), QStringLiteral("47.0 px"));
}

} // namespace
} // namespace lumetra::test
