#pragma once

#include <QLineEdit>

// A 17-pixel edge-value box. Four hex digits have to be readable in it, which
// the line edit's own margins do not allow, so the box draws its text itself,
// squeezing it to fit, and hands over to the line edit only while it is being
// edited.
class EdgeBox : public QLineEdit
{
    Q_OBJECT

public:
    EdgeBox(const QString &name, const QString &spokenName, QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Narrowest horizontal squeeze applied before the text is clipped instead.
    static constexpr qreal MinSqueeze = 0.6;
};
