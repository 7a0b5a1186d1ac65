// Where new windows go on the main window's document area, for the screens labs use: free space
// beside and then below the workspace first, the picture covered only when nothing else is left,
// always inside the visible area; tiling and cascading inside the area.
#include "platform/ports/WindowPlacement.h"

#include <gtest/gtest.h>

namespace lumetra {
namespace {

using window_placement::Scene;

// The document area of a main window covering a screen: the menu, tool and status bars and the
// banner take 147 pixels of its height.
QRect areaOf(const QSize &screen)
{
    return QRect(0, 0, screen.width(), screen.height() - 147);
}

// The workspace at the area's top-left corner with its picture inside it.
const QRect Workspace(0, 0, 719, 621);
const QRect Picture(35, 108, 644, 484);

long long coveredArea(const QRect &a, const QRect &b)
{
    const QRect c = a & b;
    return c.isEmpty() ? 0 : static_cast<long long>(c.width()) * c.height();
}

struct Case
{
    const char *name;
    QSize screen;
    QList<QRect> others;   // besides the workspace
    QSize size, minimum;   // of the new window
    bool pictureFree;      // a place exists that leaves the picture uncovered
    QPoint expected;       // where the window goes (-1, -1: anywhere that obeys the rule)
};

class NewWindowPlacement : public ::testing::TestWithParam<Case>
{
};

TEST_P(NewWindowPlacement, FreeSpaceFirstNeverOverThePictureAlwaysInside)
{
    const Case &c = GetParam();
    Scene scene{areaOf(c.screen), {Picture}, QList<QRect>{Workspace} + c.others};
    const QRect placed = window_placement::placeNewWindow(scene, c.size, c.minimum);
    EXPECT_TRUE(scene.area.contains(placed)) << c.name;
    EXPECT_GE(placed.width(), c.minimum.width()) << c.name;
    EXPECT_GE(placed.height(), c.minimum.height()) << c.name;
    EXPECT_LE(placed.width(), c.size.width()) << c.name;
    EXPECT_LE(placed.height(), c.size.height()) << c.name;
    EXPECT_TRUE(!c.pictureFree || !placed.intersects(Picture)) << c.name;
    if (c.expected != QPoint(-1, -1)) {
        EXPECT_EQ(placed.topLeft(), c.expected) << c.name;
    }
}

const QRect Curves(719, 0, 710, 330);
const QRect Beam(719, 330, 706, 518);

INSTANTIATE_TEST_SUITE_P(
    Screens, NewWindowPlacement,
    ::testing::Values(
        // The curve window beside the workspace where there is room, below it at 1280 x 800 only
        // as far as the area goes; the picture is then covered as little as possible.
        Case{"curves 1920", {1920, 1080}, {}, {710, 330}, {710, 330}, true, {719, 0}},
        Case{"curves 1600", {1600, 1000}, {}, {710, 330}, {710, 330}, true, {719, 0}},
        Case{"curves 1280", {1280, 800}, {}, {710, 330}, {710, 330}, false, {570, 0}},
        // The beam window below the curves when they took the place beside the workspace.
        Case{"beam 1920", {1920, 1080}, {Curves}, {706, 900}, {706, 370}, true, {719, 330}},
        Case{"beam 1600", {1600, 1000}, {Curves}, {706, 900}, {706, 370}, true, {719, 330}},
        // The M² window shrinks to fit beside the picture rather than cover it.
        Case{"m2 1920", {1920, 1080}, {Curves, Beam}, {1300, 760}, {909, 418}, true, {-1, -1}},
        Case{"m2 1600", {1600, 1000}, {Curves, Beam}, {1300, 760}, {909, 418}, true, {-1, -1}},
        // Larger than the whole area: cut to it, the title bar at the top-left corner.
        Case{"m2 1280", {1280, 800}, {Curves, Beam}, {1300, 760}, {909, 418}, false, {-1, -1}},
        // A small window finds a free corner below the workspace.
        Case{"table 1600", {1600, 1000}, {Curves, Beam}, {264, 522}, {264, 200}, true, {0, 621}}),
    [](const ::testing::TestParamInfo<Case> &info) {
        std::string name = info.param.name;
        for (char &ch : name)
            if (ch == ' ')
                ch = '_';
        return name;
    });

TEST(NewWindowPlacementRule, CoversAsLittleOfThePictureAsItMustAndKeepsItsTitleBarInSight)
{
    // No place spares the picture: of the places inside the area, the one covering least of it.
    const Scene scene{areaOf({1280, 800}), {Picture}, {Workspace}};
    const QRect placed = window_placement::placeNewWindow(scene, {706, 518}, {706, 370});
    EXPECT_TRUE(scene.area.contains(placed));
    for (int x = 0; x + 706 <= scene.area.width(); x += 37)
        for (int y = 0; y + 370 <= scene.area.height(); y += 29)
            EXPECT_LE(coveredArea(placed, Picture), coveredArea(QRect(x, y, 706, 370), Picture)) << x << "," << y;

    // A window larger than the area even at its minimum: its top-left corner (the title bar)
    // stays at the area's corner.
    const Scene tiny{QRect(0, 0, 500, 300), {}, {}};
    EXPECT_EQ(window_placement::placeNewWindow(tiny, {800, 600}, {640, 480}).topLeft(), QPoint(0, 0));
    EXPECT_EQ(window_placement::keepInside(QRect(0, 0, 500, 300), QRect(300, 200, 800, 600), {640, 480}),
              QRect(0, 0, 640, 480));
    // Pushed back from beyond the right and bottom edges, not resized when it fits.
    EXPECT_EQ(window_placement::keepInside(QRect(0, 0, 1600, 853), QRect(1200, 700, 710, 330), {710, 330}),
              QRect(890, 523, 710, 330));
}

TEST(TileAndCascade, StayInsideTheAreaOnEveryScreen)
{
    const QList<QSize> minimums{{719, 621}, {710, 330}, {264, 200}, {706, 370}, {909, 418}, {648, 553}, {347, 342}};
    const QList<QSize> sizes{{719, 621}, {710, 330}, {264, 522}, {706, 900}, {1300, 760}, {648, 553}, {660, 560}};
    for (const QSize screen : {QSize(1280, 800), QSize(1600, 1000), QSize(1920, 1080)}) {
        const QRect area = areaOf(screen);
        const QList<QRect> tiles = window_placement::tile(area, minimums);
        const QList<QRect> cascaded = window_placement::cascade(area, sizes, minimums, 28);
        ASSERT_EQ(tiles.size(), minimums.size());
        ASSERT_EQ(cascaded.size(), sizes.size());
        for (int i = 0; i < minimums.size(); ++i) {
            EXPECT_TRUE(area.contains(tiles[i])) << screen.width() << " tile " << i;
            EXPECT_TRUE(area.contains(cascaded[i])) << screen.width() << " cascade " << i;
            EXPECT_GE(tiles[i].width(), minimums[i].width());
            EXPECT_GE(tiles[i].height(), minimums[i].height());
            EXPECT_GE(cascaded[i].width(), minimums[i].width());
        }
    }
    // Windows that fit their cells do not overlap: two side by side, two below.
    const QList<QRect> four = window_placement::tile(QRect(0, 0, 1600, 853), QList<QSize>(4, QSize(300, 200)));
    EXPECT_EQ(four, (QList<QRect>{{0, 0, 800, 426}, {800, 0, 800, 426}, {0, 426, 800, 427}, {800, 426, 800, 427}}));
    // Each cascaded window one step further right and down than the one before.
    const QList<QRect> steps = window_placement::cascade(QRect(0, 0, 1600, 853), QList<QSize>(3, QSize(400, 300)),
                                                         QList<QSize>(3, QSize(100, 100)), 28);
    EXPECT_EQ(steps, (QList<QRect>{{0, 0, 400, 300}, {28, 28, 400, 300}, {56, 56, 400, 300}}));
}

} // namespace
} // namespace lumetra
