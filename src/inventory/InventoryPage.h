#pragma once

#include <QFrame>
#include <QStringList>

struct InventoryEdit;
struct ModDefinition;
class ModalInteraction;
class QComboBox;
class QLineEdit;
class QListWidget;

// The Inventory page: the item catalogue with its filter on the right, the
// starting inventory on the left.
class InventoryPage : public QFrame
{
    Q_OBJECT
public:
    InventoryPage(ModalInteraction& ui, QWidget* parent);

    // The page's part of the mod: the starting inventory. The typed custom
    // item is no part of it.
    void apply(const ModDefinition& mod);
    void collect(ModDefinition& mod) const;

    // Empties the typed custom item, which New clears and Open leaves alone.
    void clearCustomItem();

    // The starting inventory, row by row, as the list shows it.
    QStringList Entries() const;
    // Replaces the list with entries as a file holds them (no merging, no limit).
    void SetEntries(const QStringList& entries);

private:
    // Refills the catalogue for the chosen category, with no row selected.
    void cboFilter_Click();
    // Adds one unit of the selected catalogue class; nothing without one.
    void cmdAdd_Click();
    // Adds one unit of the typed class, exactly as typed.
    void cmdAddCustom_Click();
    // Takes one unit of the selected inventory row away.
    void cmdRemove_Click();
    // One more unit of a class, or a message saying why not.
    void AddToInventory(const QString& itemName);
    void applyEdit(const InventoryEdit& edit);

    QListWidget* lstInventory = nullptr;
    QComboBox* cboFilter = nullptr;
    QListWidget* lstItems = nullptr;
    QLineEdit* txtCustom = nullptr;

    ModalInteraction& m_ui;
};
