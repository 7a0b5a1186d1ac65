<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
      <source>%1　%2</source>
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
      <translation>Measure every frame of the capture window (at the camera's own bit depth); a frame not yet measured is dropped when a newer one arrives</translation>
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
      <translation>While measuring live, append every frame's results to a log file</translation>
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
      <source>%1　%2 × %3，%4 位%5</source>
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
</TS>
