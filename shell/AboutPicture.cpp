#include "AboutPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

AboutPicture::AboutPicture(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void AboutPicture::paint(QPainter &painter, const QRectF &target)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(target.topLeft());
    painter.scale(target.width() / DesignWidth, target.height() / DesignHeight);

    const QPen grid(QColor(0x60, 0x68, 0x70), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    const QColor lit(0x00, 0x00, 0xFF);
    const QColor unlit(0xE3, 0xE3, 0xDC);
    painter.setPen(grid);
    // Two columns, bits 1010 and 0101 from the top: A and 5.
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < 4; ++row) {
            painter.setBrush((row + column) % 2 == 0 ? lit : unlit);
            painter.drawRect(QRectF(4 + 13 * column, 3 + 13 * row, 13, 13));
        }

    QPainterPath arrow;
    arrow.moveTo(38, 29);
    arrow.lineTo(70, 29);
    arrow.moveTo(62, 21);
    arrow.lineTo(71, 29);
    arrow.lineTo(62, 37);
    painter.setPen(QPen(QColor(0xC0, 0x00, 0x00), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arrow);

    painter.setPen(grid);
    painter.setBrush(QColor(0xC0, 0xFF, 0xFF));
    // Corners of about 4 units, given in whole percent of the half sides.
    painter.drawRoundedRect(QRectF(78, 12, 74, 34), 10, 23, Qt::RelativeSize);

    // Outlines, laid out at 100 px and scaled down to 22: glyph advances at
    // small sizes are rounded to whole pixels and hinted to one scale.
    const qreal size = 22, layoutSize = 100, shrink = size / layoutSize;
    QFont font(QStringLiteral("serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(int(layoutSize));
    font.setBold(true);
    const QString text = QStringLiteral("0xA5");
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    QPainterPath outline;
    outline.addText(QPointF(115 / shrink - width / 2, 37 / shrink), font, text);
    painter.scale(shrink, shrink);
    painter.fillPath(outline, lit);
    painter.restore();
}

void AboutPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, rect());
}
