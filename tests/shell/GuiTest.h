#pragma once

// Shared by the window tests: a settings store of their own, short ways to
// drive the real controls through the window's typed handles, and a way to
// answer a real message box once it is up.

#include "shell/Application.h"
#include "shell/CellButton.h"
#include "shell/EdgeBox.h"
#include "shell/FrmMain.h"
#include "shell/MessageBox.h"
#include "shell/OneLineList.h"
#include "shell/OutputPane.h"
#include "shell/ValueBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#undef MessageBox // Win32's name for MessageBoxW, not the program's class

#include <cstdlib>
#include <string>
#endif

namespace GuiTest {

// Points every settings lookup at a fresh folder before the application
// exists, so no test ever reads or writes the user's real store.
inline QString isolateSettings()
{
    static QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
#ifdef Q_OS_WIN
    // The native store is the registry, which no path moves: for this process
    // the current user's key is a fresh one of the tests' own, removed at exit.
    static const std::wstring sandbox = L"Software\\ZENTIL tests\\" + std::to_wstring(GetCurrentProcessId());
    static const bool swapped = [] {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, sandbox.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(HKEY_CURRENT_USER, key) != ERROR_SUCCESS)
            qFatal("no registry key of the tests' own");
        std::atexit([] {
            RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
            RegDeleteTreeW(HKEY_CURRENT_USER, sandbox.c_str());
            RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZENTIL tests"); // once no other run uses it
        });
        return true;
    }();
    Q_UNUSED(swapped);
#endif
    return dir.path();
}

// For a control no member of MainForm holds, as in the About window. A
// missing one is named in the log and comes back null, so that the caller's
// QVERIFY fails the case rather than the whole program.
template <typename T = QWidget> T *find(QWidget *root, const QString &name)
{
    T *w = root->findChild<T *>(name);
    if (!w)
        qWarning("no control named %s", qPrintable(name));
    return w;
}

inline std::unique_ptr<FrmMain> openWindow()
{
    auto w = std::make_unique<FrmMain>();
    w->load();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("window not exposed");
    return w;
}

inline void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton);
}

inline void clickCell(const FrmMain *w, int r, int c)
{
    click(w->form().cells[r][c]);
}

// The box of an edge's row or column: the top boxes take typing, the others
// only show their value.
inline QWidget *box(const FrmMain *w, MatrixState::Edge edge, int i)
{
    if (edge == MatrixState::Top)
        return w->form().topBoxes[i];
    return w->form().valueBoxes[edge][i];
}

inline QString boxText(const FrmMain *w, MatrixState::Edge edge, int i)
{
    return box(w, edge, i)->property("text").toString();
}

inline bool cellOn(const FrmMain *w, int r, int c)
{
    return w->form().cells[r][c]->colorValue() == MatrixState::cellOnColor;
}

// Replaces the text of a top box the way a user does, then double-clicks it.
inline void typeAndEnter(const FrmMain *w, int col, const QString &text)
{
    EdgeBox *box = w->form().topBoxes[col];
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::mouseDClick(box, Qt::LeftButton);
}

// Pastes text onto an edge's panel as a user can: 0 a right-click on its
// first box (the top panel's frame) and P, 1 the Menu key on its Hide and P,
// 2 Shift+F10 on its Copy and P, 3 Ctrl+V on its Copy, 4 a drop, which has to
// be taken as a copy so that the source keeps its text.
inline void pasteOnto(const FrmMain *w, MatrixState::Edge edge, int way, const QString &text)
{
    const MainForm::Panel &panel = w->form().panels[edge];
    QGuiApplication::clipboard()->setText(text);
    QMimeData data;
    data.setText(text);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QDragEnterEvent enter(QPoint(2, 2), drop.possibleActions(), &data, Qt::LeftButton, {});
    QWidget *at = edge == MatrixState::Top ? panel.frame : box(w, edge, 0);
    QPushButton *button = way == 1 ? panel.hide : panel.copy;
    button->setFocus();
    if (way == 0)
        QTest::mouseClick(at->window()->windowHandle(), Qt::RightButton, {}, at->mapTo(at->window(), QPoint(3, 3)));
    else if (way < 4)
        QTest::keySequence(button, way == 1 ? Qt::Key_Menu : way == 2 ? Qt::SHIFT | Qt::Key_F10 : Qt::CTRL | Qt::Key_V);
    else if (QApplication::sendEvent(panel.frame, &enter))
        QApplication::sendEvent(panel.frame, &drop);
    QCOMPARE(drop.isAccepted() && drop.dropAction() == Qt::CopyAction, way == 4);
    QCoreApplication::processEvents(); // the drop's paste, once the drop is over
    if (way < 3) {
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
    }
}

// Answers the next real message box with a key once it is up, and keeps what
// it showed. Looks until it is destroyed, so a box that comes late is still
// answered; answered stays false where none came.
class AnsweredBox
{
public:
    explicit AnsweredBox(int key)
    {
        QObject::connect(&m_look, &QTimer::timeout, [this, key] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_look.stop();
            title = box->windowTitle();
            text = box->text();
            iconless = box->icon() == QMessageBox::NoIcon;
            for (QAbstractButton *b : box->buttons())
                buttons << b->text().remove('&');
            buttons.sort();
            defaultButton = box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
            answered = true;
            QTest::keyClick(box, Qt::Key(key));
        });
        m_look.start(10);
    }

    bool answered = false;
    QString title, text;
    QStringList buttons;
    QString defaultButton;
    bool iconless = false;

private:
    QTimer m_look;
};

// The column as "10100101", row 0 first.
inline QString column(const FrmMain *w, int c)
{
    QString s;
    for (int r = 0; r < 8; ++r)
        s += cellOn(w, r, c) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

} // namespace GuiTest

// Settings are isolated before QApplication starts; the application is then
// configured like the real program.
#define ZENTIL_GUI_TEST_MAIN(TestClass)                                                                                \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));   \
        GuiTest::isolateSettings();                                                                                    \
        QApplication app(argc, argv);                                                                                  \
        Application::configure(app);                                                                                   \
        QTEST_DISABLE_KEYPAD_NAVIGATION                                                                                \
        TestClass tc;                                                                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
