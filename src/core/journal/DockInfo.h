#pragma once

#include "state/Records.h"

class JournalBatch;
class QJsonObject;

// Where the ship is docked after a batch: the newest Docked/Undocked event of
// the batch decides, a Location event as the batch's newest line overrides it,
// and without either the newest Location event decides. A batch without any
// of them leaves the record unchanged.
void get_Docked_Info(const JournalBatch& lines, TInfo_Docked& info);

// The six fields of a Docked or Location event (strings as text, numbers as
// decimal text, anything else empty).
TInfo_Docked infoDockedFromEvent(const QJsonObject& event);
