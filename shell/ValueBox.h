#pragma once

#include <QWidget>

// A box beside the grid that only shows a value (left, right and bottom of
// it). Nothing is typed into it, so it is a plain widget that paints its text,
// not a line edit: thirty-two line edits were the dearest part of start-up.
class ValueBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    ValueBox(const QString &name, const QString &spokenName, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    // What a screen reader says: which box, and the value it shows.
    QString spokenName() const { return m_spokenName + QStringLiteral(": ") + m_text; }

    QSize sizeHint() const override { return {17, 17}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QString m_spokenName;
};
