#pragma once

// What column entry makes of a column, for the model and for the window,
// which types the text into a top box: the column's rows 0 to 7 before and
// after, 1 for on.

#include <QString>
#include <QtTest>

namespace ColumnEntryRows {

enum Texts { Typeable, AnyText };

// Typeable leaves out what a person cannot type into a top box: a line beyond
// its length, characters outside the keyboard's.
inline void add(Texts texts)
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("before"); // rows 0..7, 1 = on
    QTest::addColumn<QString>("after");
    QTest::newRow("a5") << "a5"
                        << "00000000"
                        << "10100101";
    QTest::newRow("0f") << "0f"
                        << "00001111"
                        << "11110000";
    QTest::newRow("f0") << "f0"
                        << "11110000"
                        << "00001111";
    QTest::newRow("ff") << "ff"
                        << "00000000"
                        << "11111111";
    QTest::newRow("00") << "00"
                        << "11111111"
                        << "00000000";
    QTest::newRow("one char 5") << "5"
                                << "00000000"
                                << "10101010";
    QTest::newRow("3 after two toggles") << "3"
                                         << "11000000"
                                         << "11001100";
    QTest::newRow("80 unchanged") << "80"
                                  << "00000001"
                                  << "00000001";
    QTest::newRow("0") << "0"
                       << "11111111"
                       << "00000000";
    QTest::newRow("empty") << ""
                           << "10110001"
                           << "10110001";
    QTest::newRow("A5 keeps high") << "A5"
                                   << "01011111"
                                   << "10101111";
    QTest::newRow("FF nothing") << "FF"
                                << "01011010"
                                << "01011010";
    QTest::newRow("123") << "123"
                         << "00111111"
                         << "11001000";
    QTest::newRow("blank then 7") << " 7"
                                  << "00001111"
                                  << "11101111";
    QTest::newRow("7 then blank") << "7 "
                                  << "11110000"
                                  << "11111110";
    QTest::newRow("1g") << "1g"
                        << "01011111"
                        << "01011000";
    if (texts == Typeable)
        return;
    QTest::newRow("non-ASCII ends") << QString::fromUtf8("\xC3\xA9"
                                                         "3\xF0\x9F\x98\x80")
                                    << "01100110"
                                    << "01100110";
    QTest::newRow("long text") << QString(5000, QLatin1Char('x')) + "9"
                               << "00000000"
                               << "10010000";
}

} // namespace ColumnEntryRows
