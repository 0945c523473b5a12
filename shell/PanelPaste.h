#pragma once

#include "MainForm.h"

#include <QObject>
#include <QPoint>

#include <array>
#include <functional>

class QMenu;
class QWidget;

// Every way of pasting text onto a panel of edge values: its context menu
// (a right-click on its frame or its value boxes, or the Menu key or
// Shift+F10 on its Hide or Copy button), Ctrl+V on those buttons, and a drop
// of text onto the panel. The top boxes take typing and keep their own text
// menu and drops. Menus are built when first opened, so start-up pays for
// none of them.
class PanelPaste : public QObject
{
    Q_OBJECT

public:
    using Paste = std::function<void(MatrixState::Edge edge, const QString &text)>;

    PanelPaste(const MainForm &form, QWidget *window, Paste paste);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // At the pointer's place, or where at is null, below over.
    void openMenu(MatrixState::Edge edge, QWidget *over, QPoint at);
    void pasteClipboard(MatrixState::Edge edge);

    const MainForm &m_form;
    QWidget *m_window;
    Paste m_paste;
    std::array<QMenu *, MatrixState::EdgeCount> m_menus{};
};
