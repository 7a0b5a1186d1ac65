<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AppContext</name>
    <message>
        <source>已保存：</source>
        <translation>Saved: </translation>
    </message>
</context>
<context>
    <name>BeamLog</name>
    <message>
        <source>未选择记录文件</source>
        <translation>No log file chosen</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>无法写入工作簿</source>
        <translation>Cannot write the workbook</translation>
    </message>
</context>
<context>
    <name>BeamReadout</name>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>未检测到光斑</source>
        <translation>No beam detected</translation>
    </message>
    <message>
        <source>质心x(px)</source>
        <translation>Centroid x (px)</translation>
    </message>
    <message>
        <source>质心y(px)</source>
        <translation>Centroid y (px)</translation>
    </message>
    <message>
        <source>D4σ长轴(px)</source>
        <translation>D4σ major (px)</translation>
    </message>
    <message>
        <source>D4σ短轴(px)</source>
        <translation>D4σ minor (px)</translation>
    </message>
    <message>
        <source>D4σx(px)</source>
        <translation>D4σ x (px)</translation>
    </message>
    <message>
        <source>D4σy(px)</source>
        <translation>D4σ y (px)</translation>
    </message>
    <message>
        <source>角度(°)</source>
        <translation>Angle (°)</translation>
    </message>
    <message>
        <source>椭圆度</source>
        <translation>Ellipticity</translation>
    </message>
    <message>
        <source>峰值</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>饱和像素</source>
        <translation>Saturated pixels</translation>
    </message>
    <message>
        <source>暗电平</source>
        <translation>Dark level</translation>
    </message>
    <message>
        <source>噪声</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>迭代</source>
        <translation>Iterations</translation>
    </message>
    <message>
        <source>背景警告</source>
        <translation>Background warning</translation>
    </message>
    <message>
        <source>是</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>no</translation>
    </message>
    <message>
        <source>像素尺寸(µm)</source>
        <translation>Pixel size (µm)</translation>
    </message>
    <message>
        <source>D4σ长轴(µm)</source>
        <translation>D4σ major (µm)</translation>
    </message>
    <message>
        <source>D4σ短轴(µm)</source>
        <translation>D4σ minor (µm)</translation>
    </message>
    <message>
        <source>D4σx(µm)</source>
        <translation>D4σ x (µm)</translation>
    </message>
    <message>
        <source>D4σy(µm)</source>
        <translation>D4σ y (µm)</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>稳健</source>
        <translation>Robust</translation>
    </message>
    <message>
        <source>拖尾校正</source>
        <translation>Smear correction</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warnings</translation>
    </message>
</context>
<context>
    <name>BeamReport</name>
    <message>
        <source>未标定（长度以像素计）</source>
        <translation>Not calibrated (lengths in pixels)</translation>
    </message>
    <message>
        <source>像素尺寸 %1 µm，放大倍率 %2，物面 %3 µm/像素</source>
        <translation>Pixel size %1 µm, magnification %2, object plane %3 µm/pixel</translation>
    </message>
    <message>
        <source>质心 x</source>
        <translation>Centroid x</translation>
    </message>
    <message>
        <source>质心 y</source>
        <translation>Centroid y</translation>
    </message>
    <message>
        <source>D4σ 长轴</source>
        <translation>D4σ major</translation>
    </message>
    <message>
        <source>D4σ 短轴</source>
        <translation>D4σ minor</translation>
    </message>
    <message>
        <source>D4σ x</source>
        <translation>D4σ x</translation>
    </message>
    <message>
        <source>D4σ y</source>
        <translation>D4σ y</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>椭圆度</source>
        <translation>Ellipticity</translation>
    </message>
    <message>
        <source>峰值</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>饱和像素</source>
        <translation>Saturated pixels</translation>
    </message>
    <message>
        <source>暗电平</source>
        <translation>Dark level</translation>
    </message>
    <message>
        <source>噪声</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>迭代次数</source>
        <translation>Iterations</translation>
    </message>
    <message>
        <source>（未收敛）</source>
        <translation> (not converged)</translation>
    </message>
    <message>
        <source>白：质心</source>
        <translation>white: centroid</translation>
    </message>
    <message>
        <source>青：D4σ 椭圆，品红：主轴</source>
        <translation>cyan: D4σ ellipse, magenta: principal axes</translation>
    </message>
    <message>
        <source>黄：积分区域</source>
        <translation>yellow: integration area</translation>
    </message>
    <message>
        <source>绿：D86 圆</source>
        <translation>green: D86 circle</translation>
    </message>
    <message>
        <source>橙：高斯 1/e² 椭圆</source>
        <translation>orange: Gaussian 1/e² ellipse</translation>
    </message>
    <message>
        <source>标记：无</source>
        <translation>Marks: none</translation>
    </message>
    <message>
        <source>标记：%1</source>
        <translation>Marks: %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>光束测量报告 %1</source>
        <translation>Beam measurement report %1</translation>
    </message>
    <message>
        <source>光束测量报告</source>
        <translation>Beam measurement report</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>测量时间</source>
        <translation>Measured at</translation>
    </message>
    <message>
        <source>程序</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>暗场</source>
        <translation>Dark frame</translation>
    </message>
    <message>
        <source>条纹校正</source>
        <translation>Stripe correction</translation>
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
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>ISO 11146（严格）</source>
        <translation>ISO 11146 (strict)</translation>
    </message>
    <message>
        <source>稳健（默认）</source>
        <translation>Robust (default)</translation>
    </message>
    <message>
        <source>标定</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>积分区域</source>
        <translation>Integration area</translation>
    </message>
    <message>
        <source>%1 × D4σ 的矩形（ISO/TR 11146-3），暗电平取自四角</source>
        <translation>Rectangle of %1 × D4σ (ISO/TR 11146-3), dark level from the four corners</translation>
    </message>
    <message>
        <source>%1 × D4σ 的矩形（ISO/TR 11146-3），暗电平为其外围拟合的平面</source>
        <translation>Rectangle of %1 × D4σ (ISO/TR 11146-3), dark level a plane fitted around it</translation>
    </message>
    <message>
        <source>相机</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>—（文件）</source>
        <translation>— (file)</translation>
    </message>
    <message>
        <source>长轴剖面</source>
        <translation>Major-axis profile</translation>
    </message>
    <message>
        <source>短轴剖面</source>
        <translation>Minor-axis profile</translation>
    </message>
    <message>
        <source>图像区域：x %1–%2，y %3–%4 像素</source>
        <translation>Image area: x %1–%2, y %3–%4 pixels</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>测量结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>Pixels</translation>
    </message>
    <message>
        <source>未检测到光斑：没有高出噪声的光斑，只有图像的统计值。</source>
        <translation>No beam detected: nothing stands above the noise; only the image statistics are given.</translation>
    </message>
    <message>
        <source>饱和：%1 个像素达到满量程，直径偏小。</source>
        <translation>Saturation: %1 pixels at full scale; the diameters read small.</translation>
    </message>
    <message>
        <source>%1。</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>注意：%1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>方法：D4σ 为 ISO 11146-1 的二阶矩直径；D86 为以质心为圆心、含 86.5 % 功率的圆的直径；刀口宽度为刀口移过光束时 10 % 与 90 % 功率点的距离乘 1.561；1/e² 与 FWHM 为过质心沿主轴的剖面在其最大值 13.5 % 与 50 % 处的宽度；高斯为 Levenberg–Marquardt 拟合的椭圆高斯（R² 为拟合优度）；ISO 13694：有效辐照面积 A_eff = P / E_max，平坦度 F、光束均匀度 U 取于有效区域，平台均匀度 Up 为功率密度直方图平台峰的半高宽 / E_max，边缘陡度 s = (A(10 %) − A(90 %)) / A(10 %)。</source>
        <translation>Methods: D4σ is the second-moment diameter of ISO 11146-1; D86 is the diameter of the circle about the centroid holding 86.5 % of the power; the knife-edge width is the distance between the 10 % and 90 % power points as a knife edge crosses the beam, times 1.561; 1/e² and FWHM are the widths at 13.5 % and 50 % of the maximum of the profile through the centroid along a principal axis; Gaussian is a Levenberg–Marquardt fit of an elliptical Gaussian (R² its goodness of fit); ISO 13694: effective irradiation area A_eff = P / E_max, flatness F and beam uniformity U taken over the effective area, plateau uniformity Up the full width at half maximum of the plateau peak of the power-density histogram / E_max, edge steepness s = (A(10 %) − A(90 %)) / A(10 %).</translation>
    </message>
</context>
<context>
    <name>BeamSource</name>
    <message>
        <source>采集帧</source>
        <translation>Captured frame</translation>
    </message>
    <message>
        <source>没有可测量的图像：请先打开图像或连接采集卡</source>
        <translation>No image to measure: open an image or connect a camera first</translation>
    </message>
</context>
<context>
    <name>BeamWarnings</name>
    <message>
        <source>背景结构影响测量，请采集暗场</source>
        <translation>Background structure affects the measurement; take a dark frame</translation>
    </message>
    <message>
        <source>背景有结构</source>
        <translation>Structured background</translation>
    </message>
    <message>
        <source>质心与直径未收敛</source>
        <translation>Centroid and diameters did not converge</translation>
    </message>
    <message>
        <source>未收敛</source>
        <translation>Not converged</translation>
    </message>
    <message>
        <source>有像素饱和，直径偏小</source>
        <translation>Saturated pixels: the diameters read small</translation>
    </message>
    <message>
        <source>像素饱和</source>
        <translation>Saturated</translation>
    </message>
    <message>
        <source>光斑或积分区域到达图像边缘</source>
        <translation>The beam or its integration area reaches the edge of the picture</translation>
    </message>
    <message>
        <source>光束触及画面边缘</source>
        <translation>Beam touches the edge</translation>
    </message>
    <message>
        <source>光斑大于图像</source>
        <translation>The beam is larger than the picture</translation>
    </message>
    <message>
        <source>光束大于画面</source>
        <translation>Beam larger than frame</translation>
    </message>
    <message>
        <source>D4σ 与刀口、高斯拟合宽度相差超过 10%</source>
        <translation>D4σ differs from the knife-edge and Gaussian widths by more than 10%</translation>
    </message>
    <message>
        <source>各宽度估计不一致</source>
        <translation>Width estimates disagree</translation>
    </message>
    <message>
        <source>信号弱：噪声使直径的不确定度超过 5%</source>
        <translation>Weak signal: noise makes the diameters uncertain by more than 5%</translation>
    </message>
    <message>
        <source>信号弱</source>
        <translation>Weak signal</translation>
    </message>
</context>
<context>
    <name>BeamWidthsReadout</name>
    <message>
        <source>刀口 x</source>
        <translation>Knife-edge x</translation>
    </message>
    <message>
        <source>刀口 y</source>
        <translation>Knife-edge y</translation>
    </message>
    <message>
        <source>刀口 长轴</source>
        <translation>Knife-edge major</translation>
    </message>
    <message>
        <source>刀口 短轴</source>
        <translation>Knife-edge minor</translation>
    </message>
    <message>
        <source>1/e² 长轴</source>
        <translation>1/e² major</translation>
    </message>
    <message>
        <source>1/e² 短轴</source>
        <translation>1/e² minor</translation>
    </message>
    <message>
        <source>FWHM 长轴</source>
        <translation>FWHM major</translation>
    </message>
    <message>
        <source>FWHM 短轴</source>
        <translation>FWHM minor</translation>
    </message>
    <message>
        <source>高斯 2w 长轴</source>
        <translation>Gaussian 2w major</translation>
    </message>
    <message>
        <source>高斯 2w 短轴</source>
        <translation>Gaussian 2w minor</translation>
    </message>
    <message>
        <source>高斯 角度</source>
        <translation>Gaussian angle</translation>
    </message>
    <message>
        <source>高斯 中心</source>
        <translation>Gaussian centre</translation>
    </message>
    <message>
        <source>高斯 拟合优度 R²</source>
        <translation>Gaussian fit R²</translation>
    </message>
    <message>
        <source>有效辐照面积</source>
        <translation>Effective area</translation>
    </message>
    <message>
        <source>平坦度 F</source>
        <translation>Flatness F</translation>
    </message>
    <message>
        <source>光束均匀度 U</source>
        <translation>Beam uniformity U</translation>
    </message>
    <message>
        <source>平台均匀度 Up</source>
        <translation>Plateau uniformity Up</translation>
    </message>
    <message>
        <source>边缘陡度 s</source>
        <translation>Edge steepness s</translation>
    </message>
    <message>
        <source>%1(px)</source>
        <translation>%1 (px)</translation>
    </message>
    <message>
        <source>%1(µm)</source>
        <translation>%1 (µm)</translation>
    </message>
    <message>
        <source>刀口x</source>
        <translation>Knife-edge x</translation>
    </message>
    <message>
        <source>刀口y</source>
        <translation>Knife-edge y</translation>
    </message>
    <message>
        <source>刀口长轴</source>
        <translation>Knife-edge major</translation>
    </message>
    <message>
        <source>刀口短轴</source>
        <translation>Knife-edge minor</translation>
    </message>
    <message>
        <source>1/e²长轴</source>
        <translation>1/e² major</translation>
    </message>
    <message>
        <source>1/e²短轴</source>
        <translation>1/e² minor</translation>
    </message>
    <message>
        <source>FWHM长轴</source>
        <translation>FWHM major</translation>
    </message>
    <message>
        <source>FWHM短轴</source>
        <translation>FWHM minor</translation>
    </message>
    <message>
        <source>高斯2w长轴</source>
        <translation>Gaussian 2w major</translation>
    </message>
    <message>
        <source>高斯2w短轴</source>
        <translation>Gaussian 2w minor</translation>
    </message>
    <message>
        <source>高斯角度(°)</source>
        <translation>Gaussian angle (°)</translation>
    </message>
    <message>
        <source>高斯中心x(px)</source>
        <translation>Gaussian centre x (px)</translation>
    </message>
    <message>
        <source>高斯中心y(px)</source>
        <translation>Gaussian centre y (px)</translation>
    </message>
    <message>
        <source>高斯R²</source>
        <translation>Gaussian R²</translation>
    </message>
    <message>
        <source>有效辐照面积(px²)</source>
        <translation>Effective area (px²)</translation>
    </message>
    <message>
        <source>有效辐照面积(µm²)</source>
        <translation>Effective area (µm²)</translation>
    </message>
    <message>
        <source>平坦度F</source>
        <translation>Flatness F</translation>
    </message>
    <message>
        <source>光束均匀度U</source>
        <translation>Beam uniformity U</translation>
    </message>
    <message>
        <source>平台均匀度Up</source>
        <translation>Plateau uniformity Up</translation>
    </message>
    <message>
        <source>边缘陡度s</source>
        <translation>Edge steepness s</translation>
    </message>
</context>
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
    <name>CurveReportLayout</name>
    <message>
        <source>(面)</source>
        <translation> (face)</translation>
    </message>
    <message>
        <source>(线)</source>
        <translation> (line)</translation>
    </message>
    <message>
        <source>点%1(%2,%3)</source>
        <translation>Point %1 (%2, %3)</translation>
    </message>
    <message>
        <source>水平分析曲线</source>
        <translation>Horizontal analysed curve</translation>
    </message>
    <message>
        <source>水平原始曲线</source>
        <translation>Horizontal raw curve</translation>
    </message>
    <message>
        <source>垂直分析曲线</source>
        <translation>Vertical analysed curve</translation>
    </message>
    <message>
        <source>垂直原始曲线</source>
        <translation>Vertical raw curve</translation>
    </message>
    <message>
        <source>第 %1 行</source>
        <translation>row %1</translation>
    </message>
    <message>
        <source>第 %1 列</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>图片：%1&#x3000;切线：%2&#x3000;积分宽度：%3&#x3000;日期：%4</source>
        <translation>Picture: %1   Cut: %2   Integration width: %3   Date: %4</translation>
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
    <name>MonitorStatisticsText</name>
    <message>
        <source>%1：尚无光斑数据</source>
        <translation>%1: no beam data yet</translation>
    </message>
    <message>
        <source>%1：%2 帧，%3:%4:%5
</source>
        <translation>%1: %2 frames, %3:%4:%5
</translation>
    </message>
    <message>
        <source>质心均值 x %1  y %2
</source>
        <translation>Mean centroid x %1  y %2
</translation>
    </message>
    <message>
        <source>标准差 σx %1  σy %2；峰峰值 x %3  y %4
</source>
        <translation>Std. dev. σx %1  σy %2; peak-to-peak x %3  y %4
</translation>
    </message>
    <message>
        <source>指向稳定性 2σ：Δu %1  Δv %2  Δ %3（方位 %4°）
</source>
        <translation>Pointing stability 2σ: Δu %1  Δv %2  Δ %3 (azimuth %4°)
</translation>
    </message>
    <message>
        <source>角度稳定性：需先标定像素尺寸
</source>
        <translation>Angular stability: calibrate the pixel size first
</translation>
    </message>
    <message>
        <source>角度稳定性：需输入距离或焦距
</source>
        <translation>Angular stability: enter the distance or focal length
</translation>
    </message>
    <message>
        <source>角度稳定性 2σ：%1 µrad
</source>
        <translation>Angular stability 2σ: %1 µrad
</translation>
    </message>
    <message>
        <source>D4σ 均值 x %1  y %2；相对标准差 %3%  %4%
</source>
        <translation>Mean D4σ x %1  y %2; relative std. dev. %3%  %4%
</translation>
    </message>
    <message>
        <source>漂移 x %1  y %2</source>
        <translation>Drift x %1  y %2</translation>
    </message>
</context>
<context>
    <name>PainterPrinterPage</name>
    <message>
        <source>这一页已经送出过</source>
        <translation>This page has already been sent</translation>
    </message>
</context>
<context>
    <name>PdfPrintJob</name>
    <message>
        <source>报告</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>文件夹 %1 不存在</source>
        <translation>The folder %1 does not exist</translation>
    </message>
    <message>
        <source>无法在文件夹 %1 中写入文件：%2</source>
        <translation>Cannot write a file in the folder %1: %2</translation>
    </message>
    <message>
        <source>无法开始 PDF 页面</source>
        <translation>Cannot start the PDF page</translation>
    </message>
    <message>
        <source>无法生成 PDF 页面</source>
        <translation>Cannot produce the PDF page</translation>
    </message>
    <message>
        <source>无法写入文件夹 %1：%2</source>
        <translation>Cannot write to the folder %1: %2</translation>
    </message>
    <message>
        <source>无法在文件夹 %1 中保存报告</source>
        <translation>Cannot save the report in the folder %1</translation>
    </message>
    <message>
        <source>文件夹 %1 中同名的报告太多</source>
        <translation>Too many reports of the same name in the folder %1</translation>
    </message>
</context>
<context>
    <name>PicturePatterns</name>
    <message>
        <source>所有图片|%1</source>
        <translation>All pictures|%1</translation>
    </message>
</context>
<context>
    <name>PicturePlacement</name>
    <message>
        <source>左上角</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>光斑居中</source>
        <translation>Beam centred</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Fit</translation>
    </message>
</context>
<context>
    <name>PrintOutcome</name>
    <message>
        <source>已保存为 PDF：%1</source>
        <translation>Saved as PDF: %1</translation>
    </message>
    <message>
        <source>打印失败：%1</source>
        <translation>Printing failed: %1</translation>
    </message>
</context>
<context>
    <name>PrinterService</name>
    <message>
        <source>没有可打印的内容</source>
        <translation>Nothing to print</translation>
    </message>
</context>
<context>
    <name>ReportNote</name>
    <message>
        <source>已保存为 PDF：%1</source>
        <translation>Saved as PDF: %1</translation>
    </message>
    <message>
        <source>打印失败：%1</source>
        <translation>Printing failed: %1</translation>
    </message>
</context>
<context>
    <name>ReportSheet</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>Sampling</name>
    <message>
        <source>正在读取灰度值</source>
        <translation>Reading the grey levels</translation>
    </message>
    <message>
        <source>正在计算灰度最大、最小值</source>
        <translation>Finding the grey range</translation>
    </message>
</context>
<context>
    <name>SaveTarget</name>
    <message>
        <source>此文件已存在，是否覆盖?</source>
        <translation>This file already exists. Replace it?</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
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
    <name>SystemInfoTool</name>
    <message>
        <source>此时系统信息不可用</source>
        <translation>System information is not available now</translation>
    </message>
</context>
<context>
    <name>SystemPrintJob</name>
    <message>
        <source>打印机“%1”无法开始打印</source>
        <translation>The printer “%1” cannot start printing</translation>
    </message>
    <message>
        <source>打印机“%1”没有接受这一页</source>
        <translation>The printer “%1” did not accept the page</translation>
    </message>
</context>
<context>
    <name>SystemPrinterService</name>
    <message>
        <source>无法建立文件夹 %1</source>
        <translation>Cannot create the folder %1</translation>
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
    <name>WorkspacePicture</name>
    <message>
        <source>（%1×%2，%3）</source>
        <translation> (%1 × %2, %3)</translation>
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
    <name>lumetra::AboutDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>系统信息(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>关于 %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>版本 %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>lumetra::BeamPictureView</name>
    <message>
        <source>无图像</source>
        <translation>No image</translation>
    </message>
</context>
<context>
    <name>lumetra::BeamWidthsPanel</name>
    <message>
        <source>宽度</source>
        <translation>Widths</translation>
    </message>
</context>
<context>
    <name>lumetra::BeamWindow</name>
    <message>
        <source>光束参数</source>
        <translation>Beam Parameters</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>稳健（默认）</source>
        <translation>Robust (default)</translation>
    </message>
    <message>
        <source>ISO 11146（严格）</source>
        <translation>ISO 11146 (strict)</translation>
    </message>
    <message>
        <source>稳健：暗电平按光斑周围拟合的平面扣除；ISO 11146：按标准原文，四角暗电平、3 倍直径积分区域迭代</source>
        <translation>Robust: the dark level is a plane fitted around the beam and subtracted; ISO 11146: by the letter of the standard, dark level from the four corners, iterated over an integration area of 3 diameters</translation>
    </message>
    <message>
        <source>实时</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>测量采集窗口的每一帧（相机原始位深），新帧到达时丢弃未测量的旧帧</source>
        <translation>Measure every frame of the capture window (at the camera&apos;s own bit depth); a frame not yet measured is dropped when a newer one arrives</translation>
    </message>
    <message>
        <source>伪彩色</source>
        <translation>False colour</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>适合</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>质心</source>
        <translation>Centroid</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>积分区域</source>
        <translation>Integration area</translation>
    </message>
    <message>
        <source>D86 圆</source>
        <translation>D86 circle</translation>
    </message>
    <message>
        <source>高斯椭圆</source>
        <translation>Gaussian ellipse</translation>
    </message>
    <message>
        <source>长轴剖面</source>
        <translation>Major-axis profile</translation>
    </message>
    <message>
        <source>短轴剖面</source>
        <translation>Minor-axis profile</translation>
    </message>
    <message>
        <source>测量</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>切割线过中心</source>
        <translation>Cut through centroid</translation>
    </message>
    <message>
        <source>暗场</source>
        <translation>Dark frame</translation>
    </message>
    <message>
        <source>采集当前帧（挡住光束）</source>
        <translation>Take the current frame (beam blocked)</translation>
    </message>
    <message>
        <source>从文件…</source>
        <translation>From file…</translation>
    </message>
    <message>
        <source>清除暗场</source>
        <translation>Clear dark frame</translation>
    </message>
    <message>
        <source>标定…</source>
        <translation>Calibrate…</translation>
    </message>
    <message>
        <source>报告…</source>
        <translation>Report…</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>实时测量时把每一帧的结果追加到记录文件</source>
        <translation>While measuring live, append every frame&apos;s results to a log file</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>导出和记录的列</source>
        <translation>Columns exported and recorded</translation>
    </message>
    <message>
        <source>迭代次数</source>
        <translation>Iterations</translation>
    </message>
    <message>
        <source>（未收敛）</source>
        <translation> (not converged)</translation>
    </message>
    <message>
        <source>%1&#x3000;%2 × %3，%4 位%5</source>
        <translation>%1   %2 × %3, %4-bit%5</translation>
    </message>
    <message>
        <source>，整幅测量</source>
        <translation>, measured whole</translation>
    </message>
    <message>
        <source>未测量</source>
        <translation>Not measured</translation>
    </message>
    <message>
        <source>未检测到光斑</source>
        <translation>No beam detected</translation>
    </message>
    <message>
        <source>饱和：%1 个像素</source>
        <translation>Saturated: %1 pixels</translation>
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
        <source>暗场（%1 × %2）与图像尺寸不同，未扣除</source>
        <translation>Dark frame (%1 × %2) differs in size from the image; not subtracted</translation>
    </message>
    <message>
        <source>已扣除暗场：%1</source>
        <translation>Dark frame subtracted: %1</translation>
    </message>
    <message>
        <source>未使用暗场</source>
        <translation>No dark frame</translation>
    </message>
    <message>
        <source>（饱和）</source>
        <translation> (saturated)</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>已复制到剪贴板</source>
        <translation>Copied to the clipboard</translation>
    </message>
    <message>
        <source>光束参数记录文件</source>
        <translation>Beam parameter log file</translation>
    </message>
    <message>
        <source>CSV 文件(*.csv)|*.csv|Excel 工作簿(*.xlsx)|*.xlsx</source>
        <translation>CSV files (*.csv)|*.csv|Excel workbooks (*.xlsx)|*.xlsx</translation>
    </message>
    <message>
        <source>此文件已存在，是否覆盖?</source>
        <translation>This file already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>已追加到 </source>
        <translation>Appended to </translation>
    </message>
    <message>
        <source>没有采集窗口：请先连接相机或采集卡，再打开“实时”。</source>
        <translation>No capture window: connect a camera first, then switch on “Live”.</translation>
    </message>
    <message>
        <source>采集窗口不提供帧，无法实时测量。</source>
        <translation>The capture window gives no frames; live measurement is not possible.</translation>
    </message>
    <message>
        <source>等待采集帧…</source>
        <translation>Waiting for a frame…</translation>
    </message>
    <message>
        <source>实时 第 %1 帧</source>
        <translation>Live, frame %1</translation>
    </message>
    <message>
        <source>记录已保存：</source>
        <translation>Log saved: </translation>
    </message>
    <message>
        <source>记录每一帧需要实时测量：请先打开“实时”。</source>
        <translation>Recording every frame needs live measurement: switch on “Live” first.</translation>
    </message>
    <message>
        <source>实时记录文件</source>
        <translation>Live log file</translation>
    </message>
    <message>
        <source>CSV 文件(*.csv)|*.csv</source>
        <translation>CSV files (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>记录中 → %1</source>
        <translation>Recording → %1</translation>
    </message>
    <message>
        <source>没有测量结果</source>
        <translation>No measurement result</translation>
    </message>
    <message>
        <source>没有可用的打印机</source>
        <translation>No printer available</translation>
    </message>
    <message>
        <source>%1 × %2，%3 位</source>
        <translation>%1 × %2, %3-bit</translation>
    </message>
    <message>
        <source>采集帧</source>
        <translation>Captured frame</translation>
    </message>
    <message>
        <source>报告已保存为 PDF：</source>
        <translation>Report saved as PDF: </translation>
    </message>
    <message>
        <source>没有采集帧：请连接采集卡，挡住光束后再取暗场。</source>
        <translation>No captured frame: connect a camera, block the beam, then take the dark frame.</translation>
    </message>
    <message>
        <source>采集帧 %1</source>
        <translation>Captured frame %1</translation>
    </message>
    <message>
        <source>暗场图像</source>
        <translation>Dark frame image</translation>
    </message>
    <message>
        <source>|所有文件|*</source>
        <translation>|All files|*</translation>
    </message>
    <message>
        <source>质心 x</source>
        <translation>Centroid x</translation>
    </message>
    <message>
        <source>质心 y</source>
        <translation>Centroid y</translation>
    </message>
    <message>
        <source>D4σ 长轴</source>
        <translation>D4σ major</translation>
    </message>
    <message>
        <source>D4σ 短轴</source>
        <translation>D4σ minor</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>椭圆度</source>
        <translation>Ellipticity</translation>
    </message>
    <message>
        <source>峰值</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>暗电平</source>
        <translation>Dark level</translation>
    </message>
    <message>
        <source>噪声</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>打印失败：%1</source>
        <translation>Printing failed: %1</translation>
    </message>
    <message>
        <source>采集窗口已关闭：实时测量已停止</source>
        <translation>The capture window was closed: live measurement stopped</translation>
    </message>
</context>
<context>
    <name>lumetra::CalibrationDialog</name>
    <message>
        <source>标定</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>未标定</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>像素尺寸（µm）：</source>
        <translation>Pixel size (µm):</translation>
    </message>
    <message>
        <source>放大倍数：</source>
        <translation>Magnification:</translation>
    </message>
    <message>
        <source>由已知距离标定</source>
        <translation>Calibrate from a known distance</translation>
    </message>
    <message>
        <source>在图像上拖动量取</source>
        <translation>Drag on the image to measure</translation>
    </message>
    <message>
        <source>输入长度后，在图像上沿该距离拖动鼠标</source>
        <translation>Enter the length, then drag the mouse along that distance on the image</translation>
    </message>
    <message>
        <source>已知长度（µm）：</source>
        <translation>Known length (µm):</translation>
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
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>请先输入已知长度（µm，正数）。</source>
        <translation>Enter the known length first (µm, a positive number).</translation>
    </message>
    <message>
        <source>请在图像上沿已知距离拖动鼠标…</source>
        <translation>Drag the mouse along the known distance on the image…</translation>
    </message>
    <message>
        <source>拖动距离太短，请重新拖动</source>
        <translation>The drag was too short; drag again</translation>
    </message>
    <message>
        <source>%1 像素 = %2 µm：%3 µm/像素</source>
        <translation>%1 pixels = %2 µm: %3 µm/pixel</translation>
    </message>
    <message>
        <source>像素尺寸须为正数（µm），或留空表示不标定。</source>
        <translation>The pixel size must be a positive number (µm), or empty for no calibration.</translation>
    </message>
    <message>
        <source>放大倍数须为正数。</source>
        <translation>The magnification must be a positive number.</translation>
    </message>
    <message>
        <source>无法保存标定：设置文件不能写入。</source>
        <translation>Cannot save the calibration: the settings file cannot be written.</translation>
    </message>
</context>
<context>
    <name>lumetra::CameraMenu</name>
    <message>
        <source>相机(&amp;C)</source>
        <translation>&amp;Camera</translation>
    </message>
    <message>
        <source>选择设备</source>
        <translation>Select Device</translation>
    </message>
    <message>
        <source>相机设置…</source>
        <translation>Camera Settings…</translation>
    </message>
    <message>
        <source>自动曝光</source>
        <translation>Auto Exposure</translation>
    </message>
    <message>
        <source>平均 N 帧…</source>
        <translation>Average N Frames…</translation>
    </message>
    <message>
        <source>采集暗场</source>
        <translation>Take Dark Frame</translation>
    </message>
    <message>
        <source>清除暗场</source>
        <translation>Clear Dark Frame</translation>
    </message>
    <message>
        <source>暗场已清除</source>
        <translation>Dark frame cleared</translation>
    </message>
    <message>
        <source>新焦散系列…</source>
        <translation>New Caustic Series…</translation>
    </message>
    <message>
        <source>焦散采集…</source>
        <translation>Caustic Capture…</translation>
    </message>
    <message>
        <source>存为…</source>
        <translation>Save As…</translation>
    </message>
    <message>
        <source>重新连接</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source>暗场已采集，测量时扣除</source>
        <translation>Dark frame taken; it is subtracted when measuring</translation>
    </message>
    <message>
        <source>丢帧 %1</source>
        <translation>Dropped %1</translation>
    </message>
    <message>
        <source>平均 %1 帧：%2/%1，已平均 %3 组</source>
        <translation>Averaging %1 frames: %2/%1, %3 averages made</translation>
    </message>
    <message>
        <source>平均 %1 帧（实时测量时生效）</source>
        <translation>Averaging %1 frames (in live measurement)</translation>
    </message>
    <message>
        <source>%1 已在使用</source>
        <translation>%1 is already in use</translation>
    </message>
    <message>
        <source>无法打开设备 %1：%2</source>
        <translation>Cannot open device %1: %2</translation>
    </message>
    <message>
        <source>上次的相机设置未能全部恢复：
%1</source>
        <translation>Not all of the last camera settings could be restored:
%1</translation>
    </message>
    <message>
        <source>上次采集的暗场已恢复，测量时扣除</source>
        <translation>The last dark frame is restored and subtracted when measuring</translation>
    </message>
    <message>
        <source>暗场是在其他相机设置下采集的，不再扣除；请重新采集暗场</source>
        <translation>The dark frame was taken at other camera settings and is no longer subtracted; please take a new dark frame</translation>
    </message>
    <message>
        <source>自动曝光需要 GenICam 相机</source>
        <translation>Auto exposure needs a GenICam camera</translation>
    </message>
    <message>
        <source>自动曝光未能完成：%1</source>
        <translation>Auto exposure did not finish: %1</translation>
    </message>
    <message>
        <source>自动曝光需要运行中的视频流</source>
        <translation>Auto exposure needs a running video stream</translation>
    </message>
    <message>
        <source>自动曝光中…</source>
        <translation>Auto exposure running…</translation>
    </message>
    <message>
        <source>请输入 1 到 64 之间的整数</source>
        <translation>Please enter a whole number from 1 to 64</translation>
    </message>
    <message>
        <source>每次测量前平均的帧数 (1–64)：</source>
        <translation>Frames averaged before each measurement (1–64):</translation>
    </message>
    <message>
        <source>平均 N 帧</source>
        <translation>Average N Frames</translation>
    </message>
    <message>
        <source>每次测量前平均 %1 帧</source>
        <translation>Averaging %1 frames before each measurement</translation>
    </message>
    <message>
        <source>不平均：每帧单独测量</source>
        <translation>No averaging: each frame is measured on its own</translation>
    </message>
    <message>
        <source>暗场需要 GenICam 相机</source>
        <translation>A dark frame needs a GenICam camera</translation>
    </message>
    <message>
        <source>请挡住光束，然后按“确定”采集暗场。</source>
        <translation>Block the beam, then press OK to take the dark frame.</translation>
    </message>
    <message>
        <source>正在采集暗场（%1 帧）…</source>
        <translation>Taking the dark frame (%1 frames)…</translation>
    </message>
    <message>
        <source>焦散系列的文件夹：</source>
        <translation>Folder of the caustic series:</translation>
    </message>
    <message>
        <source>新焦散系列</source>
        <translation>New Caustic Series</translation>
    </message>
    <message>
        <source>请输入文件夹</source>
        <translation>Please enter a folder</translation>
    </message>
    <message>
        <source>无法建立文件夹 %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>这一帧的 z 位置 (mm)：</source>
        <translation>z position of this frame (mm):</translation>
    </message>
    <message>
        <source>焦散采集</source>
        <translation>Caustic Capture</translation>
    </message>
    <message>
        <source>请输入 z 位置，单位 mm</source>
        <translation>Please enter the z position in mm</translation>
    </message>
    <message>
        <source>此 z 已有一帧，是否覆盖?</source>
        <translation>There is already a frame at this z. Overwrite it?</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>Saving failed.</translation>
    </message>
    <message>
        <source>已存 %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>此文件已存在，是否覆盖?</source>
        <translation>This file already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>图像存为&#x3000;%1！</source>
        <translation>Image saved as %1</translation>
    </message>
    <message>
        <source>无法重新连接相机，请检查连接后再试。</source>
        <translation>Cannot reconnect the camera. Check the connection and try again.</translation>
    </message>
</context>
<context>
    <name>lumetra::CameraSettingsDialog</name>
    <message>
        <source>相机设置 — %1 %2 (%3)</source>
        <translation>Camera Settings — %1 %2 (%3)</translation>
    </message>
    <message>
        <source>  (无)</source>
        <translation>  (none)</translation>
    </message>
    <message>
        <source>曝光时间 (µs)</source>
        <translation>Exposure time (µs)</translation>
    </message>
    <message>
        <source>增益</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>帧率 (帧/秒)</source>
        <translation>Frame rate (fps)</translation>
    </message>
    <message>
        <source>像素格式</source>
        <translation>Pixel format</translation>
    </message>
    <message>
        <source>像素合并</source>
        <translation>Binning</translation>
    </message>
    <message>
        <source>感兴趣区域 x, y, 宽, 高 (传感器 %1 × %2)</source>
        <translation>ROI x, y, width, height (sensor %1 × %2)</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>相机已采用这些设置。</source>
        <translation>The camera has taken these settings.</translation>
    </message>
</context>
<context>
    <name>lumetra::CameraWatch</name>
    <message>
        <source>相机无应答（%1 起），每 %2 秒重试</source>
        <translation>Camera not responding (since %1); retrying every %2 s</translation>
    </message>
</context>
<context>
    <name>lumetra::CaptureSettingsDialog</name>
    <message>
        <source>制式</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>视频源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>恢复默认值</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>亮度</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>对比度</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>色度</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>饱和度</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>视频格式</source>
        <translation>Video format</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>W</translation>
    </message>
    <message>
        <source>高</source>
        <translation>H</translation>
    </message>
    <message>
        <source>重置视频格式</source>
        <translation>Reset Format</translation>
    </message>
    <message>
        <source>第%1路：设置视频参数</source>
        <translation>Channel %1: Video Settings</translation>
    </message>
    <message>
        <source>设置成功</source>
        <translation>Settings applied</translation>
    </message>
    <message>
        <source>设置失败</source>
        <translation>The settings failed</translation>
    </message>
    <message>
        <source>Config: 有信号输入</source>
        <translation>Config: signal present</translation>
    </message>
    <message>
        <source>Config: 无信号输入</source>
        <translation>Config: no signal</translation>
    </message>
</context>
<context>
    <name>lumetra::CaptureWindow</name>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>设备有错误，请检查后重新建立连接！</source>
        <translation>The device reports an error. Check it, then connect again.</translation>
    </message>
    <message>
        <source>相机 %1 %2（序列号 %3），%4 × %5，%6，曝光 %7 µs，增益 %8</source>
        <translation>Camera %1 %2 (serial no. %3), %4 × %5, %6, exposure %7 µs, gain %8</translation>
    </message>
    <message>
        <source>采集卡第%1路，%2 × %3，%4，亮度 %5，对比度 %6，色调 %7，饱和度 %8</source>
        <translation>Capture card channel %1, %2 × %3, %4, brightness %5, contrast %6, hue %7, saturation %8</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>操作(&amp;P)</source>
        <translation>O&amp;perate</translation>
    </message>
    <message>
        <source>显示系统对话框</source>
        <translation>Device Dialogs</translation>
    </message>
    <message>
        <source>视频属性</source>
        <translation>Video Properties</translation>
    </message>
    <message>
        <source>通道选择</source>
        <translation>Input Selection</translation>
    </message>
    <message>
        <source>显示属性</source>
        <translation>Display Properties</translation>
    </message>
    <message>
        <source>视频流状态</source>
        <translation>Stream State</translation>
    </message>
    <message>
        <source>运行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>存为BMP图片</source>
        <translation>Save as BMP Image</translation>
    </message>
    <message>
        <source>存为JPG图片</source>
        <translation>Save as JPG Image</translation>
    </message>
    <message>
        <source>设置视频参数</source>
        <translation>Video Settings</translation>
    </message>
    <message>
        <source>标准尺寸</source>
        <translation>Standard Size</translation>
    </message>
    <message>
        <source>实时测量</source>
        <translation>Live Measurement</translation>
    </message>
    <message>
        <source>标定</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <source>无设备可连接!</source>
        <translation>No device to connect to.</translation>
    </message>
    <message>
        <source>帧率 %1 帧/秒</source>
        <translation>%1 fps</translation>
    </message>
    <message>
        <source>第%1路: %2 x %3</source>
        <translation>Channel %1: %2 x %3</translation>
    </message>
    <message>
        <source>此文件已存在，是否覆盖?</source>
        <translation>This file already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>图像存为&#x3000;%1！</source>
        <translation>Image saved as %1</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>Saving failed.</translation>
    </message>
    <message>
        <source>长期记录已随采集窗口停止，记录文件：%1</source>
        <translation>Long-term recording stopped with the capture window; log file: %1</translation>
    </message>
</context>
<context>
    <name>lumetra::CardCrossbarDialog</name>
    <message>
        <source>通道选择</source>
        <translation>Input Selection</translation>
    </message>
    <message>
        <source>视频输入：</source>
        <translation>Video input:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>lumetra::CardPreviewDialog</name>
    <message>
        <source>显示属性</source>
        <translation>Display Properties</translation>
    </message>
    <message>
        <source>图像尺寸：</source>
        <translation>Image size:</translation>
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
        <source>设备不接受此尺寸。</source>
        <translation>The device does not accept this size.</translation>
    </message>
</context>
<context>
    <name>lumetra::CardPropertyDialog</name>
    <message>
        <source>视频属性</source>
        <translation>Video Properties</translation>
    </message>
    <message>
        <source>此设备没有可调节的视频属性。</source>
        <translation>This device has no adjustable video properties.</translation>
    </message>
    <message>
        <source>默认值</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
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
<context>
    <name>lumetra::CentroidScatterChart</name>
    <message>
        <source>质心分布与 2σ 椭圆</source>
        <translation>Centroid scatter and 2σ ellipse</translation>
    </message>
    <message>
        <source>质心</source>
        <translation>Centroid</translation>
    </message>
    <message>
        <source>2σ（ISO 11670）</source>
        <translation>2σ (ISO 11670)</translation>
    </message>
    <message>
        <source>最近 %1 个质心</source>
        <translation>Last %1 centroids</translation>
    </message>
</context>
<context>
    <name>lumetra::ColourBar</name>
    <message>
        <source>%1 · %2 %</source>
        <translation>%1 · %2 %</translation>
    </message>
    <message>
        <source>码值 · 满量程</source>
        <translation>Code · full scale</translation>
    </message>
    <message>
        <source>饱和</source>
        <translation>Saturated</translation>
    </message>
    <message>
        <source>噪声以下</source>
        <translation>Below noise</translation>
    </message>
</context>
<context>
    <name>lumetra::CurveReport</name>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>关 闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>没有可用的打印机</source>
        <translation>No printer available</translation>
    </message>
    <message>
        <source>数据发送完成！打印机空闲......</source>
        <translation>Data sent. Printer idle...</translation>
    </message>
    <message>
        <source>打印失败！</source>
        <translation>Printing failed!</translation>
    </message>
    <message>
        <source>已保存为 PDF：</source>
        <translation>Saved as PDF: </translation>
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
    <name>lumetra::FalseColourMenu</name>
    <message>
        <source>伪彩色</source>
        <translation>False colour</translation>
    </message>
    <message>
        <source>灰度</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>彩虹</source>
        <translation>Rainbow</translation>
    </message>
    <message>
        <source>感知均匀（viridis）</source>
        <translation>Perceptually uniform (viridis)</translation>
    </message>
    <message>
        <source>高对比度</source>
        <translation>High contrast</translation>
    </message>
    <message>
        <source>饱和像素标色</source>
        <translation>Mark saturated pixels</translation>
    </message>
    <message>
        <source>噪声以下显示为黑色</source>
        <translation>Show below-noise levels as black</translation>
    </message>
    <message>
        <source>色标</source>
        <translation>Colour bar</translation>
    </message>
    <message>
        <source>等高线（13.5 %、50 %）</source>
        <translation>Contours (13.5 %, 50 %)</translation>
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
<context>
    <name>lumetra::LanguageMenu</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>无法保存语言：设置文件不可写。</source>
        <translation>The language could not be saved: the settings file is not writable.</translation>
    </message>
    <message>
        <source>语言 / Language</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>lumetra::LiveMeasurer</name>
    <message>
        <source>内存不足，此帧未测量</source>
        <translation>Out of memory; this frame was not measured</translation>
    </message>
    <message>
        <source>此帧未测量：%1</source>
        <translation>This frame was not measured: %1</translation>
    </message>
    <message>
        <source>此帧未测量</source>
        <translation>This frame was not measured</translation>
    </message>
</context>
<context>
    <name>lumetra::LivePanel</name>
    <message>
        <source>记录…</source>
        <translation>Record…</translation>
    </message>
    <message>
        <source>长期记录：日志、统计与稳定性曲线</source>
        <translation>Long-term recording: log, statistics and stability plots</translation>
    </message>
    <message>
        <source>时间 (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>实时测量：等待图像…</source>
        <translation>Live measurement: waiting for an image…</translation>
    </message>
    <message>
        <source>质心</source>
        <translation>Centroid</translation>
    </message>
    <message>
        <source>D4σ 直径</source>
        <translation>D4σ diameter</translation>
    </message>
    <message>
        <source>%1 px（%2）</source>
        <translation>%1 px (%2)</translation>
    </message>
    <message>
        <source>未检测到光斑</source>
        <translation>No beam detected</translation>
    </message>
    <message>
        <source>质心 x %1 px  y %2 px
D4σ 长轴 %3  短轴 %4
D4σ x %5  y %6
</source>
        <translation>Centroid x %1 px  y %2 px
D4σ major %3  minor %4
D4σ x %5  y %6
</translation>
    </message>
    <message>
        <source>角度 %1°  椭圆度 %2  峰值 %3</source>
        <translation>Angle %1°  ellipticity %2  peak %3</translation>
    </message>
    <message>
        <source>  饱和：%1 个像素</source>
        <translation>  saturated: %1 px</translation>
    </message>
    <message>
        <source>质心  σx %1  σy %2</source>
        <translation>Centroid  σx %1  σy %2</translation>
    </message>
</context>
<context>
    <name>lumetra::MainWindow</name>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>打开图像文件…</source>
        <translation>Open picture…</translation>
    </message>
    <message>
        <source>视频卡</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>连接视频卡&#x3000;</source>
        <translation>Connect camera</translation>
    </message>
    <message>
        <source>退&#x3000;出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>打 开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>帮&#x3000;助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>文件不存在：%1</source>
        <translation>The file does not exist: %1</translation>
    </message>
    <message>
        <source>警告!!</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>连接视频卡</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>打开图像文件</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>退出系统</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>lumetra::MonitorSession</name>
    <message>
        <source>磁盘已满</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>写入失败</source>
        <translation>write failed</translation>
    </message>
    <message>
        <source>记录已停止：%1（%2）。已写入的 %3 行保留在 %4</source>
        <translation>Recording stopped: %1 (%2). The %3 lines written are kept in %4</translation>
    </message>
</context>
<context>
    <name>lumetra::MonitorTrendChart</name>
    <message>
        <source>质心偏移（相对窗口均值）</source>
        <translation>Centroid − window mean</translation>
    </message>
    <message>
        <source>D4σ 直径</source>
        <translation>D4σ diameter</translation>
    </message>
    <message>
        <source>%1 最小–最大</source>
        <translation>%1 range</translation>
    </message>
    <message>
        <source>时间 (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>时间 (%1)</source>
        <translation>Time (%1)</translation>
    </message>
</context>
<context>
    <name>lumetra::MonitorWindow</name>
    <message>
        <source>长期记录</source>
        <translation>Long-Term Recording</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>每帧</source>
        <translation>Every frame</translation>
    </message>
    <message>
        <source>每 N 帧</source>
        <translation>Every N frames</translation>
    </message>
    <message>
        <source>每 T 秒</source>
        <translation>Every T seconds</translation>
    </message>
    <message>
        <source>1 分钟</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>10 分钟</source>
        <translation>10 minutes</translation>
    </message>
    <message>
        <source>1 小时</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>8 小时</source>
        <translation>8 hours</translation>
    </message>
    <message>
        <source>窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>文件名后自动加上开始时间；已有文件从不覆盖</source>
        <translation>The start time is added to the file name; an existing file is never overwritten</translation>
    </message>
    <message>
        <source>未给定</source>
        <translation>not given</translation>
    </message>
    <message>
        <source>记录文件</source>
        <translation>Log file</translation>
    </message>
    <message>
        <source>距光源距离或透镜焦距</source>
        <translation>Distance to source or lens focal length</translation>
    </message>
    <message>
        <source>模拟相机</source>
        <translation>Simulated camera</translation>
    </message>
    <message>
        <source>漂移 x</source>
        <translation>Drift x</translation>
    </message>
    <message>
        <source>抖动</source>
        <translation>Jitter</translation>
    </message>
    <message>
        <source>未记录</source>
        <translation>Not recording</translation>
    </message>
    <message>
        <source>无法开始记录：%1</source>
        <translation>Cannot start recording: %1</translation>
    </message>
    <message>
        <source>正在记录到 %1</source>
        <translation>Recording to %1</translation>
    </message>
    <message>
        <source>记录结束：%1 行已写入 %2</source>
        <translation>Recording finished: %1 lines written to %2</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>Stop Recording</translation>
    </message>
    <message>
        <source>全程（无光斑 %1 帧，丢帧 %2）</source>
        <translation>Whole run (%1 frames without beam, %2 dropped)</translation>
    </message>
    <message>
        <source>全程</source>
        <translation>Whole run</translation>
    </message>
    <message>
        <source>窗口 %1</source>
        <translation>Window %1</translation>
    </message>
</context>
<context>
    <name>lumetra::PictureReport</name>
    <message>
        <source>无法打印图片 %1。
%2</source>
        <translation>Cannot print the picture %1.
%2</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>图</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>没有可用的打印机</source>
        <translation>No printer available</translation>
    </message>
    <message>
        <source>图 %1</source>
        <translation>Picture %1</translation>
    </message>
    <message>
        <source>已保存为 PDF：</source>
        <translation>Saved as PDF: </translation>
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
    <name>lumetra::ProfileChart</name>
    <message>
        <source>测量</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>高斯拟合</source>
        <translation>Gaussian fit</translation>
    </message>
    <message>
        <source>位置 (px)</source>
        <translation>Position (px)</translation>
    </message>
    <message>
        <source>位置 (µm)</source>
        <translation>Position (µm)</translation>
    </message>
    <message>
        <source>强度 (计数)</source>
        <translation>Intensity (counts)</translation>
    </message>
</context>
<context>
    <name>lumetra::ProgressDialog</name>
    <message>
        <source>正在读取灰度值</source>
        <translation>Reading grey levels</translation>
    </message>
</context>
<context>
    <name>lumetra::RecordingIndicator</name>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>● 记录中 %1 → %2</source>
        <translation>● Recording %1 → %2</translation>
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
    <name>lumetra::WindowMenu</name>
    <message>
        <source>窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>层叠</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <source>平铺</source>
        <translation>Tile</translation>
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
