#include "output/Notation.h"
#include "output/PaneText.h"

#include <QtTest>

class TestNotation : public QObject
{
    Q_OBJECT

private slots:
    void startsWithNoPrefixAndComma();
    void lines_data();
    void lines();
    void selectionsAdoptedOneListAtATime();
    void lineCountsAndOddValues();
    void crLf_data();
    void crLf();
};

void TestNotation::startsWithNoPrefixAndComma()
{
    Notation n;
    QCOMPARE(n.prefixText(), QString());
    QCOMPARE(n.delimiterText(), QStringLiteral(","));
    QCOMPARE(Notation::prefixEntries(), QStringList({"none", "$ff", "0xff", "Hff", "&ff"}));
    QCOMPARE(Notation::delimiterEntries(), QStringList({"comma", "quotes", "space", "none"}));
}

void TestNotation::lines_data()
{
    QTest::addColumn<int>("prefix");
    QTest::addColumn<int>("delimiter");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("line");
    QTest::newRow("0x comma") << 2 << 0 << 8 << "0x0,0x18,0x3C,0x7E,0xFF,0x7E,0x3C,0x18\r\n";
    QTest::newRow("none space") << 0 << 2 << 8 << "0 18 3C 7E FF 7E 3C 18\r\n";
    QTest::newRow("& none") << 4 << 3 << 8 << "&0&18&3C&7E&FF&7E&3C&18\r\n";
    QTest::newRow("5x7 rows") << 2 << 0 << 7 << "0x0,0x18,0x3C,0x7E,0xFF,0x7E,0x3C\r\n";
    QTest::newRow("$ quotes") << 1 << 1 << 5 << "$0\"$18\"$3C\"$7E\"$FF\r\n";
    QTest::newRow("H before") << 3 << 0 << 2 << "H0,H18\r\n";
    QTest::newRow("unselected keeps start") << -1 << -1 << 3 << "0,18,3C\r\n";
}

void TestNotation::lines()
{
    QFETCH(int, prefix);
    QFETCH(int, delimiter);
    QFETCH(int, count);
    QFETCH(QString, line);
    Notation n;
    n.getformat(prefix, delimiter);
    const QStringList values{"0", "18", "3C", "7E", "FF", "7E", "3C", "18"};
    QCOMPARE(n.line(values, count), line);
}

void TestNotation::selectionsAdoptedOneListAtATime()
{
    Notation n;
    n.getformat(2, -1);
    QCOMPARE(n.prefixText(), QStringLiteral("0x"));
    QCOMPARE(n.delimiterText(), QStringLiteral(","));
    n.getformat(-1, 3);
    QCOMPARE(n.prefixText(), QStringLiteral("0x"));
    QCOMPARE(n.delimiterText(), QString());
    n.getformat(5, 4); // past the tables: kept
    QCOMPARE(n.prefixText(), QStringLiteral("0x"));
    QCOMPARE(n.delimiterText(), QString());
    n.getformat(0, 1);
    QCOMPARE(n.prefixText(), QString());
    QCOMPARE(n.delimiterText(), QStringLiteral("\""));
}

void TestNotation::lineCountsAndOddValues()
{
    Notation n;
    n.getformat(2, 0);
    QCOMPARE(n.line({"", "", ""}, 3), QStringLiteral("0x,0x,0x\r\n"));
    QCOMPARE(n.line({"5", "", "a5", "FFFF"}, 4), QStringLiteral("0x5,0x,0xa5,0xFFFF\r\n"));
    Notation none;
    none.getformat(0, 3);
    QCOMPARE(none.line({"", "", ""}, 3), QStringLiteral("\r\n"));
}

void TestNotation::crLf_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("out");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("lf") << "a\nb\n"
                        << "a\r\nb\r\n";
    QTest::newRow("already crlf") << "a\r\nb"
                                  << "a\r\nb";
    QTest::newRow("lone cr") << "a\rb"
                             << "a\r\nb";
    QTest::newRow("paragraph separator") << QString("a") + QChar::ParagraphSeparator + "b"
                                         << "a\r\nb";
    QTest::newRow("no final break") << "x,y"
                                    << "x,y";
}

void TestNotation::crLf()
{
    QFETCH(QString, plain);
    QFETCH(QString, out);
    QCOMPARE(PaneText::withCrLf(plain), out);
}

QTEST_APPLESS_MAIN(TestNotation)
#include "TestNotation.moc"
