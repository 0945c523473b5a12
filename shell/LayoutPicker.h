#pragma once

#include "matrix/GlyphLayout.h"

#include <QWidget>

class QComboBox;
class QSpinBox;

// Chooses a glyph layout: the named layouts in a list (objectName
// "layoutList", which has the focus for the widget) and the glyph's width and
// height, 1 to 8 ("glyphWidth", "glyphHeight"). Choosing a layout gives it
// its own size (the character LCD's 5x8, 8x8 for the others); the 64-bit
// image is always 8x8, its size boxes disabled.
class LayoutPicker : public QWidget
{
    Q_OBJECT

public:
    explicit LayoutPicker(QWidget *parent = nullptr);

    GlyphLayout layout() const { return m_layout; }
    // Shows layout; emits nothing, so that a caller following its model
    // never hears back its own change.
    void setLayout(const GlyphLayout &layout);

signals:
    // The user chose another layout or size: emitted once per change.
    void layoutChanged(const GlyphLayout &layout);

private:
    void showLayout(const GlyphLayout &layout);
    void choose(const GlyphLayout &layout);

    QComboBox *m_list;
    QSpinBox *m_width;
    QSpinBox *m_height;
    GlyphLayout m_layout;
    bool m_showing = false; // the boxes are being set from m_layout
};
