#include "GuiTest.h"

#include <QAccessible>

#include "shell/Fonts.h"
#include "shell/OneLineList.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace GuiTest;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_w = openWindow(); }
    void cleanup() { m_w.reset(); }

    void startsEmptyWithEveryControlInPlace();
    void controlsHaveTheirCaptionsAndContainers();
    void onlyTopBoxesTakeInput();
    void oneEntryListsShowTheirEntry();
    void cellClicks_data();
    void cellClicks();
    void allSixtyFourOnThenOff();
    void aClickOrStrokeGivesItsCellTheKeyboard();
    void outOfStepClicks();
    void outOfRangeClickRefused();
    void resetClearsAndKeepsTheRest();
    void acceleratorsPressTheirButtons();
    void cellsAreSpokenWithTheirState();
    void facesAreThoseOfTheWholeList();
    void labelsAreNeverNarrowerThanTheirText();

private:
    std::unique_ptr<FrmMain> m_w;
};

void TestMainWindow::startsEmptyWithEveryControlInPlace()
{
    FrmMain *w = m_w.get();
    QCOMPARE(w->windowTitle(), QStringLiteral("ZENTIL"));
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            QWidget *cell = w->form().cells[r][c];
            QVERIFY(cell->isVisible());
            QCOMPARE(cell->property("colorValue").toUInt(), MatrixState::cellOffColor);
            QCOMPARE(QRect(cell->mapTo(w, QPoint(0, 0)), cell->size()), QRect(200 + 16 * c, 120 + 16 * r, 17, 17));
            QCOMPARE(cell->cursor().shape(), Qt::ArrowCursor);
        }
    }
    struct Side
    {
        MatrixState::Edge edge;
        QPoint first;
        QPoint step;
    };
    const Side sides[] = {{MatrixState::Top, {200, 88}, {16, 0}},
                          {MatrixState::Left, {168, 120}, {0, 16}},
                          {MatrixState::Right, {344, 120}, {0, 16}},
                          {MatrixState::Bottom, {200, 264}, {16, 0}}};
    for (const Side &s : sides) {
        for (int i = 0; i < 8; ++i) {
            QWidget *box = GuiTest::box(w, s.edge, i);
            QVERIFY(box->isVisible());
            QCOMPARE(boxText(w, s.edge, i), QStringLiteral("0"));
            QCOMPARE(QRect(box->mapTo(w, QPoint(0, 0)), box->size()), QRect(s.first + s.step * i, QSize(17, 17)));
            QCOMPARE(box->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xFF));
        }
    }
    QVERIFY(w->form().option8x8->isChecked());
    QVERIFY(!w->form().option5x7->isChecked());
    QCOMPARE(w->form().prefixList->selectedIndex(), -1);
    QCOMPARE(w->form().delimiterList->selectedIndex(), -1);
    QCOMPARE(w->form().pane->toPlainText(), QString());
    QCOMPARE(w->form().pane->geometry(), QRect(0, 256, 193, 121));
    auto *options = find<QGroupBox>(w, "Frame7");
    QVERIFY(options);
    QCOMPARE(options->geometry(), QRect(0, 48, 145, 97));
}

void TestMainWindow::controlsHaveTheirCaptionsAndContainers()
{
    FrmMain *w = m_w.get();
    const MainForm &f = w->form();
    const QList<QPair<QPushButton *, QString>> buttons{
        {f.about, "&About"}, {f.copyPane, "Copy"}, {f.clearPane, "Clear"}, {f.reset, "&Reset"}, {f.exit, "E&xit "}};
    for (const auto &b : buttons)
        QCOMPARE(b.first->text(), b.second);
    for (const MainForm::Panel &panel : f.panels) {
        QCOMPARE(panel.hide->text(), QStringLiteral("Hide"));
        QCOMPARE(panel.copy->text(), QStringLiteral("Copy"));
    }
    for (QPushButton *button : w->findChildren<QPushButton *>())
        QCOMPARE(button->size(), QSize(49, 17));
    QCOMPARE(w->form().exit->pos(), QPoint(368, 384));
    QCOMPARE(w->form().reset->pos(), QPoint(376, 256));
    // Labels and the group box are held by no member: found by the design's names.
    auto *delimiter = find<QLabel>(w, "Label8"), *clipboard = find<QLabel>(w, "Label9");
    auto *leftBits = find<QLabel>(w, "Label1"), *rightBits = find<QLabel>(w, "Label2");
    auto *options = find<QGroupBox>(w, "Frame7");
    QVERIFY(delimiter && clipboard && leftBits && rightBits && options);
    QCOMPARE(delimiter->text(), QStringLiteral("Delimter"));
    QCOMPARE(clipboard->text(), QStringLiteral("Copy Output Clipboard"));
    QCOMPARE(leftBits->text(), QStringLiteral("Bits0-7"));
    QCOMPARE(rightBits->palette().color(QPalette::WindowText), QColor(0x80, 0x40, 0x00));
    QCOMPARE(options->title(), QStringLiteral("Options"));

    // The containers the size mode and the panels rely on.
    QCOMPARE(f.cells[0][5]->parentWidget(), f.gridRight);
    QCOMPARE(f.cells[6][7]->parentWidget(), f.gridRight);
    QCOMPARE(f.cells[7][0]->parentWidget(), f.gridBottom);
    QCOMPARE(f.cells[6][4]->parentWidget(), w);
    for (int e = 0; e < MatrixState::EdgeCount; ++e)
        QCOMPARE(GuiTest::box(w, MatrixState::Edge(e), 3)->parentWidget(), f.panels[e].frame);
    QCOMPARE(f.delimiterList->parentWidget(), options);
}

void TestMainWindow::onlyTopBoxesTakeInput()
{
    FrmMain *w = m_w.get();
    for (MatrixState::Edge edge : {MatrixState::Left, MatrixState::Right, MatrixState::Bottom}) {
        QWidget *box = GuiTest::box(w, edge, 2);
        QVERIFY(!box->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->hasFocus());
    }
    auto *top = w->form().topBoxes[2];
    QVERIFY(top->isEnabled());
    QTest::mouseClick(top, Qt::LeftButton);
    QVERIFY(top->hasFocus());

    // Typing on a focused cell changes nothing.
    QWidget *cell = w->form().cells[1][1];
    cell->setFocus();
    QTest::keyClicks(cell, "ab1");
    QVERIFY(!cellOn(w, 1, 1));
    QCOMPARE(boxText(w, MatrixState::Left, 1), QStringLiteral("0"));
}

void TestMainWindow::oneEntryListsShowTheirEntry()
{
    FrmMain *w = m_w.get();
    for (OneLineList *list : {w->form().prefixList, w->form().delimiterList}) {
        QCOMPARE(list->size(), QSize(65, 17));
        QVERIFY(list->verticalScrollBar()->isVisible());
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        const QRect entry = list->visualItemRect(list->item(0));
        QVERIFY2(entry.height() > 0 && entry.height() <= list->viewport()->height(), "entry must fit the box");
        QVERIFY(list->viewport()->rect().contains(entry));

        // Stepping with the arrow keys selects the entry that is shown.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        const int shown = list->indexAt(QPoint(2, 2)).row();
        QCOMPARE(shown, list->selectedIndex());
        QVERIFY(list->selectedIndex() >= 1);
    }
}

void TestMainWindow::cellClicks_data()
{
    QTest::addColumn<QList<QPoint>>("cells"); // (col, row)
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("right");
    QTest::addColumn<QStringList>("top");
    QTest::addColumn<QStringList>("bottom");
    const QStringList zeros(8, "0");
    QTest::newRow("r0c0") << QList<QPoint>{{0, 0}} << QStringList{"1", "0", "0", "0", "0", "0", "0", "0"}
                          << QStringList{"80", "0", "0", "0", "0", "0", "0", "0"}
                          << QStringList{"1", "0", "0", "0", "0", "0", "0", "0"}
                          << QStringList{"80", "0", "0", "0", "0", "0", "0", "0"};
    QTest::newRow("r0c0 twice") << QList<QPoint>{{0, 0}, {0, 0}} << zeros << zeros << zeros << zeros;
    QTest::newRow("r7c7") << QList<QPoint>{{7, 7}} << QStringList{"0", "0", "0", "0", "0", "0", "0", "80"}
                          << QStringList{"0", "0", "0", "0", "0", "0", "0", "1"}
                          << QStringList{"0", "0", "0", "0", "0", "0", "0", "80"}
                          << QStringList{"0", "0", "0", "0", "0", "0", "0", "1"};
    QList<QPoint> row0;
    QList<QPoint> diagonal;
    for (int i = 0; i < 8; ++i) {
        row0 << QPoint(i, 0);
        diagonal << QPoint(i, i);
    }
    QTest::newRow("row 0") << row0 << QStringList{"FF", "0", "0", "0", "0", "0", "0", "0"}
                           << QStringList{"FF", "0", "0", "0", "0", "0", "0", "0"} << QStringList(8, "1")
                           << QStringList(8, "80");
    const QStringList up{"1", "2", "4", "8", "10", "20", "40", "80"};
    const QStringList down{"80", "40", "20", "10", "8", "4", "2", "1"};
    QTest::newRow("diagonal") << diagonal << up << down << up << down;
}

void TestMainWindow::cellClicks()
{
    QFETCH(QList<QPoint>, cells);
    QFETCH(QStringList, left);
    QFETCH(QStringList, right);
    QFETCH(QStringList, top);
    QFETCH(QStringList, bottom);
    FrmMain *w = m_w.get();
    for (const QPoint &p : cells)
        clickCell(w, p.y(), p.x());
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(boxText(w, MatrixState::Left, i), left.at(i));
        QCOMPARE(boxText(w, MatrixState::Right, i), right.at(i));
        QCOMPARE(boxText(w, MatrixState::Top, i), top.at(i));
        QCOMPARE(boxText(w, MatrixState::Bottom, i), bottom.at(i));
    }
}

void TestMainWindow::allSixtyFourOnThenOff()
{
    FrmMain *w = m_w.get();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            clickCell(w, r, c);
    for (int p = 0; p < MatrixState::EdgeCount; ++p)
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, MatrixState::Edge(p), i), QStringLiteral("FF"));
    // Off again in another order.
    for (int c = 7; c >= 0; --c)
        for (int r = 0; r < 8; ++r)
            clickCell(w, r, c);
    for (int p = 0; p < MatrixState::EdgeCount; ++p)
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, MatrixState::Edge(p), i), QStringLiteral("0"));
}

void TestMainWindow::aClickOrStrokeGivesItsCellTheKeyboard()
{
    FrmMain *w = m_w.get();
    const auto keys = [](std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
    };
    click(w->form().topBoxes[0]); // the caret in a top box does not keep the keys
    clickCell(w, 3, 7);
    keys({Qt::Key_Right, Qt::Key_Space}); // stays at the edge
    QVERIFY(!cellOn(w, 3, 7));
    clickCell(w, 0, 0);
    keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Space});
    QVERIFY(cellOn(w, 0, 2));
    QCOMPARE(boxText(w, MatrixState::Top, 0), QStringLiteral("1"));

    // After typing in the pane, a stroke takes the keys: undo takes it back.
    QTest::keyClicks(w->form().pane, QStringLiteral("my notes"));
    const auto &row2 = w->form().cells[2];
    QTest::mousePress(row2[0], Qt::LeftButton);
    for (int c = 1; c < 4; ++c)
        QTest::mouseMove(row2[c]);
    QTest::mouseRelease(row2[3], Qt::LeftButton);
    QCOMPARE(column(w, 3), QStringLiteral("00100000"));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
    QCOMPARE(column(w, 3), QStringLiteral("00000000"));
    QVERIFY(cellOn(w, 0, 2));
    QCOMPARE(w->form().pane->toPlainText(), QStringLiteral("my notes"));
}

void TestMainWindow::outOfStepClicks()
{
    FrmMain *w = m_w.get();
    typeAndEnter(w, 0, "1"); // r0c0 on, its values left at 0
    clickCell(w, 0, 0);
    QVERIFY(!cellOn(w, 0, 0));
    QCOMPARE(boxText(w, MatrixState::Left, 0), QStringLiteral("FFFF"));
    QCOMPARE(boxText(w, MatrixState::Right, 0), QStringLiteral("FF80"));
    QCOMPARE(boxText(w, MatrixState::Top, 0), QStringLiteral("FFFF"));
    QCOMPARE(boxText(w, MatrixState::Bottom, 0), QStringLiteral("FF80"));
    clickCell(w, 0, 0);
    QCOMPARE(boxText(w, MatrixState::Left, 0), QStringLiteral("0"));
}

void TestMainWindow::outOfRangeClickRefused()
{
    FrmMain *w = m_w.get();
    // Each round turns r2c0 on, adding its weights (1 on the left, 128 on the
    // right), and column entry turns it off again without taking them away.
    for (int round = 0; round < 255; ++round) {
        clickCell(w, 2, 0);
        typeAndEnter(w, 0, "0");
    }
    const int before = MessageBox::shownCount();
    MessageBox::setNextAnswer(MessageBox::OK);
    clickCell(w, 2, 0);
    QCOMPARE(MessageBox::shownCount(), before + 1);
    QVERIFY(MessageBox::lastPrompt().contains("out of range"));
    QVERIFY(MessageBox::lastPrompt().contains("Reset"));
    QCOMPARE(MessageBox::lastTitle(), QStringLiteral("ZENTIL"));
    QVERIFY(!cellOn(w, 2, 0));
    QCOMPARE(int(w->matrix().value(MatrixState::Left, 2)), 255);
    QCOMPARE(int(w->matrix().value(MatrixState::Right, 2)), 32640);
    QCOMPARE(boxText(w, MatrixState::Left, 2), QStringLiteral("FF"));

    // The rest of the editor goes on working, and Reset brings it back in step.
    clickCell(w, 2, 1);
    QCOMPARE(boxText(w, MatrixState::Left, 2), QStringLiteral("101"));
    click(w->form().reset);
    clickCell(w, 2, 0);
    QCOMPARE(boxText(w, MatrixState::Right, 2), QStringLiteral("80"));
}

void TestMainWindow::resetClearsAndKeepsTheRest()
{
    FrmMain *w = m_w.get();
    clickCell(w, 3, 3);
    clickCell(w, 7, 6);
    click(w->form().panels[MatrixState::Left].hide); // hide the left panel
    click(w->form().option5x7);
    auto *pane = w->form().pane;
    pane->setPlainText("kept");
    click(w->form().reset);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QVERIFY(!cellOn(w, r, c));
    for (int p = 0; p < MatrixState::EdgeCount; ++p)
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, MatrixState::Edge(p), i), QStringLiteral("0"));
    QCOMPARE(pane->toPlainText(), QStringLiteral("kept"));
    QVERIFY(w->form().panels[MatrixState::Left].frame->isHidden());
    QVERIFY(w->isFiveBySeven());
    click(w->form().reset); // again: nothing changes, and no step
    QCOMPARE(boxText(w, MatrixState::Top, 3), QStringLiteral("0"));
    // Undo, named in the grid's menu, brings the glyph back.
    w->showGridMenu(QPoint());
    QCOMPARE(w->gridMenu()->actions().constFirst()->text(), QStringLiteral("&Undo Reset"));
    w->gridMenu()->hide();
    w->form().cells[0][0]->setFocus();
    QTest::keyClick(w->form().cells[0][0], Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(cellOn(w, 3, 3) && cellOn(w, 7, 6));
    QCOMPARE(boxText(w, MatrixState::Bottom, 6), QStringLiteral("1"));
}

void TestMainWindow::acceleratorsPressTheirButtons()
{
    FrmMain *w = m_w.get();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    clickCell(w, 4, 4);
    QTest::keyClick(w->windowHandle(), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(!cellOn(w, 4, 4)); // a mnemonic animates the click first
    QCOMPARE(boxText(w, MatrixState::Left, 4), QStringLiteral("0"));
}

void TestMainWindow::cellsAreSpokenWithTheirState()
{
    FrmMain *w = m_w.get();
    // Counted from 1, as a person counts: r2c3 is row 3, column 4.
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(w->form().cells[2][3]);
    const auto name = [w](MatrixState::Edge edge) {
        return QAccessible::queryAccessibleInterface(box(w, edge, 3))->text(QAccessible::Name);
    };
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Row 3, column 4, off"));
    QCOMPARE(cell->role(), QAccessible::CheckBox);
    QVERIFY(cell->state().checkable && !cell->state().checked);
    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Row 3, column 4, on"));
    QVERIFY(cell->state().checked);
    QCOMPARE(name(MatrixState::Bottom), QStringLiteral("Bottom value of column 4: 20"));
    QCOMPARE(name(MatrixState::Top), QStringLiteral("Top value of column 4: 4"));
    clickCell(w, 2, 3);
    QCOMPARE(name(MatrixState::Bottom), QStringLiteral("Bottom value of column 4: 0"));
}

void TestMainWindow::facesAreThoseOfTheWholeList()
{
    // The face named alone is the one Qt would have drawn from the whole list.
    const QStringList serif{"MS Serif", "Liberation Serif", "Nimbus Roman", "DejaVu Serif"};
    const QStringList sans{"MS Sans Serif", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"};
    for (const auto &[font, faces] : {std::pair{Fonts::serif(6), serif}, std::pair{Fonts::sansSerif(8.25), sans}}) {
        const QStringList installed = QFontDatabase::families();
        if (std::none_of(faces.begin(), faces.end(), [&](const QString &f) { return installed.contains(f); }))
            QSKIP(qPrintable("none of " + faces.join(", ") + " is installed, so no face of the list is drawn"));
        QFont listed = font;
        listed.setFamilies(faces);
        QCOMPARE(QFontInfo(font).family(), QFontInfo(listed).family());
    }
}

void TestMainWindow::labelsAreNeverNarrowerThanTheirText()
{
    for (const QLabel *label : m_w->findChildren<QLabel *>())
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
}

ZENTIL_GUI_TEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
