#pragma once

#include "CellButton.h"
#include "matrix/GlyphSet.h"
#include "matrix/MatrixState.h"

#include <QObject>

#include <functional>

class QUndoStack;

// The only code that changes the grid's model and the set of glyphs the grid
// is one of. Every grid edit (a click, a stroke, a column entry, a transform,
// a paste onto a panel, Reset) goes through edit(): where it changed a cell or
// a value it becomes one step on the undo stack, and changed() tells the view
// what to repaint. The grid shows the set's current glyph, and each grid edit
// changes that glyph's picture; the set's own steps (new, duplicate, delete,
// move, rename, paste, layout) go on the same stack. A user who never opens
// the set has a set of one glyph and never sees it.
class GridEditor : public QObject, public StrokeListener
{
    Q_OBJECT

public:
    static constexpr int UndoLimit = 1000;

    explicit GridEditor(MatrixState &matrix, QObject *parent = nullptr);

    QUndoStack *undoStack() const { return m_stack; }
    const MatrixState &matrix() const { return m_matrix; }

    void toggleCell(int row, int col);
    void enterColumn(int col, const QString &text);
    // Nothing where the size mode does not allow it.
    void transform(MatrixState::Transform transform, bool fiveBySeven);
    // Sets the picture so that the edge's values are the ones the text lists,
    // or says why not and leaves the grid exactly as it was.
    void pasteValues(MatrixState::Edge edge, const QString &text, bool fiveBySeven);
    void reset();
    void undo();
    void redo();

    // A drag across the grid: every cell it enters takes the state the first
    // one took, and the whole of it is one step.
    void beginStroke(int row, int col) override;
    void continueStroke(int row, int col) override;
    void endStroke() override;

    static QString stepName(MatrixState::Transform transform);

    const GlyphSet &set() const { return m_set; }
    // The glyph the grid shows, its values in step with its cells; no step.
    void chooseGlyph(int index);
    void newGlyph();       // empty, after the current one
    void duplicateGlyph(); // after the current one
    void deleteGlyph();    // the only glyph is emptied instead
    void moveGlyph(int from, int to);
    void renameGlyph(int index, const QString &name);
    void setLayout(const GlyphLayout &layout);
    // After the current glyph, or in place of a set of one empty glyph (whose
    // layout then becomes this one); the first of them becomes current.
    void pasteGlyphs(const std::vector<Glyph> &glyphs, const GlyphLayout &layout);
    // A set of its own (New set, Open): its first glyph current, and a
    // history of its own.
    void replaceSet(const GlyphSet &set);

signals:
    // The cells and values that differ from before are to be repainted, or
    // every box where allBoxes.
    void changed(const MatrixState::Snapshot &before, bool allBoxes);
    // An edit was refused, or partly refused; the message says why.
    void refused(const QString &message);
    // The picture of glyph index changed (a grid edit).
    void glyphChanged(int index);
    // The set's glyphs, names, order or layout changed (its current glyph too).
    void setChanged();
    // Another glyph was chosen; nothing else changed.
    void currentGlyphChanged(int index);

private:
    // Where the edit changed anything, one step named stepName ("Undo " +
    // stepName in the menu). allBoxes: every box shows its value again
    // afterwards, changed or not, a top box's typed text included.
    void edit(const QString &stepName, const std::function<void()> &change, bool allBoxes = false);
    // The one path of every change; the steps of one stroke merge.
    void apply(const QString &stepName, const std::function<void()> &change, bool allBoxes, int stroke);
    void show(int glyph, const MatrixState::Snapshot &state);
    void editSet(const QString &stepName, const std::function<void(GlyphSet &)> &change);
    void showSet(const GlyphSet &set);

    MatrixState &m_matrix;
    GlyphSet m_set;
    QUndoStack *m_stack;
    struct Stroke
    {
        int id = 0; // nonzero while a stroke goes on
        bool on = false;
        bool refused = false; // a cell whose values would leave their range
    } m_stroke;
    int m_strokes = 0;
};
