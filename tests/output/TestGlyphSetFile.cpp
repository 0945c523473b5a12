#include "matrix/GlyphSet.h"
#include "matrix/MatrixState.h"
#include "output/GlyphSetFile.h"

#include <QtTest>

using Preset = GlyphLayout::Preset;

class TestGlyphSetFile : public QObject
{
    Q_OBJECT

private slots:
    void panelsHoldTheMainWindowsValues();
    void values_data();
    void values();
    void setSteps();
    void arrayNames();
    void roundTrip_data();
    void roundTrip();
    void handEdits_data();
    void handEdits();
};

void TestGlyphSetFile::panelsHoldTheMainWindowsValues()
{
    const MatrixState::Edge edges[] = {MatrixState::Left, MatrixState::Right, MatrixState::Top, MatrixState::Bottom};
    for (int p = 0; p < 4; ++p) {
        for (int row = 0, col = 0; row < 8; col = (col + 1) % 8, row += col == 0) {
            const auto values = GlyphLayout(Preset(p)).values(std::uint64_t(1) << (row * 8 + col));
            const int weight = MatrixState::weight(edges[p], row, col);
            QCOMPARE(values[MatrixState::indexOf(edges[p], row, col)], std::uint64_t(weight));
        }
    }
}

void TestGlyphSetFile::values_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<quint64>("picture");
    QTest::addColumn<QList<quint64>>("values");
    // Rows 1 and 2 of a heart: .#.#. and #####
    QTest::newRow("LCD") << 4 << 5 << 8 << 0x1F0A00ull << QList<quint64>{0, 0xA, 0x1F, 0, 0, 0, 0, 0};
    QTest::newRow("right panel 5x7, as the panel shows")
        << 1 << 5 << 7 << 0x1F0100ull << QList<quint64>{0, 0x80, 0xF8, 0, 0, 0, 0};
    QTest::newRow("bottom panel 5x7") << 3 << 5 << 7 << 0x10000000000001ull << QList<quint64>{0x80, 0, 0, 0, 2};
    QTest::newRow("top panel 3x2") << 2 << 3 << 2 << 0x0104ull << QList<quint64>{2, 0, 1};
    QTest::newRow("image") << 5 << 5 << 7 << 0x3E2222223E3E0808ull << QList<quint64>{0x3E2222223E3E0808ull};
}

void TestGlyphSetFile::values()
{
    QFETCH(int, preset);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(quint64, picture);
    QFETCH(QList<quint64>, values);
    const GlyphLayout layout(Preset(preset), width, height);
    const std::vector<std::uint64_t> expected(values.begin(), values.end());
    QCOMPARE(layout.values(picture), expected);
    QCOMPARE(layout.picture(expected), std::optional<std::uint64_t>(picture));
    QCOMPARE(GlyphLayout::fromDescription(layout.description()), std::optional<GlyphLayout>(layout));
    auto tooWide = expected;
    tooWide.back() |= ~layout.valueMask() & 0xFF;
    QVERIFY(layout.lines() == GlyphLayout::Lines::Image || !layout.picture(tooWide));
}

void TestGlyphSetFile::setSteps()
{
    GlyphSet set;
    set.insert(0, {1, "a"});
    set.insert(2, {2, "b"});
    QCOMPARE(set.current(), 1); // the first glyph, followed
    set.move(0, 2);
    QCOMPARE(set.current(), 0);
    QCOMPARE(set.glyph(2), (Glyph{1, "a"}));
    set.remove(0);
    set.remove(1);
    QVERIFY(!set.isPristine());
    set.remove(0);
    QVERIFY(set.count() == 1 && set.current() == 0 && set.isPristine());
}

void TestGlyphSetFile::arrayNames()
{
    const char *const names[][2] = {{"/tmp/x/chars.h", "chars"},
                                    {"8x8 my--font.h", "glyphs_8x8_my_font"},
                                    {"Größe-é.h", "Gro_e_e"},
                                    {"int.h", "int_glyphs"},
                                    {"uint8_t.h", "uint8_t_glyphs"},
                                    {"__.h", "glyphs"},
                                    {"", "glyphs"}};
    for (const auto &name : names)
        QCOMPARE(GlyphSetFile::arrayName(name[0]), QString(name[1]));
}

void TestGlyphSetFile::roundTrip_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    for (int p = 0; p < GlyphLayout::PresetCount; ++p) {
        const GlyphLayout own{Preset(p)};
        const int height = own.width() < 8 ? own.height() : 7;
        const int count = p == 0 ? 1024 : p == 1 ? 1 : 1 + p * 97;
        QTest::addRow("%s 8x8", qPrintable(own.name())) << p << 8 << 8 << count;
        if (GlyphLayout::isResizable(Preset(p)))
            QTest::addRow("%s 5x%d", qPrintable(own.name()), height) << p << 5 << height << 9 + p;
    }
}

void TestGlyphSetFile::roundTrip()
{
    QFETCH(int, preset);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    QRandomGenerator random(preset * 100 + width);
    const QString pieces[] = {"\"", "*/", "\\", "?\?/", "ä", "😀", "\n", "\r\t", QChar(0xD800), "\u202E", "/*", " "};
    const GlyphLayout layout(Preset(preset), width, height);
    std::vector<Glyph> glyphs(count);
    for (Glyph &glyph : glyphs) {
        glyph.picture = random.generate64() & layout.area();
        for (int n = random.bounded(4); n > 0; --n)
            glyph.name += pieces[random.bounded(int(std::size(pieces)))];
    }
    const GlyphSet set(glyphs, layout);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("glyph set %1.h").arg(preset)));
    const QByteArray text = GlyphSetFile::write(set, file.fileName());
    const GlyphSetFile::ReadResult read = GlyphSetFile::read(QString::fromUtf8(text));
    QCOMPARE(read.message, QString());
    QVERIFY(read.set == set);

    // Usable as it stands: a character LCD's createChar takes a glyph.
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    const QString use = layout.lines() == GlyphLayout::Lines::Image
                            ? "uint64_t f(void) { return %1[0]; }"
                            : "void createChar(uint8_t n, uint8_t c[]) { (void)n, (void)c; }\n"
                              "void f(void) { createChar(0, %1[0]); }";
    for (const char *compiler : {"gcc", "g++"}) {
        if (QStandardPaths::findExecutable(compiler).isEmpty()) {
            qInfo("%s is not installed: the header is not compiled with it", compiler);
            continue;
        }
        const bool c = compiler == QLatin1String("gcc");
        QProcess process;
        process.start(compiler, {c ? "-std=c99" : "-std=c++11", "-Wall", "-Wextra", "-Wpedantic", "-Werror",
                                 "-fsyntax-only", "-include", file.fileName(), "-x", c ? "c" : "c++", "-"});
        process.write(use.arg(GlyphSetFile::arrayName(file.fileName())).toUtf8());
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    }
}

void TestGlyphSetFile::handEdits_data()
{
    // Each row replaces text of a written set of two LCD glyphs.
    QTest::addColumn<QStringList>("fromToNames"); // names read back, or the start of the refusal
    QTest::addColumn<quint64>("picture");         // of the first glyph
    const quint64 heart = 0x040E1F1F0A00ull;
    QTest::newRow("as written") << QStringList{"", "", "heart|2"} << heart;
    QTest::newRow("bytes win over the picture") << QStringList{"{0x00, 0x0A", "{0x01, 0x0A", "heart|2"} << heart + 16;
    QTest::newRow("C's numbers") << QStringList{"{0x00, 0x0A, 0x1F", "{0, 012, 31u", "heart|2"} << heart;
    QTest::newRow("name edited") << QStringList{"\"heart\"", "\"a \\\"b\\\"\\n\"", "a \"b\"\n|2"} << heart;
    QTest::newRow("name taken away") << QStringList{"    // \"heart\"\n", "", "|2"} << heart;
    QTest::newRow("fewer values are zero") << QStringList{", 0x04, 0x00, 0x00}", ", 0x04}", "heart|2"} << heart;
    QTest::newRow("too wide") << QStringList{"{0x00, 0x0A", "{0x20, 0x0A", "Glyph 1 holds 0x20"} << 0ull;
    QTest::newRow("too many") << QStringList{"0x00, 0x00}", "0x00, 0x00, 0}", "Glyph 1 has 9"} << 0ull;
    QTest::newRow("no braces") << QStringList{"{0x00", "0x00", "Glyph 1 is not"} << 0ull;
    QTest::newRow("first line") << QStringList{"5x8", "9x8", "The first line"} << 0ull;
    QTest::newRow("not ZENTIL's") << QStringList{"ZENTIL", "zentil", ""} << 0ull;
}

void TestGlyphSetFile::handEdits()
{
    QFETCH(QStringList, fromToNames);
    const GlyphSet set({{0x040E1F1F0A00ull, "heart"}, {0x1F, "2"}}, GlyphLayout(Preset::CharacterLcd));
    QString text = QString::fromUtf8(GlyphSetFile::write(set, "chars.h"));
    text.replace(text.indexOf(fromToNames[0]), fromToNames[0].size(), fromToNames[1]);
    const GlyphSetFile::ReadResult read = GlyphSetFile::read(text);
    const QString names = fromToNames[2];
    if (!read.ok()) {
        QCOMPARE(read.status == GlyphSetFile::ReadResult::Status::NotOwn, names.isEmpty());
        QVERIFY2(names.isEmpty() || read.message.startsWith(names), qPrintable(read.message));
        return;
    }
    QCOMPARE(read.set.glyph(0).name + '|' + read.set.glyph(1).name, names);
    QTEST(quint64(read.set.glyph(0).picture), "picture");
    QCOMPARE(read.set.glyph(1).picture, std::uint64_t(0x1F));
}

QTEST_GUILESS_MAIN(TestGlyphSetFile)
#include "TestGlyphSetFile.moc"
