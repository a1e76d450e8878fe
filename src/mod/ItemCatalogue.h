#pragma once

#include <QStringList>

#include <optional>
#include <span>

// The game's item classes offered on the Inventory page, and the filter that
// picks a category of them.

// The three categories; each holds its classes in the order the page lists them.
enum class ItemTable
{
    AmmoItems,
    MiscItems,
    WeaponItems,
};

struct CatalogueItem
{
    ItemTable table;
    const char* className;
};

// Every class, category after category, in display order.
std::span<const CatalogueItem> itemCatalogue();

// The entries of the category filter, in order: "(all)", "Ammo", "Misc Items", "Weapons".
QStringList filterCaptions();

// The class names the filter entry shows, in display order; nothing when the
// index is not one of the filter's entries (no entry selected).
std::optional<QStringList> itemsForFilter(int filterIndex);
