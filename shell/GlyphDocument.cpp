#include "GlyphDocument.h"

#include "GridEditor.h"
#include "MessageBox.h"
#include "ReadGlyphsDialog.h"
#include "output/GlyphSetFile.h"
#include "output/SetReader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUndoStack>

namespace {

QByteArray hashOf(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

const char *const FileFilter = QT_TRANSLATE_NOOP("GlyphDocument", "C headers (*.h *.hpp *.hh);;All files (*)");

} // namespace

GlyphDocument::GlyphDocument(GridEditor *editor, QObject *parent) : QObject(parent), m_editor(editor)
{
    connect(editor->undoStack(), &QUndoStack::cleanChanged, this, &GlyphDocument::stateChanged);
    connect(editor, &GridEditor::setChanged, this, &GlyphDocument::stateChanged);
}

bool GlyphDocument::isModified() const
{
    return m_fileName.isEmpty() ? !m_editor->set().isPristine() : !m_editor->undoStack()->isClean();
}

bool GlyphDocument::maybeSave(QWidget *parent)
{
    if (!isModified())
        return true;
    switch (MessageBox::show(parent, tr("Save changes to the glyph set?"), QString(), MessageBox::SaveDiscardCancel)) {
    case MessageBox::Save:
        return save(parent);
    case MessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool GlyphDocument::newSet(QWidget *parent)
{
    if (!maybeSave(parent))
        return false;
    m_editor->replaceSet(GlyphSet());
    setFile(QString(), QByteArray());
    return true;
}

bool GlyphDocument::open(QWidget *parent)
{
    if (!maybeSave(parent))
        return false;
    const QString path = QFileDialog::getOpenFileName(parent, tr("Open glyph set"), QFileInfo(m_fileName).path(),
                                                      tr(FileFilter));
    return !path.isEmpty() && openFile(path, parent);
}

bool GlyphDocument::openFile(const QString &path, QWidget *parent)
{
    const auto refuse = [&](const QString &why) {
        MessageBox::show(parent, tr("The glyph set was not opened from %1: %2").arg(shown(path), why));
        return false;
    };
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(tr("there is no such file."));
    if (!info.isFile())
        return refuse(tr("it is not a file."));
    if (info.size() > LargestFile)
        return refuse(tr("it is %1 bytes long, and a set's header is at most %2.")
                          .arg(QLocale().toString(info.size()), QLocale().toString(LargestFile)));
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString() + QLatin1Char('.'));
    const QByteArray content = file.read(LargestFile + 1);
    if (content.size() > LargestFile)
        return refuse(tr("it is larger than a set's header, at most %1 bytes.").arg(QLocale().toString(LargestFile)));
    // UTF-8 unless a byte-order mark says otherwise, as editors save headers.
    const QStringConverter::Encoding encoding =
        QStringConverter::encodingForData(content).value_or(QStringConverter::Utf8);
    if (encoding == QStringConverter::Utf8 && SetReader::looksBinary(content))
        return refuse(tr("it is not text."));
    QStringDecoder decode(encoding);
    const QString text = decode(content);
    if (GlyphSetFile::isOwn(text)) {
        const GlyphSetFile::ReadResult read = GlyphSetFile::read(text);
        if (!read.ok())
            return refuse(read.message);
        m_editor->replaceSet(read.set);
        setFile(path, content);
        return true;
    }
    return readForeign(text, parent, false);
}

bool GlyphDocument::readForeign(const QString &text, QWidget *parent, bool paste)
{
    // Text that holds no set under any layout is refused at once, as a box.
    const SetReader::Found found = SetReader::scan(text);
    if (!found.ok()) {
        MessageBox::show(parent, found.message + QLatin1Char('\n') +
                                     (paste ? tr("No glyphs were pasted.") : tr("No glyph set was opened.")));
        return false;
    }
    const auto glyphs = ReadGlyphsDialog::ask(parent, found, m_lastRead);
    if (!glyphs)
        return false;
    m_lastRead = glyphs->second;
    if (paste) {
        m_editor->pasteGlyphs(glyphs->first, glyphs->second);
        return true;
    }
    // Another tool's file stays as it is: the set read from it is untitled.
    m_editor->replaceSet(GlyphSet(glyphs->first, glyphs->second));
    setFile(QString(), QByteArray());
    return true;
}

bool GlyphDocument::pasteText(const QString &text, QWidget *parent)
{
    if (GlyphSetFile::isOwn(text)) {
        const GlyphSetFile::ReadResult read = GlyphSetFile::read(text);
        if (!read.ok()) {
            MessageBox::show(parent, read.message + QLatin1Char('\n') + tr("Nothing was pasted."));
            return false;
        }
        m_editor->pasteGlyphs(read.set.glyphs(), read.set.layout());
        return true;
    }
    return readForeign(text, parent, true);
}

QByteArray GlyphDocument::text(const QString &fileName, QString *refusal) const
{
    const GlyphSet &set = m_editor->set();
    const std::vector<GlyphSetFile::Misfit> misfits = GlyphSetFile::misfits(set);
    if (misfits.empty())
        return GlyphSetFile::write(set, fileName);
    // Never written short: each glyph that does not fit is named with its cells.
    QStringList named;
    for (const GlyphSetFile::Misfit &m : misfits) {
        QStringList cells;
        for (int bit = 0; bit < 64 && cells.size() < 4; ++bit)
            if (m.cells >> bit & 1)
                cells << tr("row %1 column %2").arg(bit / 8 + 1).arg(bit % 8 + 1);
        const QString &name = set.glyph(m.glyph).name;
        named << tr("glyph %1%2 (%3%4)")
                     .arg(m.glyph + 1)
                     .arg(name.isEmpty() ? QString() : QStringLiteral(", \"%1\"").arg(name.left(32)),
                          cells.join(QStringLiteral(", ")),
                          qPopulationCount(m.cells) > cells.size() ? QStringLiteral(", ...") : QString());
        if (named.size() == 8)
            break;
    }
    *refusal = tr("%n glyph(s) have lit cells outside the layout's %1x%2, so nothing was written: %3%4. Clear "
                  "those cells, or choose a larger size.",
                  nullptr, int(misfits.size()))
                   .arg(set.layout().width())
                   .arg(set.layout().height())
                   .arg(named.join(QStringLiteral("; ")), qsizetype(misfits.size()) > named.size() ? QStringLiteral("; ...") : QString());
    return QByteArray();
}

bool GlyphDocument::save(QWidget *parent)
{
    if (m_fileName.isEmpty())
        return saveAs(parent);
    // Never over a file another program changed since it was opened or saved.
    QFile disk(m_fileName);
    if (disk.exists() && disk.open(QIODevice::ReadOnly) && hashOf(disk.read(LargestFile + 1)) != m_diskHash) {
        disk.close();
        switch (MessageBox::show(parent,
                                 tr("%1 was changed by another program since ZENTIL opened or saved it. Overwrite "
                                    "it with the glyph set, or save the set elsewhere?")
                                     .arg(shown(m_fileName)),
                                 QString(), MessageBox::OverwriteSaveAsCancel)) {
        case MessageBox::Overwrite:
            break;
        case MessageBox::SaveAs:
            return saveAs(parent);
        default:
            return false;
        }
    }
    return saveTo(m_fileName, parent);
}

bool GlyphDocument::saveAs(QWidget *parent)
{
    QFileDialog dialog(parent, tr("Save glyph set"), m_fileName.isEmpty() ? QStringLiteral("glyphs.h") : m_fileName,
                       tr(FileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("h"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveTo(dialog.selectedFiles().constFirst(), parent);
}

bool GlyphDocument::saveTo(const QString &path, QWidget *parent)
{
    QString refusal;
    const QByteArray content = text(path, &refusal);
    if (content.isEmpty()) {
        MessageBox::show(parent, refusal);
        return false;
    }
    // Written whole or not at all: an interrupted save leaves the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        MessageBox::show(parent, tr("The glyph set could not be saved to %1: %2\nIt is still open, with its changes.")
                                     .arg(shown(path), file.errorString()));
        return false;
    }
    setFile(path, content);
    return true;
}

void GlyphDocument::setFile(const QString &path, const QByteArray &content)
{
    m_fileName = path;
    m_diskHash = hashOf(content);
    m_editor->undoStack()->setClean();
    emit stateChanged();
}
