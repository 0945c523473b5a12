#include "matrix/MatrixState.h"
#include "matrix/SizeMode.h"
#include "output/ListingReader.h"
#include "output/Notation.h"

#include <QtTest>

class TestListingReader : public QObject
{
    Q_OBJECT

private slots:
    void listingsReadBack_data();
    void listingsReadBack();
    void readings_data();
    void readings();
};

void TestListingReader::listingsReadBack_data()
{
    QTest::addColumn<int>("prefix");
    QTest::addColumn<int>("delimiter");
    for (int p = 0; p < 5; ++p)
        for (int d = 0; d < 4; ++d)
            QTest::addRow("%s %s", qPrintable(Notation::prefixEntries()[p]),
                          qPrintable(Notation::delimiterEntries()[d]))
                << p << d;
}

void TestListingReader::listingsReadBack()
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
            picture.setOn(r, c, inLines ? refused : !random.bounded(3));
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

void TestListingReader::readings_data()
{
    using P = ListingReader::Result::Problem;
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("got"); // the values, or what was found
    QTest::newRow("7 of 8") << "0,18,3C,7E,FF,7E,3C\r\n" << int(P::Count) << "7";
    QTest::newRow("9 of 8") << "$0 $0 $0 $0 $0 $0 $0 $0 $0" << int(P::Count) << "9";
    QTest::newRow("nothing") << " ,\r\n" << int(P::Count) << "0";
    QTest::newRow("two arrays") << "{1,2,3,4,5,6,7,8};{1,2,3,4,5,6,7,8}" << int(P::Arrays) << "2";
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
    QTest::newRow("0b and 7 digits") << "{0b1000001, 0, 0, 0, 0, 0, 0, 0}" << int(P::None) << "41 0 0 0 0 0 0 0";
    QTest::newRow("binary") << "{0b00111100,B01000010,0B10100101,B10000001,5,6,7,8}" << int(P::None)
                            << "3C 42 A5 81 5 6 7 8";
    // Code's numbers as C reads them; a listing's stay hex.
    QTest::newRow("decimal heart") << "byte heart[8] = {0, 10, 31, 31, 14, 4, 0, 0};" << int(P::None)
                                   << "0 A 1F 1F E 4 0 0";
    QTest::newRow("decimal over 99") << "{60, 66, 165, 129, 165, 153, 66, 60}" << int(P::None)
                                     << "3C 42 A5 81 A5 99 42 3C";
    QTest::newRow("binary widths") << "{0b00000, B10001, 0b0, B1, 0b11111, B0, 0B1'0000'0, B00000001}" << int(P::None)
                                   << "0 11 0 1 1F 0 20 1";
    QTest::newRow("octal, suffixes, a sketch")
        << "#include <LiquidCrystal.h>\rbyte b[] = {010, 0x10u, 16UL, 0, 0, 0, 0, 0}; // CR only\r"
           "void setup() { lcd.createChar(0, b); }"
        << int(P::None) << "8 10 10 0 0 0 0 0";
    QTest::newRow("decimal 256") << "{1, 256, 0, 0, 0, 0, 0, 0}" << int(P::OverFF) << "256";
    QTest::newRow("negative") << "{0, - 1, 0, 0, 0, 0, 0, 0}" << int(P::Negative) << "- 1";
    QTest::newRow("64 bits in braces") << "{0x3c4299a581a5423c}" << int(P::Wide) << "0x3c4299a581a5423c";
    QTest::newRow("hex without 0x in code") << "{0,18,3C,7E,FF,7E,3C,18};" << int(P::NotValues) << "3C";
    QTest::newRow("a cast") << "{(byte)0x3C, 0, 0, 0, 0, 0, 0, 0}" << int(P::NotValues) << "(byte)0x3C";
    QTest::newRow("two arrays of 4") << "const byte a[] = {1,2,3,4}; const byte b[] = {5,6,7,8};" << int(P::Arrays)
                                     << "2";
    QTest::newRow("font row") << "{ 0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00 },   // U+0041 (A)" << int(P::None)
                              << "C 1E 33 33 3F 33 33 0";
    // Both ways where a listing holds code's literals: refused where they differ.
    QTest::newRow("0x beside bare") << "0x3C,0x42,60,66,0xA5,0x99,0x42,0x3C" << int(P::TwoWays) << "60";
    QTest::newRow("0x beside 0..9") << "0x3C 0x42 5 6 7 8 9 0" << int(P::None) << "3C 42 5 6 7 8 9 0";
    QTest::newRow("0x beside over FF") << "0x3C,0x42,165,1,2,3,4,5" << int(P::OverFF) << "165";
    QTest::newRow("Arduino binary bare") << "B00111100 B01000010 B1 B0 B11 B0 B0 B0" << int(P::None)
                                         << "3C 42 1 0 3 0 0 0";
    // Characters that show nothing separate values.
    QTest::newRow("zero-width space") << QString::fromUtf16(u"0x3C, 0x42\u200B, 0xA5, 0x81, 0xA5, 0x99, 0x42, 0x3C")
                                      << int(P::None) << "3C 42 A5 81 A5 99 42 3C";
    QTest::newRow("override, BOM") << QString::fromUtf16(u"\uFEFF\u202E{1,2,3,4,5,6,7,8}") << int(P::None)
                                   << "1 2 3 4 5 6 7 8";
    QTest::newRow("zero-width space alone") << QString::fromUtf16(u"\u200B") << int(P::Count) << "0";
}

void TestListingReader::readings()
{
    QFETCH(QString, text);
    QFETCH(int, problem);
    QFETCH(QString, got);
    const ListingReader::Result read = ListingReader::read(text, 8);
    QCOMPARE(int(read.problem), problem);
    QStringList values;
    for (int v : read.values)
        values << QString::number(v, 16).toUpper();
    QCOMPARE(read.ok() ? values.join(u' ') : read.token.isEmpty() ? QString::number(read.found) : read.token, got);
}

QTEST_APPLESS_MAIN(TestListingReader)
#include "TestListingReader.moc"
