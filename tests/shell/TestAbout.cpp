#include "GuiTest.h"

#include "shell/AboutPicture.h"
#include "shell/FrmAbout.h"

#include <QLabel>
#include <QPushButton>

using namespace GuiTest;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void aboutIsOneWindow();
};

void TestAbout::aboutIsOneWindow()
{
    auto w = openWindow();
    click(w->form().about);
    FrmAbout *about = w->about();
    QVERIFY(about && about->isVisible());
    click(w->form().about);
    QCOMPARE(w->about(), about);
    int count = 0;
    for (QWidget *tl : QApplication::topLevelWidgets())
        count += qobject_cast<FrmAbout *>(tl) != nullptr;
    QCOMPARE(count, 1);

    QCOMPARE(about->windowTitle(), QStringLiteral("About"));
    QCOMPARE(about->size(), QSize(330, 213));
    QCOMPARE(about->palette().color(QPalette::Window), QColor(0xFF, 0xE0, 0xC0));
    QVERIFY(!about->windowIcon().isNull());
    // The About window has no form of typed handles: its controls go by their names.
    auto *image = find<AboutPicture>(about, "Image1");
    auto *name = find<QLabel>(about, "Label1");
    auto *close = find<QPushButton>(about, "Command1");
    QVERIFY(image && name && close);
    QCOMPARE(image->grab().toImage().pixelColor(5, 4), QColor(0, 0, 0xFF)); // the top lit cell
    QCOMPARE(image->geometry(), QRect(120, 120, 79, 29));
    QVERIFY(name->text().contains("ZENTIL"));

    // Close hides and keeps it; the close box destroys it; About makes a new one.
    click(close);
    QVERIFY(!about->isVisible());
    QCOMPARE(w->about(), about);
    click(w->form().about);
    QVERIFY(about->isVisible());
    QPointer<FrmAbout> gone = about;
    about->close();
    QTRY_VERIFY(gone.isNull());
    click(w->form().about);
    QVERIFY(w->about() && w->about()->isVisible());
}

ZENTIL_GUI_TEST_MAIN(TestAbout)
#include "TestAbout.moc"
