#include "GlyphLayout.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char *, GlyphLayout::PresetCount> presetNames{
    "Left panel", "Right panel", "Top panel", "Bottom panel", "Character LCD", "64-bit image",
};

int clampSize(int size)
{
    return std::clamp(size, 1, GlyphLayout::MaxSize);
}

bool isOn(std::uint64_t picture, int row, int col)
{
    return (picture >> (row * GlyphLayout::MaxSize + col)) & 1u;
}

std::uint64_t cellBit(int row, int col)
{
    return std::uint64_t(1) << (row * GlyphLayout::MaxSize + col);
}

} // namespace

GlyphLayout::GlyphLayout(Preset preset) : GlyphLayout(preset, preset == Preset::CharacterLcd ? 5 : MaxSize, MaxSize) {}

GlyphLayout::GlyphLayout(Preset preset, int width, int height)
    : m_preset(preset), m_width(clampSize(width)), m_height(clampSize(height))
{
    if (!isResizable(preset))
        m_width = m_height = MaxSize;
}

QString GlyphLayout::presetName(Preset preset)
{
    return QString::fromLatin1(presetNames[static_cast<std::size_t>(preset)]);
}

GlyphLayout::Lines GlyphLayout::lines() const
{
    switch (m_preset) {
    case Preset::LeftPanel:
    case Preset::RightPanel:
    case Preset::CharacterLcd:
        return Lines::Rows;
    case Preset::TopPanel:
    case Preset::BottomPanel:
        return Lines::Columns;
    case Preset::Image:
        break;
    }
    return Lines::Image;
}

GlyphLayout::BitOrder GlyphLayout::bitOrder() const
{
    switch (m_preset) {
    case Preset::RightPanel:
    case Preset::BottomPanel:
        return BitOrder::SevenFirst;
    case Preset::CharacterLcd:
        return BitOrder::ZeroLast;
    default:
        return BitOrder::ZeroFirst;
    }
}

int GlyphLayout::valueCount() const
{
    switch (lines()) {
    case Lines::Rows:
        return m_height;
    case Lines::Columns:
        return m_width;
    case Lines::Image:
        break;
    }
    return 1;
}

int GlyphLayout::bitOf(int k, int lineLength) const
{
    switch (bitOrder()) {
    case BitOrder::ZeroFirst:
        return k;
    case BitOrder::SevenFirst:
        return MaxSize - 1 - k;
    case BitOrder::ZeroLast:
        break;
    }
    return lineLength - 1 - k;
}

std::uint64_t GlyphLayout::valueMask() const
{
    if (lines() == Lines::Image)
        return ~std::uint64_t(0);
    const int length = lines() == Lines::Rows ? m_width : m_height;
    std::uint64_t mask = 0;
    for (int k = 0; k < length; ++k)
        mask |= std::uint64_t(1) << bitOf(k, length);
    return mask;
}

std::uint64_t GlyphLayout::area() const
{
    const std::uint64_t row = (std::uint64_t(1) << m_width) - 1;
    std::uint64_t area = 0;
    for (int r = 0; r < m_height; ++r)
        area |= row << (r * MaxSize);
    return area;
}

int GlyphLayout::values(std::uint64_t picture, std::uint64_t *out) const
{
    if (lines() == Lines::Image) {
        out[0] = picture;
        return 1;
    }
    const bool rows = lines() == Lines::Rows;
    const int count = valueCount();
    const int length = rows ? m_width : m_height;
    for (int line = 0; line < count; ++line) {
        std::uint64_t value = 0;
        for (int k = 0; k < length; ++k) {
            if (rows ? isOn(picture, line, k) : isOn(picture, k, line))
                value |= std::uint64_t(1) << bitOf(k, length);
        }
        out[line] = value;
    }
    return count;
}

std::vector<std::uint64_t> GlyphLayout::values(std::uint64_t picture) const
{
    std::uint64_t out[MaxSize];
    const int count = values(picture, out);
    return std::vector<std::uint64_t>(out, out + count);
}

std::optional<std::uint64_t> GlyphLayout::picture(const std::uint64_t *values, int count) const
{
    if (count != valueCount())
        return std::nullopt;
    const std::uint64_t mask = valueMask();
    for (int i = 0; i < count; ++i) {
        if (values[i] & ~mask)
            return std::nullopt;
    }
    if (lines() == Lines::Image)
        return values[0];
    const bool rows = lines() == Lines::Rows;
    const int length = rows ? m_width : m_height;
    std::uint64_t picture = 0;
    for (int line = 0; line < count; ++line) {
        for (int k = 0; k < length; ++k) {
            if ((values[line] >> bitOf(k, length)) & 1u)
                picture |= rows ? cellBit(line, k) : cellBit(k, line);
        }
    }
    return picture;
}

std::optional<std::uint64_t> GlyphLayout::picture(const std::vector<std::uint64_t> &values) const
{
    return picture(values.data(), static_cast<int>(values.size()));
}

QString GlyphLayout::description() const
{
    QString text = QStringLiteral("layout \"%1\", %2x%3, ").arg(name()).arg(m_width).arg(m_height);
    if (lines() == Lines::Image)
        return text + QStringLiteral("one 64-bit value, row 0 in the low byte, bit 0 at the left");
    const bool rows = lines() == Lines::Rows;
    text += rows ? QStringLiteral("rows, ") : QStringLiteral("columns, ");
    switch (bitOrder()) {
    case BitOrder::ZeroFirst:
        return text + (rows ? QStringLiteral("bit 0 at the left") : QStringLiteral("bit 0 at the top"));
    case BitOrder::SevenFirst:
        return text + (rows ? QStringLiteral("bit 7 at the left") : QStringLiteral("bit 7 at the top"));
    case BitOrder::ZeroLast:
        break;
    }
    return text + (rows ? QStringLiteral("bit 0 at the right") : QStringLiteral("bit 0 at the bottom"));
}

std::optional<GlyphLayout> GlyphLayout::fromDescription(QStringView text)
{
    // The name and the size say which layout; the words after them must
    // then be the ones that layout writes, so a first line edited into
    // something else is never half read.
    const QString wanted = text.toString().simplified();
    const QString head = QStringLiteral("layout \"");
    if (!wanted.startsWith(head))
        return std::nullopt;
    const qsizetype nameEnd = wanted.indexOf(QLatin1Char('"'), head.size());
    if (nameEnd < 0)
        return std::nullopt;
    const QStringView name = QStringView(wanted).mid(head.size(), nameEnd - head.size());
    const QStringView size = QStringView(wanted).mid(nameEnd + 1);
    // ", WxH" with single digits.
    if (size.size() < 5 || !size.startsWith(QLatin1String(", ")) || size[3] != QLatin1Char('x'))
        return std::nullopt;
    const int width = size[2].digitValue();
    const int height = size[4].digitValue();
    if (width < 1 || width > MaxSize || height < 1 || height > MaxSize)
        return std::nullopt;
    for (int p = 0; p < PresetCount; ++p) {
        const auto preset = static_cast<Preset>(p);
        if (name != QLatin1String(presetNames[static_cast<std::size_t>(p)]))
            continue;
        const GlyphLayout layout(preset, width, height);
        if (layout.description() == wanted)
            return layout;
        return std::nullopt;
    }
    return std::nullopt;
}
