#pragma once

#include "matrix/Glyph.h"
#include "matrix/GlyphLayout.h"
#include "output/SetReader.h"

#include <QDialog>

#include <optional>
#include <utility>
#include <vector>

class GlyphStrip;
class LayoutPicker;
class QLabel;
class QPushButton;
class QStackedWidget;

// "Read glyphs": before a set ZENTIL did not write is taken, shows how many
// glyphs and values it holds and its first glyphs as pictures under the
// layout chosen, decoded again at each change; or, where the layout cannot
// take the values, why not, with OK disabled. The layout list has the
// focus; the arrow keys choose, Return takes, Escape leaves.
//
// Controls, for tests: the dialog "readGlyphsDialog", its LayoutPicker
// "layoutPicker" (with "layoutList", "glyphWidth", "glyphHeight"), the
// counts "readSummary", the pictures "readPreview", the refusal
// "readRefusal", the buttons "readOk" and "readCancel".
class ReadGlyphsDialog : public QDialog
{
    Q_OBJECT

public:
    using Taken = std::optional<std::pair<std::vector<Glyph>, GlyphLayout>>;

    // Asks, modally: the glyphs read and their layout where the user takes
    // them, none where the user leaves (or nothing could be read). The list
    // starts at lastUsed's layout (the 64-bit image where only it takes
    // values that wide), at the size the text suggests. A found that is no
    // set at all is shown as refused.
    static Taken ask(QWidget *parent, const SetReader::Found &found, const GlyphLayout &lastUsed);

    // found must outlive the dialog.
    ReadGlyphsDialog(const SetReader::Found &found, const GlyphLayout &lastUsed, QWidget *parent = nullptr);

    GlyphLayout layout() const;
    // The glyphs under layout(), or why there are none.
    const SetReader::Decoded &decoded() const { return m_decoded; }

    // How many glyphs show as pictures.
    static constexpr int Shown = 16;

private:
    void layoutChosen(const GlyphLayout &layout);
    void read();

    const SetReader::Found &m_found;
    SetReader::Decoded m_decoded;
    GlyphLayout::Preset m_preset;
    LayoutPicker *m_picker;
    QLabel *m_summary;
    QStackedWidget *m_shown;
    GlyphStrip *m_strip;
    QLabel *m_refusal;
    QPushButton *m_ok;
};
