#pragma once

#include "MainForm.h"
#include "matrix/MatrixState.h"
#include "output/Notation.h"

#include <QPointer>
#include <QWidget>

class FrmAbout;
class FrmGlyphs;
class GlyphDocument;
class GridActions;
class GridEditor;
class QMenu;
namespace WindowPlacement {
class PlacementKeeper;
struct StoreProblem;
} // namespace WindowPlacement

// The main window: the grid, the four panels of edge values, the options,
// the output pane and the command buttons, laid out at fixed places. It
// builds the form and connects each control to its operation; the grid's
// editing and its history are the GridEditor's.
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
    void toggleCell(int row, int col);
    void transform(MatrixState::Transform transform);
    void enterColumn(int col);
    void applySizeMode();
    bool isFiveBySeven() const;
    void togglePanel(MatrixState::Edge edge);
    void listEdgeSet(MatrixState::Edge edge);
    // Sets the picture so that the edge's values are the ones the text
    // lists, or says why not and leaves the grid exactly as it was.
    void pasteValues(MatrixState::Edge edge, const QString &text);
    // The grid's menu of transforms and undo, built when first asked for.
    void showGridMenu(const QPoint &globalPos);
    QMenu *gridMenu() const;

    void copyPane();
    void clearPane();
    void showAbout();
    void exitProgram();
    // The Glyphs window, built when first asked for; opening it again raises it.
    void showGlyphs();
    // Opens a set's file with the Glyphs window; false, having said why, where
    // it was not read.
    bool openSet(const QString &path);

    const MatrixState &matrix() const { return m_matrix; }
    GridEditor *editor() const { return m_editor; }
    const Notation &notation() const { return m_notation; }
    FrmAbout *about() const;
    FrmGlyphs *glyphs() const;
    GlyphDocument *document() const { return m_document; }
    const MainForm &form() const { return m_ui; }

    static constexpr int DesignWidth = 7425;  // twips
    static constexpr int DesignHeight = 6705; // twips

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // A stroke's release that reached the window rather than its cell.
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void tellPlacementProblem(const WindowPlacement::StoreProblem &problem, bool saving);
    // Repaints the cells and boxes that differ from before, or every box.
    void showChanges(const MatrixState::Snapshot &before, bool allBoxes);
    GlyphDocument *makeDocument();
    QString boxText(MatrixState::Edge edge, int index) const;
    void setBoxText(MatrixState::Edge edge, int index);

    MatrixState m_matrix;
    Notation m_notation;
    GridEditor *m_editor;
    MainForm m_ui;
    GridActions *m_actions = nullptr;
    QPointer<FrmAbout> m_about;
    QPointer<FrmGlyphs> m_glyphs;
    GlyphDocument *m_document = nullptr; // made with the Glyphs window or a file given
    WindowPlacement::PlacementKeeper *m_placement;
    bool m_copying = false;
};
