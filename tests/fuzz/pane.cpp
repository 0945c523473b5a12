// Edits on a real output pane, offscreen: bytes decoded into a sequence of
// cursor moves, typed text, keys, pastes, listings, input method commits,
// accessibility edits, drops and undo. After each: no edit but a listing
// made a line or a character longer than the pane takes (undo may bring back what was held);
// a refused edit left the pane as it was; an insertion put in exactly its
// text; and the pane's text comes out of its Copy as it stands. At the end,
// that text pasted into an empty pane reads the same.

#include "output/PaneText.h"
#include "shell/Clipboard.h"
#include "tests/shell/GuiTest.h"

#include <QAccessibleEditableTextInterface>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int op = -1; // the kind of edit, for the report

void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "pane: %s (edit kind %d)\n", what, op);
        abort();
    }
}

struct Bytes
{
    const uint8_t *p;
    size_t n;
    int next() { return n ? (--n, *p++) : 0; }
};

// Line breaks of every kind, the document's frame markers and their stand-ins,
// a surrogate pair's halves, marks that combine, invisible characters.
const char16_t specials[] = {u'\n', u'\r',  0x2028, 0x2029, 0xFDD0, 0xFDD1, 0xFDD2, 0xFDD3, 0xD83D, 0xDE00, 0xFFFC,
                             u'\t', 0x0301, 0x200B, 0xFEFF, 0x00A0, 0x0085, 0x000B, 0x0000, 0xFFFF, 0x202E};
constexpr int specialCount = int(sizeof specials / sizeof *specials);

// Up to 15 units, repeated now and then up to 40,000 units, so that lines
// reach the limit.
QString text(Bytes &in)
{
    QString unit;
    for (int n = in.next() % 16; n > 0; --n) {
        const int b = in.next();
        unit += QChar(b < specialCount ? specials[b] : char16_t(b));
    }
    const int r = in.next();
    const int repeats = r < 192 ? 1 : 1 << (r - 192) % 16;
    return unit.repeated(std::min<qsizetype>(repeats, 40000 / std::max<qsizetype>(unit.size(), 1)));
}

OutputPane *pane;
OutputPane *other; // the round trip's empty pane

int position(int b)
{
    return b * (pane->document()->characterCount() - 1) / 255;
}

// The longest line and the longest character as the user sees it.
PaneText::Reach reach()
{
    PaneText::Reach longest;
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next()) {
        const PaneText::Reach r = PaneText::reach(b.text());
        longest = {std::max(longest.line, r.line), std::max(longest.character, r.character)};
    }
    return longest;
}

// The pane's text with text put in place of from..to, as its own Copy of the
// parts before and after would give it. Read without moving the pane's cursor,
// which would scroll it: where a drop lands is where the pane stands.
QString withInserted(int from, int to, const QString &text)
{
    const int end = pane->document()->characterCount() - 1;
    // Each part on its own: a CR that ends the text and the break after it
    // are two breaks.
    return PaneText::withCrLf(pane->textBetween(0, from)) + PaneText::withCrLf(text) +
           PaneText::withCrLf(pane->textBetween(to, end));
}

QString insertedAtCursor(const QString &text)
{
    const QTextCursor c = pane->textCursor();
    return withInserted(c.selectionStart(), c.selectionEnd(), text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    GuiTest::isolateSettings();
    static int argc = 1;
    static char name[] = "fuzz_pane";
    static char *argv[] = {name, nullptr};
    // Never destroyed: at exit, after Qt's own statics, that would crash.
    auto *app = new QApplication(argc, argv);
    Application::configure(*app);
    pane = new OutputPane;
    other = new OutputPane;
    pane->resize(400, 200);
    pane->show();
    pane->activateWindow();
    pane->setFocus();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Bytes in{data, size};
    pane->clear();
    PaneText::Reach ever; // the longest the pane has held
    // Pastes of the whole pane double it; a few such are enough.
    while (in.n && pane->document()->characterCount() < 200000) {
        const QString before = pane->paneText();
        const PaneText::Reach longestBefore = reach();
        const int shown = MessageBox::shownCount();
        MessageBox::setNextAnswer(MessageBox::OK);
        QString expected; // where the edit puts in a known text
        bool listing = false, undoing = false;
        switch (op = in.next() % 9) {
        case 0: { // select
            QTextCursor c = pane->textCursor();
            c.setPosition(position(in.next()));
            c.setPosition(position(in.next()), QTextCursor::KeepAnchor);
            pane->setTextCursor(c);
            break;
        }
        case 1: { // a key's text, taken where it starts with a printable character
            const QString t = text(in).left(2);
            if (!t.isEmpty() && t[0].isPrint())
                expected = insertedAtCursor(t);
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, t);
            QApplication::sendEvent(pane, &key);
            break;
        }
        case 2: { // a key that edits or moves
            static const QKeyCombination keys[] = {Qt::Key_Backspace,
                                                   Qt::Key_Delete,
                                                   Qt::Key_Return,
                                                   Qt::SHIFT | Qt::Key_Return,
                                                   Qt::CTRL | Qt::Key_X,
                                                   Qt::CTRL | Qt::Key_V,
                                                   Qt::CTRL | Qt::Key_Backspace,
                                                   Qt::CTRL | Qt::Key_Delete,
                                                   Qt::CTRL | Qt::Key_K,
                                                   Qt::CTRL | Qt::Key_A,
                                                   Qt::Key_Home,
                                                   Qt::Key_End,
                                                   Qt::Key_Left,
                                                   Qt::SHIFT | Qt::Key_Right,
                                                   Qt::SHIFT | Qt::Key_Down,
                                                   Qt::CTRL | Qt::SHIFT | Qt::Key_End,
                                                   Qt::CTRL | Qt::Key_Z,
                                                   Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
                                                   Qt::CTRL | Qt::Key_Y};
            const int k = in.next() % int(sizeof keys / sizeof *keys);
            undoing = k >= 16;
            QTest::keyClick(pane, keys[k].key(), keys[k].keyboardModifiers());
            break;
        }
        case 3: { // paste
            const QString t = text(in);
            expected = insertedAtCursor(t);
            QGuiApplication::clipboard()->setText(t);
            pane->paste();
            break;
        }
        case 4: { // a listing
            const QString t = text(in) + QStringLiteral("\r\n");
            expected = before + PaneText::withCrLf(t);
            listing = true;
            pane->appendListing(t);
            break;
        }
        case 5: { // an input method's commit, replacing around the cursor or not
            const QString t = text(in);
            const int b = in.next();
            const int from = b % 7 - 3, length = b / 7 % 4;
            // Only a commit of some text takes the selection's place.
            if (from == 0 && length == 0 && !t.isEmpty())
                expected = insertedAtCursor(t);
            QInputMethodEvent event(b & 0x80 ? QStringLiteral("x") : QString(), {});
            event.setCommitString(t, from, length);
            QApplication::sendEvent(pane, &event);
            break;
        }
        case 6: { // through the accessibility interface, as a screen reader edits
            QAccessibleEditableTextInterface *edit =
                QAccessible::queryAccessibleInterface(pane)->editableTextInterface();
            check(edit, "no editable text for a screen reader");
            const int kind = in.next() % 3, from = position(in.next()), to = std::max(from, position(in.next()));
            const QString t = kind == 1 ? QString() : text(in);
            expected = withInserted(from, kind == 0 ? from : to, t);
            if (kind == 0)
                edit->insertText(from, t);
            else if (kind == 1)
                edit->deleteText(from, to);
            else
                edit->replaceText(from, to, t);
            break;
        }
        case 7: { // dropped from another program
            QMimeData mime;
            mime.setText(text(in));
            QWidget *view = pane->viewport();
            QPoint at(in.next() * view->width() / 256, in.next() * view->height() / 256);
            // A drop's point is rounded once it is moved by the pane's
            // scrolling, which may leave a fraction of a line at the top;
            // cursorForPosition keeps the fraction. In the middle of a line
            // both land alike.
            QRect line = pane->cursorRect(pane->cursorForPosition(at));
            if (line.center().y() < 0)
                line = pane->cursorRect(pane->cursorForPosition(QPoint(at.x(), line.bottom() + 2)));
            at.setY(std::clamp(line.center().y(), 0, view->height() - 1));
            QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view, &enter);
            QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view, &move);
            const int lands = pane->cursorForPosition(at).position(); // once the drag has scrolled the pane
            expected = withInserted(lands, lands, mime.text());
            QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view, &drop);
            if (!drop.isAccepted())
                expected = before;
            break;
        }
        case 8: // undo or redo
            undoing = true;
            in.next() % 2 ? pane->undo() : pane->redo();
            break;
        }
        QCoreApplication::processEvents(); // a refusal is told once its edit is over
        const QString after = pane->paneText();
        const PaneText::Reach longest = reach();
        if (!listing) {
            check(longest.line <= std::max({OutputPane::LongestLine, longestBefore.line, undoing ? ever.line : 0}),
                  "an edit made a line too long");
            check(longest.character <=
                      std::max({OutputPane::LongestCharacter, longestBefore.character, undoing ? ever.character : 0}),
                  "an edit made a character too long");
        }
        ever = {std::max(ever.line, longest.line), std::max(ever.character, longest.character)};
        const bool refused = MessageBox::shownCount() != shown;
        check(!refused || after == before, "a refused edit changed the pane");
        check(refused || expected.isNull() || after == expected, "an edit put in other text than it was given");
        bool written = false;
        Clipboard::write(after, pane, [&written](bool ok) { written = ok; });
        check(written && QGuiApplication::clipboard()->text() == after, "the pane's Copy did not give its text");
    }
    if (ever.line <= OutputPane::LongestLine && ever.character <= OutputPane::LongestCharacter) {
        other->clear();
        QGuiApplication::clipboard()->setText(pane->paneText());
        other->paste();
        check(other->paneText() == pane->paneText(), "the pane's text pasted into a pane reads otherwise");
    }
    return 0;
}
