#pragma once

#include "state/Records.h"

class JournalBatch;
class JournalReader;
class QJsonObject;

// Where the ship is docked after a batch: the newest Docked/Undocked event of
// the batch decides, a Location event as the batch's newest line overrides it,
// and without either the newest Location event decides. A batch without any
// of them leaves the record unchanged.
void get_Docked_Info(const JournalBatch& lines, TInfo_Docked& info);

// The same over the latest read of the journal, however long.
void get_Docked_Info(JournalReader& journal, TInfo_Docked& info);

// The same search, fed the lines newest first (a long read comes in pieces).
class DockInfoSearch
{
public:
    // Takes the next older line; false once no older line can change the result.
    bool addOlder(QByteArrayView line);
    void apply(TInfo_Docked& info) const;

private:
    bool m_first = true;
    bool m_dockFound = false;
    bool m_newestIsLocation = false;
    bool m_locationFound = false;
    TInfo_Docked m_dock;
    TInfo_Docked m_location;  // the newest Location event
};

// The six fields of a Docked or Location event (strings as text, numbers as
// decimal text, anything else empty).
TInfo_Docked infoDockedFromEvent(const QJsonObject& event);
