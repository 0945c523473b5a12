#include "FrmMain.h"

#include "CellButton.h"
#include "Clipboard.h"
#include "EdgeBox.h"
#include "FrmAbout.h"
#include "MessageBox.h"
#include "OneLineList.h"
#include "OutputPane.h"
#include "PlacementKeeper.h"
#include "Twips.h"
#include "ValueBox.h"
#include "matrix/SizeMode.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDebug>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

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
    if (!m_history.canUndo())
        return;
    const MatrixState::Snapshot before = m_matrix.snapshot();
    m_matrix.restore(m_history.undo());
    showChanges(before);
}

void FrmMain::redo()
{
    if (!m_history.canRedo())
        return;
    const MatrixState::Snapshot before = m_matrix.snapshot();
    m_matrix.restore(m_history.redo());
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
        if (!isVisible())
            return;
        if (written)
            MessageBox::show(this, QStringLiteral("Cliboard now has the text")); // the design's own spelling
        else
            MessageBox::show(this, tr("The clipboard could not be written; it does not hold the text."));
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

static bool isTextBox(const QObject *o)
{
    return qobject_cast<const QLineEdit *>(o) || qobject_cast<const QPlainTextEdit *>(o);
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        // A text box keeps every key, even one it then passes on to the window.
        if (isTextBox(watched) || isTextBox(QApplication::focusWidget()))
            return false;
        return gridKey(static_cast<QKeyEvent *>(event));
    }
    return false;
}

bool FrmMain::gridKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    const bool ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Z:
        if (ctrl)
            undo();
        else if (ctrlShift)
            redo();
        else
            return false;
        return true;
    case Qt::Key_Y:
        if (!ctrl)
            return false;
        redo();
        return true;
    default:
        return false;
    }
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
