#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The starting inventory as the page's list holds it: one text a row, the
// class name alone for one unit, or the class name followed by "(count)".

inline constexpr int MaxInventoryEntries = 10;
inline constexpr int MaxInventoryCount = 1000;

inline constexpr char TooManyEntriesMessage[] = "You can't add more than 10 items to the inventory";
inline constexpr char TooManyUnitsMessage[] = "Don't you think you've got enough there?";

// One row read back into its class and count. Only a trailing group of
// decimal digits in parentheses is a count: "Box(red)" is one unit of the
// class "Box(red)", and "Box(red)(2)" two of it. A file may hold counts the
// commands never make (0, 1 in parentheses, above 1000); they are read as
// they stand.
struct InventoryEntry
{
    QString className;
    int count = 1;
};

InventoryEntry parseInventoryEntry(const QString& text);

// The row text for a class and count: the bare name for one unit.
QString formatInventoryEntry(const QString& className, int count);

// What one add or remove does to the list.
struct InventoryEdit
{
    enum class Action
    {
        None,    // nothing to do
        Append,  // a new row with text at the end
        Replace, // row gets text, keeping its place
        Delete,  // row goes
        Refuse,  // nothing changes; the user is told why
    };
    enum class Refusal
    {
        None,
        TooManyEntries,
        TooManyUnits,
    };

    Action action = Action::None;
    int row = -1;
    QString text;
    Refusal refusal = Refusal::None;
};

// One more unit of the class: counted on the first row of that class (names
// compare exactly), else appended. A list of ten rows or more takes nothing,
// not even one more unit of a class it holds.
InventoryEdit addUnit(const QStringList& entries, const QString& itemName);

// One unit less of the row: the count goes down, the bare name stands for
// one unit, and below that the row goes. No row (-1): nothing.
InventoryEdit removeUnit(const QStringList& entries, int row);

// Why a typed class name cannot go into the list, or nothing when it can.
std::optional<QString> customItemProblem(const QString& itemName);
