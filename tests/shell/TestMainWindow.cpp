#include "GuiTest.h"

#include <QAccessible>

#include "shell/Fonts.h"
#include "shell/OneLineList.h"

#include <QGroupBox>
#include <QLabel>
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
            QWidget *cell = find(w, QStringLiteral("r%1c%2").arg(r).arg(c));
            QVERIFY(cell->isVisible());
            QCOMPARE(cell->property("colorValue").toUInt(), MatrixState::cellOffColor);
            QCOMPARE(QRect(cell->mapTo(w, QPoint(0, 0)), cell->size()), QRect(200 + 16 * c, 120 + 16 * r, 17, 17));
            QCOMPARE(cell->cursor().shape(), Qt::ArrowCursor);
        }
    }
    struct Side
    {
        const char *prefix;
        QPoint first;
        QPoint step;
    };
    const Side sides[] = {{"tt", {200, 88}, {16, 0}},
                          {"tl", {168, 120}, {0, 16}},
                          {"tr", {344, 120}, {0, 16}},
                          {"tb", {200, 264}, {16, 0}}};
    for (const Side &s : sides) {
        for (int i = 0; i < 8; ++i) {
            QWidget *box = find(w, QLatin1String(s.prefix) + QString::number(i));
            QVERIFY(box->isVisible());
            QCOMPARE(boxText(w, box->objectName()), QStringLiteral("0"));
            QCOMPARE(QRect(box->mapTo(w, QPoint(0, 0)), box->size()), QRect(s.first + s.step * i, QSize(17, 17)));
            QCOMPARE(box->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xFF));
        }
    }
    QVERIFY(find<QRadioButton>(w, "Option2(1)")->isChecked());
    QVERIFY(!find<QRadioButton>(w, "Option2(0)")->isChecked());
    QCOMPARE(find<OneLineList>(w, "List1")->selectedIndex(), -1);
    QCOMPARE(find<OneLineList>(w, "List2")->selectedIndex(), -1);
    QCOMPARE(find<QPlainTextEdit>(w, "Text1")->toPlainText(), QString());
    QCOMPARE(find(w, "Text1")->geometry(), QRect(0, 256, 193, 121));
    QCOMPARE(find(w, "Frame7")->geometry(), QRect(0, 48, 145, 97));
}

void TestMainWindow::controlsHaveTheirCaptionsAndContainers()
{
    FrmMain *w = m_w.get();
    const QList<QPair<QString, QString>> buttons{{"Command11", "&About"}, {"Command1", "Hide"},  {"Command5", "Copy"},
                                                 {"Command2", "Hide"},    {"Command4", "Copy"},  {"cmdhide1", "Hide"},
                                                 {"Command7", "Copy"},    {"Command3", "Hide"},  {"Command6", "Copy"},
                                                 {"cmd1", "&Reset"},      {"Command12", "Copy"}, {"Command9", "Clear"},
                                                 {"Command10", "E&xit "}};
    for (const auto &b : buttons) {
        auto *button = find<QPushButton>(w, b.first);
        QCOMPARE(button->text(), b.second);
        QCOMPARE(button->size(), QSize(49, 17));
    }
    QCOMPARE(find(w, "Command10")->pos(), QPoint(368, 384));
    QCOMPARE(find(w, "cmd1")->pos(), QPoint(376, 256));
    QCOMPARE(find<QLabel>(w, "Label8")->text(), QStringLiteral("Delimter"));
    QCOMPARE(find<QLabel>(w, "Label9")->text(), QStringLiteral("Copy Output Clipboard"));
    QCOMPARE(find<QLabel>(w, "Label1")->text(), QStringLiteral("Bits0-7"));
    QCOMPARE(find<QLabel>(w, "Label2")->palette().color(QPalette::WindowText), QColor(0x80, 0x40, 0x00));
    QCOMPARE(find<QGroupBox>(w, "Frame7")->title(), QStringLiteral("Options"));

    // The containers the size mode and the panels rely on.
    QCOMPARE(find(w, "r0c5")->parentWidget()->objectName(), QStringLiteral("Frame1"));
    QCOMPARE(find(w, "r6c7")->parentWidget()->objectName(), QStringLiteral("Frame1"));
    QCOMPARE(find(w, "r7c0")->parentWidget()->objectName(), QStringLiteral("Frame2"));
    QCOMPARE(find(w, "r6c4")->parentWidget(), w);
    QCOMPARE(find(w, "tr3")->parentWidget()->objectName(), QStringLiteral("Frame3"));
    QCOMPARE(find(w, "tt3")->parentWidget()->objectName(), QStringLiteral("Frame4"));
    QCOMPARE(find(w, "tl3")->parentWidget()->objectName(), QStringLiteral("Frame5"));
    QCOMPARE(find(w, "tb3")->parentWidget()->objectName(), QStringLiteral("Frame6"));
    QCOMPARE(find(w, "List2")->parentWidget()->objectName(), QStringLiteral("Frame7"));
}

void TestMainWindow::onlyTopBoxesTakeInput()
{
    FrmMain *w = m_w.get();
    for (const char *prefix : {"tl", "tr", "tb"}) {
        QWidget *box = find(w, QLatin1String(prefix) + "2");
        QVERIFY(!box->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->hasFocus());
    }
    auto *top = find<QLineEdit>(w, "tt2");
    QVERIFY(top->isEnabled());
    QTest::mouseClick(top, Qt::LeftButton);
    QVERIFY(top->hasFocus());

    // Typing on a focused cell changes nothing.
    QWidget *cell = find(w, "r1c1");
    cell->setFocus();
    QTest::keyClicks(cell, "ab1");
    QVERIFY(!cellOn(w, 1, 1));
    QCOMPARE(boxText(w, "tl1"), QStringLiteral("0"));
}

void TestMainWindow::oneEntryListsShowTheirEntry()
{
    FrmMain *w = m_w.get();
    for (const char *name : {"List1", "List2"}) {
        auto *list = find<OneLineList>(w, name);
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
        QCOMPARE(boxText(w, QStringLiteral("tl%1").arg(i)), left.at(i));
        QCOMPARE(boxText(w, QStringLiteral("tr%1").arg(i)), right.at(i));
        QCOMPARE(boxText(w, QStringLiteral("tt%1").arg(i)), top.at(i));
        QCOMPARE(boxText(w, QStringLiteral("tb%1").arg(i)), bottom.at(i));
    }
}

void TestMainWindow::allSixtyFourOnThenOff()
{
    FrmMain *w = m_w.get();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            clickCell(w, r, c);
    for (const char *p : {"tl", "tr", "tt", "tb"})
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, QLatin1String(p) + QString::number(i)), QStringLiteral("FF"));
    // Off again in another order.
    for (int c = 7; c >= 0; --c)
        for (int r = 0; r < 8; ++r)
            clickCell(w, r, c);
    for (const char *p : {"tl", "tr", "tt", "tb"})
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, QLatin1String(p) + QString::number(i)), QStringLiteral("0"));
}

void TestMainWindow::outOfStepClicks()
{
    FrmMain *w = m_w.get();
    w->matrix().setCellColor(0, 0, MatrixState::cellOnColor); // as column entry leaves it
    clickCell(w, 0, 0);
    QVERIFY(!cellOn(w, 0, 0));
    QCOMPARE(boxText(w, "tl0"), QStringLiteral("FFFF"));
    QCOMPARE(boxText(w, "tr0"), QStringLiteral("FF80"));
    QCOMPARE(boxText(w, "tt0"), QStringLiteral("FFFF"));
    QCOMPARE(boxText(w, "tb0"), QStringLiteral("FF80"));
    clickCell(w, 0, 0);
    QCOMPARE(boxText(w, "tl0"), QStringLiteral("0"));
}

void TestMainWindow::outOfRangeClickRefused()
{
    FrmMain *w = m_w.get();
    w->matrix().setValue(MatrixState::Right, 2, 32767 - 100); // r2c0 weighs 128 there
    const int before = MessageBox::shownCount();
    MessageBox::setNextAnswer(MessageBox::OK);
    clickCell(w, 2, 0);
    QCOMPARE(MessageBox::shownCount(), before + 1);
    QVERIFY(MessageBox::lastPrompt().contains("out of range"));
    QVERIFY(MessageBox::lastPrompt().contains("Reset"));
    QCOMPARE(MessageBox::lastTitle(), QStringLiteral("ZENTIL"));
    QVERIFY(!cellOn(w, 2, 0));
    QCOMPARE(int(w->matrix().value(MatrixState::Left, 2)), 0);
    QCOMPARE(int(w->matrix().value(MatrixState::Right, 2)), 32667);
    QCOMPARE(boxText(w, "tl2"), QStringLiteral("0"));

    // The rest of the editor goes on working, and Reset brings it back in step.
    clickCell(w, 2, 1);
    QCOMPARE(boxText(w, "tl2"), QStringLiteral("2"));
    click(w, "cmd1");
    clickCell(w, 2, 0);
    QCOMPARE(boxText(w, "tr2"), QStringLiteral("80"));
}

void TestMainWindow::resetClearsAndKeepsTheRest()
{
    FrmMain *w = m_w.get();
    clickCell(w, 3, 3);
    clickCell(w, 7, 6);
    click(w, "Command2"); // hide the left panel
    click(w, "Option2(0)");
    auto *pane = find<QPlainTextEdit>(w, "Text1");
    pane->setPlainText("kept");
    click(w, "cmd1");
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QVERIFY(!cellOn(w, r, c));
    for (const char *p : {"tl", "tr", "tt", "tb"})
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, QLatin1String(p) + QString::number(i)), QStringLiteral("0"));
    QCOMPARE(pane->toPlainText(), QStringLiteral("kept"));
    QVERIFY(find(w, "Frame5")->isHidden());
    QVERIFY(w->isFiveBySeven());
    click(w, "cmd1"); // again: nothing changes
    QCOMPARE(boxText(w, "tt3"), QStringLiteral("0"));
}

void TestMainWindow::acceleratorsPressTheirButtons()
{
    FrmMain *w = m_w.get();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    clickCell(w, 4, 4);
    QTest::keyClick(w->windowHandle(), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(!cellOn(w, 4, 4)); // a mnemonic animates the click first
    QCOMPARE(boxText(w, "tl4"), QStringLiteral("0"));
}

void TestMainWindow::cellsAreSpokenWithTheirState()
{
    FrmMain *w = m_w.get();
    // Counted from 1, as a person counts: r2c3 is row 3, column 4.
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(find(w, "r2c3"));
    const auto name = [w](const char *box) {
        return QAccessible::queryAccessibleInterface(find(w, box))->text(QAccessible::Name);
    };
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Row 3, column 4, off"));
    QCOMPARE(cell->role(), QAccessible::CheckBox);
    QVERIFY(cell->state().checkable && !cell->state().checked);
    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Row 3, column 4, on"));
    QVERIFY(cell->state().checked);
    QCOMPARE(name("tb3"), QStringLiteral("Bottom value of column 4: 20"));
    QCOMPARE(name("tt3"), QStringLiteral("Top value of column 4: 4"));
    clickCell(w, 2, 3);
    QCOMPARE(name("tb3"), QStringLiteral("Bottom value of column 4: 0"));
}

void TestMainWindow::facesAreThoseOfTheWholeList()
{
    // The face named alone is the one Qt would have drawn from the whole list.
    const QStringList serif{"MS Serif", "Liberation Serif", "Nimbus Roman", "DejaVu Serif"};
    const QStringList sans{"MS Sans Serif", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"};
    for (const auto &[font, faces] : {std::pair{Fonts::serif(6), serif}, std::pair{Fonts::sansSerif(8.25), sans}}) {
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
