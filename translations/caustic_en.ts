<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CausticAxisResult</name>
    <message>
        <source>长轴</source>
        <translation>Major axis</translation>
    </message>
    <message>
        <source>短轴</source>
        <translation>Minor axis</translation>
    </message>
    <message>
        <source>符合 ISO 11146-1</source>
        <translation>Meets ISO 11146-1</translation>
    </message>
    <message>
        <source>%1 个点 (至少 %2)</source>
        <translation>%1 more points (at least %2)</translation>
    </message>
    <message>
        <source>%1 个在 z_R 内的点 (至少 %2)</source>
        <translation>%1 more points within z_R (at least %2)</translation>
    </message>
    <message>
        <source>%1 个在 2 z_R 外的点 (至少 %2)</source>
        <translation>%1 more points beyond 2 z_R (at least %2)</translation>
    </message>
    <message>
        <source>不符合 ISO 11146-1: 还需 %1</source>
        <translation>Does not meet ISO 11146-1: needs %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>波长必须是正数</source>
        <translation>The wavelength must be positive</translation>
    </message>
    <message>
        <source>拟合至少需要 3 个点，现有 %1 个</source>
        <translation>Needs 3 points or more, has %1</translation>
    </message>
    <message>
        <source>有一个 z 位置不是有限数</source>
        <translation>A z position is not a finite number</translation>
    </message>
    <message>
        <source>z = %1 mm 处的直径不是正数</source>
        <translation>The diameter at z = %1 mm is not positive</translation>
    </message>
    <message>
        <source>至少需要 3 个不同的 z 位置</source>
        <translation>At least 3 different z positions are needed</translation>
    </message>
    <message>
        <source>直径没有收窄到束腰：拟合 d² = A + Bz + Cz² 的 C ≤ 0</source>
        <translation>The diameter does not narrow to a waist: the fit d² = A + Bz + Cz² has C ≤ 0</translation>
    </message>
    <message>
        <source>拟合没有真实的束腰：A − B²/4C ≤ 10⁻⁶ A（直径像圆锥一样收窄或更快，束腰无法分辨）</source>
        <translation>The fit has no real waist: A − B²/4C ≤ 10⁻⁶ A (the diameter narrows like a cone or faster; the waist cannot be resolved)</translation>
    </message>
    <message>
        <source>M² &lt; 1 不符合物理规律：请检查波长和像素尺寸</source>
        <translation>M² &lt; 1 is not physical: check the wavelength and the pixel size</translation>
    </message>
    <message>
        <source>束腰位置在测量范围之外，是外推的：请在束腰两侧测量</source>
        <translation>The waist lies outside the measured range and is extrapolated: measure on both sides of the waist</translation>
    </message>
</context>
<context>
    <name>CausticFrameModel</name>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>条纹校正</source>
        <translation>Stripe correction</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>警告：%1</source>
        <translation>Warning: %1</translation>
    </message>
    <message>
        <source>（未参与拟合）</source>
        <translation> (not in the fit)</translation>
    </message>
    <message>
        <source>, 缺少 z</source>
        <translation>, no z</translation>
    </message>
    <message>
        <source>测量中…</source>
        <translation>Measuring…</translation>
    </message>
    <message>
        <source>无光束</source>
        <translation>No beam</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>Unreadable</translation>
    </message>
</context>
<context>
    <name>CausticFrameTexts</name>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>已校正拖尾（列）</source>
        <translation>Smear corrected (columns)</translation>
    </message>
    <message>
        <source>已校正拖尾（行）</source>
        <translation>Smear corrected (rows)</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>CausticReport</name>
    <message>
        <source>M² 焦散测量报告</source>
        <translation>M² caustic measurement report</translation>
    </message>
    <message>
        <source>波长</source>
        <translation>Wavelength</translation>
    </message>
    <message>
        <source>像素尺寸</source>
        <translation>Pixel size</translation>
    </message>
    <message>
        <source>轴</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>长轴 / 短轴</source>
        <translation>Major / minor axis</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>%1 帧，%2 帧参与拟合</source>
        <translation>%1 frames, %2 in the fit</translation>
    </message>
    <message>
        <source>暗场</source>
        <translation>Dark frame</translation>
    </message>
    <message>
        <source>未使用</source>
        <translation>Not used</translation>
    </message>
    <message>
        <source>条纹校正</source>
        <translation>Stripe correction</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>%1 帧已校正（见帧表）</source>
        <translation>%1 frames corrected (see the frame table)</translation>
    </message>
    <message>
        <source>直径</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>D4σ（ISO 11146-1）</source>
        <translation>D4σ (ISO 11146-1)</translation>
    </message>
    <message>
        <source>程序</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>拟合结果（ISO 11146-1：d² = A + B z + C z²）</source>
        <translation>Fit results (ISO 11146-1: d² = A + B z + C z²)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>没有可拟合的轴：请添加帧。</source>
        <translation>No axis to fit: add frames.</translation>
    </message>
    <message>
        <source>注意：%1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>另有 %1 帧未列出（见导出的表格）。</source>
        <translation>%1 more frames not listed (see the exported table).</translation>
    </message>
</context>
<context>
    <name>CausticWorkbook</name>
    <message>
        <source>M² 焦散测量 (ISO 11146-1)</source>
        <translation>M² caustic measurement (ISO 11146-1)</translation>
    </message>
    <message>
        <source>波长 (nm)</source>
        <translation>Wavelength (nm)</translation>
    </message>
    <message>
        <source>像素尺寸 (µm)</source>
        <translation>Pixel size (µm)</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>%1 标准误差</source>
        <translation>%1 standard error</translation>
    </message>
</context>
<context>
    <name>FrameMeasureQueue</name>
    <message>
        <source>内存不足，无法测量: %1</source>
        <translation>Not enough memory to measure: %1</translation>
    </message>
    <message>
        <source>测量失败: %1</source>
        <translation>Measurement failed: %1</translation>
    </message>
</context>
<context>
    <name>lumetra::CausticChart</name>
    <message>
        <source>直径 d (µm)</source>
        <translation>Diameter d (µm)</translation>
    </message>
    <message>
        <source>光束焦散 (ISO 11146-1)  λ = %1 nm</source>
        <translation>Beam caustic (ISO 11146-1)  λ = %1 nm</translation>
    </message>
    <message>
        <source>光束焦散 (ISO 11146-1)</source>
        <translation>Beam caustic (ISO 11146-1)</translation>
    </message>
    <message>
        <source>%1 测量</source>
        <translation>%1 measured</translation>
    </message>
    <message>
        <source>%1 无拟合：%2</source>
        <translation>%1 no fit: %2</translation>
    </message>
    <message>
        <source>%1 拟合 M² = %2</source>
        <translation>%1 fit M² = %2</translation>
    </message>
    <message>
        <source>%1 束腰</source>
        <translation>%1 waist</translation>
    </message>
    <message>
        <source>%1 束腰 d₀ = %2 µm</source>
        <translation>%1 waist d₀ = %2 µm</translation>
    </message>
</context>
<context>
    <name>lumetra::CausticResultsTable</name>
    <message>
        <source>无法拟合：%1</source>
        <translation>Cannot fit: %1</translation>
    </message>
    <message>
        <source>残差 rms (µm)</source>
        <translation>Residual rms (µm)</translation>
    </message>
    <message>
        <source>点数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>z_R 内</source>
        <translation>Within z_R</translation>
    </message>
    <message>
        <source>2 z_R 外</source>
        <translation>Beyond 2 z_R</translation>
    </message>
</context>
<context>
    <name>lumetra::CausticWindow</name>
    <message>
        <source>M² 焦散测量</source>
        <translation>M² caustic measurement</translation>
    </message>
    <message>
        <source>尚未添加帧</source>
        <translation>No frames added yet</translation>
    </message>
    <message>
        <source>排除有警告的帧</source>
        <translation>Exclude frames with warnings</translation>
    </message>
    <message>
        <source>添加帧…</source>
        <translation>Add frames…</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>导出表格…</source>
        <translation>Export table…</translation>
    </message>
    <message>
        <source>导出图…</source>
        <translation>Export plot…</translation>
    </message>
    <message>
        <source>报告…</source>
        <translation>Report…</translation>
    </message>
    <message>
        <source>波长以纳米为单位：150 – 20000 nm</source>
        <translation>Wavelength in nanometres: 150 – 20000 nm</translation>
    </message>
    <message>
        <source>x / y (水平 / 垂直)</source>
        <translation>x / y (horizontal / vertical)</translation>
    </message>
    <message>
        <source>长轴 / 短轴</source>
        <translation>Major / minor axis</translation>
    </message>
    <message>
        <source>波长:</source>
        <translation>Wavelength:</translation>
    </message>
    <message>
        <source>像素尺寸:</source>
        <translation>Pixel size:</translation>
    </message>
    <message>
        <source>轴:</source>
        <translation>Axes:</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 帧没有 z 位置, 未参与拟合 (在表中输入 z)</source>
        <translation>%1 frames have no z position and are not in the fit (enter z in the table)</translation>
    </message>
    <message>
        <source>%1 帧的光束测量有警告, 未参与拟合</source>
        <translation>%1 frames have beam measurement warnings and are not in the fit</translation>
    </message>
    <message>
        <source>%1 帧的光束测量有警告, 参与了拟合 (可勾选“排除有警告的帧”)</source>
        <translation>%1 frames have beam measurement warnings and are in the fit (tick “Exclude frames with warnings” to leave them out)</translation>
    </message>
    <message>
        <source>已测量 %v / %m 帧</source>
        <translation>Measured %v / %m frames</translation>
    </message>
    <message>
        <source>添加帧</source>
        <translation>Add frames</translation>
    </message>
    <message>
        <source>|所有文件|*</source>
        <translation>|All files|*</translation>
    </message>
    <message>
        <source>文件保存不成功!
%1</source>
        <translation>The file could not be saved!
%1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>导出表格</source>
        <translation>Export table</translation>
    </message>
    <message>
        <source>Excel 工作簿(*.xlsx)|*.xlsx</source>
        <translation>Excel workbook (*.xlsx)|*.xlsx</translation>
    </message>
    <message>
        <source>没有工作簿服务</source>
        <translation>No workbook service</translation>
    </message>
    <message>
        <source>导出图</source>
        <translation>Export plot</translation>
    </message>
    <message>
        <source>PNG 图像(*.png)|*.png|PDF 文件(*.pdf)|*.pdf</source>
        <translation>PNG picture (*.png)|*.png|PDF file (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>无法写入 %1</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <source>没有可用的打印机</source>
        <translation>No printer available</translation>
    </message>
    <message>
        <source>报告已保存为 PDF：</source>
        <translation>Report saved as PDF: </translation>
    </message>
</context>
</TS>
