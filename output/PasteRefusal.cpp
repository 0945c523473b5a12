#include "PasteRefusal.h"

#include "matrix/SizeMode.h"

#include <QCoreApplication>

namespace PasteRefusal {

namespace {

using Result = ListingReader::Result;
using Base = Result::Base;

QString tr(const char *text)
{
    return QCoreApplication::translate("PasteRefusal", text);
}

// Shows itself in a left-to-right message, whatever stands around it.
bool showsAsItself(char32_t c)
{
    if (!QChar::isPrint(c) || QChar::isMark(c) || CSource::isInvisible(c))
        return false;
    // Hangul fillers and the blank Braille pattern are letters that show nothing.
    if (c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 || c == 0x2800)
        return false;
    switch (QChar::direction(c)) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirON:
    case QChar::DirWS:
        return true;
    default:
        return false;
    }
}

// What the panel takes, to end a sentence.
QString range(MatrixState::Edge edge, bool fiveBySeven)
{
    if (!fiveBySeven)
        return tr("each from 0 to FF (255)");
    switch (edge) {
    case MatrixState::Left:
        return tr("each from 0 to 1F (31)");
    case MatrixState::Top:
        return tr("each from 0 to 7F (127)");
    case MatrixState::Right:
        return tr("each a multiple of 8 from 0 to F8 (248), since a value's 3 lowest bits are cells hidden in 5x7");
    case MatrixState::Bottom:
        return tr("each even, from 0 to FE (254), since a value's lowest bit is a cell hidden in 5x7");
    }
    return {};
}

QString takes(MatrixState::Edge edge, bool fiveBySeven)
{
    return (fiveBySeven ? tr("In 5x7 the %1 panel takes %2 values, %3.") : tr("The %1 panel takes %2 values, %3."))
        .arg(panelName(edge))
        .arg(SizeMode::valueCount(edge, fiveBySeven))
        .arg(range(edge, fiveBySeven));
}

QString counted(const Result &read)
{
    if (!read.array)
        return read.found == 0   ? tr("No values were found in the text.")
               : read.found == 1 ? tr("The text holds one value.")
                                 : tr("The text holds %1 values.").arg(read.found);
    const QString array = read.name.isEmpty() ? tr("The array") : tr("The array %1").arg(read.name);
    return read.found == 0   ? tr("%1 holds no values.").arg(array)
           : read.found == 1 ? tr("%1 holds one value.").arg(array)
                             : tr("%1 holds %2 values.").arg(array).arg(read.found);
}

QString overFF(const Result &read)
{
    const QString token = shown(read.token);
    switch (read.base) {
    case Base::Decimal:
        return tr("%1 (decimal) is more than 255.").arg(token);
    case Base::Binary:
        return tr("%1 (binary) is more than 11111111.").arg(token);
    case Base::Octal:
        return tr("%1 (octal) is more than 377.").arg(token);
    case Base::Hex:
        break;
    }
    return tr("%1 (hex) is more than FF.").arg(token);
}

QString notValue(const Result &read)
{
    const QString token = shown(read.token);
    if (!read.code)
        return tr("\"%1\" is not a value in hex.").arg(token);
    switch (read.hint) {
    case Result::Hint::HexPrefix:
        return tr("\"%1\" is not a value in C, where hex is written 0x%1.").arg(token);
    case Result::Hint::OctalDigit:
        return tr("\"%1\" is not a value in C, where a leading 0 makes octal, which has no 8 or 9.").arg(token);
    case Result::Hint::None:
        break;
    }
    return tr("\"%1\" is not a value.").arg(token);
}

QString twoWays(const Result &read)
{
    const QString value = QString::number(read.codeValue, read.base == Base::Binary  ? 2
                                                          : read.base == Base::Octal ? 8
                                                          : read.base == Base::Hex   ? 16
                                                                                     : 10)
                              .toUpper();
    const QString asCode = read.base == Base::Binary  ? tr("binary %1").arg(value)
                           : read.base == Base::Octal ? tr("octal %1").arg(value)
                           : read.base == Base::Hex   ? tr("hex %1").arg(value)
                                                      : tr("decimal %1").arg(value);
    return tr("Value %1, \"%2\", reads two ways: as C code, %3 (%4 in hex); as a ZENTIL listing, %5 in hex. "
              "Put C code's values in braces, or give every value one prefix.")
        .arg(read.index + 1)
        .arg(shown(read.token), asCode, MatrixState::edgeValueText(std::int16_t(read.codeValue)),
             MatrixState::edgeValueText(std::int16_t(read.listed)));
}

QString arrays(const Result &read, MatrixState::Edge edge, bool fiveBySeven)
{
    const QString how = read.found == 2 ? tr("two arrays") : tr("%1 arrays").arg(read.found);
    const QString many = read.fewest == read.most ? tr("%1 values each").arg(read.most)
                         : read.found == 2        ? tr("of %1 and %2 values").arg(read.fewest).arg(read.most)
                                                  : tr("of %1 to %2 values").arg(read.fewest).arg(read.most);
    return (fiveBySeven ? tr("The text holds %1, %2; in 5x7 the %3 panel takes %4 values from one array, %5.")
                        : tr("The text holds %1, %2; the %3 panel takes %4 values from one array, %5."))
        .arg(how, many, panelName(edge))
        .arg(SizeMode::valueCount(edge, fiveBySeven))
        .arg(range(edge, fiveBySeven));
}

} // namespace

QString shown(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair)
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (showsAsItself(c))
            out += text.mid(i, pair ? 2 : 1);
        else
            out += QStringLiteral("<U+%1>").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        i += pair;
    }
    return out;
}

QString panelName(MatrixState::Edge edge)
{
    return MatrixState::edgeName(edge);
}

QString unread(const Result &read, MatrixState::Edge edge, bool fiveBySeven)
{
    using P = Result::Problem;
    QString found;
    switch (read.problem) {
    case P::Count:
        found = counted(read);
        break;
    case P::OverFF:
        found = overFF(read);
        break;
    case P::Negative:
        found = tr("%1 is less than 0.").arg(shown(read.token));
        break;
    case P::Wide:
        found = read.found > 64 ? tr("%1 is more than 64 bits.").arg(shown(read.token))
                                : tr("%1 is one 64-bit value.").arg(shown(read.token));
        break;
    case P::NotValues:
        found = notValue(read);
        break;
    case P::Ambiguous:
        found = tr("\"%1\" has nothing between its values, and its %2 digits do not make %3 values of "
                   "one width; a prefix or a delimiter would tell them apart.")
                    .arg(shown(read.token))
                    .arg(read.token.size())
                    .arg(SizeMode::valueCount(edge, fiveBySeven));
        break;
    case P::TwoWays:
        found = twoWays(read);
        break;
    case P::Arrays:
        return arrays(read, edge, fiveBySeven) + QLatin1Char('\n') + tr("Nothing was pasted.");
    case P::TooLong:
        found = tr("The text is %1 characters long, far more than any listing of them.").arg(read.found);
        break;
    case P::None:
        break;
    }
    return found + QLatin1Char(' ') + takes(edge, fiveBySeven) + QLatin1Char('\n') + tr("Nothing was pasted.");
}

QString needsHiddenCell(MatrixState::Edge edge, int index, int value)
{
    return tr("Value %1, %2, would need cells outside the 5x7 area. In 5x7 the %3 panel takes %4 values, %5.\n"
              "Nothing was pasted.")
        .arg(index + 1)
        .arg(MatrixState::edgeValueText(std::int16_t(value)), panelName(edge))
        .arg(SizeMode::valueCount(edge, true))
        .arg(range(edge, true));
}

} // namespace PasteRefusal
