#include "GuiTest.h"

#include "matrix/SizeMode.h"
#include "shell/CellButton.h"
#include "shell/EdgeBox.h"
#include "shell/OutputPane.h"
#include "shell/ValueBox.h"
#include "tests/ColumnEntryRows.h"

#include <QFrame>
#include <QPushButton>

using namespace GuiTest;

// Hidden in 5x7: the boxes outside its area one by one, then the two frames of cells.
QList<QWidget *> outsideFiveBySeven(const MainForm &f)
{
    const auto &bottom = f.valueBoxes[MatrixState::Bottom];
    return {f.topBoxes[5],
            f.topBoxes[6],
            f.topBoxes[7],
            bottom[5],
            bottom[6],
            bottom[7],
            f.valueBoxes[MatrixState::Left][7],
            f.valueBoxes[MatrixState::Right][7],
            f.gridRight,
            f.gridBottom};
}

class TestModes : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_w = openWindow(); }
    void cleanup() { m_w.reset(); }

    void columnEntry_data();
    void columnEntry();
    void columnEntryLeavesValuesOutOfStep();
    void columnEntryAndClicksReachTheLimit();
    void fiveBySevenHidesOnlyOutside();
    void fiveBySevenAndBackKeepsEverything();
    void columnEntryAndResetIn5x7();
    void panelsHideAndUnhide();
    void hiddenPanelsStillFollowAndList();
    void fiveBySevenWithHiddenPanel();

private:
    static bool shown(const QWidget *w) { return !w->isHidden(); }
    std::unique_ptr<FrmMain> m_w;
};

void TestModes::columnEntry_data()
{
    ColumnEntryRows::add(ColumnEntryRows::Typeable);
}

void TestModes::columnEntry()
{
    QFETCH(QString, text);
    QFETCH(QString, before);
    QFETCH(QString, after);
    FrmMain *w = m_w.get();
    for (int r = 0; r < 8; ++r)
        if (before.at(r) == QLatin1Char('1'))
            clickCell(w, r, 3);
    typeAndEnter(w, 3, text);
    QCOMPARE(column(w, 3), after);
    QCOMPARE(boxText(w, MatrixState::Top, 3), text);
    typeAndEnter(w, 3, text); // again: the same
    QCOMPARE(column(w, 3), after);
    QCOMPARE(column(w, 2), QStringLiteral("00000000"));
}

void TestModes::columnEntryLeavesValuesOutOfStep()
{
    FrmMain *w = m_w.get();
    clickCell(w, 0, 3); // "3" stands in tt3 after rows 0 and 1 are on
    clickCell(w, 1, 3);
    QCOMPARE(boxText(w, MatrixState::Top, 3), QStringLiteral("3"));
    QTest::mouseDClick(w->form().topBoxes[3], Qt::LeftButton);
    QCOMPARE(column(w, 3), QStringLiteral("11001100"));

    typeAndEnter(w, 0, "a5");
    // Every box still shows what the two clicks in column 3 left.
    using E = MatrixState::Edge;
    const QMap<QPair<E, int>, QString> lit{
        {{E::Left, 0}, "8"}, {{E::Left, 1}, "8"}, {{E::Right, 0}, "10"}, {{E::Right, 1}, "10"}, {{E::Bottom, 3}, "C0"}};
    for (E edge : {E::Left, E::Right, E::Bottom})
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxText(w, edge, i), lit.value({edge, i}, "0"));
    QCOMPARE(boxText(w, MatrixState::Top, 0), QStringLiteral("a5"));
    clickCell(w, 0, 0); // on after the entry: this click subtracts
    QVERIFY(!cellOn(w, 0, 0));
    QCOMPARE(boxText(w, MatrixState::Left, 0), QStringLiteral("7"));
    QCOMPARE(boxText(w, MatrixState::Right, 0), QStringLiteral("FF90"));
    QCOMPARE(boxText(w, MatrixState::Top, 0), QStringLiteral("FFFF"));
    QCOMPARE(boxText(w, MatrixState::Bottom, 0), QStringLiteral("FF80"));
}

// Each round: an entry turns r0c0 on without touching the values, a click
// turns it off and takes 128 more from tr0 and tb0. The 257th click would pass
// -32768, is refused, and the editor carries on.
void TestModes::columnEntryAndClicksReachTheLimit()
{
    FrmMain *w = m_w.get();
    int rounds = 0;
    for (; rounds < 300; ++rounds) {
        typeAndEnter(w, 0, "1");
        const int shown = MessageBox::shownCount();
        MessageBox::setNextAnswer(MessageBox::OK);
        clickCell(w, 0, 0);
        if (MessageBox::shownCount() != shown)
            break;
        MessageBox::setNextAnswer(MessageBox::NoAnswer);
    }
    QCOMPARE(rounds, 256);
    QVERIFY(MessageBox::lastPrompt().contains("out of range"));
    QVERIFY(cellOn(w, 0, 0)); // the refused click left it on
    QCOMPARE(boxText(w, MatrixState::Right, 0), QStringLiteral("8000"));
    QCOMPARE(boxText(w, MatrixState::Bottom, 0), QStringLiteral("8000"));
    QCOMPARE(int(w->matrix().value(MatrixState::Right, 0)), -32768);

    clickCell(w, 5, 5);
    QCOMPARE(boxText(w, MatrixState::Left, 5), QStringLiteral("20"));
    click(w->form().reset);
    clickCell(w, 0, 0);
    QCOMPARE(boxText(w, MatrixState::Right, 0), QStringLiteral("80"));
    QCOMPARE(boxText(w, MatrixState::Bottom, 0), QStringLiteral("80"));
}

void TestModes::fiveBySevenHidesOnlyOutside()
{
    FrmMain *w = m_w.get();
    click(w->form().option5x7);
    QVERIFY(w->isFiveBySeven());
    for (QWidget *outside : outsideFiveBySeven(w->form()))
        QVERIFY2(!shown(outside), qPrintable(outside->objectName()));
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QCOMPARE(w->form().cells[r][c]->isVisible(), SizeMode::inFiveBySevenArea(r, c));
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(w->form().topBoxes[i]->isVisible(), i < 5);
        QCOMPARE(w->form().valueBoxes[MatrixState::Left][i]->isVisible(), i < 7);
    }
    click(w->form().option5x7); // the mode already shown: nothing changes
    QVERIFY(!shown(w->form().gridRight));
}

void TestModes::fiveBySevenAndBackKeepsEverything()
{
    FrmMain *w = m_w.get();
    clickCell(w, 2, 6);
    clickCell(w, 7, 1);
    clickCell(w, 3, 3);
    QStringList texts;
    for (int p = 0; p < MatrixState::EdgeCount; ++p)
        for (int i = 0; i < 8; ++i)
            texts << boxText(w, MatrixState::Edge(p), i);
    click(w->form().option5x7);
    QCOMPARE(boxText(w, MatrixState::Left, 2), QStringLiteral("40")); // r2c6 still counts while hidden
    click(w->form().option8x8);
    QVERIFY(!w->isFiveBySeven());
    QStringList after;
    for (int p = 0; p < MatrixState::EdgeCount; ++p)
        for (int i = 0; i < 8; ++i)
            after << boxText(w, MatrixState::Edge(p), i);
    QCOMPARE(after, texts);
    QVERIFY(cellOn(w, 2, 6) && cellOn(w, 7, 1) && cellOn(w, 3, 3));
    for (QWidget *outside : outsideFiveBySeven(w->form()))
        QVERIFY(outside->isVisible());
}

void TestModes::columnEntryAndResetIn5x7()
{
    FrmMain *w = m_w.get();
    clickCell(w, 1, 6);
    click(w->form().option5x7);
    typeAndEnter(w, 4, "ff");
    QCOMPARE(column(w, 4), QStringLiteral("11111111")); // row 7 written while hidden
    click(w->form().reset);
    click(w->form().option8x8);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QVERIFY(!cellOn(w, r, c));
    QCOMPARE(boxText(w, MatrixState::Top, 6), QStringLiteral("0"));
    QCOMPARE(boxText(w, MatrixState::Left, 7), QStringLiteral("0"));
}

void TestModes::panelsHideAndUnhide()
{
    FrmMain *w = m_w.get();
    const QList<QPair<QString, QString>> pairs{
        {"cmdhide1", "Frame3"}, {"Command1", "Frame4"}, {"Command2", "Frame5"}, {"Command3", "Frame6"}};
    // The window acts on the controls the layout bound for each edge.
    const MainForm &form = w->form();
    const MatrixState::Edge edges[] = {MatrixState::Right, MatrixState::Top, MatrixState::Left, MatrixState::Bottom};
    const char *copies[] = {"Command7", "Command5", "Command4", "Command6"};
    for (int i = 0; i < 4; ++i) {
        const MainForm::Panel &panel = form.panels[edges[i]];
        QCOMPARE(panel.hide->objectName(), pairs[i].first);
        QCOMPARE(panel.frame->objectName(), pairs[i].second);
        QCOMPARE(panel.copy->objectName(), QLatin1String(copies[i]));
    }
    QCOMPARE(form.valueBoxes[MatrixState::Bottom][7]->objectName(), QStringLiteral("tb7"));
    QCOMPARE(form.topBoxes[7]->objectName(), QStringLiteral("tt7"));
    QCOMPARE(form.cells[7][2]->objectName(), QStringLiteral("r7c2"));
    for (const MainForm::Panel &panel : form.panels) {
        click(panel.hide);
        QVERIFY(!shown(panel.frame));
        QCOMPARE(panel.hide->text(), QStringLiteral("Unhide"));
        QVERIFY(panel.hide->accessibleName().startsWith(QLatin1String("Unhide ")));
        for (const MainForm::Panel &other : form.panels)
            if (other.frame != panel.frame)
                QVERIFY(shown(other.frame));
        QVERIFY(panel.hide->isVisible());
        click(panel.hide);
        QVERIFY(shown(panel.frame));
        QCOMPARE(panel.hide->text(), QStringLiteral("Hide"));
    }
}

void TestModes::hiddenPanelsStillFollowAndList()
{
    FrmMain *w = m_w.get();
    click(w->form().panels[MatrixState::Left].hide);
    clickCell(w, 1, 2);
    click(w->form().panels[MatrixState::Left].copy);
    QCOMPARE(w->form().pane->paneText(), QStringLiteral("0,4,0,0,0,0,0,0\r\n"));
    click(w->form().panels[MatrixState::Left].hide);
    QCOMPARE(boxText(w, MatrixState::Left, 1), QStringLiteral("4"));
    QVERIFY(w->form().valueBoxes[MatrixState::Left][1]->isVisible());

    click(w->form().panels[MatrixState::Top].hide); // top panel hidden: no column entry can be made
    QVERIFY(!w->form().topBoxes[0]->isVisible());
}

void TestModes::fiveBySevenWithHiddenPanel()
{
    FrmMain *w = m_w.get();
    click(w->form().panels[MatrixState::Left].hide); // hide left
    click(w->form().option5x7);
    click(w->form().panels[MatrixState::Left].hide); // unhide in 5x7: tl7 stays hidden
    QVERIFY(w->form().valueBoxes[MatrixState::Left][6]->isVisible());
    QVERIFY(!w->form().valueBoxes[MatrixState::Left][7]->isVisible());
    click(w->form().panels[MatrixState::Left].hide); // hide again, back to 8x8 while hidden
    click(w->form().option8x8);
    QVERIFY(shown(w->form().valueBoxes[MatrixState::Left][7]));
    click(w->form().panels[MatrixState::Left].hide);
    QVERIFY(w->form().valueBoxes[MatrixState::Left][7]->isVisible());
}

ZENTIL_GUI_TEST_MAIN(TestModes)
#include "TestModes.moc"
