#include "FrmMain.h"

#include "CellButton.h"
#include "Clipboard.h"
#include "EdgeBox.h"
#include "FrmAbout.h"
#include "FrmGlyphs.h"
#include "GlyphDocument.h"
#include "GridActions.h"
#include "GridEditor.h"
#include "MessageBox.h"
#include "OneLineList.h"
#include "OutputPane.h"
#include "PanelPaste.h"
#include "placement/PlacementKeeper.h"
#include "Twips.h"
#include "ValueBox.h"
#include "matrix/SizeMode.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDebug>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

FrmMain::FrmMain(QWidget *parent)
    : QWidget(parent), m_editor(new GridEditor(m_matrix, this)),
      m_placement(new WindowPlacement::PlacementKeeper(this))
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
    for (const auto &row : m_ui.cells)
        for (CellButton *cell : row)
            cell->setStrokeListener(m_editor);
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
    connect(m_editor, &GridEditor::changed, this, &FrmMain::showChanges);
    connect(m_editor, &GridEditor::refused, this, [this](const QString &message) { MessageBox::show(this, message); });
    m_actions = new GridActions(
        m_editor, this, [this] { return isFiveBySeven(); }, [this] { showGlyphs(); });

    reset();
}

FrmMain::~FrmMain()
{
    // Before the widgets go: the focus leaving them would ask the actions,
    // and they this window, which is no longer whole by then.
    delete m_actions;
    delete m_about;
    delete m_glyphs;
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
    m_editor->reset();
}

void FrmMain::getformat()
{
    m_notation.getformat(m_ui.prefixList->selectedIndex(), m_ui.delimiterList->selectedIndex());
}

void FrmMain::showChanges(const MatrixState::Snapshot &before, bool allBoxes)
{
    for (int r = 0; r < MatrixState::Size; ++r)
        for (int c = 0; c < MatrixState::Size; ++c)
            if (((before.cells ^ m_matrix.picture()) & MatrixState::bit(r, c)))
                m_ui.cells[r][c]->refresh();
    // Otherwise only the boxes whose values changed: a top box keeps the text
    // typed into it until its value changes, as after a column entry.
    for (int e = 0; e < MatrixState::EdgeCount; ++e)
        for (int i = 0; i < MatrixState::Size; ++i)
            if (allBoxes || before.values[e][i] != m_matrix.value(static_cast<MatrixState::Edge>(e), i))
                setBoxText(static_cast<MatrixState::Edge>(e), i);
}

void FrmMain::toggleCell(int row, int col)
{
    m_editor->toggleCell(row, col);
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
    m_editor->transform(transform, isFiveBySeven());
}

void FrmMain::showGridMenu(const QPoint &globalPos)
{
    m_actions->popup(globalPos);
}

QMenu *FrmMain::gridMenu() const
{
    return m_actions->menu();
}

void FrmMain::enterColumn(int col)
{
    m_editor->enterColumn(col, m_ui.topBoxes[col]->text());
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
    m_actions->update(); // no rotations in 5x7
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

void FrmMain::pasteValues(MatrixState::Edge edge, const QString &text)
{
    m_editor->pasteValues(edge, text, isFiveBySeven());
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

namespace {

// Brought back whatever its state: show() leaves a minimised window so, and
// without a task bar it could not be reached at all.
void bringBack(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void FrmMain::showAbout()
{
    if (!m_about) {
        m_about = new FrmAbout();
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    bringBack(m_about);
}

void FrmMain::exitProgram()
{
    // Ends at once, once unsaved glyphs are saved or given up: no window gets
    // a close event, so no placement is saved.
    if (m_document && !m_document->maybeSave(this))
        return;
    QCoreApplication::exit(0);
}

GlyphDocument *FrmMain::makeDocument()
{
    if (!m_document)
        m_document = new GlyphDocument(m_editor, this);
    return m_document;
}

void FrmMain::showGlyphs()
{
    if (!m_glyphs)
        m_glyphs = new FrmGlyphs(m_editor, makeDocument());
    bringBack(m_glyphs);
}

bool FrmMain::openSet(const QString &path)
{
    if (!makeDocument()->openFile(path, this))
        return false;
    showGlyphs();
    return true;
}

FrmGlyphs *FrmMain::glyphs() const
{
    return m_glyphs;
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (m_document && !m_document->maybeSave(this)) {
        event->ignore();
        return;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w != this && w->isWindow())
            w->close();
    delete m_about;
    delete m_glyphs;
    if (!isMinimized())
        tellPlacementProblem(m_placement->save(), true);
    event->accept();
}

void FrmMain::contextMenuEvent(QContextMenuEvent *event)
{
    // From a cell or a frame of the grid, which leave it to the window.
    QWidget *from = event->reason() == QContextMenuEvent::Mouse ? childAt(event->pos()) : focusWidget();
    if (qobject_cast<CellButton *>(from) || from == m_ui.gridRight || from == m_ui.gridBottom)
        showGridMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                 : from->mapToGlobal(from->rect().center()));
    else
        QWidget::contextMenuEvent(event);
}

void FrmMain::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_editor->endStroke();
    QWidget::mouseReleaseEvent(event);
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
