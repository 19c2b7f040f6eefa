#include "hub/OrderCommodities.h"

const QStringList& orderFormCommodities()
{
    static const QString line = QStringLiteral("-----------------------------");
    static const QStringList list{line,
                                  QStringLiteral("BASE:"),
                                  line,
                                  QStringLiteral("Aluminium"),
                                  QStringLiteral("Ceramic Composites"),
                                  QStringLiteral("CMM Composite"),
                                  QStringLiteral("Components Computer"),
                                  QStringLiteral("Copper"),
                                  QStringLiteral("Food Cartridges"),
                                  QStringLiteral("Fruit and Vegetables"),
                                  QStringLiteral("Insulating Membrane"),
                                  QStringLiteral("Liquid Oxygen"),
                                  QStringLiteral("Medical Diagnostic Equipment"),
                                  QStringLiteral("Non-Lethal Weapons"),
                                  QStringLiteral("Polymers"),
                                  QStringLiteral("Power Generators"),
                                  QStringLiteral("Semiconductors"),
                                  QStringLiteral("Steel"),
                                  QStringLiteral("Superconductors"),
                                  QStringLiteral("Titanium"),
                                  QStringLiteral("Water"),
                                  QStringLiteral("Water Purifiers"),
                                  QString(),
                                  line,
                                  QStringLiteral("OTHER:"),
                                  line,
                                  QStringLiteral("Advanced Catalysers"),
                                  QStringLiteral("Agri-Medicines"),
                                  QStringLiteral("Animal Meat"),
                                  QStringLiteral("Basic Medicines"),
                                  QStringLiteral("Battle Weapons"),
                                  QStringLiteral("Beer"),
                                  QStringLiteral("Bioreducing Lichen"),
                                  QStringLiteral("Biowaste"),
                                  QStringLiteral("Building Fabricators"),
                                  QStringLiteral("Coffee"),
                                  QStringLiteral("Combat Stabilizers"),
                                  QStringLiteral("Crop Harvesters"),
                                  QStringLiteral("Emergency Power Cells"),
                                  QStringLiteral("Evacuation Shelter"),
                                  QStringLiteral("Fish"),
                                  QStringLiteral("Geological Equipment"),
                                  QStringLiteral("Grain"),
                                  QStringLiteral("H.E. Suits"),
                                  QStringLiteral("Land Enrichment Systems"),
                                  QStringLiteral("Liquor"),
                                  QStringLiteral("Micro Controllers"),
                                  QStringLiteral("Microbial Furnaces"),
                                  QStringLiteral("Military Grade Fabrics"),
                                  QStringLiteral("Mineral Extractors"),
                                  QStringLiteral("Muon Imager"),
                                  QStringLiteral("Pesticides"),
                                  QStringLiteral("Reactive Armour"),
                                  QStringLiteral("Resonating Separators"),
                                  QStringLiteral("Robotics"),
                                  QStringLiteral("Structural Regulators"),
                                  QStringLiteral("Surface Stabilisers"),
                                  QStringLiteral("Survival Equipment"),
                                  QStringLiteral("Tea"),
                                  QStringLiteral("Thermal Cooling Units"),
                                  QStringLiteral("Wine")};
    return list;
}

bool isOrderableCommodity(const QString& entry)
{
    return !entry.isEmpty() && entry != QLatin1String("-----------------------------") &&
           entry != QLatin1String("BASE:") && entry != QLatin1String("OTHER:");
}
