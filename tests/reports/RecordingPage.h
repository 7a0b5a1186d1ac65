#pragma once

#include "platform/printing/PrinterPage.h"

#include <QList>
#include <QString>

namespace lumetra::testing {

// A page that records what is drawn on it, with simple font metrics: every character is one em
// wide (points x 20 twips, bold adds a tenth) and a line is 1.5 em high.
class RecordingPage : public PrinterPage
{
public:
    struct Line
    {
        double x1, y1, x2, y2;
        Colour colour;
    };
    struct Text
    {
        QString text;
        double x, y;
        double fontSize;
        bool bold;
    };

    explicit RecordingPage(double width = 12000, double height = 16000) : m_width(width), m_height(height) {}

    double pageWidth() const override { return m_width; }
    double pageHeight() const override { return m_height; }
    double fontSize() const override { return m_fontSize; }
    void setFontSize(double points) override { m_fontSize = points; }
    bool bold() const override { return m_bold; }
    void setBold(bool on) override { m_bold = on; }
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    void print(const QString &text) override;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void drawImage(const QRectF &target, const QImage &image) override;
    PrintOutcome endDocument() override;

    QList<Line> lines;
    QList<Text> texts;
    QList<QRectF> images;
    int ended = 0;

    // Recorded texts equal to `text`.
    QList<Text> textsEqual(const QString &text) const;
    // Lines that are vertical/horizontal segments with both ends as given (within 0.01 twip).
    bool hasLine(double x1, double y1, double x2, double y2) const;

private:
    double m_width;
    double m_height;
    double m_fontSize = 10;
    bool m_bold = false;
    double m_x = 0;
    double m_y = 0;
};

} // namespace lumetra::testing
