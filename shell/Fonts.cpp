#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString firstInstalled(const QStringList &candidates)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : candidates)
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return QString();
}

QFont make(const QStringList &candidates, QFont::StyleHint hint, qreal points, bool bold)
{
    QFont font;
    const QString family = firstInstalled(candidates);
    if (!family.isEmpty())
        font.setFamily(family);
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
