#pragma once

#include <QListView>

// The set's glyphs as small pictures in order, each cell at least two pixels
// and lit cells in the grid's blue, with the number and name under each. The
// current glyph is the selected one. A picture dragged to another place asks
// for the glyph to be moved there.
class GlyphListView : public QListView
{
    Q_OBJECT

public:
    explicit GlyphListView(QWidget *parent = nullptr);

signals:
    void moveRequested(int from, int to);

protected:
    void dropEvent(QDropEvent *event) override;
};
