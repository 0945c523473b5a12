#include "GuiTest.h"

#include "shell/FrmGlyphs.h"
#include "shell/GlyphDocument.h"
#include "shell/GlyphListView.h"
#include "shell/GridEditor.h"

#include <QDialog>
#include <QUndoStack>

using namespace GuiTest;

class TestGlyphs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_w.reset(); }
    void aSetOfThreeSavedAndOpenedAgain();
    void pasteGlyphsThroughTheDialog();

private:
    // A key of the Glyphs window, whose shortcuts act while it is active.
    void key(QKeyCombination key);
    QString names() const;

    std::unique_ptr<FrmMain> m_w;
    FrmGlyphs *m_glyphs = nullptr;
    QTemporaryDir m_dir;
};

void TestGlyphs::init()
{
    m_w = openWindow();
    QTest::keyClick(m_w->form().reset, Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(m_w->glyphs() && m_w->glyphs()->isVisible());
    m_glyphs = m_w->glyphs();
}

void TestGlyphs::key(QKeyCombination key)
{
    m_glyphs->activateWindow();
    QVERIFY(QTest::qWaitFor([this] { return m_glyphs->isActiveWindow(); }));
    QTest::keyClick(m_glyphs->list(), key.key(), key.keyboardModifiers());
}

QString TestGlyphs::names() const
{
    QStringList out;
    for (const Glyph &g : m_w->editor()->set().glyphs())
        out << g.name + QLatin1Char(':') + QString::number(g.picture, 16);
    return out.join(QLatin1Char(' '));
}

void TestGlyphs::aSetOfThreeSavedAndOpenedAgain()
{
    GlyphDocument *doc = m_w->document();
    QCOMPARE(m_glyphs->windowTitle(), QStringLiteral("Glyphs"));
    clickCell(m_w.get(), 0, 0);
    key(QKeyCombination(Qt::Key_Insert));
    clickCell(m_w.get(), 1, 1); // drawn on the new glyph, which is current
    key(QKeyCombination(Qt::ControlModifier, Qt::Key_D));
    key(QKeyCombination(Qt::Key_F2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("copy \"*/\""));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // taken once the editor closes
    QTRY_COMPARE(names(), QStringLiteral(":1 :200 copy \"*/\":200"));
    QCOMPARE(m_glyphs->windowTitle(), QStringLiteral("Glyphs*"));
    key(QKeyCombination(Qt::AltModifier, Qt::Key_Left));
    key(QKeyCombination(Qt::AltModifier, Qt::Key_Left));
    QCOMPARE(names(), QStringLiteral("copy \"*/\":200 :1 :200"));
    key(QKeyCombination(Qt::Key_Delete));
    QCOMPARE(names(), QStringLiteral(":1 :200"));
    QVERIFY(cellOn(m_w.get(), 0, 0)); // the grid shows the glyph now current
    key(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    QCOMPARE(names(), QStringLiteral("copy \"*/\":200 :1 :200"));
    QCOMPARE(m_w->editor()->set().current(), 0);

    const QString path = m_dir.filePath(QStringLiteral("chars.h"));
    QVERIFY(doc->saveTo(path, m_glyphs));
    QCOMPARE(m_glyphs->windowTitle(), QStringLiteral("Glyphs - chars.h"));
    key(QKeyCombination(Qt::ControlModifier, Qt::Key_N)); // saved: no question
    QCOMPARE(names(), QStringLiteral(":0"));
    QVERIFY(doc->openFile(path, m_glyphs));
    QCOMPARE(names(), QStringLiteral("copy \"*/\":200 :1 :200"));
    QVERIFY(cellOn(m_w.get(), 1, 1));

    // An edit since: the close asks, and Cancel keeps everything open.
    clickCell(m_w.get(), 7, 7);
    MessageBox::setNextAnswer(MessageBox::Cancel);
    QVERIFY(!m_w->close());
    QCOMPARE(MessageBox::lastPrompt(), QStringLiteral("Save changes to the glyph set?"));
    QVERIFY(m_w->isVisible());
    // Changed on disk meanwhile: Save asks before writing over it.
    QFile other(path);
    QVERIFY(other.open(QIODevice::Append) && other.write("// theirs\n") > 0);
    other.close();
    MessageBox::setNextAnswer(MessageBox::Cancel);
    QVERIFY(!doc->save(m_glyphs));
    QVERIFY(MessageBox::lastPrompt().contains(QStringLiteral("changed by another program")));
    MessageBox::setNextAnswer(MessageBox::Discard);
    QVERIFY(m_w->close());
}

void TestGlyphs::pasteGlyphsThroughTheDialog()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("const uint8_t font[][8] = {\n"
                                                         "  { 0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00},   // U+0041 (A)\n"
                                                         "  { 0x3F, 0x66, 0x66, 0x3E, 0x66, 0x66, 0x3F, 0x00},   // U+0042 (B)\n"
                                                         "};\n"));
    QTimer look; // answers the dialog once it is up
    connect(&look, &QTimer::timeout, [&look] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            look.stop();
            QTest::keyClick(dialog, Qt::Key_Return);
        }
    });
    look.start(10);
    key(QKeyCombination(Qt::ControlModifier, Qt::Key_V));
    QCOMPARE(names(), QStringLiteral("U+0041 (A):33333f33331e0c U+0042 (B):3f66663e66663f"));
    QCOMPARE(m_w->editor()->set().current(), 0);
    QVERIFY(cellOn(m_w.get(), 0, 2) && cellOn(m_w.get(), 0, 3)); // 0x0C, bit 0 at the left
    key(QKeyCombination(Qt::ControlModifier, Qt::Key_Z)); // one step
    QCOMPARE(names(), QStringLiteral(":0"));
}

ZENTIL_GUI_TEST_MAIN(TestGlyphs)
#include "TestGlyphs.moc"
