#pragma once

#include <QFrame>
#include <QStringList>

struct InventoryEdit;
class ModDocument;
class ModalInteraction;
class QComboBox;
class QLineEdit;
class QListWidget;

// The Inventory page: the item catalogue with its filter on the right, the
// starting inventory on the left, which shows the document's and writes each
// change back.
class InventoryPage : public QFrame
{
    Q_OBJECT
public:
    InventoryPage(ModalInteraction& ui, ModDocument& document, QWidget* parent);

    // Empties the typed custom item, which is no part of the mod: New clears
    // it and Open leaves it alone.
    void clearCustomItem();

private:
    // Replaces the list with the document's entries as a file holds them (no
    // merging, no limit).
    void showInventory();
    // The starting inventory, row by row, as the list shows it.
    QStringList entries() const;
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
    ModDocument& m_document;
};
