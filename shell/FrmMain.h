#pragma once

#include "WindowPlacement.h"
#include "matrix/MatrixState.h"
#include "output/Notation.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class CellButton;
class EdgeBox;
class ValueBox;
class FrmAbout;
class OneLineList;
class OutputPane;
class QFrame;
class QPushButton;
class QRadioButton;
struct EdgePanel;

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

    void toggleCell(int row, int col);
    void enterColumn(int col);
    void applySizeMode();
    bool isFiveBySeven() const;
    void togglePanel(const EdgePanel &panel);
    void listEdgeSet(MatrixState::Edge edge);

    void copyPane();
    void clearPane();
    void showAbout();
    void exitProgram();

    MatrixState &matrix() { return m_matrix; }
    const Notation &notation() const { return m_notation; }
    FrmAbout *about() const;

    static constexpr int DesignWidth = 7425;  // twips
    static constexpr int DesignHeight = 6705; // twips

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Controls with their place in the tab order, gathered while building.
    using TabOrder = std::vector<std::pair<int, QWidget *>>;

    void buildGrid(TabOrder &tabs);
    void buildEdgePanels(TabOrder &tabs);
    void buildButtons(TabOrder &tabs);
    void buildOptions(TabOrder &tabs);
    void buildOutput(TabOrder &tabs);
    void setTabOrderByIndex(TabOrder &tabs);
    QPushButton *addButton(TabOrder &tabs, const char *name, const QString &caption, int left, int top, int tab);

    void refreshCell(int row, int col);
    void refreshBoxes(int row, int col);
    QString boxText(MatrixState::Edge edge, int index) const;
    void setBoxText(MatrixState::Edge edge, int index);

    MatrixState m_matrix;
    Notation m_notation;

    std::array<std::array<CellButton *, MatrixState::Size>, MatrixState::Size> m_cells{};
    // The top boxes take typing; the others only show their values.
    std::array<EdgeBox *, MatrixState::Size> m_topBoxes{};
    std::array<std::array<ValueBox *, MatrixState::Size>, MatrixState::EdgeCount> m_valueBoxes{};
    OneLineList *m_prefixList = nullptr;
    OneLineList *m_delimiterList = nullptr;
    QRadioButton *m_option5x7 = nullptr;
    OutputPane *m_pane = nullptr;
    QPointer<FrmAbout> m_about;
    WindowPlacement::Keeper m_placement;
    bool m_copying = false;
};
