#pragma once

#include "matrix/GlyphLayout.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class GridEditor;
class QWidget;

// The set of glyphs as a document: the file it was opened from or saved to,
// whether it has unsaved changes, and the questions and messages of New set,
// Open, Save and Save as. The file is a C header (GlyphSetFile); a set that
// another tool or person wrote is read through the "Read glyphs" dialog and
// stays untitled, so that saving never writes ZENTIL's header over it.
class GlyphDocument : public QObject
{
    Q_OBJECT

public:
    // A file larger than any set's header is refused before it is read.
    static constexpr qint64 LargestFile = 4 * 1024 * 1024;

    GlyphDocument(GridEditor *editor, QObject *parent = nullptr);

    QString fileName() const { return m_fileName; }
    // A set never saved counts as changed once it has more than one glyph, a
    // name or a layout chosen; a saved one once anything changed since.
    bool isModified() const;

    // Each asks to save unsaved changes first, and may be cancelled there;
    // false where nothing was done.
    bool maybeSave(QWidget *parent);
    bool newSet(QWidget *parent);
    bool open(QWidget *parent);
    bool openFile(const QString &path, QWidget *parent);
    bool save(QWidget *parent);
    bool saveAs(QWidget *parent);
    // Save as, once the file is chosen.
    bool saveTo(const QString &path, QWidget *parent);

    // The set's text exactly as Save writes it, or a refusal's message.
    QByteArray text(const QString &fileName, QString *refusal) const;
    // Reads glyphs from any text (the clipboard's), through the dialog where
    // ZENTIL did not write it, and pastes them as one step.
    bool pasteText(const QString &text, QWidget *parent);

signals:
    // The file's name or the unsaved mark changed: the window's title follows.
    void stateChanged();

private:
    // Through the "Read glyphs" dialog; false where the user left it.
    bool readForeign(const QString &text, QWidget *parent, bool paste);
    void setFile(const QString &path, const QByteArray &content);

    GridEditor *m_editor;
    QString m_fileName;
    QByteArray m_diskHash; // of the file's content as ZENTIL last read or wrote it
    GlyphLayout m_lastRead; // where the "Read glyphs" dialog starts: the layout last taken there
};
