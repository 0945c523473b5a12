#include "../GuiTest.h"

#include "shell/FrmAbout.h"
#include "shell/placement/Placement.h"
#include "shell/placement/PlacementStore.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace GuiTest;
using WindowPlacement::Placement;

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void emptyStoreGivesTheDefaults();
    void placementRoundTrip();
    void storedValuesAreDecimalTwips();
    void closesKeepWhatOthersSaved();
    void minimisedCloseSavesNothing();
    void exitEndsAtOnceAndSavesNothing();
    void badValuesFallBack_data();
    void badValuesFallBack();
    void unreachablePlacementIsBroughtBack();
    void unsavablePlacementIsReported_data();
    void unsavablePlacementIsReported();
    void closingMainEndsWithAboutOpenOrHidden_data();
    void closingMainEndsWithAboutOpenOrHidden();

private:
    QSettings store() { return QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()); }
    void storeValues(const QMap<QString, QString> &values);
    QMap<QString, QString> storedValues();
    // Runs the event loop until the program ends; false if it never does.
    bool runUntilEnd(const std::function<void()> &action);
};

void TestPlacement::init()
{
    QDir(store().fileName() + ".lock").removeRecursively();
    QFile::remove(store().fileName() + ".lock");
    QSettings s(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    s.clear();
    s.sync();
}

void TestPlacement::storeValues(const QMap<QString, QString> &values)
{
    QSettings s(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    s.beginGroup("Settings");
    for (auto it = values.begin(); it != values.end(); ++it)
        s.setValue(it.key(), it.value());
    s.endGroup();
    s.sync();
}

QMap<QString, QString> TestPlacement::storedValues()
{
    QSettings s(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    QMap<QString, QString> out;
    for (const QString &key : s.allKeys())
        out[key] = s.value(key).toString();
    return out;
}

bool TestPlacement::runUntilEnd(const std::function<void()> &action)
{
    bool timedOut = false;
    QTimer::singleShot(0, action);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    guard.start(5000);
    QGuiApplication::exec();
    return !timedOut;
}

void TestPlacement::emptyStoreGivesTheDefaults()
{
    auto w = openWindow();
    QCOMPARE(w->frameGeometry(), QRect(67, 67, 667, 800));
    QVERIFY(storedValues().isEmpty()); // start-up writes nothing
    w->close();
    QCOMPARE(storedValues().value("Settings/MainTop"), QStringLiteral("1000")); // as it was read
    QCOMPARE(storedValues().value("Settings/MainWidth"), QStringLiteral("10000"));
}

void TestPlacement::placementRoundTrip()
{
    storeValues({{"MainLeft", "3000"}, {"MainTop", "1500"}, {"MainWidth", "9000"}, {"MainHeight", "7500"}});
    auto w = openWindow();
    QCOMPARE(w->frameGeometry(), QRect(200, 100, 600, 500));
    w->move(120, 90);
    w->resize(QSize(640, 480) - (w->frameGeometry().size() - w->size())); // outer 640x480
    w->close();
    const auto saved = storedValues();
    QCOMPARE(saved.value("Settings/MainLeft"), QStringLiteral("1800"));
    QCOMPARE(saved.value("Settings/MainTop"), QStringLiteral("1350"));
    QCOMPARE(saved.value("Settings/MainWidth"), QStringLiteral("9600"));
    QCOMPARE(saved.value("Settings/MainHeight"), QStringLiteral("7200"));
    QCOMPARE(saved.size(), 4);
    auto again = openWindow();
    QCOMPARE(again->frameGeometry(), QRect(120, 90, 640, 480));
}

void TestPlacement::storedValuesAreDecimalTwips()
{
    // Fractions and blanks written by hand still read as numbers.
    storeValues({{"MainLeft", " 1500.4"}, {"MainTop", "750"}, {"MainWidth", "9000"}, {"MainHeight", "6000.0"}});
    QSettings s = store();
    QCOMPARE(WindowPlacement::PlacementStore::readKeys(s), (Placement{1500, 750, 9000, 6000}));
}

void TestPlacement::closesKeepWhatOthersSaved()
{
    storeValues({{"MainLeft", "3000"}, {"MainTop", "1500"}, {"MainWidth", "9000"}, {"MainHeight", "7500"}});
    auto first = openWindow();
    auto second = openWindow();
    first->move(first->pos() + QPoint(40, 20));
    storeValues({{"MainHeight", "6000"}}); // a hand edit while both run
    first->close();                        // moved, not resized
    second->close();                       // neither
    const auto saved = storedValues();
    QCOMPARE(saved.value("Settings/MainLeft"), QStringLiteral("3600"));
    QCOMPARE(saved.value("Settings/MainTop"), QStringLiteral("1800"));
    QCOMPARE(saved.value("Settings/MainWidth"), QStringLiteral("9000"));
    QCOMPARE(saved.value("Settings/MainHeight"), QStringLiteral("6000"));
}

void TestPlacement::minimisedCloseSavesNothing()
{
    storeValues({{"MainLeft", "1500"}});
    auto w = openWindow();
    w->move(300, 300);
    w->setWindowState(Qt::WindowMinimized);
    QVERIFY(w->isMinimized());
    w->close();
    const auto saved = storedValues();
    QCOMPARE(saved.value("Settings/MainLeft"), QStringLiteral("1500"));
    QCOMPARE(saved.size(), 1);
}

void TestPlacement::exitEndsAtOnceAndSavesNothing()
{
    storeValues({{"MainLeft", "1500"}});
    auto w = openWindow();
    w->move(300, 300);
    w->showAbout();
    QVERIFY(runUntilEnd([&w] { click(w->form().exit); }));
    QCOMPARE(storedValues().size(), 1);
    QCOMPARE(storedValues().value("Settings/MainLeft"), QStringLiteral("1500"));
}

void TestPlacement::badValuesFallBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("letters") << "MainLeft"
                             << "left";
    QTest::newRow("empty") << "MainTop"
                           << "";
    QTest::newRow("nan") << "MainTop"
                         << "nan";
    QTest::newRow("infinity") << "MainLeft"
                              << "inf";
    QTest::newRow("huge") << "MainWidth"
                          << "1e30";
    QTest::newRow("zero width") << "MainWidth"
                                << "0";
    QTest::newRow("negative height") << "MainHeight"
                                     << "-1200";
    QTest::newRow("number and junk") << "MainHeight"
                                     << "12x";
}

void TestPlacement::badValuesFallBack()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    storeValues({{"MainLeft", "1500"}, {"MainTop", "1200"}, {"MainWidth", "9000"}, {"MainHeight", "6000"}});
    storeValues({{key, value}});
    QSettings s = store();
    const Placement p = WindowPlacement::PlacementStore::readKeys(s);
    const Placement d;
    QCOMPARE(p.left, key == "MainLeft" ? d.left : 1500);
    QCOMPARE(p.top, key == "MainTop" ? d.top : 1200);
    QCOMPARE(p.width, key == "MainWidth" ? d.width : 9000);
    QCOMPARE(p.height, key == "MainHeight" ? d.height : 6000);
}

void TestPlacement::unreachablePlacementIsBroughtBack()
{
    using WindowPlacement::fit;
    const QList<WindowPlacement::Screen> screens{{QRect(0, 0, 800, 600), QRect(0, 0, 800, 570)},
                                                 {QRect(800, 0, 1024, 768), QRect(800, 0, 1024, 768)}};
    const QSize minimum(495, 472);
    bool moved = true;
    // Partly off the screens with its top left corner showing: unchanged.
    QCOMPARE(fit(QRect(600, 100, 600, 400), screens, minimum, &moved), QRect(600, 100, 600, 472));
    QVERIFY(!moved);
    QCOMPARE(fit(QRect(1333, 200, 500, 500), screens, minimum), QRect(1333, 200, 500, 500));
    QCOMPARE(fit(QRect(1700, 600, 400, 400), screens, minimum), QRect(1700, 600, 495, 472));
    // Without enough of that corner, title bar and left controls, brought
    // onto the screen whole.
    QCOMPARE(fit(QRect(-200, -100, 600, 400), screens, minimum, &moved), QRect(0, 0, 600, 472));
    QVERIFY(moved);
    QCOMPARE(fit(QRect(1780, 200, 500, 500), screens, minimum), QRect(1324, 200, 500, 500));
    QCOMPARE(fit(QRect(700, 500, 600, 400), screens, minimum), QRect(200, 98, 600, 472));
    // Never larger than the screen holding its corner, else the one showing
    // most of it, whatever was stored; then seen whole.
    bool cut = false;
    QCOMPARE(fit(QRect(-100, -100, 667, 800), screens, minimum, &moved, &cut), QRect(0, 0, 667, 570));
    QVERIFY(moved && cut);
    QCOMPARE(fit(QRect(67, 67, 33333, 33333), screens, minimum), QRect(0, 0, 800, 570));
    QCOMPARE(fit(QRect(900, 67, 33333, 33333), screens, minimum), QRect(800, 0, 1024, 768));
    QCOMPARE(fit(QRect(790, 500, 600, 900), screens, minimum), QRect(200, 0, 600, 570));
    QCOMPARE(fit(QRect(-6000000, 67, 6000100, 400), screens, minimum), QRect(0, 67, 800, 472));
    // Off every screen: the default position on the primary screen, made to
    // fit there entirely, no smaller than the window can be.
    QCOMPARE(fit(QRect(3333, 2667, 2000, 400), screens, minimum, &moved), QRect(67, 67, 733, 472));
    QVERIFY(moved);
    QCOMPARE(fit(QRect(-6000, 0, 400, 6000), screens, minimum), QRect(67, 67, 495, 503));
    const QList<WindowPlacement::Screen> small{{QRect(0, 0, 640, 480), QRect(0, 0, 640, 480)}};
    QCOMPARE(fit(QRect(9999, 9999, 667, 800), small, minimum), QRect(67, 8, 573, 472));
    const QList<WindowPlacement::Screen> xga{{QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768)}};
    QCOMPARE(fit(QRect(900, 600, 667, 800), xga, minimum), QRect(357, 0, 667, 768));

    // Through the window: a stored place off the screen opens on it, whole.
    storeValues({{"MainLeft", "-900000"}, {"MainTop", "-900000"}});
    auto w = openWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(w->frameGeometry()));
    QCOMPARE(w->frameGeometry().topLeft(), screen.topLeft() + QPoint(67, 67));
}

void TestPlacement::unsavablePlacementIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("onOpen");  // told when the store is read, if at all
    QTest::addColumn<QString>("onClose"); // told when it is saved
#ifdef Q_OS_WIN
    // The registry: a volatile key (gone at log-off) can hold no lasting one.
    QTest::newRow("a volatile key above the store") << "volatile"
                                                    << ""
                                                    << "HKEY_CURRENT_USER.Software.ZENTIL.ZENTIL: .*volatile";
#else
    QTest::newRow("a folder where the file should be") << "folder"
                                                       << "a folder stands"
                                                       << "ZENTIL.conf: a folder stands";
    QTest::newRow("the configuration folder is a file") << "config file"
                                                        << ""
                                                        << "config.*: .*config is not a folder";
#endif
#ifdef Q_OS_UNIX
    // Opening a pipe waits for a writer without end; saving would replace it.
    QTest::newRow("a pipe where the file should be") << "pipe"
                                                     << "not a plain file"
                                                     << "not a plain file";
    QTest::newRow("a link to a pipe") << "link"
                                      << "which is not a plain file"
                                      << "which is not a plain file";
    // The settings lock would be retried without end.
    QTest::newRow("a folder where the lock file should be") << "lock folder"
                                                            << ""
                                                            << "a folder stands where its lock";
    // Qt reads an existing lock: a pipe blocks it for good, /dev/zero never ends.
    QTest::newRow("a pipe where the lock file should be") << "lock pipe"
                                                          << ""
                                                          << "lock file .*\\.lock is not a plain file";
    QTest::newRow("a link to /dev/zero as the lock file") << "lock zero"
                                                          << ""
                                                          << "lock file .*\\.lock is not a plain file";
    QTest::newRow("a lock of an ended process in a read-only folder")
        << "lock stale"
        << ""
        << "left by a program that no longer runs \\(process 999999999\\) and cannot be removed: its folder";
    QTest::newRow("a loop of links") << "loop"
                                     << "a link in a loop of links"
                                     << "a link in a loop of links";
    // QSettings calls a store it cannot parse in error even once written.
    QTest::newRow("a line that is no setting") << "malformed"
                                               << ""
                                               << "";
    // Sparse: it costs no disk, and would cost seconds and gigabytes to read.
    QTest::newRow("a huge store") << "huge"
                                  << "2147483648 bytes"
                                  << "2147483648 bytes";
#endif
}

void TestPlacement::unsavablePlacementIsReported()
{
    QFETCH(QString, kind);
    QFETCH(QString, onOpen);
    QFETCH(QString, onClose);
    const QString path = store().fileName();
    QTemporaryDir elsewhere;
    QFile::remove(path);
    if (kind == "config file") {
        QFile plain(elsewhere.filePath("config"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_HOME", plain.fileName().toLocal8Bit());
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind.startsWith("lock")) {
        storeValues({{"MainLeft", "1500"}});
    }
    if (kind == "lock folder")
        QVERIFY(QDir().mkpath(path + ".lock"));
#ifdef Q_OS_UNIX
    if (kind == "lock pipe")
        QCOMPARE(mkfifo(QFile::encodeName(path + ".lock").constData(), 0600), 0);
    if (kind == "lock zero")
        QVERIFY(QFile::link("/dev/zero", path + ".lock"));
    if (kind == "lock stale") {
        if (geteuid() == 0)
            QSKIP("every folder is writable to root");
        QFile lock(path + ".lock");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("999999999\nZENTIL\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QVERIFY(QFile::setPermissions(QFileInfo(path).path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    if (kind == "loop")
        QVERIFY(QFile::link(path, path));
    if (kind == "huge") {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 31));
    }
    const QString pipe = kind == "link" ? elsewhere.filePath("pipe") : path;
    if (kind == "pipe" || kind == "link")
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    if (kind == "link")
        QVERIFY(QFile::link(pipe, path));
#endif
#ifdef Q_OS_WIN
    if (kind == "volatile") {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZENTIL");
        HKEY key = nullptr;
        QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZENTIL", 0, nullptr, REG_OPTION_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr),
                 LONG(ERROR_SUCCESS));
        RegCloseKey(key);
    }
#endif
    if (!onOpen.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not read from .*ZENTIL.conf.*" + onOpen));
    auto w = openWindow();
    QCOMPARE(w->frameGeometry().topLeft(), QPoint(kind.startsWith("lock") ? 100 : 67, 67));
    w->move(w->pos() + QPoint(10, 10));
    QFile file(path); // edited by hand while the window is open
    if (kind == "malformed")
        QVERIFY(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
                file.write("[Settings]\nMainTop=1500\nno setting\n") > 0);
    file.close();
    if (onClose.isEmpty())
        QTest::failOnWarning(QRegularExpression("could not be saved"));
    else
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be saved to .*" + onClose));
#ifdef Q_OS_WIN
    AnsweredBox told(Qt::Key_Return); // a Windows program tells its user in a box
#endif
    w->close();
#ifdef Q_OS_WIN
    QVERIFY(told.answered && told.text.contains("could not be saved"));
#endif
#ifdef Q_OS_UNIX
    if (kind == "pipe" || kind == "link")
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile()); // still the pipe it was
    if (kind == "huge")
        QCOMPARE(QFileInfo(path).size(), qint64(1) << 31); // not written over
    QFile::setPermissions(QFileInfo(path).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
#ifdef Q_OS_WIN
    if (kind == "volatile")
        QCOMPARE(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZENTIL"), LONG(ERROR_SUCCESS));
#endif
    isolateSettings();
    if (kind.startsWith("lock") || kind == "malformed") // left as it was, or moved
        QCOMPARE(storedValues().value("Settings/MainLeft"), kind == "malformed" ? "1155" : "1500");
    QFile::remove(path);
    QFile::remove(path + ".lock");
    QDir(path).removeRecursively();
    QDir(path + ".lock").removeRecursively();
}

void TestPlacement::closingMainEndsWithAboutOpenOrHidden_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("open") << false;
    QTest::newRow("hidden") << true;
}

void TestPlacement::closingMainEndsWithAboutOpenOrHidden()
{
    QFETCH(bool, hidden);
    auto w = openWindow();
    w->showAbout();
    if (hidden) {
        auto *close = find<QPushButton>(w->about(), "Command1");
        QVERIFY(close);
        click(close);
    }
    QPointer<FrmAbout> about = w->about();
    QVERIFY(runUntilEnd([&w] { w->close(); }));
    QTRY_VERIFY(about.isNull());
    QCOMPARE(storedValues().value("Settings/MainLeft"), QStringLiteral("1000")); // as it was read
}

ZENTIL_GUI_TEST_MAIN(TestPlacement)
#include "TestPlacement.moc"
