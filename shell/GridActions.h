#pragma once

#include "matrix/MatrixState.h"

#include <QObject>

#include <array>
#include <functional>

class GridEditor;
class QAction;
class QMenu;
class QPoint;
class QWidget;

// The grid's commands: undo, redo, the transforms, the Glyphs window and the
// glyph before or after, each one action with
// its keys, acting in the whole window and shown in the grid's menu. They are
// off while the focus is in a text box (a top box or the output pane), which
// keeps its own keys and undo.
class GridActions : public QObject
{
    Q_OBJECT

public:
    GridActions(GridEditor *editor, QWidget *window, std::function<bool()> fiveBySeven,
                std::function<void()> showGlyphs);

    // Built when first opened; null before.
    QMenu *menu() const { return m_menu; }
    void popup(const QPoint &globalPos);

    // Follows the focus, the undo stack and the size mode.
    void update();

private:
    GridEditor *m_editor;
    QWidget *m_window;
    std::function<bool()> m_fiveBySeven;
    QAction *m_undo;
    QAction *m_redo;
    std::array<QAction *, MatrixState::TransformCount> m_transforms{};
    QAction *m_glyphs; // the Glyphs window
    // The glyph before or after the current one, in the main window too.
    QAction *m_previous;
    QAction *m_next;
    QMenu *m_menu = nullptr;
};
