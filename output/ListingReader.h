#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Reads a panel's values back from text: every listing the program makes
// with a prefix or a delimiter, a line without either where all its values
// have one width, and arrays as C and Arduino code write them.
//
// The program's own listings win over every rule for code: a bare value is
// hex ("60" is 0x60, "B1" is 0xB1), and binary is read only as 0b, 0B or B
// followed by exactly eight binary digits, which as hex would be far over FF
// and so could never be a value of a listing read back.
namespace ListingReader {

// Far above any real array of eight values with its declaration and
// comments; a longer text is refused before it is looked at.
constexpr qsizetype LongestText = 4096;

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
    QString token; // as it stands in the text, cut to its first 32 characters

    bool ok() const { return problem == Problem::None; }
};

// Reads exactly count values, each 0..FF, from text.
Result read(QStringView text, int count);

} // namespace ListingReader
