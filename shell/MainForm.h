#pragma once

#include "matrix/MatrixState.h"

#include <QString>

#include <array>

class CellButton;
class EdgeBox;
class OneLineList;
class OutputPane;
class QButtonGroup;
class QFrame;
class QPushButton;
class QRadioButton;
class QWidget;
class ValueBox;

// Every control of the main window that the program acts on, built once from
// the layout table in MainForm.cpp, much as a Designer form's setupUi() builds
// its widgets. Labels and group boxes are built too, but nothing holds them.
//
// The object names ("r0c0", "tt0", "Frame1", "Command4", "List1",
// "Option2(0)") are the design's own names for its controls, kept as they are
// so that tests, screen-reader scripts and anyone reading the design find each
// control by the same name; they are not chosen to describe the controls.
struct MainForm
{
    // A panel of eight edge values, the button that hides it and the button
    // that lists it.
    struct Panel
    {
        QFrame *frame = nullptr;
        QPushButton *hide = nullptr;
        QPushButton *copy = nullptr;
    };

    // Builds the controls into the window at their fixed places, in the tab
    // order of the table.
    void setupUi(QWidget *window, const MatrixState &matrix);

    // Shown in 8x8 only: the boxes and the two frames of cells outside 5x7.
    std::array<QWidget *, 10> outsideFiveBySeven() const;

    // The caption of a panel's hide button follows the panel, never the other way round.
    static QString hideCaption(bool panelVisible);
    // What the hide button says to a screen reader, which cannot see which panel it is beside.
    static QString hideName(MatrixState::Edge edge, bool panelVisible);

    std::array<std::array<CellButton *, MatrixState::Size>, MatrixState::Size> cells{};
    QButtonGroup *cellGroup = nullptr; // button ids are row * 8 + column
    QFrame *gridRight = nullptr;       // columns 5 to 7 of rows 0 to 6
    QFrame *gridBottom = nullptr;      // row 7
    std::array<Panel, MatrixState::EdgeCount> panels{};
    // The top boxes take typing; the others only show their values.
    std::array<EdgeBox *, MatrixState::Size> topBoxes{};
    std::array<std::array<ValueBox *, MatrixState::Size>, MatrixState::EdgeCount> valueBoxes{};

    QPushButton *reset = nullptr;
    QPushButton *about = nullptr;
    QPushButton *copyPane = nullptr;
    QPushButton *clearPane = nullptr;
    QPushButton *exit = nullptr;
    QRadioButton *option8x8 = nullptr;
    QRadioButton *option5x7 = nullptr;
    OneLineList *prefixList = nullptr;
    OneLineList *delimiterList = nullptr;
    OutputPane *pane = nullptr;
};
