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
    <name>ReportSheet</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
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
    <name>lumetra::ProgressDialog</name>
    <message>
        <source>正在读取灰度值</source>
        <translation>Reading grey levels</translation>
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
</TS>
