#include "cargo/CommonMaterials.h"

QStringList commonMaterialNames()
{
    static const char* const kMaterials[] = {
        "PODSTAWOWE:",
        "Aluminium",
        "Ceramic Composites",
        "CMM Composite",
        "Components",
        "Computer",
        "Copper",
        "Food Cartridges",
        "Fruit and Vegetables",
        "Insulating Membrane",
        "Liquid Oxygen",
        "Medical Diagnostic Equipment",
        "Non-Lethal Weapons",
        "Polymers",
        "Power Generators",
        "Semiconductors",
        "Steel",
        "Superconductors",
        "Titanium",
        "Water",
        "Water Purifiers",
        "DODATKOWE:",
        "Advanced Catalysers",
        "Agri-Medicines",
        "Animal Meat",
        "Basic Medicines",
        "Battle Weapons",
        "Beer",
        "Bioreducing Lichen",
        "Biowaste",
        "Building Fabricators",
        "Coffee",
        "Combat Stabilizers",
        "Crop Harvesters",
        "Emergency Power Cells",
        "Evacuation Shelter",
        "Fish",
        "Geological Equipment",
        "Grain",
        "H.E. Suits",
        "Land Enrichment Systems",
        "Liquor",
        "Micro Controllers",
        "Microbial Furnaces",
        "Military Grade Fabrics",
        "Mineral Extractors",
        "Muon Imager",
        "Pesticides",
        "Reactive Armour",
        "Resonating Separators",
        "Robotics",
        "Structural Regulators",
        "Surface Stabilisers",
        "Survival Equipment",
        "Tea",
        "Thermal Cooling Units",
        "Wine",
    };
    QStringList names;
    for (const char* m : kMaterials)
        names.append(QString::fromUtf8(m));
    return names;
}

bool isCommonMaterialHeading(const QString& name)
{
    return name == QLatin1String("PODSTAWOWE:") || name == QLatin1String("DODATKOWE:");
}
