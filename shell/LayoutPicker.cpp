#include "LayoutPicker.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace {

QSpinBox *sizeBox(const char *objectName, const QString &accessibleName)
{
    auto *box = new QSpinBox;
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(accessibleName);
    box->setRange(1, GlyphLayout::MaxSize);
    return box;
}

} // namespace

LayoutPicker::LayoutPicker(QWidget *parent)
    : QWidget(parent), m_list(new QComboBox), m_width(sizeBox("glyphWidth", tr("Glyph width"))),
      m_height(sizeBox("glyphHeight", tr("Glyph height")))
{
    m_list->setObjectName(QStringLiteral("layoutList"));
    m_list->setAccessibleName(tr("Layout"));
    for (int p = 0; p < GlyphLayout::PresetCount; ++p)
        m_list->addItem(GlyphLayout::presetName(GlyphLayout::Preset(p)));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_list);
    auto *sizeLabel = new QLabel(tr("Size:"));
    sizeLabel->setBuddy(m_width);
    row->addSpacing(8);
    row->addWidget(sizeLabel);
    row->addWidget(m_width);
    row->addWidget(new QLabel(QStringLiteral("x")));
    row->addWidget(m_height);
    row->addStretch(1);
    setFocusProxy(m_list);
    showLayout(m_layout);

    connect(m_list, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_showing && index >= 0)
            choose(GlyphLayout(GlyphLayout::Preset(index)));
    });
    const auto resized = [this] {
        if (!m_showing)
            choose(GlyphLayout(m_layout.preset(), m_width->value(), m_height->value()));
    };
    connect(m_width, &QSpinBox::valueChanged, this, resized);
    connect(m_height, &QSpinBox::valueChanged, this, resized);
}

void LayoutPicker::setLayout(const GlyphLayout &layout)
{
    m_layout = layout;
    showLayout(layout);
}

void LayoutPicker::showLayout(const GlyphLayout &layout)
{
    m_showing = true;
    m_list->setCurrentIndex(int(layout.preset()));
    m_width->setValue(layout.width());
    m_height->setValue(layout.height());
    const bool resizable = GlyphLayout::isResizable(layout.preset());
    m_width->setEnabled(resizable);
    m_height->setEnabled(resizable);
    m_showing = false;
}

void LayoutPicker::choose(const GlyphLayout &layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    showLayout(layout);
    emit layoutChanged(layout);
}
