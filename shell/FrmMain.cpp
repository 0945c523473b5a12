#include "FrmMain.h"

#include "CellButton.h"
#include "Clipboard.h"
#include "EdgeBox.h"
#include "FrmAbout.h"
#include "MessageBox.h"
#include "OneLineList.h"
#include "OutputPane.h"
#include "PanelPaste.h"
#include "PlacementKeeper.h"
#include "Twips.h"
#include "ValueBox.h"
#include "matrix/SizeMode.h"
#include "output/ListingReader.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDebug>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The transforms as the menu and the keys offer them, in the order of the
// model's enum.
struct TransformEntry
{
    const char *step; // "Undo " + step in the menu
    const char *item;
    QKeyCombination key;
};
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
const TransformEntry Transforms[MatrixState::TransformCount] = {
    {QT_TRANSLATE_NOOP("FrmMain", "Shift up"), QT_TRANSLATE_NOOP("FrmMain", "Shift u&p"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_Up)},
    {QT_TRANSLATE_NOOP("FrmMain", "Shift down"), QT_TRANSLATE_NOOP("FrmMain", "Shift &down"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_Down)},
    {QT_TRANSLATE_NOOP("FrmMain", "Shift left"), QT_TRANSLATE_NOOP("FrmMain", "Shift &left"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_Left)},
    {QT_TRANSLATE_NOOP("FrmMain", "Shift right"), QT_TRANSLATE_NOOP("FrmMain", "Shift &right"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_Right)},
    {QT_TRANSLATE_NOOP("FrmMain", "Mirror"), QT_TRANSLATE_NOOP("FrmMain", "&Mirror left to right"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_M)},
    {QT_TRANSLATE_NOOP("FrmMain", "Flip"), QT_TRANSLATE_NOOP("FrmMain", "&Flip top to bottom"),
     QKeyCombination(CtrlShift, Qt::Key_M)},
    {QT_TRANSLATE_NOOP("FrmMain", "Rotate"), QT_TRANSLATE_NOOP("FrmMain", "Rotate &clockwise"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_T)},
    {QT_TRANSLATE_NOOP("FrmMain", "Rotate"), QT_TRANSLATE_NOOP("FrmMain", "Rotate &anticlockwise"),
     QKeyCombination(CtrlShift, Qt::Key_T)},
    {QT_TRANSLATE_NOOP("FrmMain", "Invert"), QT_TRANSLATE_NOOP("FrmMain", "&Invert"),
     QKeyCombination(Qt::ControlModifier, Qt::Key_I)},
};

bool isTextBox(const QObject *o)
{
    return qobject_cast<const QLineEdit *>(o) || qobject_cast<const QPlainTextEdit *>(o);
}

} // namespace

FrmMain::FrmMain(QWidget *parent) : QWidget(parent), m_placement(new WindowPlacement::PlacementKeeper(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("ZENTIL"));
    // The controls stand at fixed places; never let the window cut them off.
    setMinimumSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    m_ui.setupUi(this, m_matrix);
    m_ui.option8x8->setChecked(true);

    // One connection per row of like controls, onto the operation they share.
    connect(m_ui.cellGroup, &QButtonGroup::idClicked, this,
            [this](int id) { toggleCell(id / MatrixState::Size, id % MatrixState::Size); });
    for (int i = 0; i < MatrixState::Size; ++i)
        connect(m_ui.topBoxes[i], &EdgeBox::doubleClicked, this, [this, i] { enterColumn(i); });
    for (int e = 0; e < MatrixState::EdgeCount; ++e) {
        const auto edge = static_cast<MatrixState::Edge>(e);
        connect(m_ui.panels[e].hide, &QPushButton::clicked, this, [this, edge] { togglePanel(edge); });
        connect(m_ui.panels[e].copy, &QPushButton::clicked, this, [this, edge] { listEdgeSet(edge); });
    }
    for (QRadioButton *option : {m_ui.option8x8, m_ui.option5x7})
        connect(option, &QRadioButton::clicked, this, &FrmMain::applySizeMode);
    connect(m_ui.reset, &QPushButton::clicked, this, &FrmMain::reset);
    connect(m_ui.about, &QPushButton::clicked, this, &FrmMain::showAbout);
    connect(m_ui.copyPane, &QPushButton::clicked, this, &FrmMain::copyPane);
    connect(m_ui.clearPane, &QPushButton::clicked, this, &FrmMain::clearPane);
    connect(m_ui.exit, &QPushButton::clicked, this, &FrmMain::exitProgram);
    new PanelPaste(m_ui, this, [this](MatrixState::Edge edge, const QString &text) { pasteValues(edge, text); });

    reset();
    // The grid's keys act wherever the focus is in this window but in a text
    // box, which keeps its own keys and undo; a filter sees them before the
    // buttons' own arrow-key navigation does.
    qApp->installEventFilter(this);
}

FrmMain::~FrmMain()
{
    delete m_about;
}

void FrmMain::load()
{
    tellPlacementProblem(m_placement->restore(), false);
    m_ui.prefixList->addItems(Notation::prefixEntries());
    m_ui.delimiterList->addItems(Notation::delimiterEntries());
    m_notation = Notation();
}

void FrmMain::reset()
{
    editGrid(tr("Reset"), [this] { m_matrix.reset(); });
    // Every box shows "0" again, a top box's typed text included.
    showAllValues();
}

void FrmMain::showAllValues()
{
    for (int e = 0; e < MatrixState::EdgeCount; ++e)
        for (int i = 0; i < MatrixState::Size; ++i)
            setBoxText(static_cast<MatrixState::Edge>(e), i);
}

void FrmMain::getformat()
{
    m_notation.getformat(m_ui.prefixList->selectedIndex(), m_ui.delimiterList->selectedIndex());
}

void FrmMain::editGrid(const QString &stepName, const std::function<void()> &edit)
{
    endStroke(); // a key pressed during a drag ends it first
    const MatrixState::Snapshot before = m_matrix.snapshot();
    edit();
    const MatrixState::Snapshot after = m_matrix.snapshot();
    if (after == before)
        return;
    m_history.record(stepName, before, after);
    showChanges(before);
}

void FrmMain::undo()
{
    endStroke();
    if (m_history.canUndo())
        showStep(m_history.undo());
}

void FrmMain::redo()
{
    endStroke();
    if (m_history.canRedo())
        showStep(m_history.redo());
}

void FrmMain::showStep(const MatrixState::Snapshot &state)
{
    const MatrixState::Snapshot before = m_matrix.snapshot();
    m_matrix.restore(state);
    showChanges(before);
}

void FrmMain::showChanges(const MatrixState::Snapshot &before)
{
    for (int r = 0; r < MatrixState::Size; ++r)
        for (int c = 0; c < MatrixState::Size; ++c)
            if (before.cells[r][c] != m_matrix.cellColor(r, c))
                m_ui.cells[r][c]->refresh();
    // Only the boxes whose values changed: a top box keeps the text typed into
    // it until its value changes, as after a column entry.
    for (int e = 0; e < MatrixState::EdgeCount; ++e)
        for (int i = 0; i < MatrixState::Size; ++i)
            if (before.values[e][i] != m_matrix.value(static_cast<MatrixState::Edge>(e), i))
                setBoxText(static_cast<MatrixState::Edge>(e), i);
}

void FrmMain::toggleCell(int row, int col)
{
    auto result = MatrixState::ToggleResult::Done;
    editGrid(tr("Click"), [&] { result = m_matrix.toggleCell(row, col); });
    if (result == MatrixState::ToggleResult::OutOfRange)
        MessageBox::show(this, tr("This click would take an edge value out of range (-32768 to 32767), so the cell "
                                  "was left as it was.\nPress Reset to clear the values."));
}

QString FrmMain::boxText(MatrixState::Edge edge, int index) const
{
    return edge == MatrixState::Top ? m_ui.topBoxes[index]->text() : m_ui.valueBoxes[edge][index]->text();
}

void FrmMain::setBoxText(MatrixState::Edge edge, int index)
{
    const QString text = m_matrix.valueText(edge, index);
    if (edge == MatrixState::Top)
        m_ui.topBoxes[index]->setText(text);
    else
        m_ui.valueBoxes[edge][index]->setText(text);
}

void FrmMain::transform(MatrixState::Transform transform)
{
    const bool fiveBySeven = isFiveBySeven();
    if (!MatrixState::canTransform(transform, fiveBySeven))
        return;
    editGrid(tr(Transforms[static_cast<int>(transform)].step), [&] { m_matrix.transform(transform, fiveBySeven); });
    // The values are those of the new picture, as Reset and clicks would
    // show them: no typed text is left standing in a top box.
    showAllValues();
}

void FrmMain::showGridMenu(const QPoint &globalPos)
{
    endStroke();
    if (!m_gridMenu) {
        m_gridMenu = new QMenu(this);
        m_gridMenu->setAccessibleName(tr("Grid"));
        const auto add = [this](const QString &text, const QList<QKeySequence> &keys) {
            QAction *action = m_gridMenu->addAction(text);
            // The keys are shown beside the items; the window's key filter
            // acts on them, so that a text box keeps its own.
            action->setShortcuts(keys);
            action->setShortcutContext(Qt::WidgetShortcut);
            action->setShortcutVisibleInContextMenu(true);
            return action;
        };
        m_undoAction = add(QString(), {QKeySequence(Qt::ControlModifier | Qt::Key_Z)});
        m_redoAction = add(QString(), {QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                                       QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
        connect(m_undoAction, &QAction::triggered, this, &FrmMain::undo);
        connect(m_redoAction, &QAction::triggered, this, &FrmMain::redo);
        m_gridMenu->addSeparator();
        for (int t = 0; t < MatrixState::TransformCount; ++t) {
            if (t == static_cast<int>(MatrixState::Transform::Mirror) ||
                t == static_cast<int>(MatrixState::Transform::RotateClockwise) ||
                t == static_cast<int>(MatrixState::Transform::Invert))
                m_gridMenu->addSeparator();
            m_transformActions[t] = add(tr(Transforms[t].item), {QKeySequence(Transforms[t].key)});
            connect(m_transformActions[t], &QAction::triggered, this,
                    [this, t] { transform(static_cast<MatrixState::Transform>(t)); });
        }
    }
    m_undoAction->setText(m_history.canUndo() ? tr("&Undo %1").arg(m_history.undoName()) : tr("&Undo"));
    m_undoAction->setEnabled(m_history.canUndo());
    m_redoAction->setText(m_history.canRedo() ? tr("R&edo %1").arg(m_history.redoName()) : tr("R&edo"));
    m_redoAction->setEnabled(m_history.canRedo());
    for (int t = 0; t < MatrixState::TransformCount; ++t)
        m_transformActions[t]->setEnabled(
            MatrixState::canTransform(static_cast<MatrixState::Transform>(t), isFiveBySeven()));
    m_gridMenu->popup(globalPos);
}

void FrmMain::enterColumn(int col)
{
    const QString text = m_ui.topBoxes[col]->text();
    editGrid(tr("Column entry"), [&] { m_matrix.enterColumn(col, text); });
}

bool FrmMain::isFiveBySeven() const
{
    return m_ui.option5x7->isChecked();
}

void FrmMain::applySizeMode()
{
    const bool visible = !isFiveBySeven();
    for (QWidget *w : m_ui.outsideFiveBySeven())
        w->setVisible(visible);
}

void FrmMain::togglePanel(MatrixState::Edge edge)
{
    const MainForm::Panel &panel = m_ui.panels[edge];
    const bool nowVisible = panel.frame->isHidden();
    panel.frame->setVisible(nowVisible);
    panel.hide->setText(MainForm::hideCaption(nowVisible));
    panel.hide->setAccessibleName(MainForm::hideName(edge, nowVisible));
}

void FrmMain::listEdgeSet(MatrixState::Edge edge)
{
    getformat();
    QStringList values;
    for (int i = 0; i < MatrixState::Size; ++i)
        values << boxText(edge, i);
    m_ui.pane->appendListing(m_notation.line(values, SizeMode::valueCount(edge, isFiveBySeven())));
}

namespace {

QString panelName(MatrixState::Edge edge)
{
    static const char *const names[MatrixState::EdgeCount] = {
        QT_TRANSLATE_NOOP("FrmMain", "left"), QT_TRANSLATE_NOOP("FrmMain", "right"),
        QT_TRANSLATE_NOOP("FrmMain", "top"), QT_TRANSLATE_NOOP("FrmMain", "bottom")};
    return QCoreApplication::translate("FrmMain", names[edge]);
}

// What was found, and what the panel wanted instead.
QString refusal(const ListingReader::Result &read, MatrixState::Edge edge, int count)
{
    using P = ListingReader::Result::Problem;
    const QString wanted =
        FrmMain::tr("The %1 panel takes %2 values, in hex from 0 to FF.").arg(panelName(edge)).arg(count);
    QString found;
    switch (read.problem) {
    case P::Count:
        found = read.found == 0   ? FrmMain::tr("No values were found in the text.")
                : read.found == 1 ? FrmMain::tr("The text holds one value.")
                                  : FrmMain::tr("The text holds %1 values.").arg(read.found);
        break;
    case P::OverFF:
        found = FrmMain::tr("\"%1\" is more than FF.").arg(read.token);
        break;
    case P::NotValues:
        found = FrmMain::tr("\"%1\" is not a value in hex.").arg(read.token);
        break;
    case P::Ambiguous:
        found = FrmMain::tr("\"%1\" has nothing between its values, and its %2 digits do not make %3 values of "
                            "one width; a prefix or a delimiter would tell them apart.")
                    .arg(read.token)
                    .arg(read.token.size())
                    .arg(count);
        break;
    case P::TooLong:
        found = FrmMain::tr("The text is %1 characters long, far more than any listing of them.").arg(read.found);
        break;
    case P::None:
        break;
    }
    return found + QLatin1Char(' ') + wanted + QLatin1Char('\n') + FrmMain::tr("Nothing was pasted.");
}

} // namespace

void FrmMain::pasteValues(MatrixState::Edge edge, const QString &text)
{
    const bool five = isFiveBySeven();
    const int count = SizeMode::valueCount(edge, five);
    const ListingReader::Result read = ListingReader::read(text, count);
    if (!read.ok()) {
        MessageBox::show(this, refusal(read, edge, count));
        return;
    }
    std::array<int, MatrixState::Size> values{};
    std::copy(read.values.begin(), read.values.end(), values.begin());
    // Tried on a copy first, so that a refusal is no step of the grid's.
    MatrixState trial = m_matrix;
    if (trial.setEdgeValues(edge, values, five) == MatrixState::EdgeResult::NeedsHiddenCell) {
        int i = 0; // the first value at fault, alone
        for (std::array<int, MatrixState::Size> one{}; i < count; one[i++] = 0) {
            one[i] = values[i];
            if (MatrixState().setEdgeValues(edge, one, five) == MatrixState::EdgeResult::NeedsHiddenCell)
                break;
        }
        MessageBox::show(this, tr("Value %1, %2, would need cells outside the 5x7 area. In 5x7 the %3 panel takes "
                                  "%4 values that use only the cells shown.\nNothing was pasted.")
                                   .arg(i + 1)
                                   .arg(MatrixState::edgeValueText(std::int16_t(values[i])), panelName(edge))
                                   .arg(count));
        return;
    }
    editGrid(tr("Paste"), [&] { m_matrix.setEdgeValues(edge, values, five); });
    // Every box shows its value, as after Reset, a top box's typed text included.
    showAllValues();
}

void FrmMain::copyPane()
{
    // The answer comes a moment later, with the window in use meanwhile: a
    // second press before it starts no second copy, and a window closed by
    // then is not told.
    if (m_copying)
        return;
    m_copying = true;
    Clipboard::write(m_ui.pane->paneText(), this, [this](bool written) {
        m_copying = false;
        // A box opened meanwhile (Clear's question) is answered first; the
        // clipboard holds the text whatever the answer, so it is told then.
        MessageBox::whenNoneOpen(this, [this, written] {
            if (!isVisible())
                return;
            if (written)
                MessageBox::show(this, QStringLiteral("Cliboard now has the text")); // the design's own spelling
            else
                MessageBox::show(this, tr("The clipboard could not be written; it does not hold the text."));
        });
    });
}

void FrmMain::clearPane()
{
    if (MessageBox::show(this, QStringLiteral("Are you sure?"), QStringLiteral("Clear"), MessageBox::YesNo,
                         MessageBox::Yes) == MessageBox::Yes)
        m_ui.pane->clear();
}

void FrmMain::showAbout()
{
    if (!m_about) {
        m_about = new FrmAbout();
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Brought back whatever its state: show() leaves a minimised window so,
    // and without a task bar it could not be reached at all.
    m_about->setWindowState(m_about->windowState() & ~Qt::WindowMinimized);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void FrmMain::exitProgram()
{
    // Ends at once: no window gets a close event, so no placement is saved.
    QCoreApplication::exit(0);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w != this && w->isWindow())
            w->close();
    delete m_about;
    if (!isMinimized())
        tellPlacementProblem(m_placement->save(), true);
    event->accept();
}

CellButton *FrmMain::gridCell(QObject *o) const
{
    auto *cell = qobject_cast<CellButton *>(o);
    return cell && m_ui.cells[cell->row()][cell->col()] == cell ? cell : nullptr;
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
            return false;
        // A text box keeps every key, even one it then passes on to the window.
        if (isTextBox(watched) || isTextBox(QApplication::focusWidget()))
            return false;
        return gridKey(watched, static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return gridMouse(watched, static_cast<QMouseEvent *>(event));
    case QEvent::ContextMenu:
        if (gridCell(watched) || watched == m_ui.gridRight || watched == m_ui.gridBottom) {
            auto *menuEvent = static_cast<QContextMenuEvent *>(event);
            auto *widget = static_cast<QWidget *>(watched);
            showGridMenu(menuEvent->reason() == QContextMenuEvent::Mouse
                             ? menuEvent->globalPos()
                             : widget->mapToGlobal(widget->rect().center()));
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool FrmMain::gridMouse(QObject *watched, QMouseEvent *event)
{
    CellButton *cell = gridCell(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // a quick second press toggles again
        if (!cell || event->button() != Qt::LeftButton)
            return false;
        beginStroke(cell->row(), cell->col());
        return true;
    case QEvent::MouseMove:
        if (!m_stroke.active)
            return false;
        // The pressed cell holds the mouse, so the pointer's place, not the
        // receiver, says which cell it is over.
        if (event->buttons() & Qt::LeftButton)
            continueStroke(event->globalPosition().toPoint());
        else
            endStroke();
        return cell != nullptr;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::LeftButton)
            endStroke();
        return cell != nullptr && event->button() == Qt::LeftButton;
    default:
        return false;
    }
}

void FrmMain::beginStroke(int row, int col)
{
    endStroke();
    const MatrixState::Snapshot before = m_matrix.snapshot();
    if (m_matrix.toggleCell(row, col) == MatrixState::ToggleResult::OutOfRange) {
        MessageBox::show(this, tr("This click would take an edge value out of range (-32768 to 32767), so the cell "
                                  "was left as it was.\nPress Reset to clear the values."));
        return;
    }
    showChanges(before);
    m_stroke = {true, m_matrix.isOn(row, col), false, 1, before};
}

void FrmMain::continueStroke(const QPoint &globalPos)
{
    const CellButton *cell = gridCell(childAt(mapFromGlobal(globalPos)));
    if (!cell || m_matrix.isOn(cell->row(), cell->col()) == m_stroke.on)
        return;
    const MatrixState::Snapshot before = m_matrix.snapshot();
    // Refused cells are left as they are and told of once the stroke ends.
    if (m_matrix.toggleCell(cell->row(), cell->col()) == MatrixState::ToggleResult::OutOfRange) {
        m_stroke.refused = true;
        return;
    }
    ++m_stroke.cells;
    showChanges(before);
}

void FrmMain::endStroke()
{
    if (!m_stroke.active)
        return;
    m_stroke.active = false;
    m_history.record(m_stroke.cells > 1 ? tr("Draw") : tr("Click"), m_stroke.before, m_matrix.snapshot());
    if (m_stroke.refused)
        MessageBox::show(this, tr("Some cells would take an edge value out of range (-32768 to 32767), so they "
                                  "were left as they were.\nPress Reset to clear the values."));
}

bool FrmMain::gridKey(QObject *watched, QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const QKeyCombination key(mods, Qt::Key(event->key()));
    for (int t = 0; t < MatrixState::TransformCount; ++t)
        if (key == Transforms[t].key) {
            transform(static_cast<MatrixState::Transform>(t));
            return true;
        }
    if (key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)) {
        undo();
        return true;
    }
    if (key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) || key == QKeyCombination(CtrlShift, Qt::Key_Z)) {
        redo();
        return true;
    }
    const CellButton *cell = gridCell(watched);
    if (!cell)
        return false;
    if (key == QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)) {
        showGridMenu(cell->mapToGlobal(cell->rect().center()));
        return true;
    }
    // The arrows walk the visible cells and stop at the edge, rather than
    // leaving the grid for another button.
    int row = cell->row(), col = cell->col();
    switch (key.key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    default:
        return false;
    }
    if (row >= 0 && row < MatrixState::Size && col >= 0 && col < MatrixState::Size &&
        m_ui.cells[row][col]->isVisibleTo(this))
        m_ui.cells[row][col]->setFocus(Qt::OtherFocusReason);
    return true;
}

// The user is told where they would look: on standard error, by Qt's own
// handler of warnings; a Windows program has none (the warning goes to a
// debugger), so a box says it there as well.
void FrmMain::tellPlacementProblem(const WindowPlacement::StoreProblem &problem, bool saving)
{
    if (!problem)
        return;
    const QString where = m_placement->location();
    const QString text =
        saving ? QStringLiteral("the window placement could not be saved to %1: %2").arg(where, problem.text())
               : QStringLiteral("the window placement was not read from %1, so the window opens at its default "
                                "place: %2")
                     .arg(where, problem.text());
    qWarning().noquote() << QStringLiteral("ZENTIL: ") + text;
#ifdef Q_OS_WIN
    QMessageBox::warning(nullptr, QStringLiteral("ZENTIL"), text.left(1).toUpper() + text.mid(1));
#endif
}

FrmAbout *FrmMain::about() const
{
    return m_about;
}
