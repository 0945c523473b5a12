#include "matrix/SizeMode.h"
#include "output/ListingReader.h"
#include "output/PasteRefusal.h"

#include <QtTest>

class TestPasteRefusal : public QObject
{
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void hiddenCell();
};

void TestPasteRefusal::messages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("edge");
    QTest::addColumn<bool>("five");
    QTest::addColumn<QString>("message"); // without its last line, "Nothing was pasted."
    const QString any = "The left panel takes 8 values, each from 0 to FF (255).";
    QTest::newRow("decimal") << "{1, 300, 0, 0, 0, 0, 0, 0}" << 0 << false << "300 (decimal) is more than 255. " + any;
    QTest::newRow("binary") << "{0b111111111}" << 0 << false << "0b111111111 (binary) is more than 11111111. " + any;
    QTest::newRow("listing") << "H0H100H1H1H1H1H1H1" << 0 << false << "H100 (hex) is more than FF. " + any;
    QTest::newRow("64 bits") << "{0x3c4299a581a5423c}" << 0 << false
                             << "0x3c4299a581a5423c is one 64-bit value. " + any;
    QTest::newRow("two arrays") << "a[] = {1,2,3,4}; b[] = {5,6,7,8};" << 0 << false
                                << "The text holds two arrays, 4 values each; the left panel takes 8 values from one "
                                   "array, each from 0 to FF (255).";
    QTest::newRow("two ways") << "0x3C,0x42,60,66,0xA5,0x99,0x42,0x3C" << 0 << false
                              << "Value 3, \"60\", reads two ways: as C code, decimal 60 (3C in hex); as a ZENTIL "
                                 "listing, 60 in hex. Put C code's values in braces, or give every value one prefix. " +
                                     any;
    QTest::newRow("hex in code") << "{0,18,3C,7E,FF,7E,3C,18}" << 0 << false
                                 << "\"3C\" is not a value in C, where hex is written 0x3C. " + any;
    QTest::newRow("invisible named") << QString::fromUtf16(u"{0x4\u00AD2}") << 0 << false
                                     << "\"0x4<U+00AD>2\" is not a value. " + any;
    QTest::newRow("right-to-left named") << QString::fromUtf16(u"{1, a\u05D0\u0661\u0300}") << 0 << false
                                         << "\"a<U+05D0><U+0661><U+0300>\" is not a value. " + any;
    QTest::newRow("5x7 left, CR only") << "byte a[8] = {1, // one\r2, 3};" << 0 << true
                                       << "The array a holds 3 values. In 5x7 the left panel takes 7 values, each "
                                          "from 0 to 1F (31).";
    QTest::newRow("5x7 top") << "-1" << 2 << true
                             << "-1 is less than 0. In 5x7 the top panel takes 5 values, each from 0 to 7F (127).";
    QTest::newRow("5x7 right") << "1,2" << 1 << true
                               << "The text holds 2 values. In 5x7 the right panel takes 7 values, each a multiple "
                                  "of 8 from 0 to F8 (248), since a value's 3 lowest bits are cells hidden in 5x7.";
    QTest::newRow("5x7 bottom") << QString::fromUtf16(u"\u200B") << 3 << true
                                << "No values were found in the text. In 5x7 the bottom panel takes 5 values, each "
                                   "even, from 0 to FE (254), since a value's lowest bit is a cell hidden in 5x7.";
}

void TestPasteRefusal::messages()
{
    QFETCH(QString, text);
    QFETCH(int, edge);
    QFETCH(bool, five);
    QFETCH(QString, message);
    const auto e = MatrixState::Edge(edge);
    const ListingReader::Result read = ListingReader::read(text, SizeMode::valueCount(e, five));
    QCOMPARE(PasteRefusal::unread(read, e, five), message + "\nNothing was pasted.");
}

void TestPasteRefusal::hiddenCell()
{
    QCOMPARE(PasteRefusal::needsHiddenCell(MatrixState::Bottom, 2, 3),
             "Value 3, 3, would need cells outside the 5x7 area. In 5x7 the bottom panel takes 5 values, each even, "
             "from 0 to FE (254), since a value's lowest bit is a cell hidden in 5x7.\nNothing was pasted.");
}

QTEST_APPLESS_MAIN(TestPasteRefusal)
#include "TestPasteRefusal.moc"
