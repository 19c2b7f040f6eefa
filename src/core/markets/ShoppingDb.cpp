#include "markets/ShoppingDb.h"

#include "Core.h"

ShoppingDb::ShoppingDb(TessivarCore& core) : m_core(core) {}

void ShoppingDb::add_last_shopping(const QByteArray&) {}
void ShoppingDb::szukaj_towaru() {}

QJsonObject ShoppingDb::dumpJson() const
{
    return {};
}
