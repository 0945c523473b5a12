#pragma once

#include <QLineEdit>

class QPainter;

// A 17-pixel box above a column, where a column value can be typed. Four hex
// digits have to be readable in it, which the line edit's own margins do not
// allow, so the box draws its text itself, squeezing it to fit, and hands over
// to the line edit only while it is being edited.
class EdgeBox : public QLineEdit
{
    Q_OBJECT

public:
    EdgeBox(const QString &name, const QString &spokenName, QWidget *parent = nullptr);

    // How every edge-value box shows its value: the text centred, squeezed
    // when it is too wide, in a one-pixel frame.
    static void paintValue(QPainter &p, const QWidget *box, const QString &text, const QColor &pen);
    static void paintFrame(QPainter &p, const QWidget *box);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
