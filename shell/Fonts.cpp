#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first face of the list that is installed, looked up in Qt's own table
// of families. Named alone, it is loaded straight away: given the whole list,
// Qt asks fontconfig for substitutes of every family it lacks and again for
// the fallbacks of the face it finds, only to arrive at this same face.
QStringList firstInstalled(const QStringList &faces)
{
    for (const QString &face : faces)
        if (!QFontDatabase::styles(face).isEmpty())
            return {face};
    return faces;
}

QFont make(const QStringList &families, QFont::StyleHint hint, qreal points, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
#ifdef Q_OS_WIN
    // The design's faces are bitmaps, drawn without grey edges. Where Windows
    // lacks one (every Wine, some Windows), the stand-in face is drawn the same
    // way: antialiased by GDI at 8 or 9 pixels, its thin strokes come out pale.
    const QString &face = families.constFirst();
    if (!face.startsWith(QLatin1String("MS ")) || QFontDatabase::styles(face).isEmpty())
        font.setStyleStrategy(QFont::NoAntialias);
#endif
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    font.setBold(bold);
    return font;
}

} // namespace

QFont Fonts::serif(qreal points)
{
    static const QStringList faces = firstInstalled({QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif"),
                                                     QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")});
    return make(faces, QFont::Serif, points, false);
}

QFont Fonts::sansSerif(qreal points, bool bold)
{
    static const QStringList faces = firstInstalled({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                                     QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    return make(faces, QFont::SansSerif, points, bold);
}
