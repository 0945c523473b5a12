#include "GlyphListModel.h"

#include "GridEditor.h"

GlyphListModel::GlyphListModel(GridEditor *editor, QObject *parent) : QAbstractListModel(parent), m_editor(editor)
{
    connect(editor, &GridEditor::setChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(editor, &GridEditor::glyphChanged, this, [this](int i) {
        emit dataChanged(index(i), index(i), {Picture, Qt::AccessibleDescriptionRole});
    });
}

int GlyphListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_editor->set().count();
}

QString GlyphListModel::spokenName(int index, const QString &name)
{
    return name.isEmpty() ? tr("Glyph %1").arg(index + 1) : tr("Glyph %1, %2").arg(index + 1).arg(name);
}

QString GlyphListModel::spokenRows(int index) const
{
    const GlyphSet &set = m_editor->set();
    const std::uint64_t picture = set.glyph(index).picture;
    QStringList rows;
    for (int r = 0; r < set.layout().height(); ++r) {
        QString row = tr("row %1").arg(r + 1);
        for (int c = 0; c < set.layout().width(); ++c)
            row += QLatin1Char(' ') + (picture >> (r * 8 + c) & 1 ? tr("on") : tr("off"));
        rows << row;
    }
    return rows.join(QStringLiteral(", "));
}

QVariant GlyphListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Glyph &glyph = m_editor->set().glyph(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return glyph.name.isEmpty() ? QString::number(index.row() + 1)
                                    : QStringLiteral("%1\n%2").arg(index.row() + 1).arg(glyph.name);
    case Qt::EditRole:
        return glyph.name;
    case Qt::ToolTipRole:
        return spokenName(index.row(), glyph.name);
    case Qt::AccessibleTextRole:
        return spokenName(index.row(), glyph.name);
    case Qt::AccessibleDescriptionRole:
        return spokenRows(index.row());
    case Picture:
        return QVariant::fromValue<quint64>(glyph.picture);
    case Area:
        return QVariant::fromValue<quint64>(m_editor->set().layout().area());
    default:
        return {};
    }
}

bool GlyphListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || value.toString() == m_editor->set().glyph(index.row()).name)
        return false;
    m_editor->renameGlyph(index.row(), value.toString());
    return true;
}

Qt::ItemFlags GlyphListModel::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           (index.isValid() ? Qt::NoItemFlags : Qt::ItemIsDropEnabled);
}
