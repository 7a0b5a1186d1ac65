<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CurveGeometry</name>
    <message>
        <source>  水 平 方 向 光 强 分 布 曲 线</source>
        <translation>Horizontal intensity profile</translation>
    </message>
    <message>
        <source>面模式</source>
        <translation>Filled</translation>
    </message>
    <message>
        <source>线模式</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Enlarge</translation>
    </message>
    <message>
        <source>缩小 </source>
        <translation>Shrink</translation>
    </message>
    <message>
        <source>打印图片</source>
        <translation>Print picture</translation>
    </message>
    <message>
        <source> 垂 直 方 向 光 强 分 布 曲 线</source>
        <translation>Vertical intensity profile</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Shrink</translation>
    </message>
    <message>
        <source>打印图</source>
        <translation>Print picture</translation>
    </message>
</context>
<context>
    <name>CurveWidthReadout</name>
    <message>
        <source>宽度标记</source>
        <translation>Widths</translation>
    </message>
    <message>
        <source>在曲线上标出半高全宽（FWHM）和 1/e² 全宽</source>
        <translation>Mark the full width at half maximum (FWHM) and the 1/e² full width on the curves</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>%1  原始 %2%3分析 %4</source>
        <translation>%1  raw %2%3analysed %4</translation>
    </message>
    <message>
        <source>分析曲线不平滑</source>
        <translation>Analysed curve not smoothed</translation>
    </message>
    <message>
        <source>分析曲线平滑 %1 像素</source>
        <translation>Analysed curve smoothed over %1 pixels</translation>
    </message>
</context>
<context>
    <name>lumetra::CurveWindow</name>
    <message>
        <source>对应像素点</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>打印原始曲线</source>
        <translation>Print raw curve</translation>
    </message>
    <message>
        <source>打印分析曲线</source>
        <translation>Print analysed curve</translation>
    </message>
    <message>
        <source>取消所有点</source>
        <translation>Clear all points</translation>
    </message>
    <message>
        <source>对应像素点：%1</source>
        <translation>Pixel: %1</translation>
    </message>
</context>
<context>
    <name>lumetra::IntensityTableModel</name>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>光强(黄)%</source>
        <translation>Intensity (yellow) %</translation>
    </message>
    <message>
        <source>光强(红或蓝)%</source>
        <translation>Intensity (red or blue) %</translation>
    </message>
</context>
<context>
    <name>lumetra::IntensityTableWindow</name>
    <message>
        <source>光强数据</source>
        <translation>Intensity data</translation>
    </message>
</context>
</TS>
