<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
    <name>WorkspacePicture</name>
    <message>
        <source>（%1×%2，%3）</source>
        <translation> (%1 × %2, %3)</translation>
    </message>
</context>
</TS>
