#pragma once

#include <QJsonValue>
#include <QString>

// Text of a scalar JSON value: a string as itself, a number as its decimal
// text (integers exactly, up to 64 bits), anything else empty.
QString jsonScalarText(const QJsonValue& v);
