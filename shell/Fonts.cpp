#include "Fonts.h"

#include <QStringList>

namespace {

// Qt takes the first family of the list that is installed; listing them this
// way spares enumerating every font on the system at start-up.
QFont make(const QStringList &families, QFont::StyleHint hint, qreal points, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    font.setBold(bold);
    return font;
}

} // namespace

QFont Fonts::serif(qreal points)
{
    static const QStringList faces{QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif"),
                                   QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    return make(faces, QFont::Serif, points, false);
}

QFont Fonts::sansSerif(qreal points, bool bold)
{
    static const QStringList faces{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                   QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    return make(faces, QFont::SansSerif, points, bold);
}
