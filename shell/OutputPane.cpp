#include "OutputPane.h"

#include "MessageBox.h"

#include <QDragLeaveEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextDocumentLayout>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <utility>

namespace {

// The stand-ins' mark. Qt drops an object type from the format of the text
// it inserts at a cursor, so text typed, composed or inserted by a screen
// reader beside a stand-in never becomes one.
constexpr int StandInObject = QTextFormat::UserObject + 1;

bool holdsFrameMarker(const QString &text)
{
    return std::any_of(text.begin(), text.end(), PaneText::isFrameMarker);
}

} // namespace

// The document's layout is told of every change before it lays anything out:
// the one place that sees them all.
class OutputPane::Layout : public QPlainTextDocumentLayout
{
public:
    Layout(QTextDocument *document, OutputPane *pane) : QPlainTextDocumentLayout(document), m_pane(pane) {}

    void documentChanged(int from, int removed, int added) override
    {
        switch (m_pane->weigh(from, removed, added)) {
        case Outcome::Taken:
            QPlainTextDocumentLayout::documentChanged(from, removed, added);
            break;
        case Outcome::TakenBack:
            QPlainTextDocumentLayout::documentChanged(from, removed, removed);
            break;
        case Outcome::Inside:
            break;
        }
    }

private:
    OutputPane *m_pane;
};

OutputPane::OutputPane(QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Text1"));
    auto *doc = new QTextDocument(this);
    {
        QScopedValueRollback<bool> setUp(m_listing, true);
        auto *layout = new Layout(doc, this);
        doc->setDocumentLayout(layout);
        layout->setPaintDevice(viewport());
        doc->setDefaultFont(font());
        setDocument(doc);
    }
    // A new step after every change: Qt would merge typing into the step
    // before, which taking back a refused change must leave alone.
    connect(doc, &QTextDocument::modificationChanged, doc, [doc](bool changed) {
        if (changed)
            doc->setModified(false);
    });
    connect(doc, &QTextDocument::undoCommandAdded, this, [this] { m_newStep = true; });
    const auto noteCursor = [this] {
        const QTextCursor cursor = textCursor();
        m_anchor = cursor.anchor();
        m_position = cursor.position();
    };
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, noteCursor);
    connect(this, &QPlainTextEdit::selectionChanged, this, noteCursor);

    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
}

void OutputPane::insertWithStandIns(QTextCursor &cursor, const QString &text)
{
    QTextCharFormat plain = cursor.charFormat();
    plain.clearProperty(QTextFormat::ObjectType);
    QTextCharFormat standIn = plain;
    standIn.setObjectType(StandInObject);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (PaneText::isFrameMarker(text.at(i))) {
            cursor.insertText(text.mid(start, i - start), plain);
            cursor.insertText(PaneText::standInFor(text.at(i)), standIn);
            start = i + 1;
        }
    }
    cursor.insertText(start == 0 ? text : text.mid(start), plain);
    cursor.endEditBlock();
}

void OutputPane::appendListing(const QString &text)
{
    QScopedValueRollback<bool> listing(m_listing, true);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    insertWithStandIns(end, text);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

PaneText::Reach OutputPane::reachOf(int from, int to) const
{
    PaneText::Reach r;
    const QTextBlock last = document()->findBlock(to);
    for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
        // Units bound characters: most lines need no closer look.
        if (block.length() - 1 > std::min(r.line, r.character)) {
            const PaneText::Reach line = PaneText::reach(block.text());
            r.line = std::max(r.line, line.line);
            r.character = std::max(r.character, line.character);
        }
        if (block == last)
            break;
    }
    return r;
}

bool OutputPane::within(const PaneText::Reach &after, const PaneText::Reach &before)
{
    return after.line <= std::max(int(LongestLine), before.line) &&
           after.character <= std::max(int(LongestCharacter), before.character);
}

OutputPane::Outcome OutputPane::weigh(int from, int removed, int added)
{
    const bool newStep = std::exchange(m_newStep, false);
    QTextDocument *doc = document();
    // Listings and text set whole are not edits; undo and redo bring back only
    // what the pane has held.
    if (m_weighing)
        return Outcome::Inside; // the layout hears of the outcome once it is settled
    if (m_listing || !newStep || !doc->isUndoRedoEnabled())
        return Outcome::Taken;
    const PaneText::Reach after = reachOf(from, from + added);
    if (within(after, {}))
        return Outcome::Taken;
    // Past a bound, as a line a listing continued may be: taken where the
    // lines it replaces reached as far. Undoing and redoing move the cursor;
    // it is put back where the change left it, or, refused, where it stood.
    QScopedValueRollback<bool> weighing(m_weighing, true);
    const QTextCursor now = textCursor();
    int anchor = now.anchor();
    int position = now.position();
    const int anchorBefore = m_anchor;
    const int positionBefore = m_position;
    doc->undo();
    const bool taken = within(after, reachOf(from, from + removed));
    if (taken) {
        doc->redo();
    } else {
        doc->clearUndoRedoStacks(QTextDocument::RedoStack);
        anchor = anchorBefore;
        position = positionBefore;
        ++m_refusals;
        // Told once the edit, or the drag that made it, is over.
        QMetaObject::invokeMethod(this, &OutputPane::refuse, Qt::QueuedConnection);
    }
    QTextCursor cursor(doc);
    const int last = doc->characterCount() - 1;
    cursor.setPosition(std::min(anchor, last));
    cursor.setPosition(std::min(position, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    return taken ? Outcome::Taken : Outcome::TakenBack;
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
            const QString part = fragment.text().mid(start - fragment.position(), end - start);
            out += fragment.charFormat().objectType() == StandInObject ? PaneText::fromStandIns(part) : part;
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

void OutputPane::replaceRange(int from, int to, const QString &text)
{
    if (isReadOnly())
        return;
    const int last = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(from, 0, last));
    cursor.setPosition(std::clamp(to, 0, last), QTextCursor::KeepAnchor);
    insertWithStandIns(cursor, text);
}

QMimeData *OutputPane::createMimeDataFromSelection() const
{
    // Copied or dragged, the selection is the characters shown, as text only.
    // Asked for during a move, it is for the drag the text control is starting.
    if (m_moving)
        m_pressed = false;
    const QTextCursor cursor = textCursor();
    auto *data = new QMimeData;
    data->setText(
        textBetween(cursor.selectionStart(), cursor.selectionEnd()).replace(QChar::LineSeparator, QLatin1Char('\n')));
    return data;
}

void OutputPane::refuse()
{
    MessageBox::show(this, tr("The pane takes lines of up to %1 characters, and this would make a longer one, "
                              "so the pane was left as it was.")
                               .arg(LongestLine));
}

void OutputPane::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;
    const int refusals = m_refusals;
    QTextCursor cursor = textCursor();
    insertWithStandIns(cursor, source->text());
    // A drop inserts inside an edit block of its own, which the layout hears
    // of only once it ends: the text control's cursor, which the insertion
    // moved along, is shown then.
    if (m_refusals == refusals && !m_dropping) {
        setTextCursor(cursor);
        ensureCursorVisible();
    }
}

void OutputPane::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly() || !holdsFrameMarker(event->text())) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const int refusals = m_refusals;
    QTextCursor cursor = textCursor();
    insertWithStandIns(cursor, event->text());
    if (m_refusals == refusals)
        setTextCursor(cursor);
    event->accept();
}

void OutputPane::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (isReadOnly() || !holdsFrameMarker(commit)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // The commit goes in here; the text control gets the rest of the event,
    // so that the input method's preedit still ends.
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        const int last = document()->characterCount() - 1;
        const int from = std::clamp(cursor.position() + event->replacementStart(), 0, last);
        cursor.setPosition(from);
        cursor.setPosition(std::min(from + event->replacementLength(), last), QTextCursor::KeepAnchor);
    }
    const int refusals = m_refusals;
    insertWithStandIns(cursor, commit);
    if (m_refusals == refusals)
        setTextCursor(cursor);
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&rest);
}

void OutputPane::dragMoveEvent(QDragMoveEvent *event)
{
    QPlainTextEdit::dragMoveEvent(event); // the drop caret, scrolling
    // Moved within the pane, a refused drop leaves both ends as they were.
    if (!event->isAccepted() || isReadOnly() || event->source() == viewport() || !event->mimeData()->hasText())
        return;
    // The text control rounds the drop's point once scrolling has moved it,
    // where cursorForPosition keeps a fraction of a pixel: within a pixel of
    // a line's edge the drop may land on the line above or below, so each of
    // them must take it.
    const QString text = event->mimeData()->text();
    const auto takes = [this, &text](const QPoint &point) {
        const int position = cursorForPosition(point).position();
        const QTextBlock block = document()->findBlock(position);
        const QString line = block.text();
        const int at = position - block.position();
        return within(PaneText::reach(line.left(at) + text + line.mid(at)), PaneText::reach(line));
    };
    const QPoint point = event->position().toPoint();
    if (takes(point) && takes(point - QPoint(0, 1)) && takes(point + QPoint(0, 1)))
        return;
    // A source on X11 settles on the action last accepted during the drag,
    // whatever the drop then says, so nothing more than a copy is accepted
    // where the drop will be turned down: no source gives up its text for it.
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else
        event->ignore();
}

void OutputPane::dragEnterEvent(QDragEnterEvent *event)
{
    m_dragOver = true;
    QPlainTextEdit::dragEnterEvent(event);
}

void OutputPane::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_dragOver = false;
    QPlainTextEdit::dragLeaveEvent(event);
}

void OutputPane::dropEvent(QDropEvent *event)
{
    m_dragOver = false;
    const int refusals = m_refusals;
    {
        QScopedValueRollback<bool> dropping(m_dropping, true);
        QPlainTextEdit::dropEvent(event);
    }
    if (m_refusals == refusals)
        return;
    // Turned down as a drop: whoever dragged, this pane or another program,
    // keeps the text.
    event->ignore();
    viewport()->update(); // the drop caret
}

void OutputPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QPlainTextEdit::mousePressEvent(event);
}

void OutputPane::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

void OutputPane::mouseMoveEvent(QMouseEvent *event)
{
    m_dragOver = false; // as Qt assumes: no drag is over a pane that the pointer moves on
    const bool held = event->buttons() & Qt::LeftButton;
    if (held && !m_pressed)
        return; // the autoscroll timer's, or a press that a drag has ended
    {
        QScopedValueRollback<bool> moving(m_moving, true);
        QPlainTextEdit::mouseMoveEvent(event);
    }
    // A drag ran and is over. Where the move that started it was outside the
    // text, Qt has just started autoscrolling, as for a stroke still going on.
    if (held && !m_pressed)
        stopAutoScroll();
}

void OutputPane::mouseReleaseEvent(QMouseEvent *event)
{
    // A release with no left press of the pane's down would reach a text
    // control still waiting on a press on the selection, which it would end
    // as a click there: the selection gone, the cursor moved.
    if (event->button() == Qt::LeftButton && !std::exchange(m_pressed, false))
        return;
    QPlainTextEdit::mouseReleaseEvent(event);
}

void OutputPane::timerEvent(QTimerEvent *event)
{
    // QPlainTextEdit's timer events are all its autoscroll's, which follows a
    // drag over the pane or else moves as though the left button were held.
    if (!m_pressed && !m_dragOver) {
        stopAutoScroll();
        return;
    }
    QPlainTextEdit::timerEvent(event);
}

void OutputPane::stopAutoScroll()
{
    // Qt keeps the autoscroll timer to itself, and stops it when a drag
    // leaves; with no drag over the pane, a leaving tells nothing else.
    QDragLeaveEvent leave;
    QPlainTextEdit::dragLeaveEvent(&leave);
}
