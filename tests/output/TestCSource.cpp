#include "output/CSource.h"

#include <QtTest>

// What a reader of glyph sets takes from a scan; the reading of single
// numbers is the listing reader's tests'.
class TestCSource : public QObject
{
    Q_OBJECT

private slots:
    void arrays_data();
    void arrays();
};

void TestCSource::arrays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("arrays"); // type name[size] <parent: elements (value@line), then #line comment
    QTest::newRow("font table")
        << "const uint8_t font[][8] PROGMEM = { // ASCII\r\n  { 0x0C, 0x1E }, // U+0041 (A)\r\n"
           "  {1, 2}  /* B */\r\n};"
        << "const uint8_t font[-1] <-1: {} {} #0 ASCII #1 U+0041 (A) #2 B | [8] <0: C@1 1E@1 #1 U+0041 (A) | "
           "[8] <0: 1@2 2@2 #2 B";
    QTest::newRow("flat table, CR only") << "static const byte f[10] = {\r0x7C, 0x12, // 'A'\r0x7E, 0x11 // 'B'\r};"
                                         << "static const byte f[10] <-1: 7C@1 12@1 7E@2 11@2 #1 'A' #2 'B'";
    QTest::newRow("64 bits") << "#include <x.h>\nconst uint64_t IMAGES[] = {\n  0x3e2222223e3e0808,\n  1ull\n};\n"
                                "const int IMAGES_LEN = sizeof(IMAGES)/8;"
                             << "const uint64_t IMAGES[-1] <-1: 3E2222223E3E0808@2 1@3";
    QTest::newRow("sketch") << "#define X {1, \\\n 2}\nbyte heart[8] = {B00000, -1, 'A', \"}\", 1'000, 0x1e+1};\n"
                               "void setup() { int a[] = {7}; }"
                            << "byte heart[8] <-1: 0@2 -1@2 ?'A' ?\"}\" 3E8@2 ?0x1e+1 | int a[-1] <-1: 7@3";
}

void TestCSource::arrays()
{
    QFETCH(QString, text);
    QFETCH(QString, arrays);
    const CSource::Scan scan(text);
    QStringList found;
    for (const CSource::Array &a : scan.arrays()) {
        QString s = QStringLiteral("%1 %2[%3] <%4:").arg(a.type, a.name).arg(a.declaredSize).arg(a.parent).trimmed();
        for (const CSource::Element &e : scan.elements(a))
            s += e.kind == CSource::Element::Kind::Value ? QStringLiteral(" %1%2@%3")
                                                               .arg(e.number.negative ? "-" : "")
                                                               .arg(QString::number(e.number.magnitude, 16).toUpper())
                                                               .arg(e.line)
                 : e.kind == CSource::Element::Kind::Array ? QStringLiteral(" {}")
                                                           : " ?" + scan.text(e).toString();
        for (int line = a.line; line <= a.endLine; ++line)
            if (!scan.lineComment(line).isEmpty())
                s += QStringLiteral(" #%1 %2").arg(line).arg(scan.lineComment(line));
        found << s;
    }
    QCOMPARE(found.join(" | "), arrays);
}

QTEST_APPLESS_MAIN(TestCSource)
#include "TestCSource.moc"
