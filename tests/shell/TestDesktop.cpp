// Runs on a real display server (the e2e script starts one): what only a
// clipboard shared with other programs can show.
#include "GuiTest.h"

#include <QProcess>

using namespace GuiTest;

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void copyIsCheckedWithTheSystem();

private:
    static QByteArray systemClipboard();
    // A click the X server delivers, with a time of its own, as a user's is.
    static void realClick(QWidget *w);
};

void TestDesktop::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
}

// As another program reads it.
QByteArray TestDesktop::systemClipboard()
{
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    // Keeps serving events meanwhile: the owner may be this very program.
    if (!QTest::qWaitFor([&xclip] { return xclip.state() == QProcess::NotRunning; }, 5000))
        xclip.kill();
    return xclip.readAllStandardOutput();
}

void TestDesktop::realClick(QWidget *w)
{
    const QPoint at = w->mapToGlobal(w->rect().center());
    const int shown = MessageBox::shownCount();
    MessageBox::setNextAnswer(MessageBox::OK);
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                       QStringLiteral("click"), QStringLiteral("1")});
    QTRY_COMPARE(MessageBox::shownCount(), shown + 1);
}

void TestDesktop::copyIsCheckedWithTheSystem()
{
    auto w = openWindow();
    clickCell(w.get(), 0, 0);
    click(w.get(), "Command4");

    // A program that takes the clipboard back whenever it loses it.
    QProcess thief;
    thief.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("while printf other | xclip -quiet -selection "
                                                      "clipboard -i >/dev/null 2>&1; do :; done")});
    QTRY_COMPARE(systemClipboard(), QByteArray("other"));
    realClick(find(w.get(), "Command12"));
    QVERIFY2(MessageBox::lastPrompt().contains("could not be written"), qPrintable(MessageBox::lastPrompt()));
    thief.kill();
    thief.waitForFinished();

    realClick(find(w.get(), "Command12"));
    QCOMPARE(MessageBox::lastPrompt(), QStringLiteral("Cliboard now has the text"));
    QCOMPARE(systemClipboard(), QByteArray("1,0,0,0,0,0,0,0\r\n"));
}

ZENTIL_GUI_TEST_MAIN(TestDesktop)
#include "TestDesktop.moc"
