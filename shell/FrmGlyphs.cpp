#include "FrmGlyphs.h"

#include "GlyphDocument.h"
#include "GlyphListModel.h"
#include "GlyphListView.h"
#include "GridEditor.h"
#include "StandardKeys.h"
#include "LayoutPicker.h"
#include "MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QUndoStack>
#include <QVBoxLayout>

FrmGlyphs::FrmGlyphs(GridEditor *editor, GlyphDocument *document, QWidget *parent)
    : QMainWindow(parent), m_editor(editor), m_document(document), m_model(new GlyphListModel(editor, this)),
      m_list(new GlyphListView), m_layout(new LayoutPicker)
{
    setObjectName(QStringLiteral("frmGlyphs"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(520, 380);

    auto *central = new QWidget;
    auto *column = new QVBoxLayout(central);
    auto *layoutLabel = new QLabel(tr("&Layout:"));
    layoutLabel->setBuddy(m_layout);
    column->addWidget(layoutLabel);
    column->addWidget(m_layout);
    column->addWidget(m_list, 1);
    setCentralWidget(central);
    m_list->setModel(m_model);
    m_layout->setLayout(editor->set().layout());

    const auto add = [this](QMenu *menu, const QString &text, const QList<QKeySequence> &shortcuts, auto slot) {
        QAction *a = menu->addAction(text);
        a->setShortcuts(shortcuts);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    constexpr auto Ctrl = Qt::ControlModifier;
    QMenu *set = menuBar()->addMenu(tr("&Set"));
    add(set, tr("&New set"), standardKeys(QKeySequence::New), [this] { m_document->newSet(this); });
    add(set, tr("&Open..."), standardKeys(QKeySequence::Open), [this] { m_document->open(this); });
    add(set, tr("&Save"), standardKeys(QKeySequence::Save), [this] { m_document->save(this); });
    add(set, tr("Save &as..."), standardKeys(QKeySequence::SaveAs, {QKeyCombination(Ctrl | Qt::ShiftModifier, Qt::Key_S)}),
        [this] { m_document->saveAs(this); });
    set->addSeparator();
    add(set, tr("&Close"), standardKeys(QKeySequence::Close), [this] { close(); });

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    QAction *undo = editor->undoStack()->createUndoAction(this, tr("&Undo"));
    undo->setShortcuts(standardKeys(QKeySequence::Undo, {QKeyCombination(Ctrl, Qt::Key_Z)}));
    QAction *redo = editor->undoStack()->createRedoAction(this, tr("R&edo"));
    redo->setShortcuts(standardKeys(QKeySequence::Redo, {QKeyCombination(Ctrl, Qt::Key_Y),
                                                 QKeyCombination(Ctrl | Qt::ShiftModifier, Qt::Key_Z)}));
    edit->addActions({undo, redo});
    edit->addSeparator();
    add(edit, tr("&Copy set"), standardKeys(QKeySequence::Copy), &FrmGlyphs::copySet);
    add(edit, tr("&Paste glyphs"), standardKeys(QKeySequence::Paste), &FrmGlyphs::pasteGlyphs);

    QMenu *glyph = menuBar()->addMenu(tr("&Glyph"));
    add(glyph, tr("&New glyph"), {QKeySequence(Qt::Key_Insert)}, [this] { m_editor->newGlyph(); });
    add(glyph, tr("&Duplicate"), {QKeySequence(Ctrl | Qt::Key_D)}, [this] { m_editor->duplicateGlyph(); });
    add(glyph, tr("De&lete"), standardKeys(QKeySequence::Delete), [this] { m_editor->deleteGlyph(); });
    glyph->addSeparator();
    add(glyph, tr("Move &earlier"), {QKeySequence(Qt::AltModifier | Qt::Key_Left)}, [this] {
        m_editor->moveGlyph(m_editor->set().current(), m_editor->set().current() - 1);
    });
    add(glyph, tr("Move la&ter"), {QKeySequence(Qt::AltModifier | Qt::Key_Right)}, [this] {
        m_editor->moveGlyph(m_editor->set().current(), m_editor->set().current() + 1);
    });
    add(glyph, tr("&Rename"), {QKeySequence(Qt::Key_F2)}, &FrmGlyphs::rename);
    for (QAction *a : findChildren<QAction *>())
        a->setShortcutVisibleInContextMenu(true);

    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) { m_editor->chooseGlyph(index.row()); });
    connect(m_list, &GlyphListView::moveRequested, m_editor, &GridEditor::moveGlyph);
    connect(m_layout, &LayoutPicker::layoutChanged, m_editor, &GridEditor::setLayout);
    connect(m_editor, &GridEditor::setChanged, this, [this] {
        m_layout->setLayout(m_editor->set().layout());
        showCurrent();
    });
    connect(m_editor, &GridEditor::currentGlyphChanged, this, &FrmGlyphs::showCurrent);
    connect(m_document, &GlyphDocument::stateChanged, this, &FrmGlyphs::showTitle);
    showTitle();
    showCurrent();
}

void FrmGlyphs::showTitle()
{
    QString title = tr("Glyphs");
    if (!m_document->fileName().isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_document->fileName()).fileName();
    if (m_document->isModified())
        title += QLatin1Char('*');
    setWindowTitle(title);
}

void FrmGlyphs::showCurrent()
{
    const QModelIndex current = m_model->index(m_editor->set().current());
    if (m_list->currentIndex() != current) {
        const QSignalBlocker quiet(m_list->selectionModel());
        m_list->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        m_list->update();
    }
    m_list->scrollTo(current);
}

void FrmGlyphs::copySet()
{
    QString refusal;
    const QByteArray text = m_document->text(m_document->fileName(), &refusal);
    if (text.isEmpty())
        MessageBox::show(this, refusal);
    else
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
}

void FrmGlyphs::pasteGlyphs()
{
    m_document->pasteText(QGuiApplication::clipboard()->text(), this);
}

void FrmGlyphs::rename()
{
    m_list->edit(m_list->currentIndex());
}
