#include "matrix/MatrixState.h"
#include "matrix/SizeMode.h"
#include "output/ListingReader.h"
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
    void listingsReadBack_data();
    void listingsReadBack();
    void readings_data();
    void readings();
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

void TestNotation::listingsReadBack_data()
{
    QTest::addColumn<int>("prefix");
    QTest::addColumn<int>("delimiter");
    for (int p = 0; p < 5; ++p)
        for (int d = 0; d < 4; ++d)
            QTest::addRow("%s %s", qPrintable(Notation::prefixEntries()[p]),
                          qPrintable(Notation::delimiterEntries()[d]))
                << p << d;
}

void TestNotation::listingsReadBack()
{
    QFETCH(int, prefix);
    QFETCH(int, delimiter);
    Notation notation;
    notation.getformat(prefix, delimiter);
    QRandomGenerator random(prefix * 4 + delimiter);
    for (int round = 0; round < 200; ++round) {
        const auto edge = static_cast<MatrixState::Edge>(round % 4);
        const bool five = round % 8 >= 4, refused = five && round % 16 >= 8;
        const int count = SizeMode::valueCount(edge, five);
        MatrixState picture;
        for (int cell = 0; cell < 64; ++cell) {
            const int r = cell / 8, c = cell % 8;
            // A hidden cell in a line the paste sets makes it refused.
            const bool inLines = five && !SizeMode::inFiveBySevenArea(r, c) && MatrixState::indexOf(edge, r, c) < count;
            picture.setCellColor(
                r, c, (inLines ? refused : !random.bounded(3)) ? MatrixState::cellOnColor : MatrixState::cellOffColor);
        }
        picture.computeValues();
        QStringList texts;
        std::array<int, 8> values{};
        for (int i = 0; i < count; ++i) {
            values[i] = picture.value(edge, i);
            // A top box may hold its value typed in lowercase.
            texts << (edge == MatrixState::Top && i % 2 ? picture.valueText(edge, i).toLower()
                                                        : picture.valueText(edge, i));
        }
        const ListingReader::Result read = ListingReader::read(notation.line(texts, count), count);
        if (prefix == 0 && delimiter == 3 && texts.join(QString()).size() % count) {
            QCOMPARE(read.problem, ListingReader::Result::Problem::Ambiguous);
            continue;
        }
        QCOMPARE(read.values, QList<int>(values.begin(), values.begin() + count));
        // Onto a grid whose visible cells are the other way round.
        MatrixState pasted = picture;
        pasted.transform(MatrixState::Transform::Invert, five);
        const MatrixState::Snapshot unchanged = pasted.snapshot();
        QCOMPARE(pasted.setEdgeValues(edge, values, five) == MatrixState::EdgeResult::NeedsHiddenCell, refused);
        QVERIFY(pasted.snapshot() == (refused ? unchanged : picture.snapshot()));
    }
}

void TestNotation::readings_data()
{
    using P = ListingReader::Result::Problem;
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("got"); // the values, or what was found
    QTest::newRow("7 of 8") << "0,18,3C,7E,FF,7E,3C\r\n" << int(P::Count) << "7";
    QTest::newRow("9 of 8") << "$0 $0 $0 $0 $0 $0 $0 $0 $0" << int(P::Count) << "9";
    QTest::newRow("nothing") << " ,\r\n" << int(P::Count) << "0";
    QTest::newRow("two arrays") << "{1,2,3,4,5,6,7,8};{1,2,3,4,5,6,7,8}" << int(P::Count) << "16";
    QTest::newRow("out of step") << "0x0,0xFFFF,0x1,0x1,0x1,0x1,0x1,0x1" << int(P::OverFF) << "0xFFFF";
    QTest::newRow("100 run") << "H0H100H1H1H1H1H1H1" << int(P::OverFF) << "H100";
    QTest::newRow("words") << "0x3C, hello, 1, 2, 3, 4, 5, 6" << int(P::NotValues) << "hello";
    QTest::newRow("bare prefix") << "0x,0x1,0x1,0x1,0x1,0x1,0x1,0x1" << int(P::NotValues) << "0x";
    QTest::newRow("mixed widths") << "0183C7EFF7E3C1" << int(P::Ambiguous) << "0183C7EFF7E3C1";
    QTest::newRow("10 MB") << QString(10'000'000, u'1') << int(P::TooLong) << "10000000";
    QTest::newRow("two digits each") << "00183C7EFF7E3C18" << int(P::None) << "0 18 3C 7E FF 7E 3C 18";
    QTest::newRow("B1 is hex") << "B1 B1 B1 B1 B1 B1 B1 B1" << int(P::None) << "B1 B1 B1 B1 B1 B1 B1 B1";
    QTest::newRow("declaration, lines, comments")
        << "// smile\nconst uint8_t glyph[8] PROGMEM = {\n\t0x3C, 0X42, /* eyes */ 0xa5,\n\t0x81; 0xA5,\r\n"
           "0x99,'0x42',\"0x3c\" // mouth\n};\n"
        << int(P::None) << "3C 42 A5 81 A5 99 42 3C";
    QTest::newRow("0b and 7 digits is hex") << "{0b1000001, 0, 0, 0, 0, 0, 0, 0}" << int(P::OverFF) << "0b1000001";
    QTest::newRow("binary") << "{0b00111100,B01000010,0B10100101,B10000001,5,6,7,8}" << int(P::None)
                            << "3C 42 A5 81 5 6 7 8";
}

void TestNotation::readings()
{
    QFETCH(QString, text);
    QFETCH(int, problem);
    QFETCH(QString, got);
    const ListingReader::Result read = ListingReader::read(text, 8);
    QCOMPARE(int(read.problem), problem);
    QStringList values;
    for (int v : read.values)
        values << QString::number(v, 16).toUpper();
    QCOMPARE(read.ok() ? values.join(u' ')
             : read.problem == ListingReader::Result::Problem::Count ||
                     read.problem == ListingReader::Result::Problem::TooLong
                 ? QString::number(read.found)
                 : read.token,
             got);
}

QTEST_APPLESS_MAIN(TestNotation)
#include "TestNotation.moc"
