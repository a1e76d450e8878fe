#pragma once

#include <QFrame>
#include <QStringList>

class ModalInteraction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The Inventory page: the item catalogue with its filter on the right, the
// starting inventory on the left.
class InventoryPage : public QFrame
{
    Q_OBJECT
public:
    InventoryPage(ModalInteraction& ui, QWidget* parent);

    // The starting inventory, row by row, as the list shows it.
    QStringList Entries() const;
    // Replaces the list with entries as a file holds them (no merging, no limit).
    void SetEntries(const QStringList& entries);

    void cboFilter_Click();
    void cmdAdd_Click();
    void cmdAddCustom_Click();
    void cmdRemove_Click();
    void AddToInventory(const QString& ItemName);

    QGroupBox* frmCurrentItems = nullptr;
    QListWidget* lstInventory = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdAddCustom = nullptr;
    QGroupBox* frmItems = nullptr;
    QComboBox* cboFilter = nullptr;
    QListWidget* lstItems = nullptr;
    QGroupBox* frmCustom = nullptr;
    QLineEdit* txtCustom = nullptr;

private:
    ModalInteraction& m_ui;
};
