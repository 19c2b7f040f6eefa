#pragma once

#include "mobile/MobileMessages.h"

#include <QObject>
#include <QString>

class MobileLink;

// The content side of the phone link: builds the message lines from the
// lists it is handed and pushes a group whenever the core tells it that one
// of them changed. The link itself only carries the lines.
class MobileFeed : public QObject
{
    Q_OBJECT
public:
    MobileFeed(MobileLink& link, MobileSources sources);

    // A change of one kind: "info_dock", "budowa", "zaladunek", "find_result", "close_db".
    void push(const QString& kind);

    void dockChanged() { push(QStringLiteral("info_dock")); }
    void constructionChanged() { push(QStringLiteral("budowa")); }
    void loadingListChanged() { push(QStringLiteral("zaladunek")); }
    void searchFinished() { push(QStringLiteral("find_result")); }
    void searchClosed() { push(QStringLiteral("close_db")); }

private:
    MobileLink& m_link;
    MobileSources m_sources;
};
