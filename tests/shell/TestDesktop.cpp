// Runs on a real display server (the e2e script starts one): what only a
// clipboard shared with other programs can show.
#include "GuiTest.h"
#include "shell/FrmAbout.h"

#include <QClipboard>
#include <QProcess>

#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

using namespace GuiTest;

namespace {

// Another program that holds the clipboard, serving "other", and takes it
// back when told to; a connection and thread of its own.
class Thief
{
public:
    Thief() : m_c(xcb_connect(nullptr, nullptr))
    {
        m_window = xcb_generate_id(m_c);
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        m_clipboard = atom("CLIPBOARD");
        m_targets = atom("TARGETS");
        m_utf8 = atom("UTF8_STRING");
        takeBack();
        m_thread = std::thread([this] { serve(); });
    }
    ~Thief()
    {
        // Wakes the thread with an event of its own.
        m_stop = true;
        xcb_client_message_event_t wake{};
        wake.response_type = XCB_CLIENT_MESSAGE;
        wake.format = 32;
        wake.window = m_window;
        xcb_send_event(m_c, 0, m_window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&wake));
        xcb_flush(m_c);
        m_thread.join();
        xcb_disconnect(m_c);
    }

    // Returns once the X server has made it the owner again.
    bool takeBack()
    {
        xcb_set_selection_owner(m_c, m_window, m_clipboard, XCB_CURRENT_TIME);
        xcb_get_selection_owner_reply_t *r =
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr);
        const bool owner = r && r->owner == m_window;
        std::free(r);
        return owner;
    }

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *r =
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, std::strlen(name), name), nullptr);
        xcb_atom_t a = XCB_ATOM_NONE;
        if (r)
            a = r->atom;
        std::free(r);
        return a;
    }
    void serve()
    {
        while (!m_stop) {
            xcb_generic_event_t *e = xcb_wait_for_event(m_c);
            if (!e)
                return;
            if ((e->response_type & 0x7f) == XCB_SELECTION_REQUEST)
                answer(*reinterpret_cast<xcb_selection_request_event_t *>(e));
            std::free(e);
        }
    }
    void answer(const xcb_selection_request_event_t &request)
    {
        xcb_atom_t property = request.property;
        if (request.target == m_targets) {
            const xcb_atom_t offered[] = {m_targets, m_utf8, XCB_ATOM_STRING};
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32, 3, offered);
        } else if (request.target == m_utf8 || request.target == XCB_ATOM_STRING) {
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, request.target, 8, 5, "other");
        } else {
            property = XCB_ATOM_NONE;
        }
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = property;
        xcb_send_event(m_c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&notify));
        xcb_flush(m_c);
    }

    xcb_connection_t *m_c;
    xcb_window_t m_window = 0;
    xcb_atom_t m_clipboard = 0, m_targets = 0, m_utf8 = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void copyIsCheckedWithTheSystem();
    void aboutComesBackMinimised();

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
    click(w->form().panels[MatrixState::Left].copy);

    Thief thief;
    QTRY_COMPARE(systemClipboard(), QByteArray("other"));
    // Taken back as soon as ZENTIL has set the clipboard, before it can look,
    // however slow the machine.
    bool takeBack = true;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto told = connect(clipboard, &QClipboard::dataChanged, [&] {
        if (takeBack && clipboard->ownsClipboard()) {
            takeBack = false;
            QVERIFY(thief.takeBack());
        }
    });
    realClick(w->form().copyPane);
    disconnect(told);
    QVERIFY(!takeBack);
    QVERIFY2(MessageBox::lastPrompt().contains("could not be written"), qPrintable(MessageBox::lastPrompt()));

    // Lost and left so.
    realClick(w->form().copyPane);
    QCOMPARE(MessageBox::lastPrompt(), QStringLiteral("Cliboard now has the text"));
    QCOMPARE(systemClipboard(), QByteArray("1,0,0,0,0,0,0,0\r\n"));

    // A second press while the first is still being checked copies nothing
    // more and gets no message of its own.
    int copies = 0;
    const auto counted = connect(clipboard, &QClipboard::dataChanged, [&] { copies += clipboard->ownsClipboard(); });
    const int shown = MessageBox::shownCount();
    MessageBox::setNextAnswer(MessageBox::OK);
    const AnsweredBox second(Qt::Key_Return); // rather than hang
    click(w->form().copyPane);
    click(w->form().copyPane);
    QTRY_COMPARE(MessageBox::shownCount(), shown + 1);
    disconnect(counted);
    QCOMPARE(copies, 1);
    QVERIFY(!second.answered);
}

void TestDesktop::aboutComesBackMinimised()
{
    auto w = openWindow();
    click(w->form().about);
    w->about()->showMinimized(); // as its title bar's button does
    QTRY_VERIFY(w->about()->isMinimized());
    QTest::keyClick(w.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(!w->about()->isMinimized() && w->about()->isActiveWindow());
}

ZENTIL_GUI_TEST_MAIN(TestDesktop)
#include "TestDesktop.moc"
