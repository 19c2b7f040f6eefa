#pragma once

#include <QtGlobal>
#include <optional>

class JournalReader;

// The commander's credit balance as the newest line of the latest read tells
// it: LoadGame's "Credits" at every game start, or the "PlayerBalance" a
// carrier bank transfer reports. Nothing when the read holds neither.
std::optional<qint64> newestCredits(JournalReader& journal);
