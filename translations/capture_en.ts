<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
      <source>图像存为　%1！</source>
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
      <source>图像存为　%1！</source>
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
</TS>
