#pragma once

#include "output/PaneText.h"

#include <QPlainTextEdit>

// The output pane: an ordinary editable text that listings append to.
//
// Every change of its document, whatever makes it (keys, input methods,
// menus, drops, a drag that takes text out, undo, a screen reader), reaches
// one check before Qt lays it out: one that makes a line or a character too
// long is taken back at once and the user is told. So that taking back undoes
// exactly that change, every change is its own step of the undo history.
class OutputPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    // Laying out a line costs more than its length when it offers no place to
    // wrap, so no edit may leave a line longer than this many characters
    // (code points); anything longer would make every later keystroke on it
    // lag.
    static constexpr int LongestLine = 16384;
    // The layout's cost also follows the size of one character as the user
    // sees it: a letter and at most 30 marks on it, Unicode's stream-safe
    // bound.
    static constexpr int LongestCharacter = 31;

    explicit OutputPane(QWidget *parent = nullptr);

    // Adds text at the very end, whatever the user's cursor is doing, and
    // keeps the newest line in view. A listing always goes in, even where it
    // continues a typed line past LongestLine. Costs in proportion to the
    // text added.
    void appendListing(const QString &text);

    // The whole text as the user sees it, every line ending as CR LF.
    QString paneText() const;
    // The characters from..to as the user sees them, lines joined by LF.
    QString textBetween(int from, int to) const;

    // Puts text in place of from..to as one edit, as a screen reader edits:
    // weighed like any other, and the user's cursor stays where it was.
    void replaceRange(int from, int to, const QString &text);

protected:
    // Only the pane can put U+FDD0 and U+FDD1 in, as stand-ins, so it takes
    // the texts that may hold them before Qt inserts them; what leaves it
    // gives them back.
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    // A drop turned down is turned down as a drop, so that the source keeps
    // its text; on X11 that has to be settled while the drag moves.
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    // Qt's text control starts a drag from any move that claims the left
    // button once a press fell on the selection, and the autoscroll timer's
    // moves claim it whether it is held or not. So the pane passes on such a
    // move only while a left press of its own is down, and a drag ends that
    // press: the drag's release never reaches the pane.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;

private:
    class Layout;

    // What the document's layout has to hear of a change: the change, or,
    // where the check took it back, that the text it replaced is back (its
    // blocks may be new ones, never laid out); nothing of the undoing and
    // redoing that weigh it.
    enum class Outcome { Taken, TakenBack, Inside };
    Outcome weigh(int from, int removed, int added);
    // How far the lines holding from..to reach, and whether a reach is
    // taken where the lines it replaces reached as far as before.
    PaneText::Reach reachOf(int from, int to) const;
    static bool within(const PaneText::Reach &after, const PaneText::Reach &before);
    void insertWithStandIns(QTextCursor &cursor, const QString &text);
    void refuse();
    void stopAutoScroll();

    bool m_listing = false;  // inside appendListing
    bool m_weighing = false; // inside weigh, whose own undo and redo pass
    bool m_dropping = false; // inside the text control's drop
    bool m_newStep = false;  // the change being checked added an undo step
    bool m_moving = false;   // inside mouseMoveEvent
    bool m_dragOver = false; // a drag, from here or elsewhere, is over the pane
    // A left press on the pane is down. The text control asks for a drag's
    // data as it starts the drag, which takes the press over: mutable for that.
    mutable bool m_pressed = false;
    int m_refusals = 0;
    // Where the user's cursor stood before the change being checked.
    int m_anchor = 0;
    int m_position = 0;
};
