<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
      <source>图片：%1　切线：%2　积分宽度：%3　日期：%4</source>
      <translation>Picture: %1   Cut: %2   Integration width: %3   Date: %4</translation>
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
</TS>
