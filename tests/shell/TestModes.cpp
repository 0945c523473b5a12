#include "GuiTest.h"

#include "matrix/SizeMode.h"
#include "shell/CellButton.h"
#include "shell/EdgeBox.h"
#include "shell/OutputPane.h"
#include "shell/ValueBox.h"

#include <QFrame>
#include <QPushButton>

using namespace GuiTest;

// Hidden in 5x7: the boxes outside its area one by one, then the two frames of cells.
const QStringList OutsideFiveBySeven{"tt5", "tt6", "tt7", "tb5", "tb6", "tb7", "tl7", "tr7", "Frame1", "Frame2"};

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
    bool shown(const QString &name) const { return !find(m_w.get(), name)->isHidden(); }
    std::unique_ptr<FrmMain> m_w;
};

void TestModes::columnEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("before"); // rows 0..7 of column 3, toggled on by clicks
    QTest::addColumn<QString>("after");
    QTest::newRow("a5") << "a5"
                        << "00000000"
                        << "10100101";
    QTest::newRow("0f") << "0f"
                        << "00001111"
                        << "11110000";
    QTest::newRow("f0") << "f0"
                        << "00000000"
                        << "00001111";
    QTest::newRow("ff") << "ff"
                        << "00000000"
                        << "11111111";
    QTest::newRow("00") << "00"
                        << "11111111"
                        << "00000000";
    QTest::newRow("5") << "5"
                       << "00000000"
                       << "10101010";
    QTest::newRow("80") << "80"
                        << "00000001"
                        << "00000001";
    QTest::newRow("0") << "0"
                       << "10010110"
                       << "00000000";
    QTest::newRow("empty") << ""
                           << "10010110"
                           << "10010110";
    QTest::newRow("A5") << "A5"
                        << "01011111"
                        << "10101111";
    QTest::newRow("FF") << "FF"
                        << "01011010"
                        << "01011010";
    QTest::newRow("123") << "123"
                         << "00111111"
                         << "11001000";
    QTest::newRow("blank then 7") << " 7"
                                  << "00001111"
                                  << "11101111";
    QTest::newRow("7 then blank") << "7 "
                                  << "11110000"
                                  << "11111110";
    QTest::newRow("1g") << "1g"
                        << "01011111"
                        << "01011000";
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
    QCOMPARE(boxText(w, "tt3"), text);
    typeAndEnter(w, 3, text); // again: the same
    QCOMPARE(column(w, 3), after);
    QCOMPARE(column(w, 2), QStringLiteral("00000000"));
}

void TestModes::columnEntryLeavesValuesOutOfStep()
{
    FrmMain *w = m_w.get();
    clickCell(w, 0, 3); // "3" stands in tt3 after rows 0 and 1 are on
    clickCell(w, 1, 3);
    QCOMPARE(boxText(w, "tt3"), QStringLiteral("3"));
    QTest::mouseDClick(find(w, "tt3"), Qt::LeftButton);
    QCOMPARE(column(w, 3), QStringLiteral("11001100"));

    typeAndEnter(w, 0, "a5");
    // Every box still shows what the two clicks in column 3 left.
    const QHash<QString, QString> lit{{"tl0", "8"}, {"tl1", "8"}, {"tr0", "10"}, {"tr1", "10"}, {"tb3", "C0"}};
    for (const char *p : {"tl", "tr", "tb"})
        for (int i = 0; i < 8; ++i) {
            const QString name = QLatin1String(p) + QString::number(i);
            QCOMPARE(boxText(w, name), lit.value(name, "0"));
        }
    QCOMPARE(boxText(w, "tt0"), QStringLiteral("a5"));
    clickCell(w, 0, 0); // on after the entry: this click subtracts
    QVERIFY(!cellOn(w, 0, 0));
    QCOMPARE(boxText(w, "tl0"), QStringLiteral("7"));
    QCOMPARE(boxText(w, "tr0"), QStringLiteral("FF90"));
    QCOMPARE(boxText(w, "tt0"), QStringLiteral("FFFF"));
    QCOMPARE(boxText(w, "tb0"), QStringLiteral("FF80"));
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
    QCOMPARE(boxText(w, "tr0"), QStringLiteral("8000"));
    QCOMPARE(boxText(w, "tb0"), QStringLiteral("8000"));
    QCOMPARE(int(w->matrix().value(MatrixState::Right, 0)), -32768);

    clickCell(w, 5, 5);
    QCOMPARE(boxText(w, "tl5"), QStringLiteral("20"));
    click(w, "cmd1");
    clickCell(w, 0, 0);
    QCOMPARE(boxText(w, "tr0"), QStringLiteral("80"));
    QCOMPARE(boxText(w, "tb0"), QStringLiteral("80"));
}

void TestModes::fiveBySevenHidesOnlyOutside()
{
    FrmMain *w = m_w.get();
    click(w, "Option2(0)");
    QVERIFY(w->isFiveBySeven());
    for (const QString &name : OutsideFiveBySeven)
        QVERIFY2(!shown(name), qPrintable(name));
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QCOMPARE(find(w, QStringLiteral("r%1c%2").arg(r).arg(c))->isVisible(), SizeMode::inFiveBySevenArea(r, c));
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(find(w, QStringLiteral("tt%1").arg(i))->isVisible(), i < 5);
        QCOMPARE(find(w, QStringLiteral("tl%1").arg(i))->isVisible(), i < 7);
    }
    click(w, "Option2(0)"); // the mode already shown: nothing changes
    QVERIFY(!shown("Frame1"));
}

void TestModes::fiveBySevenAndBackKeepsEverything()
{
    FrmMain *w = m_w.get();
    clickCell(w, 2, 6);
    clickCell(w, 7, 1);
    clickCell(w, 3, 3);
    QStringList texts;
    for (const char *p : {"tl", "tr", "tt", "tb"})
        for (int i = 0; i < 8; ++i)
            texts << boxText(w, QLatin1String(p) + QString::number(i));
    click(w, "Option2(0)");
    QCOMPARE(boxText(w, "tl2"), QStringLiteral("40")); // r2c6 still counts while hidden
    click(w, "Option2(1)");
    QVERIFY(!w->isFiveBySeven());
    QStringList after;
    for (const char *p : {"tl", "tr", "tt", "tb"})
        for (int i = 0; i < 8; ++i)
            after << boxText(w, QLatin1String(p) + QString::number(i));
    QCOMPARE(after, texts);
    QVERIFY(cellOn(w, 2, 6) && cellOn(w, 7, 1) && cellOn(w, 3, 3));
    for (const QString &name : OutsideFiveBySeven)
        QVERIFY(find(w, name)->isVisible());
}

void TestModes::columnEntryAndResetIn5x7()
{
    FrmMain *w = m_w.get();
    clickCell(w, 1, 6);
    click(w, "Option2(0)");
    typeAndEnter(w, 4, "ff");
    QCOMPARE(column(w, 4), QStringLiteral("11111111")); // row 7 written while hidden
    click(w, "cmd1");
    click(w, "Option2(1)");
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QVERIFY(!cellOn(w, r, c));
    QCOMPARE(boxText(w, "tt6"), QStringLiteral("0"));
    QCOMPARE(boxText(w, "tl7"), QStringLiteral("0"));
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
    for (const auto &p : pairs) {
        auto *button = find<QPushButton>(w, p.first);
        click(w, p.first);
        QVERIFY(!shown(p.second));
        QCOMPARE(button->text(), QStringLiteral("Unhide"));
        QVERIFY(button->accessibleName().startsWith(QLatin1String("Unhide ")));
        for (const auto &other : pairs)
            if (other != p)
                QVERIFY(shown(other.second));
        QVERIFY(button->isVisible());
        click(w, p.first);
        QVERIFY(shown(p.second));
        QCOMPARE(button->text(), QStringLiteral("Hide"));
    }
}

void TestModes::hiddenPanelsStillFollowAndList()
{
    FrmMain *w = m_w.get();
    click(w, "Command2");
    clickCell(w, 1, 2);
    click(w, "Command4");
    QCOMPARE(find<OutputPane>(w, "Text1")->paneText(), QStringLiteral("0,4,0,0,0,0,0,0\r\n"));
    click(w, "Command2");
    QCOMPARE(boxText(w, "tl1"), QStringLiteral("4"));
    QVERIFY(find(w, "tl1")->isVisible());

    click(w, "Command1"); // top panel hidden: no column entry can be made
    QVERIFY(!find(w, "tt0")->isVisible());
}

void TestModes::fiveBySevenWithHiddenPanel()
{
    FrmMain *w = m_w.get();
    click(w, "Command2"); // hide left
    click(w, "Option2(0)");
    click(w, "Command2"); // unhide in 5x7: tl7 stays hidden
    QVERIFY(find(w, "tl6")->isVisible());
    QVERIFY(!find(w, "tl7")->isVisible());
    click(w, "Command2"); // hide again, back to 8x8 while hidden
    click(w, "Option2(1)");
    QVERIFY(shown("tl7"));
    click(w, "Command2");
    QVERIFY(find(w, "tl7")->isVisible());
}

ZENTIL_GUI_TEST_MAIN(TestModes)
#include "TestModes.moc"
