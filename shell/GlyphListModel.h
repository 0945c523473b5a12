#pragma once

#include <QAbstractListModel>

class GridEditor;

// The set's glyphs as a list: each item's number and name, its picture (the
// Picture role, 64 bits) and, for a screen reader, "Glyph 3, heart" and its
// rows spoken on request. It follows the editor: a grid edit repaints one
// item, a step of the set's the whole list. Editing an item's text renames it.
class GlyphListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { Picture = Qt::UserRole, Area };

    explicit GlyphListModel(GridEditor *editor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

    // "Glyph 3, heart"; "row 1 off on ..." for each row of the layout's size.
    static QString spokenName(int index, const QString &name);
    QString spokenRows(int index) const;

private:
    GridEditor *m_editor;
};
