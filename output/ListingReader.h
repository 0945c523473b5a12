#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Reads a panel's values back from text: every listing the program makes
// with a prefix or a delimiter, a line without either where all its values
// have one width, and arrays as C and Arduino code write them.
namespace ListingReader {

struct Result
{
    enum class Problem {
        None,
        Count,     // not as many values as wanted; found says how many
        OverFF,    // token is a value above FF
        NotValues, // token is no value at all
        Ambiguous, // a line of values of mixed widths with nothing between them
        TooLong,   // far longer than any listing of its values; found is its length
    };

    Problem problem = Problem::None;
    QList<int> values; // 0..255, exactly as many as wanted, when there is no problem
    int found = 0;
    QString token;

    bool ok() const { return problem == Problem::None; }
};

// Reads exactly count values, each 0..FF, from text.
Result read(QStringView text, int count);

} // namespace ListingReader
