#pragma once

#include <QWidget>

// The About window's drawing: a column of lit cells turning into its hex
// byte. Painted as vectors at the widget's size, so it stays sharp at any
// screen scale without an SVG renderer.
class AboutPicture : public QWidget
{
    Q_OBJECT

public:
    explicit AboutPicture(QWidget *parent = nullptr);

    // Width and height of the drawing's own coordinates, scaled to the widget.
    static constexpr int DesignWidth = 158;
    static constexpr int DesignHeight = 58;

    static void paint(QPainter &painter, const QRectF &target);

protected:
    void paintEvent(QPaintEvent *event) override;
};
