#include "OutputPane.h"

#include "MessageBox.h"
#include "output/PaneText.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

// QTextDocument keeps U+FDD0 and U+FDD1 for its frames and turns them into
// paragraph breaks as they are inserted. The pane holds each as the
// noncharacter two places on, which looks the same, with this property in
// its format, and gives the original back wherever its text leaves.
constexpr int StandInProperty = QTextFormat::UserProperty + 1;
constexpr ushort StandInShift = 2;

bool isFrameMarker(QChar ch)
{
    return ch.unicode() == 0xFDD0 || ch.unicode() == 0xFDD1;
}

// Puts text in place of the cursor's selection.
void insert(QTextCursor &cursor, const QString &text)
{
    QTextCharFormat plain = cursor.charFormat();
    plain.clearProperty(StandInProperty);
    QTextCharFormat standIn = plain;
    standIn.setProperty(StandInProperty, true);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isFrameMarker(text.at(i))) {
            cursor.insertText(text.mid(start, i - start), plain);
            cursor.insertText(QChar(ushort(text.at(i).unicode() + StandInShift)), standIn);
            start = i + 1;
        }
    }
    cursor.insertText(start == 0 ? text : text.mid(start), plain);
    cursor.endEditBlock();
}

// Whether the text control takes a key's text as typed input.
bool typesText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate()) || first == QLatin1Char('\t');
}

} // namespace

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
    insert(end, text);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QString OutputPane::textBetween(int from, int to) const
{
    QString out;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from)
            out += QLatin1Char('\n');
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end)
                continue;
            QString part = fragment.text().mid(start - fragment.position(), end - start);
            if (fragment.charFormat().boolProperty(StandInProperty)) {
                for (QChar &ch : part)
                    if (isFrameMarker(QChar(ushort(ch.unicode() - StandInShift))))
                        ch = QChar(ushort(ch.unicode() - StandInShift));
            }
            out += part;
        }
    }
    return out;
}

QString OutputPane::paneText() const
{
    // Block by block: a no-break space stays one, and only real line breaks
    // become CR LF.
    return PaneText::withCrLf(textBetween(0, document()->characterCount() - 1));
}

QMimeData *OutputPane::createMimeDataFromSelection() const
{
    // Copied or dragged, the selection is the characters shown, as text only.
    const QTextCursor cursor = textCursor();
    auto *data = new QMimeData;
    data->setText(
        textBetween(cursor.selectionStart(), cursor.selectionEnd()).replace(QChar::LineSeparator, QLatin1Char('\n')));
    return data;
}

bool OutputPane::fits(int from, int to, const QString &text) const
{
    const QTextBlock first = document()->findBlock(from);
    const QTextBlock last = from == to ? first : document()->findBlock(to);
    const int head = from - first.position();
    const int tail = last.position() + last.length() - 1 - to;
    // A character is one or two units: counting units settles most edits.
    if (head + text.size() + tail <= LongestLine)
        return true;
    const QString firstText = first.text();
    const QString lastText = last == first ? firstText : last.text();
    const int longest =
        PaneText::longestLineAfter(PaneText::characters(QStringView(firstText).left(head)), text,
                                   PaneText::characters(QStringView(lastText).mid(to - last.position())));
    return longest <= LongestLine ||
           longest <= std::max(PaneText::characters(firstText), PaneText::characters(lastText));
}

// The edit the text control makes of a key, tried in the order it tries them.
bool OutputPane::keyFits(const QKeyEvent *event) const
{
    QTextCursor cursor = textCursor();
    const auto removing = [this, &cursor](QTextCursor::MoveOperation op) {
        if (!cursor.hasSelection())
            cursor.movePosition(op, QTextCursor::KeepAnchor);
        return fits(cursor.selectionStart(), cursor.selectionEnd(), QString());
    };
    if ((event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) ||
        event->matches(QKeySequence::Backspace)) {
        if (!cursor.hasSelection() && !cursor.atBlockStart())
            return true; // within the line, which only gets shorter
        return removing(QTextCursor::PreviousCharacter);
    }
    if (event->matches(QKeySequence::InsertParagraphSeparator))
        return true;
    if (event->matches(QKeySequence::InsertLineSeparator))
        return fits(cursor.selectionStart(), cursor.selectionEnd(), QString(QChar::LineSeparator));
    // Undo and redo only bring back what the pane has held; a paste is
    // checked as it is inserted.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) || event->matches(QKeySequence::Paste))
        return true;
    if (event->matches(QKeySequence::Cut))
        return removing(QTextCursor::NoMove);
    if (event->matches(QKeySequence::Delete)) {
        if (!cursor.hasSelection() && !cursor.atBlockEnd())
            return true;
        return removing(QTextCursor::NextCharacter);
    }
    if (event->matches(QKeySequence::DeleteEndOfWord))
        return removing(QTextCursor::NextWord);
    if (event->matches(QKeySequence::DeleteStartOfWord))
        return removing(QTextCursor::PreviousWord);
    if (event->matches(QKeySequence::DeleteEndOfLine)) {
        const QTextBlock block = cursor.block();
        const bool lastChar = cursor.position() == block.position() + block.length() - 2;
        cursor.movePosition(lastChar ? QTextCursor::Right : QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        return fits(cursor.selectionStart(), cursor.selectionEnd(), QString());
    }
    return !typesText(event) || fits(cursor.selectionStart(), cursor.selectionEnd(), event->text());
}

bool OutputPane::dropFits(const QDropEvent *event) const
{
    const QString text = event->mimeData()->text();
    const int at = cursorForPosition(event->position().toPoint()).position();
    const QTextCursor selection = textCursor();
    if (event->source() != viewport() || event->dropAction() != Qt::MoveAction || !selection.hasSelection())
        return fits(at, at, text);
    // Moved within the pane, the text leaves its place first. Landing on a
    // line that leaving joins, the two make one edit.
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    if (at >= start && at <= end)
        return fits(start, end, text);
    const QTextBlock landing = document()->findBlock(at);
    if (at < start && landing == document()->findBlock(start))
        return fits(at, end, text + textBetween(at, start));
    if (at > end && landing == document()->findBlock(end))
        return fits(start, at, textBetween(end, at) + text);
    return fits(start, end, QString()) && fits(at, at, text);
}

void OutputPane::refuse()
{
    m_refused = true;
    MessageBox::show(this, tr("The pane takes lines of up to %1 characters, and this would make a longer one, "
                              "so the pane was left as it was.")
                               .arg(LongestLine));
}

bool OutputPane::canInsertFromMimeData(const QMimeData *source) const
{
    return !m_refusingDrop && QPlainTextEdit::canInsertFromMimeData(source);
}

void OutputPane::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;
    const QString text = source->text();
    QTextCursor cursor = textCursor();
    // A drop was weighed as a whole, with the moved text's leaving.
    if (!m_dropping && !fits(cursor.selectionStart(), cursor.selectionEnd(), text)) {
        refuse();
        return;
    }
    insert(cursor, text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void OutputPane::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly()) {
        if (!keyFits(event)) {
            event->accept();
            refuse();
            return;
        }
        const QString text = event->text();
        if (typesText(event) && std::any_of(text.begin(), text.end(), isFrameMarker)) {
            QTextCursor cursor = textCursor();
            insert(cursor, text);
            setTextCursor(cursor);
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void OutputPane::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (isReadOnly() || (commit.isEmpty() && event->replacementLength() == 0)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        const int last = document()->characterCount() - 1;
        const int from = std::clamp(cursor.position() + event->replacementStart(), 0, last);
        cursor.setPosition(from);
        cursor.setPosition(std::min(from + event->replacementLength(), last), QTextCursor::KeepAnchor);
    }
    const bool fitting = fits(cursor.selectionStart(), cursor.selectionEnd(), commit);
    if (fitting && std::none_of(commit.begin(), commit.end(), isFrameMarker)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // Refused, or holding what only the pane can insert: the text control
    // gets the rest of the event, so the input method's preedit still ends.
    if (fitting) {
        insert(cursor, commit);
        setTextCursor(cursor);
    }
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&rest);
    if (!fitting)
        refuse();
}

void OutputPane::mouseReleaseEvent(QMouseEvent *event)
{
    // A middle-click paste moves the cursor first; turned down, it stays put.
    const QTextCursor before = textCursor();
    m_refused = false;
    QPlainTextEdit::mouseReleaseEvent(event);
    if (m_refused && event->button() == Qt::MiddleButton)
        setTextCursor(before);
}

void OutputPane::dragMoveEvent(QDragMoveEvent *event)
{
    QPlainTextEdit::dragMoveEvent(event); // the drop caret, scrolling
    m_dropDowngraded = event->isAccepted() && !isReadOnly() && event->mimeData()->hasText() && !dropFits(event);
    if (!m_dropDowngraded)
        return;
    // A drop here will be turned down. A source on X11 settles on the action
    // last accepted during the drag, whatever the drop then says, so nothing
    // more than a copy is accepted: no source gives up its text for it.
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else
        event->ignore();
}

void OutputPane::dropEvent(QDropEvent *event)
{
    m_refusingDrop = !isReadOnly() && event->mimeData()->hasText() && (m_dropDowngraded || !dropFits(event));
    m_dropDowngraded = false;
    m_dropping = true;
    QPlainTextEdit::dropEvent(event); // refuses too, with nothing inserted or removed
    m_dropping = false;
    if (!m_refusingDrop)
        return;
    m_refusingDrop = false;
    // Turned down as a drop: whoever dragged, this pane or another program,
    // keeps the text.
    event->ignore();
    viewport()->update(); // the drop caret
    // Told once the drag has ended, not from inside it.
    QMetaObject::invokeMethod(this, &OutputPane::refuse, Qt::QueuedConnection);
}

void OutputPane::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QTextCursor cursor = textCursor();
    const bool insertFits = fits(cursor.selectionStart(), cursor.selectionEnd(), QStringLiteral(" "));
    // Cut and Delete join lines as the keys do, and are checked alike.
    for (QAction *action : menu->actions()) {
        const QString name = action->objectName();
        if (name == QLatin1String("edit-cut") || name == QLatin1String("edit-delete")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, [this, cut = name == QLatin1String("edit-cut")] {
                QTextCursor selection = textCursor();
                if (!fits(selection.selectionStart(), selection.selectionEnd(), QString())) {
                    refuse();
                } else if (cut) {
                    this->cut();
                } else {
                    selection.removeSelectedText();
                    setTextCursor(selection);
                }
            });
        }
    }
    // The control characters' submenu inserts one at the cursor.
    for (QAction *action : menu->actions())
        if (action->menu<QMenu *>())
            action->setEnabled(insertFits);
    menu->popup(event->globalPos());
}
