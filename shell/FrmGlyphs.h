#pragma once

#include <QMainWindow>

class GlyphDocument;
class GlyphListModel;
class GlyphListView;
class GridEditor;
class LayoutPicker;

// The Glyphs window: not modal, one at a time, built when first opened. It
// shows every glyph of the set as a small picture with its number and name,
// the current one selected, and follows every grid edit at once. Its menu bar
// holds every action on the set with its key. Closing it loses nothing: the
// set stays with the main window, whose close asks for unsaved changes.
class FrmGlyphs : public QMainWindow
{
    Q_OBJECT

public:
    FrmGlyphs(GridEditor *editor, GlyphDocument *document, QWidget *parent = nullptr);

    GlyphListView *list() const { return m_list; }

    void copySet();
    void pasteGlyphs();
    void rename();

private:
    void showTitle();
    void showCurrent();

    GridEditor *m_editor;
    GlyphDocument *m_document;
    GlyphListModel *m_model;
    GlyphListView *m_list;
    LayoutPicker *m_layout;
};
