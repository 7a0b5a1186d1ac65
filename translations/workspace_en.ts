<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>DigitEntryCheck</name>
    <message>
        <source>只能输入数字</source>
        <translation>Digits only</translation>
    </message>
    <message>
        <source>最大为 %1</source>
        <translation>At most %1</translation>
    </message>
</context>
<context>
    <name>SurfaceGraph</name>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>光强 %</source>
        <translation>Intensity %</translation>
    </message>
</context>
<context>
    <name>TableExportCommand</name>
    <message>
        <source>制表</source>
        <translation>Table</translation>
    </message>
</context>
<context>
    <name>WorkspaceMenu</name>
    <message>
        <source>图像滤镜</source>
        <translation>Filters</translation>
    </message>
    <message>
        <source>模糊1...</source>
        <translation>Blur 1...</translation>
    </message>
    <message>
        <source>模糊2...</source>
        <translation>Blur 2...</translation>
    </message>
    <message>
        <source>锐化1...</source>
        <translation>Sharpen 1...</translation>
    </message>
    <message>
        <source>锐化2...</source>
        <translation>Sharpen 2...</translation>
    </message>
    <message>
        <source>Difuse...</source>
        <translation>Diffuse...</translation>
    </message>
    <message>
        <source>DifuseMore...</source>
        <translation>Diffuse more...</translation>
    </message>
    <message>
        <source>水平</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>垂直</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>三维图</source>
        <translation>3D view</translation>
    </message>
    <message>
        <source>制三维图</source>
        <translation>Draw 3D view</translation>
    </message>
    <message>
        <source>取消制三维图</source>
        <translation>Cancel 3D view</translation>
    </message>
    <message>
        <source>制表</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>光束参数</source>
        <translation>Beam parameters</translation>
    </message>
    <message>
        <source>标定</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
</context>
<context>
    <name>WorkspaceSaveTarget</name>
    <message>
        <source>文件保存不成功!</source>
        <translation>The file could not be saved!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Excel 工作簿|*.xlsx</source>
        <translation>Excel workbook|*.xlsx</translation>
    </message>
</context>
<context>
    <name>lumetra::PlacementBar</name>
    <message>
        <source>图片 %1×%2 大于 %3×%4：</source>
        <translation>Picture %1×%2 is larger than %3×%4:</translation>
    </message>
</context>
<context>
    <name>lumetra::PlacementOptionsDialog</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>大于 640×480 的图片</source>
        <translation>Pictures larger than 640×480</translation>
    </message>
    <message>
        <source>%1（原尺寸，显示左上角）</source>
        <translation>%1 (actual size, top-left corner shown)</translation>
    </message>
    <message>
        <source>%1（原尺寸，以光斑质心为中心）</source>
        <translation>%1 (actual size, centred on the beam centroid)</translation>
    </message>
    <message>
        <source>%1（整幅缩小，保持比例）</source>
        <translation>%1 (whole picture scaled down, aspect ratio kept)</translation>
    </message>
    <message>
        <source>最大图片</source>
        <translation>Largest picture</translation>
    </message>
    <message>
        <source> 百万像素</source>
        <translation> megapixels</translation>
    </message>
    <message>
        <source>（更大的图片不读入）</source>
        <translation>(larger pictures are not read)</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法保存选项：设置文件不可写。</source>
        <translation>The options could not be saved: the settings file is not writable.</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>lumetra::RegionCommands</name>
    <message>
        <source>因为图象所包含的信息量太大，因此在处理三维图形时输入一个三维过滤因子来缩小信息量，加快运算速度。三维过滤因子可以为2、4、6、8、10，因子数越小，运算时间越长，图象越细致。</source>
        <translation>A picture holds too much data to draw in 3D as it is, so enter a 3D reduction factor to thin it out and speed up the drawing. The factor can be 2, 4, 6, 8 or 10: the smaller the factor, the longer it takes and the finer the surface.</translation>
    </message>
    <message>
        <source>请按住鼠标左键拖动，选取一个区域作三维处理。</source>
        <translation>Drag with the left mouse button held down to select a region for the 3D view.</translation>
    </message>
    <message>
        <source>输入框</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>三维过滤因子只能是 2、4、6、8 或 10。</source>
        <translation>The 3D reduction factor must be 2, 4, 6, 8 or 10.</translation>
    </message>
    <message>
        <source>“%1”不是数字：%2</source>
        <translation>“%1” is not a digit: %2</translation>
    </message>
    <message>
        <source>%1 太大：%2</source>
        <translation>%1 is too large: %2</translation>
    </message>
    <message>
        <source>%1 太小：%2</source>
        <translation>%1 is too small: %2</translation>
    </message>
    <message>
        <source>%1 是奇数：%2</source>
        <translation>%1 is odd: %2</translation>
    </message>
    <message>
        <source>所选区域在第437行以下，无法作三维处理。</source>
        <translation>The selected region lies below row 437 and cannot be drawn in 3D.</translation>
    </message>
    <message>
        <source>所选区域在图片之外，无法作三维处理。</source>
        <translation>The selected region lies outside the picture and cannot be drawn in 3D.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>lumetra::SettingsDialog</name>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>光强值显示间隔：</source>
        <translation>Label interval:</translation>
    </message>
    <message>
        <source>有效范围：0-20的数字</source>
        <translation>Valid range: a number from 0 to 20</translation>
    </message>
    <message>
        <source>积分宽度：</source>
        <translation>Integration width:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>设置值保存失败，原设置未改变。
%1</source>
        <translation>The settings could not be saved; the previous settings are unchanged.
%1</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>设置值已成功被修改!</source>
        <translation>The settings have been changed.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>lumetra::SurfaceChartWindow</name>
    <message>
        <source>无法启动三维显示（OpenGL 不可用）。网格数据仍可保存为工作簿文件。</source>
        <translation>The 3D view cannot start (OpenGL is not available). The grid data can still be saved as a workbook.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>三维图 - 区域 %1</source>
        <translation>3D view - region %1</translation>
    </message>
    <message>
        <source>光强 %</source>
        <translation>Intensity %</translation>
    </message>
    <message>
        <source>三维显示不可用</source>
        <translation>3D view not available</translation>
    </message>
    <message>
        <source>右键拖动旋转，滚轮缩放</source>
        <translation>Right-drag to rotate, wheel to zoom</translation>
    </message>
    <message>
        <source>保存工作簿...</source>
        <translation>Save workbook...</translation>
    </message>
    <message>
        <source>保存图片...</source>
        <translation>Save picture...</translation>
    </message>
    <message>
        <source>区域 %1：图像第 %2–%3 列、第 %4–%5 行，光强 %6 % 至 %7 %</source>
        <translation>Region %1: picture columns %2–%3, rows %4–%5, intensity %6 % to %7 %</translation>
    </message>
    <message>
        <source>保存工作簿</source>
        <translation>Save workbook</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>PNG 图片|*.png</source>
        <translation>PNG picture|*.png</translation>
    </message>
</context>
<context>
    <name>lumetra::WorkspaceWindow</name>
    <message>
        <source>无法载入图像。
%1</source>
        <translation>The picture could not be loaded.
%1</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>图像操作</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>系统正在进行三维处理</source>
        <translation>Computing the 3D view</translation>
    </message>
    <message>
        <source>图像操作 - %1</source>
        <translation>Picture - %1</translation>
    </message>
</context>
</TS>
