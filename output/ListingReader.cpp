#include "ListingReader.h"

namespace ListingReader {

// A first reading: hex tokens between anything else.
Result read(QStringView text, int count)
{
    Result result;
    if (text.size() > 4096) {
        result.problem = Result::Problem::TooLong;
        result.found = int(text.size());
        return result;
    }
    QString token;
    const auto flush = [&] {
        if (token.isEmpty())
            return;
        bool ok = false;
        const int v = token.toInt(&ok, 16);
        if (!ok && result.ok()) {
            result.problem = Result::Problem::NotValues;
            result.token = token;
        } else if (v > 255 && result.ok()) {
            result.problem = Result::Problem::OverFF;
            result.token = token;
        }
        result.values << v;
        token.clear();
    };
    for (QChar ch : text) {
        if (ch.isLetterOrNumber())
            token += ch;
        else
            flush();
    }
    flush();
    result.found = int(result.values.size());
    if (result.ok() && result.found != count)
        result.problem = Result::Problem::Count;
    if (!result.ok())
        result.values.clear();
    return result;
}

} // namespace ListingReader
