#include "InventoryPage.h"

#include "document/ModDocument.h"
#include "mod/InventoryList.h"
#include "mod/ItemCatalogue.h"
#include "widgets/Layout.h"
#include "widgets/ModalInteraction.h"

#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// The page's controls in the order they are made; a control inside a frame
// is placed relative to it.
namespace Design {
constexpr ControlDesign frmCurrentItems{"frmCurrentItems", 120, 240, 2295, 3415, 15, "Current Inventory"};
constexpr ControlDesign lstInventory{"lstInventory", 120, 240, 2055, 2985, 16};
constexpr ControlDesign cmdAdd{"cmdAdd", 2520, 1080, 375, 375, 92, "<"};
constexpr ControlDesign cmdRemove{"cmdRemove", 2520, 1800, 375, 375, 19, ">"};
constexpr ControlDesign cmdAddCustom{"cmdAddCustom", 2520, 3240, 375, 375, 22, "<"};
constexpr ControlDesign frmItems{"frmItems", 3000, 240, 2295, 2780, 17, "Available Items"};
constexpr ControlDesign cboFilter{"cboFilter", 120, 240, 2055, 315, 80};
constexpr ControlDesign lstItems{"lstItems", 120, 600, 2055, 2010, 18};
constexpr ControlDesign frmCustom{"frmCustom", 3000, 3010, 2295, 645, 20, "Custom Item"};
constexpr ControlDesign txtCustom{"txtCustom", 120, 240, 2055, 285, 21};
} // namespace Design

// The lists only show and select: rows change through the page's buttons alone.
void makeReadOnly(QListWidget* list)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setDragDropMode(QAbstractItemView::NoDragDrop);
    list->setSortingEnabled(false);
}

// The row the user picked, or -1. The current row alone is not a pick: a
// list given the focus by the keyboard marks a row without selecting it.
int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

} // namespace

InventoryPage::InventoryPage(ModalInteraction& ui, ModDocument& document, QWidget* parent)
    : QFrame(parent), m_ui(ui), m_document(document)
{
    setObjectName(QStringLiteral("frmInventory"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Inventory"));

    auto* frmCurrentItems = place<QGroupBox>(this, Design::frmCurrentItems);
    lstInventory = place<QListWidget>(frmCurrentItems, Design::lstInventory);
    lstInventory->setAccessibleName(QStringLiteral("Current Inventory"));

    auto* cmdAdd = placeButtonWithTip(this, Design::cmdAdd, "Add Item");
    auto* cmdRemove = placeButtonWithTip(this, Design::cmdRemove, "Remove Item");
    auto* cmdAddCustom = placeButtonWithTip(this, Design::cmdAddCustom, "Add Custom Item");

    auto* frmItems = place<QGroupBox>(this, Design::frmItems);
    cboFilter = place<QComboBox>(frmItems, Design::cboFilter);
    cboFilter->setAccessibleName(QStringLiteral("Category"));
    lstItems = place<QListWidget>(frmItems, Design::lstItems);
    lstItems->setAccessibleName(QStringLiteral("Available Items"));

    auto* frmCustom = place<QGroupBox>(this, Design::frmCustom);
    txtCustom = place<QLineEdit>(frmCustom, Design::txtCustom);
    txtCustom->setAccessibleName(QStringLiteral("Custom Item"));

    makeReadOnly(lstInventory);
    makeReadOnly(lstItems);
    useDesignRows(lstInventory);
    useDesignRows(lstItems);

    // The filter gets its entries with none chosen: the first entry added
    // would otherwise be chosen silently, and choosing "(all)" below would
    // then be no change and leave the catalogue empty.
    {
        const QSignalBlocker blocker(cboFilter);
        cboFilter->addItems(filterCaptions());
        cboFilter->setCurrentIndex(-1);
    }

    connect(cmdAdd, &QPushButton::clicked, this, &InventoryPage::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &InventoryPage::cmdRemove_Click);
    connect(cmdAddCustom, &QPushButton::clicked, this, &InventoryPage::cmdAddCustom_Click);
    connect(cboFilter, &QComboBox::currentIndexChanged, this, &InventoryPage::cboFilter_Click);

    // The page comes into being as start-up leaves it: "(all)" chosen, which
    // fills the catalogue through the filter's own handler, and no row selected.
    cboFilter->setCurrentIndex(0);

    showInventory();
    connect(&m_document, &ModDocument::modReplaced, this, &InventoryPage::showInventory);
}

void InventoryPage::clearCustomItem()
{
    txtCustom->clear();
}

QStringList InventoryPage::entries() const
{
    QStringList entries;
    for (int row = 0; row < lstInventory->count(); ++row)
        entries.append(lstInventory->item(row)->text());
    return entries;
}

void InventoryPage::showInventory()
{
    lstInventory->clear();
    lstInventory->addItems(m_document.mod().inventory);
}

void InventoryPage::cboFilter_Click()
{
    const std::optional<QStringList> names = itemsForFilter(cboFilter->currentIndex());
    if (!names)
        return;
    lstItems->clear();
    lstItems->addItems(*names);
    // A list emptied and filled again keeps its scroll position, which would
    // hide the new category's first rows.
    lstItems->scrollToTop();
}

void InventoryPage::cmdAdd_Click()
{
    const int row = selectedRow(lstItems);
    if (row < 0)
        return;
    AddToInventory(lstItems->item(row)->text());
}

void InventoryPage::cmdAddCustom_Click()
{
    const QString itemName = txtCustom->text();
    if (itemName.isEmpty())
        return;
    if (const std::optional<QString> problem = customItemProblem(itemName)) {
        m_ui.tell(this, *problem, ModalInteraction::Icon::Exclamation);
        return;
    }
    AddToInventory(itemName);
}

void InventoryPage::cmdRemove_Click()
{
    applyEdit(removeUnit(entries(), selectedRow(lstInventory)));
}

void InventoryPage::AddToInventory(const QString& itemName)
{
    applyEdit(addUnit(entries(), itemName));
}

void InventoryPage::applyEdit(const InventoryEdit& edit)
{
    switch (edit.action) {
    case InventoryEdit::Action::None:
        return;
    case InventoryEdit::Action::Append:
        lstInventory->addItem(edit.text);
        break;
    case InventoryEdit::Action::Replace:
        lstInventory->item(edit.row)->setText(edit.text);
        break;
    case InventoryEdit::Action::Delete:
        delete lstInventory->takeItem(edit.row);
        // The next row must not become the target of the next Remove unasked.
        lstInventory->selectionModel()->clear();
        break;
    case InventoryEdit::Action::Refuse:
        if (edit.refusal == InventoryEdit::Refusal::TooManyEntries)
            m_ui.tell(this, QString::fromLatin1(TooManyEntriesMessage), ModalInteraction::Icon::Exclamation);
        else
            m_ui.tell(this, QString::fromLatin1(TooManyUnitsMessage), ModalInteraction::Icon::Question);
        return;
    }
    m_document.editMod([this](ModDefinition& mod) { mod.inventory = entries(); });
}
