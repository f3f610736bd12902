#include "app/toolbaricons.h"

#include "platform/commandids.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QPainterPath>
#include <QPixmap>

namespace calivue {

namespace {

const QColor kInk(40, 40, 40);
const QColor kBlue(30, 80, 220);
const QColor kRed(220, 40, 30);

void drawOpen(QPainter& p)
{
    // A folder with its lid open.
    p.setPen(kInk);
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygon({{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 12}, {1, 12}}));
    p.setBrush(QColor(250, 225, 130));
    p.drawPolygon(QPolygon({{3, 7}, {15, 7}, {12, 12}, {1, 12}}));
}

void drawSave(QPainter& p)
{
    // A diskette: body, shutter and label.
    p.setPen(kInk);
    p.setBrush(QColor(60, 70, 140));
    p.drawRect(1, 1, 13, 12);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(4, 1, 7, 4);
    p.setBrush(Qt::white);
    p.drawRect(3, 8, 9, 5);
}

void drawOptions(QPainter& p)
{
    // Three sliders.
    p.setPen(kInk);
    for (int i = 0; i < 3; ++i) p.drawLine(2, 3 + i * 4, 13, 3 + i * 4);
    p.setBrush(QColor(230, 120, 30));
    p.drawRect(4, 1, 2, 4);
    p.drawRect(9, 5, 2, 4);
    p.drawRect(6, 9, 2, 4);
}

void drawCursorList(QPainter& p)
{
    // A list: bullets and lines.
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 15, 14);
    for (int i = 0; i < 4; ++i) {
        p.fillRect(2, 2 + i * 3, 2, 2, kRed);
        p.drawLine(6, 3 + i * 3, 13, 3 + i * 3);
    }
}

void drawCross(QPainter& p, QColor colour, int cx, int cy, int arm)
{
    p.setPen(colour);
    p.drawLine(cx - arm, cy, cx - 2, cy);
    p.drawLine(cx + 2, cy, cx + arm, cy);
    p.drawLine(cx, cy - arm, cx, cy - 2);
    p.drawLine(cx, cy + 2, cx, cy + arm);
}

void drawCursors(QPainter& p)
{
    drawCross(p, kInk, 7, 7, 6);
}

void drawCursorTemperature(QPainter& p)
{
    // A small cross with a thermometer beside it.
    drawCross(p, kInk, 4, 4, 4);
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(11, 2, 2, 8);
    p.setBrush(kRed);
    p.drawEllipse(9, 9, 5, 5);
    p.fillRect(12, 6, 1, 4, kRed);
}

void drawHotCold(QPainter& p)
{
    drawCross(p, kRed, 4, 4, 4);
    drawCross(p, kBlue, 11, 10, 4);
}

void drawAreaSelect(QPainter& p)
{
    QPen dashed(kInk);
    dashed.setStyle(Qt::DashLine);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.setBrush(QColor(255, 210, 120));
    p.drawRect(2, 2, 11, 10);
}

void drawIsotherm(QPainter& p, QColor band)
{
    // A grey ramp with a coloured band across its middle.
    for (int y = 0; y < kToolBarIconHeight; ++y) {
        const int v = 40 + y * 13;
        p.fillRect(1, y, 14, 1, QColor(v, v, v));
    }
    p.fillRect(1, 5, 14, 5, band);
}

void drawProfiles(QPainter& p)
{
    // Axes and a temperature curve.
    p.setPen(kInk);
    p.drawLine(1, 1, 1, 13);
    p.drawLine(1, 13, 15, 13);
    p.setPen(QPen(kRed, 1.2));
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath curve(QPointF(2, 11));
    curve.cubicTo(QPointF(5, 11), QPointF(6, 2), QPointF(9, 4));
    curve.cubicTo(QPointF(11, 5), QPointF(12, 9), QPointF(15, 8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

void drawReportWriter(QPainter& p)
{
    // A page with a small picture and text lines.
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{2, 0}, {10, 0}, {13, 3}, {13, 14}, {2, 14}}));
    p.fillRect(4, 2, 5, 4, QColor(230, 110, 40));
    for (int y = 8; y <= 12; y += 2) p.drawLine(4, y, 11, y);
}

void drawAbout(QPainter& p)
{
    // A question mark in a speech balloon.
    p.setPen(kInk);
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(1, 0, 13, 11);
    p.drawLine(4, 10, 3, 14);
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kBlue);
    p.drawText(QRect(1, 0, 14, 11), Qt::AlignCenter, QStringLiteral("?"));
}

using Drawing = void (*)(QPainter&);

// Paints a button picture drawn in the 16 × 15 grid at any size: the drawing is scaled, so a
// HiDPI screen gets sharp lines instead of enlarged pixels.
class ToolBarIconEngine : public QIconEngine {
public:
    explicit ToolBarIconEngine(Drawing draw) : m_draw(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / double(kToolBarIconWidth),
                       rect.height() / double(kToolBarIconHeight));
        if (rect.width() > kToolBarIconWidth) painter->setRenderHint(QPainter::Antialiasing);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        QPixmap pm = QPixmap::fromImage(image);
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        return pm;
    }

    QIconEngine* clone() const override { return new ToolBarIconEngine(m_draw); }

private:
    Drawing m_draw;
};

Drawing drawingOf(int command)
{
    Drawing draw = nullptr;
    switch (command) {
        case cmd::FileOpen:
            draw = drawOpen;
            break;
        case cmd::FileSave:
            draw = drawSave;
            break;
        case cmd::Options:
            draw = drawOptions;
            break;
        case cmd::MeasurementCursorList:
            draw = drawCursorList;
            break;
        case cmd::MeasurementCursors:
            draw = drawCursors;
            break;
        case cmd::CursorTemperature:
            draw = drawCursorTemperature;
            break;
        case cmd::HotColdCursors:
            draw = drawHotCold;
            break;
        case cmd::AreaSelect:
            draw = drawAreaSelect;
            break;
        case cmd::BlueIsotherm:
            draw = [](QPainter& p) { drawIsotherm(p, kBlue); };
            break;
        case cmd::RedIsotherm:
            draw = [](QPainter& p) { drawIsotherm(p, kRed); };
            break;
        case cmd::Profiles:
            draw = drawProfiles;
            break;
        case cmd::ReportWriter:
            draw = drawReportWriter;
            break;
        case cmd::AppAbout:
            draw = drawAbout;
            break;
        default:
            break;
    }
    return draw;
}

}  // namespace

QImage toolBarImage(int command)
{
    const Drawing draw = drawingOf(command);
    if (!draw) return {};
    QImage image(kToolBarIconWidth, kToolBarIconHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter);
    return image;
}

QIcon toolBarIcon(int command)
{
    const Drawing draw = drawingOf(command);
    if (!draw) return {};
    return QIcon(new ToolBarIconEngine(draw));
}

}  // namespace calivue
