#include "ReadGlyphsDialog.h"

#include "LayoutPicker.h"
#include "OleColor.h"
#include "matrix/MatrixState.h"

#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

// The first glyphs as small pictures, in the grid's colours, each in a slot
// as large as an 8x8 glyph so that the strip keeps its size as the layout
// changes.
class GlyphStrip : public QWidget
{
public:
    static constexpr int Cell = 4; // pixels a side
    static constexpr int PerRow = 8;
    static constexpr int Gap = 8;
    static constexpr int Slot = GlyphLayout::MaxSize * Cell + 2 + Gap;

    GlyphStrip()
    {
        setObjectName(QStringLiteral("readPreview"));
        setAccessibleName(ReadGlyphsDialog::tr("First glyphs"));
    }

    void setGlyphs(const std::vector<Glyph> &glyphs, const GlyphLayout &layout)
    {
        m_glyphs.assign(glyphs.begin(), glyphs.begin() + std::min<std::size_t>(glyphs.size(), ReadGlyphsDialog::Shown));
        m_layout = layout;
        QStringList said;
        for (std::size_t i = 0; i < m_glyphs.size(); ++i)
            said << words(int(i));
        setAccessibleDescription(said.join(QStringLiteral("; ")));
        update();
    }

    QSize sizeHint() const override
    {
        return QSize(PerRow * Slot - Gap, (ReadGlyphsDialog::Shown / PerRow) * Slot - Gap);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor on = OleColor::toQColor(MatrixState::cellOnColor, palette());
        const QColor off = OleColor::toQColor(MatrixState::cellOffColor, palette());
        const int w = m_layout.width(), h = m_layout.height();
        for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
            const QPoint at = origin(int(i));
            painter.setPen(palette().color(QPalette::Mid));
            painter.setBrush(off);
            painter.drawRect(at.x(), at.y(), w * Cell + 1, h * Cell + 1);
            const std::uint64_t picture = m_glyphs[i].picture;
            for (int r = 0; r < h; ++r)
                for (int c = 0; c < w; ++c)
                    if (picture >> (r * GlyphLayout::MaxSize + c) & 1u)
                        painter.fillRect(at.x() + 1 + c * Cell, at.y() + 1 + r * Cell, Cell, Cell, on);
        }
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        const QPoint pos = static_cast<QHelpEvent *>(event)->pos();
        for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
            if (QRect(origin(int(i)), QSize(Slot - Gap, Slot - Gap)).contains(pos)) {
                QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), words(int(i)), this);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }

private:
    QPoint origin(int i) const { return QPoint(i % PerRow * Slot, i / PerRow * Slot); }

    QString words(int i) const
    {
        const QString &name = m_glyphs[std::size_t(i)].name;
        return name.isEmpty() ? ReadGlyphsDialog::tr("Glyph %1").arg(i + 1)
                              : ReadGlyphsDialog::tr("Glyph %1, %2").arg(i + 1).arg(name);
    }

    std::vector<Glyph> m_glyphs;
    GlyphLayout m_layout;
};

namespace {

QString count(qint64 n)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

} // namespace

ReadGlyphsDialog::ReadGlyphsDialog(const SetReader::Found &found, const GlyphLayout &lastUsed, QWidget *parent)
    : QDialog(parent), m_found(found), m_preset(found.suggestedPreset(lastUsed.preset())), m_picker(new LayoutPicker),
      m_summary(new QLabel), m_shown(new QStackedWidget), m_strip(new GlyphStrip), m_refusal(new QLabel)
{
    setObjectName(QStringLiteral("readGlyphsDialog"));
    setWindowTitle(tr("Read glyphs"));
    m_picker->setObjectName(QStringLiteral("layoutPicker"));
    m_summary->setObjectName(QStringLiteral("readSummary"));
    m_refusal->setObjectName(QStringLiteral("readRefusal"));
    m_refusal->setWordWrap(true);
    m_refusal->setTextFormat(Qt::PlainText);
    m_refusal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_refusal->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_shown->addWidget(m_strip);
    m_shown->addWidget(m_refusal);

    auto *layoutLabel = new QLabel(tr("&Layout:"));
    layoutLabel->setBuddy(m_picker);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("readOk"));
    m_ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("readCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *column = new QVBoxLayout(this);
    column->addWidget(layoutLabel);
    column->addWidget(m_picker);
    column->addWidget(m_summary);
    column->addWidget(m_shown, 1);
    column->addWidget(buttons);

    m_picker->setLayout(found.suggested(m_preset));
    m_picker->setEnabled(found.ok());
    connect(m_picker, &LayoutPicker::layoutChanged, this, &ReadGlyphsDialog::layoutChosen);
    read();
    m_picker->setFocus();
}

GlyphLayout ReadGlyphsDialog::layout() const
{
    return m_picker->layout();
}

void ReadGlyphsDialog::layoutChosen(const GlyphLayout &layout)
{
    // Another layout comes at the size the text suggests for it.
    if (layout.preset() != m_preset) {
        m_preset = layout.preset();
        m_picker->setLayout(m_found.suggested(m_preset));
    }
    read();
}

void ReadGlyphsDialog::read()
{
    m_decoded = SetReader::decode(m_found, m_picker->layout());
    const qint64 values = m_found.valueCount();
    const QString valueWords = values == 1 ? tr("1 value") : tr("%1 values").arg(count(values));
    const qint64 glyphs = qint64(m_decoded.glyphs.size());
    if (m_decoded.ok()) {
        m_summary->setText(
            tr("%1, %2").arg(glyphs == 1 ? tr("1 glyph") : tr("%1 glyphs").arg(count(glyphs)), valueWords));
        m_strip->setGlyphs(m_decoded.glyphs, m_picker->layout());
        m_shown->setCurrentWidget(m_strip);
    } else {
        m_summary->setText(values == 0 ? tr("No values") : valueWords);
        m_refusal->setText(m_decoded.refusal);
        m_shown->setCurrentWidget(m_refusal);
    }
    m_ok->setEnabled(m_decoded.ok());
}

ReadGlyphsDialog::Taken ReadGlyphsDialog::ask(QWidget *parent, const SetReader::Found &found,
                                              const GlyphLayout &lastUsed)
{
    ReadGlyphsDialog dialog(found, lastUsed, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.m_decoded.ok())
        return std::nullopt;
    return std::make_pair(std::move(dialog.m_decoded.glyphs), dialog.layout());
}
