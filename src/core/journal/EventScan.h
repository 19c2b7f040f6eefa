#pragma once

#include <QByteArrayView>
#include <QVarLengthArray>

// The event names a raw journal line carries: every "event":"Name" pair in the
// line, in order (normally exactly one). A dispatch row matches a line when
// its name is among them, which is the same as finding the row's quoted pair
// anywhere in the line, without a substring search per row.
using EventNames = QVarLengthArray<QByteArrayView, 2>;
EventNames scanEventNames(QByteArrayView line);

// Whether the line contains the text (plain substring test).
bool lineContains(QByteArrayView line, QByteArrayView text);
