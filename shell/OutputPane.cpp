#include "OutputPane.h"

#include "output/PaneText.h"

#include <QScrollBar>
#include <QTextCursor>

OutputPane::OutputPane(QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Text1"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
}

void OutputPane::appendListing(const QString &text)
{
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QString OutputPane::paneText() const
{
    return PaneText::withCrLf(toPlainText());
}
