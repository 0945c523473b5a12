#pragma once

#include "matrix/MatrixState.h"
#include "output/ListingReader.h"

#include <QString>

// What a refused paste onto a panel says: what was found in the text, read
// how, and what the panel takes instead (in 5x7, only what its shown cells
// can hold).
namespace PasteRefusal {

// "left", "right", "top", "bottom".
QString panelName(MatrixState::Edge edge);

// The text was no listing of the panel's values.
QString unread(const ListingReader::Result &read, MatrixState::Edge edge, bool fiveBySeven);

// Value number index (from 0) would light a cell hidden in 5x7.
QString needsHiddenCell(MatrixState::Edge edge, int index, int value);

// Text from a paste as a message shows it: a character that shows nothing,
// or could turn the message's direction (letters of right-to-left scripts,
// their digits, marks, controls), is named by its code point: <U+200B>.
QString shown(QStringView text);

} // namespace PasteRefusal
