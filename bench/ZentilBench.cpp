// Benchmarks of ZENTIL, run by hand (see the README):
//   zentil_bench                  all of them, printed as a table
//   zentil_bench --startup-only   start-up and memory only
//   zentil_bench --edits-only     edits at the output pane's line limit only
// Start-up and peak memory are measured in child processes of this program on
// an Xvfb server the bench starts itself, comparing ZENTIL's main window with
// a bare Qt window (one button, one line edit with text) and the same window
// with labels in the design's faces, within one run:
// instructions counted by callgrind, wall time alternating the two windows.

#include "shell/Application.h"
#include "shell/CellButton.h"
#include "shell/EdgeBox.h"
#include "shell/Fonts.h"
#include "shell/FrmGlyphs.h"
#include "shell/FrmMain.h"
#include "shell/GlyphDocument.h"
#include "shell/GridEditor.h"
#include "output/GlyphSetFile.h"
#include "shell/MessageBox.h"
#include "shell/OneLineList.h"
#include "shell/OneLineValidator.h"
#include "shell/OutputPane.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Reports once the window has been painted for the first time.
class PaintProbe : public QObject
{
public:
    explicit PaintProbe(qint64 startNs) : m_startNs(startNs) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QMetaObject::invokeMethod(
                qApp,
                [this] {
                    rusage usage{};
                    getrusage(RUSAGE_SELF, &usage);
                    std::printf("%.3f %ld\n", (monotonicNs() - m_startNs) / 1e6, usage.ru_maxrss);
                    std::fflush(stdout);
                    // Start-up ends here: tearing down is not part of it.
                    _exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    qint64 m_startNs;
    bool m_done = false;
};

// Child process: one start-up, from the parent's launch to the first paint.
int startupChild(int argc, char **argv, const QByteArray &which)
{
    const qint64 start = qgetenv("ZENTIL_BENCH_START").toLongLong();
    // As the program looks for its display before Qt does.
    if (which == "zentil" && !Application::missingDisplay(argc, argv).isEmpty())
        return 1;
    QApplication app(argc, argv);
    Application::configure(app);
    PaintProbe probe(start);
    if (which != "zentil") {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QPushButton(QStringLiteral("Button")));
        layout->addWidget(new QLineEdit(QStringLiteral("Some text")));
        // The same window drawn in the window's five faces and sizes as well as
        // Qt's default: what the look costs before any of ZENTIL's own code.
        if (which == "faced") {
            for (const QFont &font : {Fonts::serif(6), Fonts::serif(6.75), Fonts::sansSerif(8.25),
                                      Fonts::sansSerif(8.25, true), Fonts::sansSerif(9.75, true)}) {
                auto *label = new QLabel(QStringLiteral("Bits 0-7 FFFF"));
                label->setFont(font);
                layout->addWidget(label);
            }
        }
        window.installEventFilter(&probe);
        window.show();
        return app.exec();
    }
    FrmMain window;
    window.load();
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}

struct Startup
{
    std::vector<double> ms;
    std::vector<double> kb;
};

// Start-up is measured on an X server of the bench's own, so that it counts
// what a user's start pays: connecting, mapping the window, painting it.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        // -displayfd picks a free display and prints its number once ready.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        QByteArray out;
        while (!out.contains('\n') && m_server.waitForReadyRead(10000))
            out += m_server.readAllStandardOutput();
        if (out.contains('\n'))
            m_name = ':' + out.trimmed();
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    QByteArray name() const { return m_name; }

private:
    QProcess m_server;
    QByteArray m_name;
};

QProcessEnvironment childEnvironment(const QByteArray &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("ZENTIL_BENCH_START"), QString::number(monotonicNs()));
    return env;
}

void runStartup(const QString &self, const QByteArray &display, const char *which, Startup &into)
{
    QProcess child;
    child.setProcessEnvironment(childEnvironment(display));
    child.start(self, {QStringLiteral("--startup"), QLatin1String(which)});
    child.waitForFinished(30000);
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() == 2) {
        into.ms.push_back(parts[0].toDouble());
        into.kb.push_back(parts[1].toDouble());
    }
}

// Instructions from exec to the first paint, counted by callgrind; 0 when
// valgrind cannot run.
double countInstructions(const QString &self, const QByteArray &display, const char *which)
{
    QProcess child;
    child.setProcessEnvironment(childEnvironment(display));
    child.start(QStringLiteral("valgrind"),
                {QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=/dev/null"), self,
                 QStringLiteral("--startup"), QLatin1String(which)});
    child.waitForFinished(300000);
    const QByteArray log = child.readAllStandardError();
    // The last count is the program's own: a helper it forks (D-Bus's
    // autolaunch, where no session bus runs) reports first.
    const int at = log.lastIndexOf("Collected :");
    return at < 0 ? 0 : log.mid(at + 11, log.indexOf('\n', at) - at - 11).trimmed().toDouble();
}

void reportStartup(const QString &self)
{
    const VirtualDisplay display;
    if (display.name().isEmpty()) {
        std::printf("start-up not measured: Xvfb could not start\n\n");
        return;
    }
    // Wall time and memory, alternating so all see the same machine state.
    const char *const kinds[] = {"zentil", "faced", "bare"};
    Startup runs[3];
    const int rounds = 15;
    for (int round = -1; round < rounds; ++round) // round -1 warms the caches
        for (int k = 0; k < 3; ++k)
            runStartup(self, display.name(), kinds[k], runs[k]);
    double ir[3];
    for (int k = 0; k < 3; ++k) {
        runs[k].ms.erase(runs[k].ms.begin());
        runs[k].kb.erase(runs[k].kb.begin());
        ir[k] = countInstructions(self, display.name(), kinds[k]);
    }
    std::printf("%-44s %10s %10s %10s %8s %8s\n", "start-up on Xvfb (xcb), exec to first paint", "ZENTIL", "faced",
                "bare Qt", "/faced", "/bare");
    if (ir[0] > 0 && ir[1] > 0 && ir[2] > 0)
        std::printf("%-44s %9.1fM %9.1fM %9.1fM %7.2fx %7.2fx\n", "  instructions (callgrind)", ir[0] / 1e6,
                    ir[1] / 1e6, ir[2] / 1e6, ir[0] / ir[1], ir[0] / ir[2]);
    else
        std::printf("%-44s not measured: valgrind could not run\n", "  instructions (callgrind)");
    double ms[3], mb[3];
    for (int k = 0; k < 3; ++k) {
        ms[k] = median(runs[k].ms);
        mb[k] = median(runs[k].kb) / 1024;
    }
    std::printf("%-44s %8.1fms %8.1fms %8.1fms %7.2fx %7.2fx\n", "  wall time (median of 15)", ms[0], ms[1], ms[2],
                ms[0] / ms[1], ms[0] / ms[2]);
    std::printf("%-44s %8.1fMB %8.1fMB %8.1fMB %7.2fx %7.2fx\n\n", "  peak memory (max RSS)", mb[0], mb[1], mb[2],
                mb[0] / mb[1], mb[0] / mb[2]);
}

double timeAppends(int lines)
{
    FrmMain w;
    w.load();
    w.show();
    auto *copy = w.form().panels[MatrixState::Left].copy;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < lines; ++i)
        copy->click();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

// Pastes one line into the pane, then lists once; milliseconds for each.
std::pair<double, double> timeLongLine(const QString &line)
{
    FrmMain w;
    w.load();
    w.show();
    auto *pane = w.form().pane;
    auto *copy = w.form().panels[MatrixState::Left].copy;
    pane->setFocus();
    QGuiApplication::clipboard()->setText(line);
    MessageBox::setNextAnswer(MessageBox::OK); // a refusal is answered at once
    QElapsedTimer t;
    t.start();
    QTest::keySequence(pane, QKeySequence::Paste);
    QCoreApplication::processEvents();
    const double paste = t.nsecsElapsed() / 1e6;
    MessageBox::setNextAnswer(MessageBox::NoAnswer);
    t.restart();
    copy->click();
    QCoreApplication::processEvents();
    return {paste, t.nsecsElapsed() / 1e6};
}

// Edits at the pane's line limit, the costliest of each path, taken and
// turned down (a refusal's message answered at once): milliseconds from the
// input to the pane repainted, median of five.
class EditsAtTheLimit
{
public:
    EditsAtTheLimit()
    {
        m_window.load();
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            std::printf("window not exposed\n");
        m_pane = m_window.form().pane;
        m_pane->setFocus();
    }

    void report()
    {
        const int n = OutputPane::LongestLine;
        const QString emoji = QString::fromUtf16(u"\U0001F600");
        const QString backSpace = QStringLiteral("\b");
        print("BackSpace joining two lines", median5([&] {
                  start(QString(n / 2, 'c') + '\n' + QString(n / 2, 'd'), n / 2 + 1);
                  return key(Qt::Key_Backspace, backSpace);
              }),
              median5([&] {
                  start(QString(n, 'c') + '\n' + QString(n, 'd'), n + 1);
                  return key(Qt::Key_Backspace, backSpace);
              }));
        print("an emoji typed at a line of emoji", median5([&] {
                  start(emoji.repeated(n - 1), 2 * (n - 1));
                  return key(0, emoji);
              }),
              median5([&] {
                  start(emoji.repeated(n), 2 * n);
                  return key(0, emoji);
              }));
        const QString mark = QString::fromUtf16(u"\u0301");
        print("a mark typed on a letter at the limit", median5([&] {
                  start(QString(n - 31, 'x') + 'a' + mark.repeated(29), n - 1);
                  return key(0, mark);
              }),
              median5([&] {
                  start(QString(n - 31, 'x') + 'a' + mark.repeated(30), n);
                  return key(0, mark);
              }));
        print("a drop of 11 characters", median5([&] {
                  start(QString(n - 11, 'x'), 0);
                  return drop();
              }),
              median5([&] {
                  start(QString(n - 10, 'x'), 0);
                  return drop();
              }));
        const QString f(OneLineValidator::longest(), 'f');
        const QString emojis = emoji.repeated(OneLineValidator::longest());
        std::printf("%-44s %8.1fms f, %.1fms emoji\n", "Copy of eight full top boxes, 0xff",
                    median5([&] { return listing(f); }), median5([&] { return listing(emojis); }));
    }

private:
    void start(const QString &text, int cursorAt)
    {
        m_pane->setPlainText(text);
        QTextCursor cursor = m_pane->textCursor();
        cursor.setPosition(cursorAt);
        m_pane->setTextCursor(cursor);
        QCoreApplication::processEvents();
    }

    template <typename Edit> static double timed(Edit edit)
    {
        MessageBox::setNextAnswer(MessageBox::OK);
        QElapsedTimer t;
        t.start();
        edit();
        QCoreApplication::processEvents(); // the repaint, and a drop's message
        const double ms = t.nsecsElapsed() / 1e6;
        MessageBox::setNextAnswer(MessageBox::NoAnswer);
        return ms;
    }

    double key(int key, const QString &text)
    {
        return timed([&] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(m_pane, &press);
        });
    }

    double drop()
    {
        return timed([this] {
            QMimeData data;
            data.setText(QStringLiteral("HELLO WORLD"));
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_pane->viewport(), &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_pane->viewport(), &drop);
        });
    }

    double listing(const QString &value)
    {
        m_pane->clear();
        for (int i = 0; i < 8; ++i)
            m_window.form().topBoxes[i]->setText(value);
        auto *prefixes = m_window.form().prefixList;
        prefixes->setCurrentRow(2); // 0xff, the widest
        QCoreApplication::processEvents();
        auto *copy = m_window.form().panels[MatrixState::Top].copy;
        return timed([copy] { copy->click(); });
    }

    template <typename Once> static double median5(Once once)
    {
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i)
            ms.push_back(once());
        return median(ms);
    }

    static void print(const char *what, double taken, double refused)
    {
        std::printf("%-44s %8.1fms taken, %.1fms turned down\n", what, taken, refused);
    }

    FrmMain m_window;
    OutputPane *m_pane = nullptr;
};

// A set of 1,024 glyphs: opened from its header with the Glyphs window shown,
// saved, a glyph chosen and a grid edit with both windows repainted, and
// files refused whatever they hold.
void reportSets()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("font.h"));
    std::vector<Glyph> glyphs(1024);
    QRandomGenerator random(1024);
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        glyphs[i] = {random.generate64(), QStringLiteral("U+%1 (glyph)").arg(i, 4, 16, QLatin1Char('0'))};
    QFile header(path);
    if (!header.open(QIODevice::WriteOnly) ||
        !header.write(GlyphSetFile::write(GlyphSet(glyphs, GlyphLayout(GlyphLayout::Preset::Image)), path)))
        return;
    header.close();

    FrmMain w;
    w.load();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return;
    const auto timeMs = [](const std::function<void()> &once) {
        QElapsedTimer t;
        t.start();
        once();
        QCoreApplication::processEvents(); // both windows repainted
        return t.nsecsElapsed() / 1e6;
    };
    std::vector<double> opens, saves, chosen, edits;
    for (int i = 0; i < 5; ++i)
        opens.push_back(timeMs([&] { w.openSet(path); }));
    if (!QTest::qWaitForWindowExposed(w.glyphs()))
        return;
    for (int i = 0; i < 10; ++i)
        saves.push_back(timeMs([&] { w.document()->saveTo(path, &w); }));
    QWidget *cell = w.form().cells[3][4];
    w.activateWindow(); // the keys are the window's shortcuts
    if (!QTest::qWaitFor([&] { return w.isActiveWindow(); }))
        return;
    cell->setFocus();
    for (int i = 0; i < 200; ++i) {
        chosen.push_back(timeMs([&] { QTest::keyClick(cell, Qt::Key_PageDown, Qt::ControlModifier); }));
        edits.push_back(timeMs([&] { QTest::mouseClick(cell, Qt::LeftButton); }));
    }
    std::printf("%-44s %8.1fms (target: under 100 ms)\n", "open a header of 1,024 glyphs, shown (median)",
                median(opens));
    std::printf("%-44s %8.1fms (target: under 50 ms)\n", "save it (median)", median(saves));
    std::printf("%-44s %8.2fms (target: under 16 ms; glyph %d reached)\n", "choose the next glyph, both repainted",
                median(chosen), w.editor()->set().current() + 1);
    std::printf("%-44s %8.2fms (target: under 16 ms)\n", "a click with the Glyphs window open", median(edits));

    // Refused: over 4 MB (by its size alone), and 4 MB of bytes that are no text.
    const QString large = dir.filePath(QStringLiteral("large.h")), binary = dir.filePath(QStringLiteral("binary.h")),
                  words = dir.filePath(QStringLiteral("words.h"));
    QFile big(large), bin(binary), text(words);
    if (!big.open(QIODevice::WriteOnly) || !big.write(QByteArray(GlyphDocument::LargestFile + 1, '1')) ||
        !bin.open(QIODevice::WriteOnly) || !bin.write(QByteArray(GlyphDocument::LargestFile, '\0')) ||
        !text.open(QIODevice::WriteOnly) || !text.write(QByteArray("{0x1G, x}; ").repeated(GlyphDocument::LargestFile / 11)))
        return;
    big.close();
    bin.close();
    text.close();
    for (const QString &file : {large, binary, words}) {
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            MessageBox::setNextAnswer(MessageBox::OK);
            ms.push_back(timeMs([&] { w.document()->openFile(file, &w); }));
        }
        std::printf("%-44s %8.1fms (target: under 50 ms)\n",
                    file == large    ? "open of a file over 4 MB, refused"
                    : file == binary ? "open of 4 MB of binary, refused"
                                     : "open of 4 MB of no values, refused",
                    median(ms));
    }
    MessageBox::setNextAnswer(MessageBox::Discard);
    w.close();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--startup") == 0)
        return startupChild(argc, argv, argv[2]);

    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/zentil-bench-config"));
    QApplication app(argc, argv);
    Application::configure(app);
    const QString self = QCoreApplication::applicationFilePath();
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::printf("ZENTIL benchmarks (Qt %s; interaction on platform %s)\n\n", qVersion(),
                platform.isEmpty() ? "default" : platform.constData());

    if (argc >= 2 && qstrcmp(argv[1], "--edits-only") == 0) {
        EditsAtTheLimit().report();
        return 0;
    }
    if (argc >= 2 && qstrcmp(argv[1], "--sets-only") == 0) {
        reportSets();
        return 0;
    }
    reportStartup(self);
    if (argc >= 2 && qstrcmp(argv[1], "--startup-only") == 0)
        return 0;

    FrmMain w;
    w.load();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return 1;

    // One click: the cell and its four boxes updated and painted.
    std::vector<double> clicks;
    QWidget *cell = w.form().cells[3][4];
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(cell, Qt::LeftButton);
        QCoreApplication::processEvents(); // delivers the repaints
        clicks.push_back(t.nsecsElapsed() / 1e3);
    }
    std::printf("%-44s %8.1fus (target: well under 16 ms)\n", "one cell click, boxes repainted (median)",
                median(clicks));

    // A drag across all 64 cells, from the press to the boxes repainted after
    // the release; each one lights them all or clears them all.
    const auto &cells = w.form().cells;
    std::vector<double> strokes;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::mousePress(cells[0][0], Qt::LeftButton);
        for (int k = 1; k < 64; ++k)
            QTest::mouseMove(cells[k / 8][k % 8]);
        QTest::mouseRelease(cells[7][7], Qt::LeftButton);
        QCoreApplication::processEvents();
        strokes.push_back(t.nsecsElapsed() / 1e3);
    }
    std::printf("%-44s %8.1fus (target: well under 16 ms)\n", "stroke across 64 cells, repainted (median)",
                median(strokes));

    // Each transform by its key on a focused cell, to the boxes repainted, on
    // a glyph with no symmetry (taken back, untimed, after each); then undo
    // and redo, each of a step that changes the picture.
    for (const auto &[r, c] : {std::pair(1, 1), std::pair(1, 2), std::pair(2, 1), std::pair(6, 0), std::pair(5, 6)})
        QTest::mouseClick(cells[r][c], Qt::LeftButton);
    cell->setFocus();
    const auto timeKey = [cell](Qt::Key key, Qt::KeyboardModifiers mods) {
        const bool transform = key != Qt::Key_Z && key != Qt::Key_Y;
        if (key == Qt::Key_Z)
            for (int i = 0; i < 200; ++i)
                QTest::keyClick(cell, Qt::Key_I, Qt::ControlModifier);
        std::vector<double> us;
        for (int i = 0; i < 200; ++i) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(cell, key, mods);
            QCoreApplication::processEvents();
            us.push_back(t.nsecsElapsed() / 1e3);
            if (transform)
                QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier);
        }
        return median(us);
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, ctrlShift = ctrl | Qt::ShiftModifier;
    const struct
    {
        const char *what;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    } keys[] = {{"shift up (Ctrl+Up)", Qt::Key_Up, ctrl},
                {"shift down (Ctrl+Down)", Qt::Key_Down, ctrl},
                {"shift left (Ctrl+Left)", Qt::Key_Left, ctrl},
                {"shift right (Ctrl+Right)", Qt::Key_Right, ctrl},
                {"mirror (Ctrl+M)", Qt::Key_M, ctrl},
                {"flip (Ctrl+Shift+M)", Qt::Key_M, ctrlShift},
                {"rotate clockwise (Ctrl+T)", Qt::Key_T, ctrl},
                {"rotate anticlockwise (Ctrl+Shift+T)", Qt::Key_T, ctrlShift},
                {"invert (Ctrl+I)", Qt::Key_I, ctrl},
                {"undo (Ctrl+Z)", Qt::Key_Z, ctrl},
                {"redo (Ctrl+Y)", Qt::Key_Y, ctrl}};
    for (const auto &k : keys)
        std::printf("%-44s %8.1fus (target: well under 16 ms)\n", (k.what + QByteArray(", median")).constData(),
                    timeKey(k.key, k.mods));

    // One listing into a pane that already holds a few lines.
    std::vector<double> listings;
    auto *copy = w.form().panels[MatrixState::Left].copy;
    for (int i = 0; i < 500; ++i) {
        QElapsedTimer t;
        t.start();
        copy->click();
        QCoreApplication::processEvents();
        listings.push_back(t.nsecsElapsed() / 1e3);
    }
    std::printf("%-44s %8.1fus\n", "one listing (median of 500)", median(listings));

    // Ctrl+V on the left panel's Copy, from the key to the boxes repainted: a
    // listing of eight values taken (two pictures in turn, so that each paste
    // changes the grid), and a clipboard of 10 MB refused.
    auto *leftCopy = w.form().panels[MatrixState::Left].copy;
    leftCopy->setFocus();
    const auto timePastes = [leftCopy](const QStringList &texts) {
        std::vector<double> us;
        for (int i = 0; i < 200; ++i) {
            QGuiApplication::clipboard()->setText(texts[i % texts.size()]);
            MessageBox::setNextAnswer(MessageBox::OK); // a refusal is answered at once
            QElapsedTimer t;
            t.start();
            QTest::keySequence(leftCopy, QKeySequence::Paste);
            QCoreApplication::processEvents();
            us.push_back(t.nsecsElapsed() / 1e3);
        }
        MessageBox::setNextAnswer(MessageBox::NoAnswer);
        return median(us);
    };
    std::printf("%-44s %8.1fus (target: well under 16 ms)\n", "paste of 8 values, boxes repainted (median)",
                timePastes({QStringLiteral("0x3C,0x42,0xA5,0x81,0xA5,0x99,0x42,0x3C"),
                            QStringLiteral("0xC3,0xBD,0x5A,0x7E,0x5A,0x66,0xBD,0xC3")}));
    std::printf("%-44s %8.1fus (target: under 10 ms)\n", "paste of 10 MB, refused (median)",
                timePastes({QString(10'000'000, QLatin1Char('1'))}));

    const double t10 = timeAppends(10000);
    const double t20 = timeAppends(20000);
    std::printf("%-44s %8.1fms\n", "10,000 listings into an empty pane", t10);
    std::printf("%-44s %8.1fms (%.2fx of 10,000; linear is 2x)\n", "20,000 listings into an empty pane", t20,
                t20 / t10);

    // No place to wrap: the costliest line there is to lay out.
    const auto [mbPaste, mbList] = timeLongLine(QString(1 << 20, QLatin1Char('x')));
    std::printf("%-44s %8.1fms, next listing %.1fms\n", "paste of 1 MB on one line (refused)", mbPaste, mbList);
    const auto [maxPaste, maxList] = timeLongLine(QString(OutputPane::LongestLine, QLatin1Char('x')));
    std::printf("%-44s %8.1fms, next listing %.1fms\n", "paste of the longest line taken (16,384)", maxPaste, maxList);

    std::printf("\nedits at the pane's line limit (target: well under 100 ms each)\n");
    EditsAtTheLimit().report();
    std::printf("\nglyph sets\n");
    reportSets();
    return 0;
}
