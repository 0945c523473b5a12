#include "matrix/MatrixState.h"
#include "matrix/SizeMode.h"
#include "tests/ColumnEntryRows.h"

#include <QtTest>

using Edge = MatrixState::Edge;

class TestMatrixState : public QObject
{
    Q_OBJECT

private slots:
    void weights_data();
    void weights();
    void everyCellMovesItsFourValuesByItsWeights();
    void valueText_data();
    void valueText();
    void resetClearsAll();
    void outOfStepToggles();
    void toggleRefusedAtTheLimits_data();
    void toggleRefusedAtTheLimits();
    void enterColumn_data();
    void enterColumn();
    void enterColumnLeavesValuesAlone();
    void listingCounts();
    void transformLaws_data();
    void transformLaws();
};

void TestMatrixState::weights_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("r0c0") << 0 << 0 << 1 << 128 << 1 << 128;
    QTest::newRow("r7c7") << 7 << 7 << 128 << 1 << 128 << 1;
    QTest::newRow("r0c7") << 0 << 7 << 128 << 1 << 1 << 128;
    QTest::newRow("r2c6") << 2 << 6 << 64 << 2 << 4 << 32;
    QTest::newRow("r3c5") << 3 << 5 << 32 << 4 << 8 << 16;
    QTest::newRow("r7c0") << 7 << 0 << 1 << 128 << 128 << 1;
}

void TestMatrixState::weights()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QCOMPARE(MatrixState::weight(Edge::Left, row, col), left);
    QCOMPARE(MatrixState::weight(Edge::Right, row, col), right);
    QCOMPARE(MatrixState::weight(Edge::Top, row, col), top);
    QCOMPARE(MatrixState::weight(Edge::Bottom, row, col), bottom);
}

void TestMatrixState::everyCellMovesItsFourValuesByItsWeights()
{
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            MatrixState m;
            QCOMPARE(m.toggleCell(r, c), MatrixState::ToggleResult::Done);
            QCOMPARE(m.cellColor(r, c), MatrixState::cellOnColor);
            for (int e = 0; e < 4; ++e) {
                const auto edge = static_cast<Edge>(e);
                for (int i = 0; i < 8; ++i) {
                    const bool holds = MatrixState::indexOf(edge, r, c) == i;
                    QCOMPARE(int(m.value(edge, i)), holds ? MatrixState::weight(edge, r, c) : 0);
                }
            }
            m.toggleCell(r, c);
            QCOMPARE(m.cellColor(r, c), MatrixState::cellOffColor);
            for (int e = 0; e < 4; ++e)
                for (int i = 0; i < 8; ++i)
                    QCOMPARE(int(m.value(static_cast<Edge>(e), i)), 0);
        }
    }
}

void TestMatrixState::valueText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("1") << 1 << "1";
    QTest::newRow("128") << 128 << "80";
    QTest::newRow("255") << 255 << "FF";
    QTest::newRow("256") << 256 << "100";
    QTest::newRow("32767") << 32767 << "7FFF";
    QTest::newRow("-1") << -1 << "FFFF";
    QTest::newRow("-128") << -128 << "FF80";
    QTest::newRow("-32768") << -32768 << "8000";
}

void TestMatrixState::valueText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(MatrixState::edgeValueText(static_cast<std::int16_t>(value)), text);
}

void TestMatrixState::resetClearsAll()
{
    MatrixState m;
    m.toggleCell(3, 4);
    m.enterColumn(0, QStringLiteral("ff"));
    m.setValue(Edge::Bottom, 6, -5);
    m.reset();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            QCOMPARE(m.cellColor(r, c), MatrixState::cellOffColor);
    for (int e = 0; e < 4; ++e)
        for (int i = 0; i < 8; ++i)
            QCOMPARE(m.valueText(static_cast<Edge>(e), i), QStringLiteral("0"));
}

void TestMatrixState::outOfStepToggles()
{
    // On while its values are 0: the click subtracts.
    MatrixState m;
    m.setOn(0, 0, true);
    m.toggleCell(0, 0);
    QCOMPARE(m.valueText(Edge::Left, 0), QStringLiteral("FFFF"));
    QCOMPARE(m.valueText(Edge::Right, 0), QStringLiteral("FF80"));
    QCOMPARE(m.valueText(Edge::Top, 0), QStringLiteral("FFFF"));
    QCOMPARE(m.valueText(Edge::Bottom, 0), QStringLiteral("FF80"));
    m.toggleCell(0, 0);
    QCOMPARE(m.valueText(Edge::Left, 0), QStringLiteral("0"));

    // Off while its values still count it: the click adds a second time.
    MatrixState n;
    n.toggleCell(0, 0);
    n.setOn(0, 0, false);
    n.toggleCell(0, 0);
    QCOMPARE(n.valueText(Edge::Left, 0), QStringLiteral("2"));
    QCOMPARE(n.valueText(Edge::Right, 0), QStringLiteral("100"));

    // A picture set whole brings its values in step; r1c1 is bit 9.
    MatrixState o;
    o.setPicture(MatrixState::Picture(1) << 9);
    QVERIFY(o.isOn(1, 1));
    QCOMPARE(int(o.value(Edge::Left, 1)), 2);
    o.toggleCell(1, 1);
    QCOMPARE(o.picture(), MatrixState::Picture(0));
    QCOMPARE(int(o.value(Edge::Left, 1)), 0);
}

void TestMatrixState::toggleRefusedAtTheLimits_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("cellOn");
    // r0c0 weighs 1 in Left/Top and 128 in Right/Bottom.
    QTest::newRow("left above 32767") << int(Edge::Left) << 32767 << false;
    QTest::newRow("right above 32767") << int(Edge::Right) << 32767 - 127 << false;
    QTest::newRow("top below -32768") << int(Edge::Top) << -32768 << true;
    QTest::newRow("bottom below -32768") << int(Edge::Bottom) << -32768 + 127 << true;
}

void TestMatrixState::toggleRefusedAtTheLimits()
{
    QFETCH(int, edge);
    QFETCH(int, start);
    QFETCH(bool, cellOn);
    MatrixState m;
    m.setValue(static_cast<Edge>(edge), 0, static_cast<std::int16_t>(start));
    m.setValue(Edge::Left == edge ? Edge::Top : Edge::Left, 0, 7);
    const std::uint32_t color = cellOn ? MatrixState::cellOnColor : MatrixState::cellOffColor;
    m.setOn(0, 0, cellOn);
    QCOMPARE(m.toggleCell(0, 0), MatrixState::ToggleResult::OutOfRange);
    QCOMPARE(m.cellColor(0, 0), color);
    QCOMPARE(int(m.value(static_cast<Edge>(edge), 0)), start);
    QCOMPARE(int(m.value(Edge::Left == edge ? Edge::Top : Edge::Left, 0)), 7);

    // One step short of the limit is still allowed.
    m.setValue(static_cast<Edge>(edge), 0, static_cast<std::int16_t>(start + (cellOn ? 1 : -1)));
    QCOMPARE(m.toggleCell(0, 0), MatrixState::ToggleResult::Done);
}

void TestMatrixState::enterColumn_data()
{
    ColumnEntryRows::add(ColumnEntryRows::AnyText);
}

void TestMatrixState::enterColumn()
{
    QFETCH(QString, text);
    QFETCH(QString, before);
    QFETCH(QString, after);
    for (int col : {0, 5}) {
        MatrixState m;
        for (int r = 0; r < 8; ++r)
            m.setOn(r, col, before.at(r) == QLatin1Char('1'));
        m.enterColumn(col, text);
        QString got;
        for (int r = 0; r < 8; ++r)
            got += m.isOn(r, col) ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(got, after);
        for (int r = 0; r < 8; ++r)
            QCOMPARE(m.cellColor(r, col == 0 ? 1 : 0), MatrixState::cellOffColor);
    }
}

void TestMatrixState::enterColumnLeavesValuesAlone()
{
    MatrixState m;
    m.toggleCell(2, 3);
    m.enterColumn(3, QStringLiteral("ff"));
    m.enterColumn(0, QStringLiteral("a5"));
    for (int e = 0; e < 4; ++e)
        for (int i = 0; i < 8; ++i) {
            const auto edge = static_cast<Edge>(e);
            QCOMPARE(int(m.value(edge, i)),
                     MatrixState::indexOf(edge, 2, 3) == i ? MatrixState::weight(edge, 2, 3) : 0);
        }
}

void TestMatrixState::listingCounts()
{
    QCOMPARE(SizeMode::valueCount(Edge::Left, true), 7);
    QCOMPARE(SizeMode::valueCount(Edge::Right, true), 7);
    QCOMPARE(SizeMode::valueCount(Edge::Top, true), 5);
    QCOMPARE(SizeMode::valueCount(Edge::Bottom, true), 5);
    for (int e = 0; e < 4; ++e)
        QCOMPARE(SizeMode::valueCount(static_cast<Edge>(e), false), 8);
}

void TestMatrixState::transformLaws_data()
{
    QTest::addColumn<int>("transform");
    QTest::addColumn<bool>("fiveBySeven");
    for (int t = 0; t < MatrixState::TransformCount; ++t)
        for (bool five : {false, true})
            QTest::addRow("%d %s", t, five ? "5x7" : "8x8") << t << five;
}

void TestMatrixState::transformLaws()
{
    QFETCH(int, transform);
    QFETCH(bool, fiveBySeven);
    const auto t = static_cast<MatrixState::Transform>(transform);
    const int rows = fiveBySeven ? 7 : 8, cols = fiveBySeven ? 5 : 8,
              period = std::array{1, 1, 1, 1, 2, 2, 4, 4, 2}[transform];
    // Where r0c1 goes, in enum order (row -1: pushed out); a shift moves every cell so.
    const int to[][2] = {{-1, 1},       {1, 1},        {0, 0},        {0, 2}, {0, cols - 2},
                         {rows - 1, 1}, {1, cols - 1}, {rows - 2, 0}, {0, 1}};
    QCOMPARE(MatrixState::canTransform(t, fiveBySeven), !(fiveBySeven && period == 4));
    QRandomGenerator random(transform);
    for (int round = 0; round < 21; ++round) {
        MatrixState m, inStep; // the last round: r0c1 alone
        for (int cell = 0; cell < 64; ++cell)
            if (round < 20 ? random.bounded(2) : cell == 1)
                m.toggleCell(cell / 8, cell % 8);
        const MatrixState before = m;
        for (int k = 0; k < period; ++k) {
            m.transform(t, fiveBySeven);
            for (int r = 0; r < 8 && k == 0; ++r)
                for (int c = 0; c < 8; ++c) {
                    const int fr = r - to[transform][0], fc = c + 1 - to[transform][1];
                    const bool visible = !fiveBySeven || SizeMode::inFiveBySevenArea(r, c);
                    if (m.isOn(r, c))
                        inStep.toggleCell(r, c);
                    if (!visible || !MatrixState::canTransform(t, fiveBySeven))
                        QCOMPARE(m.isOn(r, c), before.isOn(r, c));
                    else if (period == 1)
                        QCOMPARE(m.isOn(r, c), fr >= 0 && fr < rows && fc >= 0 && fc < cols && before.isOn(fr, fc));
                    else if (round == 20)
                        QCOMPARE(m.isOn(r, c), (r == to[transform][0] && c == to[transform][1]) !=
                                                   (t == MatrixState::Transform::Invert));
                }
            QVERIFY(k > 0 || m.snapshot().values == inStep.snapshot().values);
        }
        QVERIFY(period == 1 || m.snapshot() == before.snapshot());
    }
}

QTEST_APPLESS_MAIN(TestMatrixState)
#include "TestMatrixState.moc"
