#include "GuiTest.h"

#include "matrix/SizeMode.h"
#include "output/PaneText.h"
#include "shell/Clipboard.h"
#include "shell/GridEditor.h"
#include "shell/OneLineList.h"
#include "shell/OneLineValidator.h"
#include "shell/OutputPane.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QUndoStack>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace GuiTest;

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typicalUse();
    void notations_data();
    void notations();
    void selectionInOneListOnly();
    void fiveBySevenShortensListings();
    void linesFollowThePressesAndKeepTheirNotation();
    void typedTextIsListedAndContinued();
    void copyPutsExactlyThePaneOnTheClipboard();
    void clipboardFailureIsNotReportedAsSuccess();
    void overlongLinesAreRefused();
    void everyEditKeepsLinesWithinTheLimit_data();
    void everyEditKeepsLinesWithinTheLimit();
    void topBoxesHoldOneLine();
    void clearAsksFirst();
    void realMessageBoxesCarryTheirTexts();
    void pasteOntoPanels_data();
    void pasteOntoPanels();
    void dragFromThePaneEndsAtRelease();

private:
    QString pane() const { return m_w->form().pane->toPlainText(); }
    void select(OneLineList *list, int row);
    void drawLeftExample();

    std::unique_ptr<FrmMain> m_w;
    QString m_clipboardSeen;
};

void TestOutput::init()
{
    m_w = openWindow();
}

void TestOutput::cleanup()
{
    m_w.reset();
    Clipboard::setWriterForTests(nullptr);
}

void TestOutput::select(OneLineList *l, int row)
{
    l->scrollToItem(l->item(row), QAbstractItemView::PositionAtTop);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    QCOMPARE(l->selectedIndex(), row);
}

// Left boxes 0, 18, 3C, 7E, FF, 7E, 3C, 18: a diamond.
void TestOutput::drawLeftExample()
{
    const int rows[8] = {0x00, 0x18, 0x3C, 0x7E, 0xFF, 0x7E, 0x3C, 0x18};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (rows[r] & (1 << c))
                clickCell(m_w.get(), r, c);
}

void TestOutput::typicalUse()
{
    FrmMain *w = m_w.get();
    clickCell(w, 0, 0);
    select(m_w->form().prefixList, 2);
    select(m_w->form().delimiterList, 0);
    click(w->form().panels[MatrixState::Left].copy);
    QCOMPARE(w->notation().prefixText(), QStringLiteral("0x"));
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n"));

    MessageBox::setNextAnswer(MessageBox::OK);
    click(w->form().copyPane);
    // "Cliboard" (like "Delimter") is the design's own spelling, kept on purpose.
    QCOMPARE(MessageBox::lastPrompt(), QStringLiteral("Cliboard now has the text"));
    QCOMPARE(MessageBox::lastTitle(), QStringLiteral("ZENTIL"));
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), QByteArray("0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n"));
}

void TestOutput::notations_data()
{
    QTest::addColumn<int>("prefix");
    QTest::addColumn<int>("delimiter");
    QTest::addColumn<int>("edge");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("nothing selected") << -1 << -1 << int(MatrixState::Left) << QByteArray("0,18,3C,7E,FF,7E,3C,18\r\n");
    QTest::newRow("0xff comma") << 2 << 0 << int(MatrixState::Left)
                                << QByteArray("0x0,0x18,0x3C,0x7E,0xFF,0x7E,0x3C,0x18\r\n");
    QTest::newRow("none space") << 0 << 2 << int(MatrixState::Left) << QByteArray("0 18 3C 7E FF 7E 3C 18\r\n");
    QTest::newRow("&ff none") << 4 << 3 << int(MatrixState::Left) << QByteArray("&0&18&3C&7E&FF&7E&3C&18\r\n");
    QTest::newRow("$ff quotes right") << 1 << 1 << int(MatrixState::Right)
                                      << QByteArray("$0\"$18\"$3C\"$7E\"$FF\"$7E\"$3C\"$18\r\n");
    QTest::newRow("Hff top") << 3 << 0 << int(MatrixState::Top) << QByteArray("H10,H38,H7C,HFE,HFE,H7C,H38,H10\r\n");
    QTest::newRow("bottom") << 0 << 0 << int(MatrixState::Bottom) << QByteArray("8,1C,3E,7F,7F,3E,1C,8\r\n");
}

void TestOutput::notations()
{
    QFETCH(int, prefix);
    QFETCH(int, delimiter);
    QFETCH(int, edge);
    QFETCH(QByteArray, line);
    drawLeftExample();
    if (prefix >= 0)
        select(m_w->form().prefixList, prefix);
    if (delimiter >= 0)
        select(m_w->form().delimiterList, delimiter);
    click(m_w->form().panels[edge].copy);
    QCOMPARE(m_w->form().pane->paneText().toUtf8(), line);
}

void TestOutput::selectionInOneListOnly()
{
    FrmMain *w = m_w.get();
    select(m_w->form().prefixList, 3);
    click(w->form().panels[MatrixState::Left].copy);
    select(m_w->form().delimiterList, 2);
    click(w->form().panels[MatrixState::Left].copy);
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("H0,H0,H0,H0,H0,H0,H0,H0\r\nH0 H0 H0 H0 H0 H0 H0 H0\r\n"));
}

void TestOutput::fiveBySevenShortensListings()
{
    FrmMain *w = m_w.get();
    drawLeftExample();
    select(m_w->form().prefixList, 2);
    click(w->form().option5x7);
    for (const MainForm::Panel &panel : w->form().panels)
        click(panel.copy);
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("0x0,0x18,0x3C,0x7E,0xFF,0x7E,0x3C\r\n"
                                                        "0x0,0x18,0x3C,0x7E,0xFF,0x7E,0x3C\r\n"
                                                        "0x10,0x38,0x7C,0xFE,0xFE\r\n"
                                                        "0x8,0x1C,0x3E,0x7F,0x7F\r\n"));
    click(w->form().option8x8);
    click(w->form().panels[MatrixState::Top].copy);
    QVERIFY(w->form().pane->paneText().endsWith("0x10,0x38,0x7C,0xFE,0xFE,0x7C,0x38,0x10\r\n"));
}

void TestOutput::linesFollowThePressesAndKeepTheirNotation()
{
    FrmMain *w = m_w.get();
    clickCell(w, 7, 7);
    click(w->form().panels[MatrixState::Top].copy);
    select(m_w->form().delimiterList, 3);
    click(w->form().panels[MatrixState::Bottom].copy);
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("0,0,0,0,0,0,0,80\r\n00000001\r\n"));
}

void TestOutput::typedTextIsListedAndContinued()
{
    FrmMain *w = m_w.get();
    auto *pane = w->form().pane;
    pane->setFocus();
    QTest::keyClicks(pane, "head");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "tail:");
    auto *tt2 = w->form().topBoxes[2];
    QTest::mouseClick(tt2, Qt::LeftButton);
    tt2->selectAll();
    QTest::keyClicks(tt2, "a5");
    select(m_w->form().prefixList, 2);
    click(w->form().panels[MatrixState::Top].copy);
    QCOMPARE(w->form().pane->paneText().toUtf8(), QByteArray("head\r\ntail:0x0,0x0,0xa5,0x0,0x0,0x0,0x0,0x0\r\n"));

    // An empty box shows as a bare prefix.
    tt2->clear();
    click(w->form().panels[MatrixState::Top].copy);
    QVERIFY(w->form().pane->paneText().endsWith("0x0,0x0,0x,0x0,0x0,0x0,0x0,0x0\r\n"));
}

void TestOutput::copyPutsExactlyThePaneOnTheClipboard()
{
    FrmMain *w = m_w.get();
    QClipboard *clip = QGuiApplication::clipboard();
    clip->setText("something else");
    MessageBox::setNextAnswer(MessageBox::OK);
    click(w->form().copyPane);
    QCOMPARE(clip->text(), QString());
    QCOMPARE(MessageBox::lastPrompt(), QStringLiteral("Cliboard now has the text"));

    click(w->form().panels[MatrixState::Left].copy);
    auto *pane = w->form().pane;
    pane->moveCursor(QTextCursor::End);
    pane->setFocus();
    QTest::keyClicks(pane, "typed");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, QStringLiteral("more\u00a0")); // a no-break space stays one
    const QString before = pane->toPlainText();
    for (int i = 0; i < 2; ++i) {
        const int shown = MessageBox::shownCount();
        MessageBox::setNextAnswer(MessageBox::OK);
        click(w->form().copyPane);
        QCOMPARE(MessageBox::shownCount(), shown + 1);
        QCOMPARE(clip->text().toUtf8(), QByteArray("0,0,0,0,0,0,0,0\r\ntyped\r\nmore\xc2\xa0"));
    }
    QCOMPARE(pane->toPlainText(), before);

    // U+FDD0 and U+FDD1, which Qt keeps for itself, stay themselves: pasted,
    // committed by an input method, inserted by a screen reader, listed, and
    // copied from a selection.
    clip->setText(QString::fromUtf16(u"\uFDD0x\uFDD1"));
    QTest::keySequence(pane, QKeySequence::Paste);
    QInputMethodEvent commit;
    commit.setCommitString(QString(QChar(0xFDD0)));
    QApplication::sendEvent(pane, &commit);
    commit.setCommitString(QString(QChar(0xFDD2))); // beside a stand-in, and not one
    QApplication::sendEvent(pane, &commit);
    QAccessible::queryAccessibleInterface(pane)->editableTextInterface()->insertText(
        pane->document()->characterCount() - 1, QString::fromUtf16(u"\uFDD1y"));
    w->form().topBoxes[0]->setText(QString(QChar(0xFDD1)));
    click(w->form().panels[MatrixState::Top].copy);
    const QString marked = QString::fromUtf16(u"more\u00A0\uFDD0x\uFDD1\uFDD0\uFDD2\uFDD1y\uFDD1,0,0,0,0,0,0,0\r\n");
    QVERIFY(w->form().pane->paneText().endsWith("\r\n" + marked));
    pane->moveCursor(QTextCursor::PreviousBlock, QTextCursor::KeepAnchor);
    QTest::keySequence(pane, QKeySequence::Copy);
    QCOMPARE(clip->text(), marked.chopped(2) + '\n');
}

void TestOutput::clipboardFailureIsNotReportedAsSuccess()
{
    FrmMain *w = m_w.get();
    click(w->form().panels[MatrixState::Left].copy);
    // Another program keeps the clipboard: whatever we place does not stay.
    Clipboard::setWriterForTests([](const QString &) { QGuiApplication::clipboard()->setText("held elsewhere"); });
    MessageBox::setNextAnswer(MessageBox::OK);
    click(w->form().copyPane);
    QVERIFY(MessageBox::lastPrompt() != QStringLiteral("Cliboard now has the text"));
    QVERIFY(MessageBox::lastPrompt().contains("could not be written"));
}

void TestOutput::overlongLinesAreRefused()
{
    FrmMain *w = m_w.get();
    auto *pane = w->form().pane;
    pane->setFocus();
    QTest::keyClicks(pane, "kept");
    const int shown = MessageBox::shownCount();
    // Beside what was typed, which taking it back leaves alone.
    MessageBox::setNextAnswer(MessageBox::OK);
    QAccessible::queryAccessibleInterface(pane)->editableTextInterface()->insertText(4, QString(1 << 15, 'x'));
    QTRY_COMPARE(MessageBox::shownCount(), shown + 1);
    QCOMPARE(pane->paneText(), QStringLiteral("kept"));
    QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('x')));
    MessageBox::setNextAnswer(MessageBox::OK);
    QTest::keySequence(pane, QKeySequence::Paste);
    QTRY_COMPARE(MessageBox::shownCount(), shown + 2);
    QCOMPARE(pane->paneText(), QStringLiteral("kept"));

    // The longest line it takes; a listing still continues it.
    const QString longest(OutputPane::LongestLine - 4, QLatin1Char('y'));
    QGuiApplication::clipboard()->setText(longest + "\nz");
    QTest::keySequence(pane, QKeySequence::Paste);
    QCOMPARE(MessageBox::shownCount(), shown + 2);
    pane->moveCursor(QTextCursor::PreviousBlock);
    pane->moveCursor(QTextCursor::EndOfBlock);
    MessageBox::setNextAnswer(MessageBox::OK);
    QTest::keyClick(pane, Qt::Key_A);
    QTRY_COMPARE(MessageBox::shownCount(), shown + 3);
    click(w->form().panels[MatrixState::Left].copy);
    QCOMPARE(pane->paneText(), "kept" + longest + "\r\nz0,0,0,0,0,0,0,0\r\n");
}

void TestOutput::everyEditKeepsLinesWithinTheLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    const int n = OutputPane::LongestLine;
    const QString two = QString(16000, 'c') + '\n' + QString(16000, 'd');
    const QString full(n, 'x');
    QTest::newRow("BackSpace joins") << two << 16001 << 16001 << int(Qt::Key_Backspace) << 0 << "" << true;
    QTest::newRow("Delete joins") << two << 16000 << 16000 << int(Qt::Key_Delete) << 0 << "" << true;
    QTest::newRow("Ctrl+BackSpace joins")
        << two << 16001 << 16001 << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "" << true;
    QTest::newRow("selection deleted") << two << 15000 << 16100 << int(Qt::Key_Delete) << 0 << "" << true;
    QTest::newRow("selection typed over") << two << 15000 << 16100 << int(Qt::Key_E) << 0 << "e" << true;
    QTest::newRow("a join that fits") << two.mid(16000 - n / 2, n + 1) << n / 2 + 1 << n / 2 + 1
                                      << int(Qt::Key_Backspace) << 0 << "" << false;
    QTest::newRow("Shift+Return at the limit")
        << full << n << n << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "\r" << true;
    for (const char16_t *typed : {u"\U0001F600", u"\u200B", u"\u00AD", u"\u200F", u"\uE000"})
        QTest::addRow("U+%04X at the limit", QString::fromUtf16(typed).toUcs4().at(0))
            << full << n << n << 0 << 0 << QString::fromUtf16(typed) << true;
    QTest::newRow("input method at the limit") << full << n << n << -1 << 0 << "ab" << true;
    QTest::newRow("drop on a full line") << full.left(n - 4) << 0 << 0 << -2 << 0 << "HELLO" << true;
    QTest::newRow("drop that fits") << full.left(n - 4) << 0 << 0 << -2 << 0 << "HELL" << false;
    QTest::newRow("an emoji counts once")
        << full.left(n - 1) << 0 << 0 << 0 << 0 << QString::fromUtf16(u"\U0001F600") << false;
    // Key -3: a screen reader's edit, the text in place of anchor..position;
    // taking text out as a drag's source does is such an edit too.
    QTest::newRow("screen reader joins") << two << 16000 << 16001 << -3 << 0 << "" << true;
    QTest::newRow("screen reader inserts 20,000") << "kept" << 4 << 4 << -3 << 0 << QString(20000, 'a') << true;
    const QString mark = QString::fromUtf16(u"\u0301");
    QTest::newRow("a 30th mark") << "a" + mark.repeated(29) << 30 << 30 << 0 << 0 << mark << false;
    QTest::newRow("a 31st mark") << "a" + mark.repeated(30) << 31 << 31 << 0 << 0 << mark << true;
    QTest::newRow("a join that makes 40 marks")
        << "a" + mark.repeated(20) + "\n" + mark.repeated(20) << 22 << 22 << int(Qt::Key_Backspace) << 0 << "" << true;
    QTest::newRow("input method: 16,000 marks") << "a" << 1 << 1 << -1 << 0 << mark.repeated(16000) << true;
}

// Refused, the pane is left as it was, undo history included; taken, undo
// and redo go between the two states.
void TestOutput::everyEditKeepsLinesWithinTheLimit()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    auto *pane = m_w->form().pane;
    pane->setPlainText(text);
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    const int shown = MessageBox::shownCount();
    MessageBox::setNextAnswer(MessageBox::OK);
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(mods), typed);
    QInputMethodEvent commit; // key -1: an input method's commit
    commit.setCommitString(typed);
    QMimeData data; // key -2: a drop, turned down as one so that the source keeps its text
    data.setText(typed);
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
    if (key == -3)
        QAccessible::queryAccessibleInterface(pane)->editableTextInterface()->replaceText(anchor, position, typed);
    else if (key == -2 && QApplication::sendEvent(pane->viewport(), &enter))
        QApplication::sendEvent(pane->viewport(), &drop);
    else
        QApplication::sendEvent(pane, key == -1 ? static_cast<QEvent *>(&commit) : &press);
    QTRY_COMPARE(MessageBox::shownCount(), shown + int(refused));
    MessageBox::setNextAnswer(MessageBox::NoAnswer);
    QCOMPARE(drop.isAccepted(), key == -2 && !refused);
    if (refused) {
        QCOMPARE(pane->toPlainText(), text);
        QCOMPARE(QPoint(pane->textCursor().anchor(), pane->textCursor().position()), QPoint(anchor, position));
        QCOMPARE(pane->document()->availableUndoSteps(), 0);
        return;
    }
    const QString after = pane->toPlainText();
    QVERIFY(after != text);
    QTest::keySequence(pane, QKeySequence::Undo);
    QCOMPARE(pane->toPlainText(), text);
    QTest::keySequence(pane, QKeySequence::Redo);
    QCOMPARE(pane->toPlainText(), after);
}

void TestOutput::topBoxesHoldOneLine()
{
    FrmMain *w = m_w.get();
    auto *tt0 = w->form().topBoxes[0];
    tt0->setFocus();
    tt0->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("a\r\nb\u0001c"));
    QTest::keySequence(tt0, QKeySequence::Paste);
    QCOMPARE(tt0->text(), QStringLiteral("ab\u0001c"));
    click(w->form().panels[MatrixState::Top].copy);
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("ab\u0001c,0,0,0,0,0,0,0\r\n"));

    // Of bounded length, cut where the text put in ends and never inside a
    // surrogate pair, so that eight full boxes list below the pane's limit.
    const QString emoji = QString::fromUtf16(u"\U0001F600");
    const QString full = QString(OneLineValidator::longest() - 1, 'f') + emoji;
    QGuiApplication::clipboard()->setText(full + emoji + "g");
    tt0->selectAll();
    QTest::keySequence(tt0, QKeySequence::Paste);
    tt0->home(false);
    QTest::keyClick(tt0, Qt::Key_A);
    QCOMPARE(tt0->text(), full);
    QString between = full + emoji; // the cursor inside the last pair
    int pos = int(between.size()) - 1;
    OneLineValidator().validate(between, pos);
    QCOMPARE(between, full);
    for (int i = 1; i < 8; ++i)
        w->form().topBoxes[i]->setText(full + "g");
    select(m_w->form().prefixList, 2);
    click(w->form().panels[MatrixState::Top].copy);
    const QString line = w->form().pane->paneText().section("\r\n", 1, 1);
    QCOMPARE(line.count(emoji), 8);
    QVERIFY(PaneText::characters(line) < OutputPane::LongestLine);
}

void TestOutput::clearAsksFirst()
{
    FrmMain *w = m_w.get();
    click(w->form().panels[MatrixState::Left].copy);
    MessageBox::setNextAnswer(MessageBox::No);
    click(w->form().clearPane);
    QCOMPARE(MessageBox::lastPrompt(), QStringLiteral("Are you sure?"));
    QCOMPARE(MessageBox::lastTitle(), QStringLiteral("Clear"));
    QCOMPARE(pane(), QStringLiteral("0,0,0,0,0,0,0,0\n"));

    MessageBox::setNextAnswer(MessageBox::Yes);
    click(w->form().clearPane);
    QCOMPARE(pane(), QString());
    MessageBox::setNextAnswer(MessageBox::Yes);
    click(w->form().clearPane); // on an empty pane
    QCOMPARE(pane(), QString());

    clickCell(w, 0, 1);
    click(w->form().panels[MatrixState::Left].copy);
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("2,0,0,0,0,0,0,0\r\n"));
}

// One real modal box each: its texts, buttons and default, answered by a key.
void TestOutput::realMessageBoxesCarryTheirTexts()
{
    FrmMain *w = m_w.get();
    click(w->form().panels[MatrixState::Left].copy);
    {
        AnsweredBox seen(Qt::Key_Return); // the default, Yes
        click(w->form().clearPane);
        QVERIFY2(seen.answered, "no box came");
        QCOMPARE(seen.title, QStringLiteral("Clear"));
        QCOMPARE(seen.text, QStringLiteral("Are you sure?"));
        QCOMPARE(seen.buttons, QStringList({"No", "Yes"}));
        QCOMPARE(seen.defaultButton, QStringLiteral("Yes"));
        QVERIFY(seen.iconless);
        QCOMPARE(pane(), QString());
    }

    AnsweredBox seen(Qt::Key_Return);
    click(w->form().copyPane);
    QTRY_VERIFY2(seen.answered, "no box came"); // the check may answer a moment later
    QCOMPARE(seen.title, QStringLiteral("ZENTIL"));
    QCOMPARE(seen.text, QStringLiteral("Cliboard now has the text"));
    QCOMPARE(seen.buttons, QStringList({"OK"}));

    // A confirmation that comes while Clear asks waits for that answer.
    click(w->form().panels[MatrixState::Left].copy);
    int shownWhileAsked = -1;
    QTimer::singleShot(0, w, [&] { // within Clear's box
        const int before = MessageBox::shownCount();
        MessageBox::setNextAnswer(MessageBox::OK);
        w->form().copyPane->click(); // offscreen, the check answers at once
        shownWhileAsked = MessageBox::shownCount() - before;
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    click(w->form().clearPane);
    QCOMPARE(shownWhileAsked, 0);
    QTRY_COMPARE(MessageBox::lastPrompt(), QStringLiteral("Cliboard now has the text"));
}

// Every way in, with every notation, is the randomized test's; here code, and what a refusal says.
void TestOutput::pasteOntoPanels_data()
{
    QTest::addColumn<int>("way"); // as GuiTest::pasteOnto() takes it
    QTest::addColumn<int>("edge");
    QTest::addColumn<bool>("five");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("got"); // the panel's values, or the start of the refusal
    QTest::newRow("C array") << 0 << 0 << false << "byte a[] = {0x3C, 0X42,\n0xa5, B10000001, 0xA5, 0x99, 66, 60};"
                             << "3C 42 A5 81 A5 99 42 3C"; // code's bare digits are decimal
    QTest::newRow("5x7 run") << 0 << 2 << true << "0b10111111"
                             << "B 10 11 11 11";
    QTest::newRow("7 of 8") << 4 << 0 << false << "0,18,3C,7E,FF,7E,3C"
                            << "The text holds 7 values. The left panel takes 8";
    QTest::newRow("hidden cell") << 2 << 0 << true << "1 2 4 8 10 1F 20"
                                 << "Value 7, 20, would need";
    QTest::newRow("10 MB") << 3 << 2 << false << QString(10'000'000, u'1') << "The text is 10000000 characters";
}

void TestOutput::pasteOntoPanels()
{
    QFETCH(int, way);
    QFETCH(int, edge);
    QFETCH(bool, five);
    QFETCH(QString, text);
    QFETCH(QString, got);
    click(five ? m_w->form().option5x7 : m_w->form().option8x8);
    drawLeftExample();
    const MatrixState::Snapshot before = m_w->matrix().snapshot();
    MessageBox::setNextAnswer(MessageBox::OK);
    pasteOnto(m_w.get(), MatrixState::Edge(edge), way, text);
    MessageBox::setNextAnswer(MessageBox::NoAnswer);
    QStringList values;
    for (int i = 0; i < SizeMode::valueCount(MatrixState::Edge(edge), five); ++i)
        values << boxText(m_w.get(), MatrixState::Edge(edge), i);
    const bool refused = got != got.toUpper(); // values have no lowercase letter
    QCOMPARE(refused ? MessageBox::lastPrompt().left(got.size()) : values.join(' '), got);
    QVERIFY(!refused || m_w->matrix().snapshot() == before);
    QCOMPARE(m_w->editor()->undoStack()->undoText(), refused ? "Click" : "Paste");
}

// Pressed on the pane's first line and moved straight up, the drag starts
// above the text, where Qt autoscrolls as though the button stayed down:
// released on the top panel's frame, nothing of it may go on.
void TestOutput::dragFromThePaneEndsAtRelease()
{
    OutputPane *pane = m_w->form().pane;
    const QString text = QStringLiteral("01,02,04,08,10,20,40,80");
    QTest::keyClicks(pane, text);
    pane->selectAll();
    const QPoint frame = m_w->form().panels[MatrixState::Top].frame->mapTo(m_w.get(), QPoint(4, 4));
    QPoint at = pane->viewport()->mapTo(m_w.get(), QPoint(8, 6));
    QTest::mousePress(m_w->windowHandle(), Qt::LeftButton, {}, at);
    while (at != frame) {
        at += QPoint(at.y() > frame.y() ? 0 : std::clamp(frame.x() - at.x(), -1, 1), std::max(frame.y() - at.y(), -1));
        QTest::mouseMove(m_w->windowHandle(), at);
    }
    QTest::mouseRelease(m_w->windowHandle(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(QAbstractEventDispatcher::instance()->registeredTimers(pane).isEmpty()); // no autoscroll
    QCOMPARE(pane->textCursor().selectedText(), text);
}

ZENTIL_GUI_TEST_MAIN(TestOutput)
#include "TestOutput.moc"
