#include "common/Error.h"

QString errorText(const std::exception& e)
{
    if (const auto* te = dynamic_cast<const TessivarError*>(&e))
        return te->message();
    return QString::fromUtf8(e.what());
}
