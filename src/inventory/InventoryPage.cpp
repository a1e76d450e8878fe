#include "InventoryPage.h"

#include "app/Layout.h"
#include "app/ModalInteraction.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

InventoryPage::InventoryPage(ModalInteraction& ui, QWidget* parent) : QFrame(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("frmInventory"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Inventory"));

    frmCurrentItems = Place<QGroupBox>(this, QStringLiteral("frmCurrentItems"), Twips(120, 240, 2295, 3415), 15,
                                       QStringLiteral("Current Inventory"));
    lstInventory = Place<QListWidget>(frmCurrentItems, QStringLiteral("lstInventory"), Twips(120, 240, 2055, 2985), 16);
    lstInventory->setAccessibleName(QStringLiteral("Current Inventory"));

    cmdAdd = Place<QPushButton>(this, QStringLiteral("cmdAdd"), Twips(2520, 1080, 375, 375), 92, QStringLiteral("<"));
    cmdAdd->setToolTip(QStringLiteral("Add Item"));
    cmdAdd->setAccessibleName(QStringLiteral("Add Item"));
    cmdRemove =
        Place<QPushButton>(this, QStringLiteral("cmdRemove"), Twips(2520, 1800, 375, 375), 19, QStringLiteral(">"));
    cmdRemove->setToolTip(QStringLiteral("Remove Item"));
    cmdRemove->setAccessibleName(QStringLiteral("Remove Item"));
    cmdAddCustom =
        Place<QPushButton>(this, QStringLiteral("cmdAddCustom"), Twips(2520, 3240, 375, 375), 22, QStringLiteral("<"));
    cmdAddCustom->setToolTip(QStringLiteral("Add Custom Item"));
    cmdAddCustom->setAccessibleName(QStringLiteral("Add Custom Item"));

    frmItems = Place<QGroupBox>(this, QStringLiteral("frmItems"), Twips(3000, 240, 2295, 2780), 17,
                                QStringLiteral("Available Items"));
    cboFilter = Place<QComboBox>(frmItems, QStringLiteral("cboFilter"), Twips(120, 240, 2055, 315), 80);
    cboFilter->setAccessibleName(QStringLiteral("Category"));
    lstItems = Place<QListWidget>(frmItems, QStringLiteral("lstItems"), Twips(120, 600, 2055, 2010), 18);
    lstItems->setAccessibleName(QStringLiteral("Available Items"));

    frmCustom = Place<QGroupBox>(this, QStringLiteral("frmCustom"), Twips(3000, 3010, 2295, 645), 20,
                                 QStringLiteral("Custom Item"));
    txtCustom = Place<QLineEdit>(frmCustom, QStringLiteral("txtCustom"), Twips(120, 240, 2055, 285), 21);
    txtCustom->setAccessibleName(QStringLiteral("Custom Item"));

    connect(cmdAdd, &QPushButton::clicked, this, &InventoryPage::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &InventoryPage::cmdRemove_Click);
    connect(cmdAddCustom, &QPushButton::clicked, this, &InventoryPage::cmdAddCustom_Click);
    connect(cboFilter, &QComboBox::currentIndexChanged, this, &InventoryPage::cboFilter_Click);
}

QStringList InventoryPage::Entries() const
{
    QStringList entries;
    for (int row = 0; row < lstInventory->count(); ++row)
        entries.append(lstInventory->item(row)->text());
    return entries;
}

void InventoryPage::SetEntries(const QStringList& entries)
{
    lstInventory->clear();
    lstInventory->addItems(entries);
}

void InventoryPage::cboFilter_Click()
{
}

void InventoryPage::cmdAdd_Click()
{
}

void InventoryPage::cmdAddCustom_Click()
{
}

void InventoryPage::cmdRemove_Click()
{
}

void InventoryPage::AddToInventory(const QString& ItemName)
{
    lstInventory->addItem(ItemName);
}
