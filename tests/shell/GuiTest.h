#pragma once

// Shared by the window tests: a settings store of their own, short ways to
// reach and drive the real controls by their object names, and a way to
// answer a real message box once it is up.

#include "shell/Application.h"
#include "shell/FrmMain.h"
#include "shell/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

template <typename T = QWidget> T *find(QWidget *root, const QString &name)
{
    T *w = root->findChild<T *>(name);
    if (!w)
        qFatal("no control named %s", qPrintable(name));
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

inline void click(QWidget *root, const QString &name)
{
    QTest::mouseClick(find(root, name), Qt::LeftButton);
}

inline void clickCell(QWidget *root, int r, int c)
{
    click(root, QStringLiteral("r%1c%2").arg(r).arg(c));
}

inline QString boxText(QWidget *root, const QString &name)
{
    // The top boxes are line edits; the others only show their value.
    return find(root, name)->property("text").toString();
}

inline bool cellOn(QWidget *root, int r, int c)
{
    return find(root, QStringLiteral("r%1c%2").arg(r).arg(c))->property("colorValue").toUInt() ==
           MatrixState::cellOnColor;
}

// Replaces the text of a top box the way a user does, then double-clicks it.
inline void typeAndEnter(QWidget *root, int col, const QString &text)
{
    auto *box = find<QLineEdit>(root, QStringLiteral("tt%1").arg(col));
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::mouseDClick(box, Qt::LeftButton);
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
inline QString column(QWidget *root, int c)
{
    QString s;
    for (int r = 0; r < 8; ++r)
        s += cellOn(root, r, c) ? QLatin1Char('1') : QLatin1Char('0');
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
