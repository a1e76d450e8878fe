#include "ItemCatalogue.h"

#include <array>

namespace {

// The class names exactly as the game's own package spells them
// ("AugmentationCannister", "WeaponAssaultShotgun"): the loader creates the
// items by name, so a name the game lacks gives the player nothing.
constexpr CatalogueItem Catalogue[] = {
    {ItemTable::AmmoItems, "Ammo10mm"},
    {ItemTable::AmmoItems, "Ammo20mm"},
    {ItemTable::AmmoItems, "Ammo3006"},
    {ItemTable::AmmoItems, "Ammo762mm"},
    {ItemTable::AmmoItems, "AmmoBattery"},
    {ItemTable::AmmoItems, "AmmoDart"},
    {ItemTable::AmmoItems, "AmmoDartFlare"},
    {ItemTable::AmmoItems, "AmmoDartPoison"},
    {ItemTable::AmmoItems, "AmmoEMPGrenade"},
    {ItemTable::AmmoItems, "AmmoGasGrenade"},
    {ItemTable::AmmoItems, "AmmoLAM"},
    {ItemTable::AmmoItems, "AmmoNanoVirusGrenade"},
    {ItemTable::AmmoItems, "AmmoNapalm"},
    {ItemTable::AmmoItems, "AmmoPepper"},
    {ItemTable::AmmoItems, "AmmoPlasma"},
    {ItemTable::AmmoItems, "AmmoRocket"},
    {ItemTable::AmmoItems, "AmmoRocketWP"},
    {ItemTable::AmmoItems, "AmmoSabot"},
    {ItemTable::AmmoItems, "AmmoShell"},
    {ItemTable::AmmoItems, "AmmoShuriken"},

    {ItemTable::MiscItems, "AugmentationCannister"},
    {ItemTable::MiscItems, "AugmentationUpgradeCannister"},
    {ItemTable::MiscItems, "Binoculars"},
    {ItemTable::MiscItems, "BioelectricCell"},
    {ItemTable::MiscItems, "Candybar"},
    {ItemTable::MiscItems, "AdaptiveArmor"},
    {ItemTable::MiscItems, "BallisticArmor"},
    {ItemTable::MiscItems, "HazMatSuit"},
    {ItemTable::MiscItems, "Rebreather"},
    {ItemTable::MiscItems, "TechGoggles"},
    {ItemTable::MiscItems, "Cigarettes"},
    {ItemTable::MiscItems, "FireExtinguisher"},
    {ItemTable::MiscItems, "Flare"},
    {ItemTable::MiscItems, "Liquor40oz"},
    {ItemTable::MiscItems, "LiquorBottle"},
    {ItemTable::MiscItems, "MedKit"},
    {ItemTable::MiscItems, "NanoKey"},
    {ItemTable::MiscItems, "Lockpick"},
    {ItemTable::MiscItems, "Multitool"},
    {ItemTable::MiscItems, "NanoKeyRing"},
    {ItemTable::MiscItems, "Sodacan"},
    {ItemTable::MiscItems, "SoyFood"},
    {ItemTable::MiscItems, "VialAmbrosia"},
    {ItemTable::MiscItems, "VialCrack"},
    {ItemTable::MiscItems, "WeaponModAccuracy"},
    {ItemTable::MiscItems, "WeaponModClip"},
    {ItemTable::MiscItems, "WeaponModLaser"},
    {ItemTable::MiscItems, "WeaponModRange"},
    {ItemTable::MiscItems, "WeaponModRecoil"},
    {ItemTable::MiscItems, "WeaponModReload"},
    {ItemTable::MiscItems, "WeaponModScope"},
    {ItemTable::MiscItems, "WeaponModSilencer"},
    {ItemTable::MiscItems, "WineBottle"},

    {ItemTable::WeaponItems, "WeaponAssaultGun"},
    {ItemTable::WeaponItems, "WeaponAssaultShotgun"},
    {ItemTable::WeaponItems, "WeaponBaton"},
    {ItemTable::WeaponItems, "WeaponCombatKnife"},
    {ItemTable::WeaponItems, "WeaponCrowbar"},
    {ItemTable::WeaponItems, "WeaponEMPGrenade"},
    {ItemTable::WeaponItems, "WeaponFlamethrower"},
    {ItemTable::WeaponItems, "WeaponGasGrenade"},
    {ItemTable::WeaponItems, "WeaponGEPGun"},
    {ItemTable::WeaponItems, "WeaponHideAGun"},
    {ItemTable::WeaponItems, "WeaponLAM"},
    {ItemTable::WeaponItems, "WeaponLAW"},
    {ItemTable::WeaponItems, "WeaponMiniCrossbow"},
    {ItemTable::WeaponItems, "WeaponNanoSword"},
    {ItemTable::WeaponItems, "WeaponNanoVirusGrenade"},
    {ItemTable::WeaponItems, "WeaponPepperGun"},
    {ItemTable::WeaponItems, "WeaponPistol"},
    {ItemTable::WeaponItems, "WeaponPlasmaRifle"},
    {ItemTable::WeaponItems, "WeaponProd"},
    {ItemTable::WeaponItems, "WeaponRifle"},
    {ItemTable::WeaponItems, "WeaponSawedOffShotgun"},
    {ItemTable::WeaponItems, "WeaponShuriken"},
    {ItemTable::WeaponItems, "WeaponStealthPistol"},
    {ItemTable::WeaponItems, "WeaponSword"},
};
static_assert(std::size(Catalogue) == 77);

struct FilterEntry
{
    const char* caption;
    std::optional<ItemTable> table; // none: every category
};

constexpr std::array<FilterEntry, 4> Filters{{
    {"(all)", std::nullopt},
    {"Ammo", ItemTable::AmmoItems},
    {"Misc Items", ItemTable::MiscItems},
    {"Weapons", ItemTable::WeaponItems},
}};

} // namespace

std::span<const CatalogueItem> itemCatalogue()
{
    return Catalogue;
}

QStringList filterCaptions()
{
    QStringList captions;
    for (const FilterEntry& filter : Filters)
        captions.append(QString::fromLatin1(filter.caption));
    return captions;
}

std::optional<QStringList> itemsForFilter(int filterIndex)
{
    if (filterIndex < 0 || filterIndex >= static_cast<int>(Filters.size()))
        return std::nullopt;
    const std::optional<ItemTable> table = Filters[filterIndex].table;
    QStringList names;
    for (const CatalogueItem& item : Catalogue) {
        if (!table || item.table == *table)
            names.append(QString::fromLatin1(item.className));
    }
    return names;
}
