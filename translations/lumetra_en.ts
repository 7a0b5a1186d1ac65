<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>BeamReadout</name>
    <message>
        <location filename="../src/beamview/BeamReadout.cpp" line="58"/>
        <source>警告</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BeamReport</name>
    <message>
        <location filename="../src/beamview/BeamReport.cpp" line="161"/>
        <source>%1。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BeamWarnings</name>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="17"/>
        <source>背景结构影响测量，请采集暗场</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="17"/>
        <source>背景有结构</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="18"/>
        <source>质心与直径未收敛</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="18"/>
        <source>未收敛</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="19"/>
        <source>有像素饱和，直径偏小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="19"/>
        <source>像素饱和</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="20"/>
        <source>光斑或积分区域到达图像边缘</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="20"/>
        <source>光束触及画面边缘</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="21"/>
        <source>光斑大于图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="21"/>
        <source>光束大于画面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="22"/>
        <source>D4σ 与刀口、高斯拟合宽度相差超过 10%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="23"/>
        <source>各宽度估计不一致</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="24"/>
        <source>信号弱：噪声使直径的不确定度超过 5%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/analysis/beam/report/BeamWarningText.cpp" line="24"/>
        <source>信号弱</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CausticFrameModel</name>
    <message>
        <location filename="../src/caustic/CausticFrameModel.cpp" line="18"/>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/caustic/CausticFrameModel.cpp" line="19"/>
        <source>条纹校正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/caustic/CausticFrameModel.cpp" line="20"/>
        <source>状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/caustic/CausticFrameModel.cpp" line="32"/>
        <source>完成</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lumetra::CameraMenu</name>
    <message>
        <location filename="../src/capture/CameraMenu.cpp" line="153"/>
        <source>%1 已在使用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/capture/CameraMenu.cpp" line="191"/>
        <source>上次采集的暗场已恢复，测量时扣除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/capture/CameraMenu.cpp" line="193"/>
        <source>暗场是在其他相机设置下采集的，不再扣除；请重新采集暗场</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/capture/CameraMenu.cpp" line="341"/>
        <source>无法重新连接相机，请检查连接后再试。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lumetra::CameraWatch</name>
    <message>
        <location filename="../src/capture/CameraWatch.cpp" line="35"/>
        <source>相机无应答（%1 起），每 %2 秒重试</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lumetra::CaptureWindow</name>
    <message>
        <location filename="../src/capture/CaptureWindow.cpp" line="287"/>
        <source>帧率 %1 帧/秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/capture/CaptureWindow.cpp" line="453"/>
        <source>长期记录已随采集窗口停止，记录文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lumetra::CausticChart</name>
    <message>
        <location filename="../src/caustic/CausticChart.cpp" line="27"/>
        <source>直径 d (µm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/caustic/CausticChart.cpp" line="128"/>
        <source>%1 拟合 M² = %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lumetra::ProfileChart</name>
    <message>
        <location filename="../src/beamview/ProfileChart.cpp" line="20"/>
        <source>强度</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lumetra::RecordingIndicator</name>
    <message>
        <location filename="../src/capture/monitoring/RecordingIndicator.cpp" line="21"/>
        <source>停止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/capture/monitoring/RecordingIndicator.cpp" line="50"/>
        <source>● 记录中 %1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
