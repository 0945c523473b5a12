#include "GridEditor.h"

#include "GridStep.h"
#include "SetStep.h"
#include "output/ListingReader.h"
#include "output/PasteRefusal.h"
#include "matrix/SizeMode.h"

#include <QUndoStack>

namespace {

QString outOfRange()
{
    return GridEditor::tr("This click would take an edge value out of range (-32768 to 32767), so the cell was left "
                          "as it was.\nPress Reset to clear the values.");
}

} // namespace

GridEditor::GridEditor(MatrixState &matrix, QObject *parent)
    : QObject(parent), m_matrix(matrix), m_stack(new QUndoStack(this))
{
    m_stack->setUndoLimit(UndoLimit);
}

void GridEditor::edit(const QString &stepName, const std::function<void()> &change, bool allBoxes)
{
    endStroke(); // a key pressed during a drag ends it first
    apply(stepName, change, allBoxes, 0);
}

void GridEditor::apply(const QString &stepName, const std::function<void()> &change, bool allBoxes, int stroke)
{
    const MatrixState::Snapshot before = m_matrix.snapshot();
    change();
    const bool changedAny = m_matrix.snapshot() != before;
    if (changedAny)
        m_stack->push(new GridStep(stepName, m_set.current(), before, m_matrix.snapshot(), stroke,
                                   [this](int glyph, const MatrixState::Snapshot &state) { show(glyph, state); }));
    if (changedAny || allBoxes)
        emit changed(before, allBoxes);
    if (before.cells != m_matrix.picture()) {
        m_set.setPicture(m_set.current(), m_matrix.picture());
        emit glyphChanged(m_set.current());
    }
}

void GridEditor::show(int glyph, const MatrixState::Snapshot &state)
{
    // A step taken on another glyph is taken back on it.
    chooseGlyph(glyph);
    const MatrixState::Snapshot before = m_matrix.snapshot();
    m_matrix.restore(state);
    emit changed(before, false);
    if (before.cells != state.cells) {
        m_set.setPicture(glyph, state.cells);
        emit glyphChanged(glyph);
    }
}

void GridEditor::chooseGlyph(int index)
{
    if (index == m_set.current() || index < 0 || index >= m_set.count())
        return;
    endStroke();
    const MatrixState::Snapshot before = m_matrix.snapshot();
    m_set.setCurrent(index);
    m_matrix.setPicture(m_set.currentGlyph().picture);
    emit changed(before, true);
    emit currentGlyphChanged(index);
}

void GridEditor::editSet(const QString &stepName, const std::function<void(GlyphSet &)> &change)
{
    endStroke();
    GlyphSet after = m_set;
    change(after);
    if (after != m_set)
        m_stack->push(new SetStep(stepName, m_set, after, [this](const GlyphSet &set) { showSet(set); }));
}

void GridEditor::showSet(const GlyphSet &set)
{
    const MatrixState::Snapshot before = m_matrix.snapshot();
    m_set = set;
    // The grid keeps its values, out of step or not, while it shows the same picture.
    const bool reload = m_matrix.picture() != m_set.currentGlyph().picture;
    if (reload)
        m_matrix.setPicture(m_set.currentGlyph().picture);
    emit changed(before, reload);
    emit setChanged();
}

void GridEditor::newGlyph()
{
    editSet(tr("New glyph"), [](GlyphSet &set) {
        set.insert(set.current() + 1, Glyph());
        set.setCurrent(set.current() + 1);
    });
}

void GridEditor::duplicateGlyph()
{
    editSet(tr("Duplicate"), [](GlyphSet &set) {
        set.insert(set.current() + 1, set.currentGlyph());
        set.setCurrent(set.current() + 1);
    });
}

void GridEditor::deleteGlyph()
{
    editSet(tr("Delete"), [](GlyphSet &set) { set.remove(set.current()); });
}

void GridEditor::moveGlyph(int from, int to)
{
    if (from < 0 || to < 0 || from >= m_set.count() || to >= m_set.count())
        return;
    editSet(tr("Move"), [&](GlyphSet &set) {
        set.move(from, to);
        set.setCurrent(to);
    });
}

void GridEditor::renameGlyph(int index, const QString &name)
{
    if (index >= 0 && index < m_set.count())
        editSet(tr("Rename"), [&](GlyphSet &set) { set.rename(index, name); });
}

void GridEditor::setLayout(const GlyphLayout &layout)
{
    editSet(tr("Layout"), [&](GlyphSet &set) { set.setLayout(layout); });
}

void GridEditor::pasteGlyphs(const std::vector<Glyph> &glyphs, const GlyphLayout &layout)
{
    if (glyphs.empty())
        return;
    editSet(tr("Paste glyphs"), [&](GlyphSet &set) {
        const bool replace = set.count() == 1 && set.glyph(0) == Glyph();
        if (replace) {
            set = GlyphSet(glyphs, layout);
            return;
        }
        const int at = set.current() + 1;
        for (std::size_t i = 0; i < glyphs.size(); ++i)
            set.insert(at + int(i), glyphs[i]);
        set.setCurrent(at);
    });
}

void GridEditor::replaceSet(const GlyphSet &set)
{
    endStroke();
    m_stack->clear();
    showSet(set);
}

void GridEditor::toggleCell(int row, int col)
{
    auto result = MatrixState::ToggleResult::Done;
    edit(tr("Click"), [&] { result = m_matrix.toggleCell(row, col); });
    if (result == MatrixState::ToggleResult::OutOfRange)
        emit refused(outOfRange());
}

void GridEditor::enterColumn(int col, const QString &text)
{
    edit(tr("Column entry"), [&] { m_matrix.enterColumn(col, text); });
}

QString GridEditor::stepName(MatrixState::Transform transform)
{
    static const char *const names[MatrixState::TransformCount] = {
        QT_TR_NOOP("Shift up"), QT_TR_NOOP("Shift down"), QT_TR_NOOP("Shift left"),
        QT_TR_NOOP("Shift right"), QT_TR_NOOP("Mirror"), QT_TR_NOOP("Flip"),
        QT_TR_NOOP("Rotate"), QT_TR_NOOP("Rotate"), QT_TR_NOOP("Invert")};
    return tr(names[static_cast<int>(transform)]);
}

void GridEditor::transform(MatrixState::Transform transform, bool fiveBySeven)
{
    if (!MatrixState::canTransform(transform, fiveBySeven))
        return;
    // The values are those of the new picture, as Reset and clicks would
    // show them: no typed text is left standing in a top box.
    edit(stepName(transform), [&] { m_matrix.transform(transform, fiveBySeven); }, true);
}

void GridEditor::pasteValues(MatrixState::Edge edge, const QString &text, bool fiveBySeven)
{
    const ListingReader::Result read = ListingReader::read(text, SizeMode::valueCount(edge, fiveBySeven));
    if (!read.ok()) {
        emit refused(PasteRefusal::unread(read, edge, fiveBySeven));
        return;
    }
    std::array<int, MatrixState::Size> values{};
    std::copy(read.values.begin(), read.values.end(), values.begin());
    // Tried on a copy first, so that a refusal is no step.
    MatrixState trial = m_matrix;
    int at = 0;
    if (trial.setEdgeValues(edge, values, fiveBySeven, &at) == MatrixState::EdgeResult::NeedsHiddenCell) {
        emit refused(PasteRefusal::needsHiddenCell(edge, at, values[at]));
        return;
    }
    // Every box shows its value, as after Reset, a top box's typed text included.
    edit(tr("Paste"), [&] { m_matrix.restore(trial.snapshot()); }, true);
}

void GridEditor::reset()
{
    // Every box shows "0" again, a top box's typed text included.
    edit(tr("Reset"), [this] { m_matrix.reset(); }, true);
}

void GridEditor::undo()
{
    endStroke();
    m_stack->undo();
}

void GridEditor::redo()
{
    endStroke();
    m_stack->redo();
}

void GridEditor::beginStroke(int row, int col)
{
    endStroke();
    auto result = MatrixState::ToggleResult::Done;
    apply(tr("Click"), [&] { result = m_matrix.toggleCell(row, col); }, false, m_strokes + 1);
    if (result == MatrixState::ToggleResult::OutOfRange) {
        emit refused(outOfRange());
        return;
    }
    m_stroke = {++m_strokes, m_matrix.isOn(row, col), false};
}

void GridEditor::continueStroke(int row, int col)
{
    if (!m_stroke.id || m_matrix.isOn(row, col) == m_stroke.on)
        return;
    // Refused cells are left as they are and told of once the stroke ends.
    apply(tr("Draw"), [&] {
        m_stroke.refused |= m_matrix.toggleCell(row, col) == MatrixState::ToggleResult::OutOfRange;
    }, false, m_stroke.id);
}

void GridEditor::endStroke()
{
    if (!m_stroke.id)
        return;
    const bool refusedSome = m_stroke.refused;
    m_stroke = {};
    if (refusedSome)
        emit refused(tr("Some cells would take an edge value out of range (-32768 to 32767), so they were left as "
                        "they were.\nPress Reset to clear the values."));
}
