#pragma once

#include <QByteArray>

// The page for browsers with the given state (compact JSON) built in, so it
// shows everything at once, before its stream of updates has connected.
QByteArray webPageHtml(const QByteArray& snapshotJson);

// The page as written in web/page.html (built into the program).
QByteArray webPageTemplate();
