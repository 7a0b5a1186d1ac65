#include "curves/CurveGeometry.h"
#include "types/WorkspaceRaster.h"

#include <QCoreApplication>

namespace lumetra {

QString CurveGeometry::shown(const QString &text)
{
    return QCoreApplication::translate("CurveGeometry", text.toUtf8().constData());
}

const CurveGeometry &CurveGeometry::horizontal()
{
    static const CurveGeometry g = [] {
        CurveGeometry h;
        h.vertical = false;
        h.cutOrientation = 1;
        h.title = QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "  水 平 方 向 光 强 分 布 曲 线"));
        h.initialCut = 192;
        h.axisStart = -320;
        h.axisStartZoom = -480;
        h.zoomStep = 1.5;
        h.tableRows = WorkspaceRasterWidth;
        h.axisLowLimit = -WorkspaceRasterWidth;
        h.markScaleX = 1.5;
        h.markScaleY = 2;
        h.bottomSubdivisions = 8;
        h.leftSubdivisions = 2;
        h.normal = {QSize(710, 360), QPoint(33, 60),   QSize(640, 200),
                    QPoint(353, 49), QPoint(677, 160), QPointF(320, 100)};
        h.enlarged = {QSize(1030, 560), QPoint(30, 60),   QSize(960, 400),
                      QPoint(510, 49),  QPoint(994, 260), QPointF(480, 200)};
        h.buttons = {
            {{QStringLiteral("faceMode"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "面模式")),
              QRect(0, 0, 65, 41)},
             {QStringLiteral("lineMode"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "线模式")),
              QRect(64, 0, 57, 41)},
             {QStringLiteral("enlarge"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "放大")),
              QRect(120, 0, 65, 41)},
             {QStringLiteral("shrink"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "缩小 ")),
              QRect(184, 0, 65, 41)}}};
        h.printPictureCaption = QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "打印图片"));
        return h;
    }();
    return g;
}

const CurveGeometry &CurveGeometry::verticalWindow()
{
    static const CurveGeometry g = [] {
        CurveGeometry v;
        v.vertical = true;
        v.cutOrientation = 2;
        v.title = QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", " 垂 直 方 向 光 强 分 布 曲 线"));
        v.initialCut = 320;
        v.axisStart = -240;
        v.axisStartZoom = -300;
        v.zoomStep = 1.25;
        v.tableRows = WorkspaceRasterHeight;
        v.axisLowLimit = -WorkspaceRasterHeight;
        v.markScaleX = 2;
        v.markScaleY = 1.25;
        v.bottomSubdivisions = 2;
        v.leftSubdivisions = 8;
        v.normal = {QSize(345, 640), QPoint(100, 20),  QSize(200, 480),
                    QPoint(200, 5),  QPoint(304, 260), QPointF(100, 240)};
        v.enlarged = {QSize(545, 760), QPoint(100, 20),  QSize(400, 600),
                      QPoint(300, 5),  QPoint(506, 320), QPointF(200, 300)};
        v.buttons = {
            {{QStringLiteral("faceMode"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "面模式")),
              QRect(0, 0, 65, 49)},
             {QStringLiteral("lineMode"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "线模式")),
              QRect(0, 48, 65, 49)},
             {QStringLiteral("enlarge"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "放大")),
              QRect(0, 96, 65, 49)},
             {QStringLiteral("shrink"), QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "缩小")),
              QRect(0, 144, 65, 49)}}};
        v.printPictureCaption = QString::fromUtf8(QT_TRANSLATE_NOOP("CurveGeometry", "打印图"));
        return v;
    }();
    return g;
}

} // namespace lumetra
