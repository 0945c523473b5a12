#pragma once

#include "output/CSource.h"

#include <QList>
#include <QString>
#include <QStringView>

// Reads a panel's values back from text, in one of two ways:
//
// - a listing as the program writes it (no character but hex digits, its
//   prefixes $ 0x H &, its delimiters , " and white space): every value is
//   hex, as written ("60" is 0x60, "B1" is 0xB1), and a line of bare digits
//   with nothing between them is read where all its values have one width;
// - C and Arduino code (any other text: braces, a declaration, a ;, a
//   comment): numbers are read as C reads them, plain digits decimal, 0x hex,
//   0b and Arduino's B binary, a leading 0 octal. Of a text with braces only
//   the one array that holds values is read.
//
// A listing holding 0x, 0b or B literals could be either. Written exactly
// as the program writes its listings (one prefix for all, one delimiter
// between all, shortest digits), it is a listing. Otherwise, where both
// readings take it and differ, it is refused, naming the first value they
// read differently: never a silent misreading. Where only code takes it, it
// is code, unless that reads bare digits as decimal that a listing reads as
// hex ("0x3C, 165"): bare digits without braces stay hex.
namespace ListingReader {

// Far above any real array of eight values with its declaration and
// comments; a longer text is refused before it is looked at.
constexpr qsizetype LongestText = 4096;

struct Result
{
    enum class Problem {
        None,
        Count,     // not as many values as wanted; found says how many
        OverFF,    // token is a value above FF, read in base
        Negative,  // token is a value below 0
        Wide,      // token is one value of 33 to 64 bits; found is its bits, 65 for more than 64
        NotValues, // token is no value at all; hint may say why
        Ambiguous, // a line of values of mixed widths with nothing between them
        TwoWays,   // value index, token, is codeValue as code (in base) and listed as a listing
        Arrays,    // found arrays, of fewest to most values each
        TooLong,   // far longer than any listing of its values; found is its length
    };
    using Base = CSource::Number::Base;
    enum class Hint {
        None,
        HexPrefix,  // in code, hex digits without 0x
        OctalDigit, // in code, 8 or 9 after a leading 0
    };

    Problem problem = Problem::None;
    QList<int> values; // 0..255, exactly as many as wanted, when there is no problem
    int found = 0;
    QString token;      // as it stands in the text, cut to its first 32 characters
    bool code = false;  // read as C
    bool array = false; // code: the values stood in an array, named name if it is
    QString name;
    Base base = Base::Hex;
    Hint hint = Hint::None;
    int index = 0;
    int codeValue = 0;
    int listed = 0;
    int fewest = 0;
    int most = 0;

    bool ok() const { return problem == Problem::None; }
};

// Reads exactly count values, each 0..FF, from text.
Result read(QStringView text, int count);

} // namespace ListingReader
