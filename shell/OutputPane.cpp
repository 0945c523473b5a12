#include "OutputPane.h"

#include "MessageBox.h"
#include "output/PaneText.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
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
    // The raw text: the plain-text export would turn no-break spaces into spaces.
    return PaneText::withCrLf(document()->toRawText());
}

bool OutputPane::accepts(const QString &text)
{
    const QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    const int before = cursor.selectionStart() - first.position();
    const int after = last.length() - 1 - (cursor.selectionEnd() - last.position());
    if (PaneText::longestLineAfter(before, text, after) <= LongestLine)
        return true;
    MessageBox::show(this, tr("The pane takes lines of up to %1 characters, and this would make a longer one, "
                              "so it was not added.")
                               .arg(LongestLine));
    return false;
}

void OutputPane::insertFromMimeData(const QMimeData *source)
{
    if (source && source->hasText() && !accepts(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

void OutputPane::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.at(0).isPrint();
    if (typing && !isReadOnly() && !accepts(text)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void OutputPane::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && !accepts(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
