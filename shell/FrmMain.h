#pragma once

#include "GridHistory.h"
#include "MainForm.h"
#include "matrix/MatrixState.h"
#include "output/Notation.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class FrmAbout;
class CellButton;
class QAction;
class QKeyEvent;
class QMenu;
class QMouseEvent;
namespace WindowPlacement {
class PlacementKeeper;
struct StoreProblem;
} // namespace WindowPlacement

// The main window: the grid, the four panels of edge values, the options,
// the output pane and the command buttons, laid out at fixed places.
class FrmMain : public QWidget
{
    Q_OBJECT

public:
    explicit FrmMain(QWidget *parent = nullptr);
    ~FrmMain() override;

    // Restores the placement, then fills the option lists.
    void load();

    void reset();
    void getformat();

    // Every change of the grid goes through here: edit changes the model and,
    // where it changed a cell or a value, becomes one step of undo named
    // stepName ("Undo " + stepName in the menu). The changed cells and boxes
    // are then repainted, and the cells' new states told to a screen reader.
    void editGrid(const QString &stepName, const std::function<void()> &edit);
    void undo();
    void redo();
    const GridHistory &history() const { return m_history; }

    void toggleCell(int row, int col);
    // Shift, mirror, flip, rotate or invert the visible area as one step;
    // nothing where the size mode does not allow it.
    void transform(MatrixState::Transform transform);
    // The grid's menu of transforms and undo, built when first asked for.
    void showGridMenu(const QPoint &globalPos);
    QMenu *gridMenu() const { return m_gridMenu; }
    void enterColumn(int col);
    void applySizeMode();
    bool isFiveBySeven() const;
    void togglePanel(MatrixState::Edge edge);
    void listEdgeSet(MatrixState::Edge edge);
    // Sets the picture so that the edge's values are the ones the text
    // lists, or says why not and leaves the grid exactly as it was.
    void pasteValues(MatrixState::Edge edge, const QString &text);

    void copyPane();
    void clearPane();
    void showAbout();
    void exitProgram();

    const MatrixState &matrix() const { return m_matrix; }
    const Notation &notation() const { return m_notation; }
    FrmAbout *about() const;
    const MainForm &form() const { return m_ui; }

    static constexpr int DesignWidth = 7425;  // twips
    static constexpr int DesignHeight = 6705; // twips

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tellPlacementProblem(const WindowPlacement::StoreProblem &problem, bool saving);
    // Puts the grid in a state the history kept, and shows what changed.
    void showStep(const MatrixState::Snapshot &state);
    void showChanges(const MatrixState::Snapshot &before);
    void showAllValues();
    bool gridKey(QObject *watched, QKeyEvent *event);
    bool gridMouse(QObject *watched, QMouseEvent *event);
    CellButton *gridCell(QObject *o) const;
    void beginStroke(int row, int col);
    void continueStroke(const QPoint &globalPos);
    void endStroke();
    QString boxText(MatrixState::Edge edge, int index) const;
    void setBoxText(MatrixState::Edge edge, int index);

    MatrixState m_matrix;
    Notation m_notation;
    GridHistory m_history;
    // A drag across the grid: every cell it enters takes the state the first
    // one took, and the whole of it is one step.
    struct Stroke
    {
        bool active = false;
        bool on = false;
        bool refused = false; // a cell whose values would leave their range
        int cells = 0;
        MatrixState::Snapshot before;
    } m_stroke;
    QMenu *m_gridMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    std::array<QAction *, MatrixState::TransformCount> m_transformActions{};

    MainForm m_ui;
    QPointer<FrmAbout> m_about;
    WindowPlacement::PlacementKeeper *m_placement;
    bool m_copying = false;
};
