#include "output/SetReader.h"

#include <QtTest>

class TestSetReader : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
};

void TestSetReader::reads_data()
{
    using P = GlyphLayout::Preset;
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("file"); // through scanFile, as bytes
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("size");    // decoded at; "~5x8": the size suggested, which must be this
    QTest::addColumn<QString>("names");   // of every glyph, | between
    QTest::addColumn<quint64>("last");    // the last glyph's picture
    QTest::addColumn<QString>("refusal"); // a part of it; empty where read

    QTest::newRow("font table") << QByteArray("const uint8_t font[128][8] = {\n"
                                              "    { 0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00},   // U+0041 (A)\n"
                                              "    { 0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00},   // U+0041 (A)\n"
                                              "    { 0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33},   /* A */\n};")
                                << false << int(P::LeftPanel) << "~6x8"
                                << "U+0041 (A)|U+0041 (A)|A" << quint64(0x33333f33331e0c) << "";
    QTest::newRow("flat 5-column table") << QByteArray("static const unsigned char font[] = {\n"
                                                       "    0x00, 0x00, 0x00, 0x00, 0x00,  // ' '\n"
                                                       "    0x7C, 0x12, 0x11, 0x12, 0x7C,  // 'A'\n};")
                                         << false << int(P::TopPanel) << "~5x7"
                                         << "' '|'A'" << quint64(0x11111f11110a04) << "";
    const QByteArray sketch("#include <LiquidCrystal.h>\n#define HEART 0\nLiquidCrystal lcd(12, 11, 5, 4, 3, 2);\n"
                            "byte Heart[8] = { B00000, B01010, B11111, B11111, B01110, B00100 };\n"
                            "byte Speaker[] = {\n  0b00001, 0b00011, 0b01111, 0b01111,\n"
                            "  0b01111, 0b00011, 0b00001, 0b00000\n};\n"
                            "void setup() {\n  lcd.createChar(HEART, Heart);\n  lcd.createChar(4, Speaker);\n"
                            "  lcd.print(\"I {love} 0x55, 12\");\n}\n");
    QTest::newRow("Arduino sketch") << sketch << false << int(P::CharacterLcd) << "~5x8"
                                    << "Heart|Speaker" << quint64(0x10181e1e1e1810) << "";
    QTest::newRow("64-bit images") << QByteArray("const uint64_t IMAGES[] = {\n  0x0,\n  0x3e2222223e3e0808\n};\n"
                                                 "const int IMAGES_LEN = sizeof(IMAGES)/8;\n")
                                   << true << int(P::LeftPanel) << "~8x8"
                                   << "|" << quint64(0x3e2222223e3e0808) << "";
    QTest::newRow("ZENTIL listings") << QByteArray("0x0,0x18,0x3C,0x7E,0xFF,0x7E,0x3C,0x18\r\n\n"
                                                   "$0\"$18\"$3C\"$7E\"$FF\"$7E\"$3C\"$18\n0 18 3C 7E FF 7E 3C 18")
                                     << false << int(P::LeftPanel) << "~8x8"
                                     << "||" << quint64(0x183c7eff7e3c1800) << "";
    QTest::newRow("decimal in C") << QByteArray("{10, 10, 10, 10, 10, 10, 10, 10}") << false << int(P::LeftPanel)
                                  << "8x8"
                                  << "" << quint64(0x0a0a0a0a0a0a0a0a) << "";
    QTest::newRow("hex in a listing") << QByteArray("10, 10, 10, 10, 10, 10, 10, 10") << false << int(P::LeftPanel)
                                      << "8x8"
                                      << "" << quint64(0x1010101010101010) << "";
    QTest::newRow("run split by count") << QByteArray("1,2,3,4,5,6,7,8,9,A\n") << false << int(P::BottomPanel) << "5x8"
                                        << "|" << quint64(0x0a13031c00000000) << "";

    QTest::newRow("no values") << QByteArray("/* nothing */ void setup() { }") << false << int(P::LeftPanel) << "8x8"
                               << "" << quint64(0) << "No values were found";
    QTest::newRow("not divisible") << QByteArray("1,2,3,4,5,6,7,8,9,A,B,C") << false << int(P::LeftPanel) << "8x8"
                                   << "" << quint64(0) << "12 values with nothing to tell its glyphs apart";
    QTest::newRow("too many values") << QByteArray("{{1,2,3,4,5,6,7,8,9}}") << false << int(P::LeftPanel) << "8x8"
                                     << "" << quint64(0) << "Glyph 1 has 9 values; the layout \"Left panel\" at 8x8";
    QTest::newRow("too wide") << QByteArray("byte Big[8] = {0, 0, 165};") << false << int(P::CharacterLcd) << "5x8"
                              << "" << quint64(0)
                              << "Value 3 of glyph 1 (\"Big\"), 165 (decimal), does not fit the layout \"Character "
                                 "LCD\" at 5x8, which takes values from 0 to 1F (31).";
    QTest::newRow("not a value") << QByteArray("byte a[] = {\n1,\n(byte)\u202E2};") << false << int(P::LeftPanel)
                                 << "8x8"
                                 << "" << quint64(0) << "Line 3 holds \"(byte)<U+202E>2\", which is not";
    QTest::newRow("over 4 MB") << QByteArray(SetReader::LargestText + 1, '1') << false << int(P::LeftPanel) << "8x8"
                               << "" << quint64(0) << "4,194,305 characters long";
    QTest::newRow("too many glyphs") << QByteArray("{1},").repeated(SetReader::MostGlyphs + 1) << false
                                     << int(P::LeftPanel) << "8x8" << "" << quint64(0) << "more than 16,384 innermost arrays";
    QTest::newRow("too many signs") << QByteArray("}").repeated(SetReader::LargestText - 1) + "1" << false
                                    << int(P::LeftPanel) << "8x8" << "" << quint64(0) << "more than 1,048,576 words";
    QTest::newRow("NUL") << QByteArray("{1,2,\0}", 7) << true << int(P::LeftPanel) << "8x8"
                         << "" << quint64(0) << "NUL bytes";
    QTest::newRow("not UTF-8") << QByteArray("{\x80\x91\xA2\xB3\xC4\xD5\xE6\xF7}") << true << int(P::LeftPanel) << "8x8"
                               << "" << quint64(0) << "binary";
}

void TestSetReader::reads()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, file);
    QFETCH(int, preset);
    QFETCH(QString, size);
    QFETCH(QString, names);
    QFETCH(quint64, last);
    QFETCH(QString, refusal);
    const SetReader::Found found = file ? SetReader::scanFile(input) : SetReader::scan(QString::fromUtf8(input));
    const QStringList wh = size.mid(size.startsWith(u'~')).split(u'x');
    GlyphLayout layout(GlyphLayout::Preset(preset), wh[0].toInt(), wh[1].toInt());
    if (size.startsWith(u'~')) {
        layout = found.suggested(found.suggestedPreset(layout.preset()));
        QCOMPARE(QString::number(layout.width()) + u'x' + QString::number(layout.height()), size.mid(1));
    }
    const SetReader::Decoded decoded = SetReader::decode(found, layout);
    QVERIFY2(decoded.refusal.contains(refusal), qPrintable(decoded.refusal));
    QCOMPARE(decoded.ok(), refusal.isEmpty());
    QStringList got;
    for (const Glyph &glyph : decoded.glyphs)
        got << glyph.name;
    QCOMPARE(got.join(u'|'), decoded.ok() ? names : QString());
    QCOMPARE(decoded.ok() ? decoded.glyphs.back().picture : 0, last);
}

QTEST_GUILESS_MAIN(TestSetReader)
#include "TestSetReader.moc"
