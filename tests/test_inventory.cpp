// The Inventory page: the item catalogue with its filter, and the starting
// inventory built from it and from typed names.

#include "support/ApplicationFont.h"
#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/TestWindow.h"

#include "app/frmMain.h"
#include "document/ModDocument.h"
#include "inventory/InventoryPage.h"
#include "mod/ItemCatalogue.h"
#include "widgets/Layout.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

using namespace Qt::StringLiterals;

using Icon = ModalInteraction::Icon;

namespace {

// The page's controls below a window or the page itself.
struct InventoryControls
{
    explicit InventoryControls(const QObject* root)
        : cboFilter(Control<QComboBox>(root, u"cboFilter"_s)), lstItems(Control<QListWidget>(root, u"lstItems"_s)),
          lstInventory(Control<QListWidget>(root, u"lstInventory"_s)),
          txtCustom(Control<QLineEdit>(root, u"txtCustom"_s)), cmdAdd(Control<QPushButton>(root, u"cmdAdd"_s)),
          cmdRemove(Control<QPushButton>(root, u"cmdRemove"_s)),
          cmdAddCustom(Control<QPushButton>(root, u"cmdAddCustom"_s))
    {
    }

    QComboBox* cboFilter;
    QListWidget* lstItems;
    QListWidget* lstInventory;
    QLineEdit* txtCustom;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    QPushButton* cmdAddCustom;
};

// The page alone, as it comes into being: "(all)" chosen, nothing selected.
QStringList rowsOf(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

struct PageFixture
{
    PageFixture()
    {
        page.resize(361, 257);
        page.show();
    }

    // Entries as a file brings them, in place of the list's.
    void load(const QStringList& entries)
    {
        ModDefinition mod;
        mod.inventory = entries;
        document.setMod(mod);
    }
    // The starting inventory as the page wrote it into the document, once
    // the list shows the same.
    QStringList entries() const
    {
        const QStringList shown = rowsOf(c.lstInventory);
        return shown == document.mod().inventory ? shown : QStringList{QStringLiteral("<list and document differ>")};
    }

    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    ModDocument document{settings};
    ScriptedModalInteraction ui;
    InventoryPage page{ui, document, nullptr};
    const InventoryControls c{&page};
};

QStringList rows(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

QString selectedText(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

// Clicks the first row showing the text, as a user picks it.
void clickRow(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.constFirst());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.constFirst()).center());
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{found.constFirst()});
}

void typeCustom(QLineEdit* txtCustom, const QString& text)
{
    txtCustom->clear();
    QTest::keyClicks(txtCustom, text);
    QCOMPARE(txtCustom->text(), text);
}

QStringList firstCatalogueNames(int count)
{
    return itemsForFilter(0)->mid(0, count);
}

// The rows of a list after the removal of one of them.
QStringList without(QStringList list, const QString& entry)
{
    list.removeOne(entry);
    return list;
}

QString joined(const QStringList& list)
{
    return list.join(u'|');
}

} // namespace

class TestInventory : public QObject
{
    Q_OBJECT
private slots:
    void startUpShowsAllItems();
    void listsShowTheirRows();
    void catalogue_data();
    void catalogue();
    void placement_data();
    void placement();
    void refillDropsSelection();
    void focusIsNoPick();
    void addAndRemove_data();
    void addAndRemove();
    void listsOnlySelect();
    void saveWritesList();
};

void TestInventory::startUpShowsAllItems()
{
    // Built before start-up or after it, the page shows the whole catalogue
    // under "(all)", with no row selected.
    for (bool builtFirst : {true, false}) {
        TestWindow t;
        frmMain w(t.ui, *t.settings);
        if (builtFirst)
            w.buildPages();
        w.Form_Load();
        w.buildPages();
        const InventoryControls page(&w);
        QCOMPARE(page.cboFilter->count(), 4);
        QCOMPARE(page.cboFilter->currentIndex(), 0);
        QCOMPARE(page.lstItems->count(), 77);
        QVERIFY(page.lstItems->selectedItems().isEmpty());
        QCOMPARE(page.lstItems->currentRow(), -1);
    }
}

void TestInventory::listsShowTheirRows()
{
    // In the design's face both lists show as many whole rows on Windows as
    // on Linux, whatever the platform's style adds around an item.
    const ApplicationFontScope restore;
    useDesignFont();
    TestWindow t;
    t.window->Form_Load();
    QStringList entries;
    for (int i = 0; i < 20; ++i)
        entries << QStringLiteral("Entry%1").arg(i);
    ModDefinition listed;
    listed.inventory = entries;
    t.window->document().setMod(listed);
    TabStrip(t.window.get())->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
    const InventoryControls page(t.window.get());
    page.lstItems->doItemsLayout();
    page.lstInventory->doItemsLayout();
    const auto wholeRows = [](const QListWidget* list) {
        int shown = 0;
        for (int row = 0; row < list->count(); ++row) {
            const QRect item = list->visualItemRect(list->item(row));
            shown += item.top() >= 0 && item.bottom() <= list->viewport()->rect().bottom() ? 1 : 0;
        }
        return shown;
    };
    QCOMPARE(wholeRows(page.lstItems), 10);
    QCOMPARE(wholeRows(page.lstInventory), 15);

    // No sliver of the next row shows under the last whole one, even picked,
    // at any scale: the room left under the rows stays empty.
    for (QListWidget* list : {page.lstItems, page.lstInventory}) {
        const int next = wholeRows(list);
        list->selectionModel()->select(list->model()->index(next, 0), QItemSelectionModel::ClearAndSelect);
        const int rowsEnd = list->visualItemRect(list->item(next)).top();
        const QImage shown = list->viewport()->grab().toImage();
        const qreal ratio = shown.devicePixelRatio();
        const QRgb base = list->palette().color(QPalette::Base).rgb();
        for (int y = qCeil(rowsEnd * ratio); y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                QVERIFY2(shown.pixel(x, y) == base,
                         qPrintable(QStringLiteral("%1 at %2, %3").arg(list->objectName()).arg(x).arg(y)));
        }
    }
}

void TestInventory::catalogue_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("all") << 0 << "(all)" << 77 << "Ammo10mm"
                         << "WeaponSword";
    QTest::newRow("ammo") << 1 << "Ammo" << 20 << "Ammo10mm"
                          << "AmmoShuriken";
    QTest::newRow("misc") << 2 << "Misc Items" << 33 << "AugmentationCannister"
                          << "WineBottle";
    QTest::newRow("weapons") << 3 << "Weapons" << 24 << "WeaponAssaultGun"
                             << "WeaponSword";
}

void TestInventory::catalogue()
{
    QFETCH(int, filter);
    QFETCH(QString, caption);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    PageFixture f;
    // Start from another entry so that every entry is a change.
    f.c.cboFilter->setCurrentIndex(filter == 1 ? 2 : 1);
    f.c.cboFilter->setCurrentIndex(filter);

    QCOMPARE(f.c.cboFilter->currentText(), caption);
    const QStringList shown = rows(f.c.lstItems);
    QCOMPARE(shown.size(), count);
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), count);
    QCOMPARE(shown.first(), first);
    QCOMPARE(shown.last(), last);
    QVERIFY(f.c.lstItems->selectedItems().isEmpty());
}

void TestInventory::placement_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row"); // -1: not in that category

    // The tables' own order, not the alphabet's.
    QTest::newRow("Candybar before AdaptiveArmor") << 2 << "Candybar" << 4;
    QTest::newRow("AdaptiveArmor after Candybar") << 2 << "AdaptiveArmor" << 5;
    QTest::newRow("NanoVirusGrenade before PepperGun") << 3 << "WeaponNanoVirusGrenade" << 14;
    QTest::newRow("PepperGun after NanoVirusGrenade") << 3 << "WeaponPepperGun" << 15;
    QTest::newRow("all: misc after ammo") << 0 << "AugmentationCannister" << 20;
    QTest::newRow("all: weapons after misc") << 0 << "WeaponAssaultGun" << 53;

    // The game's own class names, where a misspelling would give nothing.
    QTest::newRow("augmentation canister") << 2 << "AugmentationCannister" << 0;
    QTest::newRow("upgrade canister") << 2 << "AugmentationUpgradeCannister" << 1;
    QTest::newRow("assault gun") << 3 << "WeaponAssaultGun" << 0;
    QTest::newRow("assault shotgun") << 3 << "WeaponAssaultShotgun" << 1;
    QTest::newRow("pepper gun") << 3 << "WeaponPepperGun" << 15;
    QTest::newRow("nano virus grenade") << 3 << "WeaponNanoVirusGrenade" << 14;
    QTest::newRow("no misspelt canister") << 0 << "AugmentationCanister" << -1;
    QTest::newRow("no misspelt assault gun") << 0 << "WeaponAssultGun" << -1;
    QTest::newRow("no misspelt assault shotgun") << 0 << "WeaponAssultShotGun" << -1;
    QTest::newRow("no short pepper gun") << 0 << "WeaponPepper" << -1;
    QTest::newRow("no short virus grenade") << 0 << "WeaponVirusGrenade" << -1;

    // Weapon modifications are misc items; the LAM has ammo and a weapon.
    QTest::newRow("first mod in misc") << 2 << "WeaponModAccuracy" << 24;
    QTest::newRow("last mod in misc") << 2 << "WeaponModSilencer" << 31;
    QTest::newRow("first mod not a weapon") << 3 << "WeaponModAccuracy" << -1;
    QTest::newRow("last mod not a weapon") << 3 << "WeaponModSilencer" << -1;
    QTest::newRow("AmmoLAM in ammo") << 1 << "AmmoLAM" << 10;
    QTest::newRow("AmmoLAM not a weapon") << 3 << "AmmoLAM" << -1;
    QTest::newRow("WeaponLAM in weapons") << 3 << "WeaponLAM" << 10;
    QTest::newRow("WeaponLAM not ammo") << 1 << "WeaponLAM" << -1;
}

void TestInventory::placement()
{
    QFETCH(int, filter);
    QFETCH(QString, name);
    QFETCH(int, row);
    PageFixture f;
    f.c.cboFilter->setCurrentIndex(filter);
    QCOMPARE(rows(f.c.lstItems).indexOf(name), row);
}

void TestInventory::refillDropsSelection()
{
    PageFixture f;
    const InventoryControls& c = f.c;
    clickRow(c.lstItems, QStringLiteral("AmmoDart"));

    // Choosing a category by keyboard refills the list, and the pick is
    // gone even though the new category holds it. The list starts at its
    // first row, wherever the old one was scrolled to.
    c.lstItems->scrollToBottom();
    QVERIFY(c.lstItems->verticalScrollBar()->value() > 0);
    c.cboFilter->setFocus();
    QTest::keyClick(c.cboFilter, Qt::Key_Down);
    QCOMPARE(c.cboFilter->currentText(), QStringLiteral("Ammo"));
    QCOMPARE(c.lstItems->count(), 20);
    QVERIFY(c.lstItems->selectedItems().isEmpty());
    c.lstItems->doItemsLayout();
    QCOMPARE(c.lstItems->verticalScrollBar()->value(), 0);
    QCOMPARE(c.lstItems->visualItemRect(c.lstItems->item(0)).top(), 0);
    QTest::mouseClick(c.cmdAdd, Qt::LeftButton);
    QVERIFY(f.entries().isEmpty());

    // No entry chosen: the list keeps its rows and its pick.
    clickRow(c.lstItems, QStringLiteral("AmmoLAM"));
    c.cboFilter->setCurrentIndex(-1);
    QCOMPARE(c.lstItems->count(), 20);
    QCOMPARE(selectedText(c.lstItems), QStringLiteral("AmmoLAM"));
    QVERIFY(f.ui.asked.isEmpty());
}

void TestInventory::focusIsNoPick()
{
    // A list reached by the keyboard marks a row without selecting it; the
    // buttons act on picked rows only.
    PageFixture f;
    InventoryPage& page = f.page;
    const InventoryControls& c = f.c;
    f.load({QStringLiteral("Flare")});
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    for (QListWidget* list : {c.lstItems, c.lstInventory}) {
        list->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(list->hasFocus());
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(list->selectedItems().isEmpty());
    }
    QTest::mouseClick(c.cmdAdd, Qt::LeftButton);
    QTest::mouseClick(c.cmdRemove, Qt::LeftButton);
    QCOMPARE(f.entries(), QStringList{QStringLiteral("Flare")});
}

void TestInventory::addAndRemove_data()
{
    // Each step is "<action> => <rows after it, joined by |>", optionally
    // followed by " !<message>". Actions: "+Name" picks Name in the catalogue
    // and presses "<", "+" presses it again; "*Text" types Text as the custom
    // item and presses its "<"; "-Entry" picks the row and presses ">", "-"
    // presses it again. The list starts as a file would fill it.
    QTest::addColumn<QStringList>("loaded");
    QTest::addColumn<QStringList>("steps");
    const auto addCase = [](const char* name, const QStringList& loaded, const QStringList& steps) {
        QTest::newRow(name) << loaded << steps;
    };

    const QStringList ten = firstCatalogueNames(9) << QStringLiteral("MedKit(2)");
    const QString nineAfterRemove = joined(without(ten, u"Ammo10mm"_s));
    const QString nineCounted = QString(nineAfterRemove).replace(u"MedKit(2)"_s, u"MedKit(3)"_s);
    const QStringList twelve = firstCatalogueNames(12);
    const QStringList eleven = without(twelve, u"Ammo10mm"_s);
    const QStringList nine = without(without(eleven, u"Ammo20mm"_s), u"Ammo3006"_s);

    // clang-format off
    addCase("worked example", {}, {
        u"+AmmoDart => AmmoDart"_s,
        u"+ => AmmoDart(2)"_s,
        u"+ => AmmoDart(3)"_s,
        u"-AmmoDart(3) => AmmoDart(2)"_s,
        u"- => AmmoDart"_s,
        u"- => "_s,
        u"- => "_s,
    });
    addCase("nothing picked or typed", {u"Flare"_s}, {
        u"+ => Flare"_s,
        u"- => Flare"_s,
        u"* => Flare"_s,
    });
    addCase("prefix neighbours", {u"AmmoDartFlare"_s, u"AmmoRocketWP(3)"_s, u"NanoKeyRing"_s}, {
        u"+AmmoDart => AmmoDartFlare|AmmoRocketWP(3)|NanoKeyRing|AmmoDart"_s,
        u"+AmmoRocket => AmmoDartFlare|AmmoRocketWP(3)|NanoKeyRing|AmmoDart|AmmoRocket"_s,
        u"+NanoKey => AmmoDartFlare|AmmoRocketWP(3)|NanoKeyRing|AmmoDart|AmmoRocket|NanoKey"_s,
        u"+ => AmmoDartFlare|AmmoRocketWP(3)|NanoKeyRing|AmmoDart|AmmoRocket|NanoKey(2)"_s,
        u"+AmmoRocketWP => AmmoDartFlare|AmmoRocketWP(4)|NanoKeyRing|AmmoDart|AmmoRocket|NanoKey(2)"_s,
        u"-AmmoDart => AmmoDartFlare|AmmoRocketWP(4)|NanoKeyRing|AmmoRocket|NanoKey(2)"_s,
        u"-AmmoDartFlare => AmmoRocketWP(4)|NanoKeyRing|AmmoRocket|NanoKey(2)"_s,
    });
    addCase("999 to 1000, then no more", {u"Flare"_s, u"MedKit(999)"_s}, {
        u"+MedKit => Flare|MedKit(1000)"_s,
        u"+ => Flare|MedKit(1000) !enough"_s,
        u"-MedKit(1000) => Flare|MedKit(999)"_s,
    });
    addCase("ten rows", ten, {
        u"+AmmoDart => "_s + joined(ten) + u" !ten"_s,
        u"+MedKit => "_s + joined(ten) + u" !ten"_s,
        u"*Typed => "_s + joined(ten) + u" !ten"_s,
        u"-Ammo10mm => "_s + nineAfterRemove,
        u"+MedKit => "_s + nineCounted,
        u"+Ammo10mm => "_s + nineCounted + u"|Ammo10mm"_s,
        u"+MedKit => "_s + nineCounted + u"|Ammo10mm !ten"_s,
    });
    addCase("twelve loaded rows", twelve, {
        u"+Ammo10mm => "_s + joined(twelve) + u" !ten"_s,
        u"-Ammo10mm => "_s + joined(eleven),
        u"+ => "_s + joined(eleven) + u" !ten"_s,
        u"-Ammo20mm => "_s + joined(without(eleven, u"Ammo20mm"_s)),
        u"+ => "_s + joined(without(eleven, u"Ammo20mm"_s)) + u" !ten"_s,
        u"-Ammo3006 => "_s + joined(nine),
        u"+ => "_s + joined(nine) + u"|Ammo10mm"_s,
        u"+Flare => "_s + joined(nine) + u"|Ammo10mm !ten"_s,
    });
    addCase("typed names compare exactly", {}, {
        u"+MedKit => MedKit"_s,
        u"*MedKit => MedKit(2)"_s,
        u"*medkit => MedKit(2)|medkit"_s,
        u"*MedKit => MedKit(3)|medkit"_s,
        u"+ => MedKit(4)|medkit"_s,
        u"* MedKit => MedKit(4)|medkit| MedKit"_s,
        u"*    => MedKit(4)|medkit| MedKit|   "_s,
    });
    addCase("package prefix as Open leaves it", {u"DeusEx.MedKit(2)"_s}, {
        u"+MedKit => DeusEx.MedKit(2)|MedKit"_s,
        u"-DeusEx.MedKit(2) => DeusEx.MedKit|MedKit"_s,
        u"*DeusEx.MedKit => DeusEx.MedKit(2)|MedKit"_s,
        u"*MyPackage.MyItem => DeusEx.MedKit(2)|MedKit|MyPackage.MyItem"_s,
    });
    // Only a trailing number in parentheses is a count.
    addCase("parentheses without a number", {u"Box(-2)"_s, u"Box(1.5)"_s, u"Box()"_s}, {
        u"*Box(red) => Box(-2)|Box(1.5)|Box()|Box(red)"_s,
        u"*Box(red) => Box(-2)|Box(1.5)|Box()|Box(red)(2)"_s,
        u"-Box(red)(2) => Box(-2)|Box(1.5)|Box()|Box(red)"_s,
        u"- => Box(-2)|Box(1.5)|Box()"_s,
        u"*Box => Box(-2)|Box(1.5)|Box()|Box"_s,
        u"*Box(1.5) => Box(-2)|Box(1.5)(2)|Box()|Box"_s,
        u"-Box(-2) => Box(1.5)(2)|Box()|Box"_s,
    });
    addCase("counts only a file holds",
            {u"Flare(0)"_s, u"MedKit(1)"_s, u"Multitool(5000)"_s, u"Lockpick(007)"_s, u"NanoKey(99999999999)"_s}, {
        u"+Flare => Flare|MedKit(1)|Multitool(5000)|Lockpick(007)|NanoKey(99999999999)"_s,
        u"+MedKit => Flare|MedKit(2)|Multitool(5000)|Lockpick(007)|NanoKey(99999999999)"_s,
        u"+Multitool => Flare|MedKit(2)|Multitool(5000)|Lockpick(007)|NanoKey(99999999999) !enough"_s,
        u"-Multitool(5000) => Flare|MedKit(2)|Multitool(4999)|Lockpick(007)|NanoKey(99999999999)"_s,
        u"+Lockpick => Flare|MedKit(2)|Multitool(4999)|Lockpick(8)|NanoKey(99999999999)"_s,
        u"+NanoKey => Flare|MedKit(2)|Multitool(4999)|Lockpick(8)|NanoKey(99999999999)|NanoKey"_s,
        u"-NanoKey(99999999999) => Flare|MedKit(2)|Multitool(4999)|Lockpick(8)|NanoKey"_s,
    });
    addCase("low counts a file holds", {u"Flare(0)"_s, u"MedKit(1)"_s, u"Multitool(1001)"_s}, {
        u"-Flare(0) => MedKit(1)|Multitool(1001)"_s,
        u"-MedKit(1) => Multitool(1001)"_s,
        u"- => Multitool(1001)"_s,
        u"-Multitool(1001) => Multitool(1000)"_s,
    });
    addCase("typed names the file cannot carry", {u"Flare"_s}, {
        u"*My;Item => Flare !semicolon"_s,
        u"*MyPackage.\"Item\" => Flare !quote"_s,
        u"*MedKit(5) => Flare !count"_s,
        u"*Flare(1) => Flare !count"_s,
    });
    // clang-format on
}

void TestInventory::addAndRemove()
{
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, steps);
    PageFixture f;
    const InventoryControls& c = f.c;
    f.load(loaded);
    QString typed;
    QString picked;

    for (const QString& step : steps) {
        const qsizetype arrow = step.indexOf(QStringLiteral(" => "));
        QVERIFY2(arrow > 0, qPrintable(step));
        const QChar action = step[0];
        const QString argument = step.mid(1, arrow - 1);
        QString expected = step.mid(arrow + 4);
        QString message;
        if (const qsizetype bang = expected.indexOf(QStringLiteral(" !")); bang >= 0) {
            message = expected.mid(bang + 2);
            expected.truncate(bang);
        }
        const int rowsBefore = c.lstInventory->count();
        const qsizetype messagesBefore = f.ui.asked.size();

        if (action == u'+') {
            if (!argument.isEmpty()) {
                clickRow(c.lstItems, argument);
                picked = argument;
            }
            QTest::mouseClick(c.cmdAdd, Qt::LeftButton);
        } else if (action == u'*') {
            typeCustom(c.txtCustom, argument);
            typed = argument;
            QTest::mouseClick(c.cmdAddCustom, Qt::LeftButton);
        } else {
            if (!argument.isEmpty())
                clickRow(c.lstInventory, argument);
            QTest::mouseClick(c.cmdRemove, Qt::LeftButton);
        }

        const QString context = QStringLiteral("after \"%1\"").arg(step);
        QVERIFY2(f.entries() == (expected.isEmpty() ? QStringList{} : expected.split(u'|')),
                 qPrintable(context + QStringLiteral(": ") + joined(f.entries())));
        QCOMPARE(c.txtCustom->text(), typed);
        QCOMPARE(selectedText(c.lstItems), picked);
        if (c.lstInventory->count() < rowsBefore)
            QVERIFY2(c.lstInventory->selectedItems().isEmpty(), qPrintable(context));

        if (message.isEmpty()) {
            QVERIFY2(f.ui.asked.size() == messagesBefore, qPrintable(context));
            continue;
        }
        QVERIFY2(f.ui.asked.size() == messagesBefore + 1, qPrintable(context));
        const auto& asked = f.ui.asked.last();
        QCOMPARE(asked.buttons, ModalInteraction::Buttons::Ok);
        if (message == QLatin1String("ten")) {
            QCOMPARE(asked.text, QStringLiteral("You can't add more than 10 items to the inventory"));
            QCOMPARE(asked.icon, Icon::Exclamation);
        } else if (message == QLatin1String("enough")) {
            QCOMPARE(asked.text, QStringLiteral("Don't you think you've got enough there?"));
            QCOMPARE(asked.icon, Icon::Question);
        } else {
            // The refusal names the typed text and what in it is the trouble.
            const QString why = message == QLatin1String("semicolon") ? QStringLiteral("semicolon (;)")
                                : message == QLatin1String("quote")   ? QStringLiteral("double quote (\")")
                                                                      : QStringLiteral("count");
            QVERIFY2(asked.text.contains(typed) && asked.text.contains(why), qPrintable(asked.text));
            QCOMPARE(asked.icon, Icon::Exclamation);
        }
    }
}

void TestInventory::listsOnlySelect()
{
    PageFixture f;
    InventoryPage& page = f.page;
    const InventoryControls& c = f.c;
    f.load({QStringLiteral("MedKit(2)"), QStringLiteral("Flare")});
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));

    for (QListWidget* list : {c.lstInventory, c.lstItems}) {
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        clickRow(list, list->item(0)->text());
        list->setFocus();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_F2, Qt::Key_Space,
                            Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Insert})
            QTest::keyClick(list, key);
        QVERIFY(list->findChildren<QLineEdit*>().isEmpty());
    }
    QCOMPARE(f.entries(), (QStringList{QStringLiteral("MedKit(2)"), QStringLiteral("Flare")}));
    QCOMPARE(c.lstItems->count(), 77);
    QCOMPARE(c.lstItems->item(0)->text(), QStringLiteral("Ammo10mm"));
    QVERIFY(f.ui.asked.isEmpty());
}

void TestInventory::saveWritesList()
{
    GameFixture game;
    TestWindow t(game);
    frmMain& w = *t.window;
    w.show();
    TabStrip(&w)->setCurrentIndex(1);
    InventoryPage& page = *Control<InventoryPage>(&w, u"frmInventory"_s);
    QVERIFY(page.isVisible());
    const InventoryControls c(&page);
    c.cboFilter->setCurrentIndex(3);
    clickRow(c.lstItems, QStringLiteral("WeaponPistol"));
    QTest::mouseClick(c.cmdAdd, Qt::LeftButton);
    c.cboFilter->setCurrentIndex(2);
    clickRow(c.lstItems, QStringLiteral("MedKit"));
    QTest::mouseClick(c.cmdAdd, Qt::LeftButton);
    QTest::mouseClick(c.cmdAdd, Qt::LeftButton);
    typeCustom(c.txtCustom, QStringLiteral("MyPackage.MyItem"));
    QTest::mouseClick(c.cmdAddCustom, Qt::LeftButton);

    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Inventory.int"))};
    w.SaveMod();
    QCOMPARE(game.read(QStringLiteral("System/Inventory.int")),
             QByteArray("[Public]\r\nObject=(Name=\"\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                        "Inv=DeusEx.WeaponPistol;DeusEx.MedKit(2);MyPackage.MyItem;; "
                        "Skills=0;0;0;0;0;0;0;0;0;0;0;; Map=\")"));

    // Entries as Open leaves them keep their package; an emptied list writes no inventory.
    ModDefinition opened;
    opened.inventory = {QStringLiteral("DeusEx.MedKit(2)"), QStringLiteral("Box(red)(3)")};
    w.document().setMod(opened);
    w.SaveMod();
    QVERIFY(game.read(QStringLiteral("System/Inventory.int"))
                .contains("Description=\"Inv=DeusEx.MedKit(2);DeusEx.Box(red)(3);; Skills="));
    w.document().setMod(ModDefinition());
    w.SaveMod();
    QVERIFY(!game.read(QStringLiteral("System/Inventory.int")).contains("Inv="));
    QVERIFY(t.ui.messages().isEmpty());
}

QTEST_MAIN(TestInventory)
#include "test_inventory.moc"
