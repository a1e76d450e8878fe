// The augmentation catalogue and its lookups, the slot images, and the
// Augmentations page driven through the main window.

#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/TestWindow.h"

#include "augmentations/AugmentationsPage.h"
#include "document/ModDocument.h"
#include "mod/AugmentationCatalogue.h"
#include "mod/ModDefinition.h"
#include "widgets/AssetPictures.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

using Slots = std::array<QString, AugSlotCount>;
Q_DECLARE_METATYPE(Slots)

namespace {

const QStringList CranialList{u"(none)"_s, u"Aggressive Defense System"_s, u"Spy Drone"_s};
const QStringList ArmsList{u"(none)"_s, u"Combat Strength"_s, u"Microfibral Muscle"_s};
const QStringList EyesList{u"(none)"_s, u"Targeting"_s, u"Vision Enhancement"_s};
const QStringList LegsList{u"(none)"_s, u"Run Silent"_s, u"Speed Enhancement"_s};
const QStringList TorsoList{
    u"(none)"_s,          u"Regeneration"_s,      u"Energy Shield"_s, u"Aqualung"_s, u"Environmental Resistance"_s,
    u"Synthetic Heart"_s, u"Power Recirculator"_s};
const QStringList SubdermalList{u"(none)"_s, u"Ballistic Protection"_s, u"EMP Shield"_s, u"Cloak"_s,
                                u"Radar Transparency"_s};

// Slots filled as "4=AugHealing 6=AugPower".
Slots slotsWith(const QString& filled)
{
    Slots result;
    for (const QString& entry : filled.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(u'=');
        result[static_cast<std::size_t>(parts[0].toInt())] = parts[1];
    }
    return result;
}

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QImage slotImage(int number)
{
    return assetPixmap(QStringLiteral(":/augs/%1").arg(number, 2, 10, QLatin1Char('0')), QSize(52, 52), 1.0).toImage();
}

// What a slot picture shows on a standard-density screen.
QImage shownImage(const SlotPicture* picture)
{
    return picture->picture().pixmap(QSize(52, 52), 1.0).toImage();
}

// The page of a window shown on its Augmentations tab, as a user sees it.
struct AugWindow
{
    AugWindow()
    {
        w.show();
        QTabBar* bar = TabStrip(&w);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    }

    SlotPicture* picture(int slot) const
    {
        return page->findChild<SlotPicture*>(QStringLiteral("picPart(%1)").arg(slot));
    }
    QFrame* outline(int slot) const { return page->findChild<QFrame*>(QStringLiteral("shpSelectPart(%1)").arg(slot)); }

    void clickSlot(int slot) const { QTest::mouseClick(picture(slot), Qt::LeftButton); }

    // Picks an entry with the keyboard, as a user without the mouse would.
    static void pick(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), text);
    }
    void pickAug(const QString& text) const { pick(augList, text); }
    void pickLevel(const QString& text) const { pick(levelList, text); }

    // What the page wrote into the document: each slot's augmentation and level.
    Slots augSlots() const { return w.document().mod().augSlots; }
    std::array<qint16, AugSlotCount> augLevels() const { return w.document().mod().augLevels; }

    QList<int> images() const
    {
        QList<int> result;
        for (int slot = 0; slot < AugSlotCount; ++slot)
            result.append(picture(slot)->image());
        return result;
    }
    QList<int> visibleOutlines() const
    {
        QList<int> result;
        for (int slot = 0; slot < AugSlotCount; ++slot) {
            if (outline(slot)->isVisible())
                result.append(slot);
        }
        return result;
    }

    // Saves into a fresh game directory and answers the Aug= part of the file.
    QString savedAugs()
    {
        Control<QLineEdit>(&w, u"txtPath"_s)->setText(game.gamePath());
        t.ui.dialogAnswers = {game.file(QStringLiteral("System/Augs.int"))};
        w.SaveMod();
        const QString text = QString::fromLatin1(game.read(QStringLiteral("System/Augs.int")));
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Aug=([^ ]*) ")).match(text);
        return m.hasMatch() ? m.captured(1) : QString();
    }

    GameFixture game;
    TestWindow t;
    frmMain& w = *t.window;
    AugmentationsPage* page = Control<AugmentationsPage>(&w, u"frmAugmentations"_s);
    QComboBox* augList = Control<QComboBox>(page, u"cboAugList"_s);
    QComboBox* levelList = Control<QComboBox>(page, u"cboLevel"_s);
};

} // namespace

class TestAugmentations : public QObject
{
    Q_OBJECT
private slots:
    // The catalogue.
    void imagesFollowAlphabeticalNames();
    void listPositionsRoundTrip();
    void findAugSlot_data();
    void findAugSlot();
    void augList_data();
    void augList();
    void findAugListIndex_data();
    void findAugListIndex();
    void slotImagesAreDistinct();

    // The page.
    void startState();
    void levelBeforeAnySlotGoesToSlot0();
    void chooseAqualungInSlot5();
    void noneEmptiesSlotButKeepsLevel();
    void levelBelongsToSlot();
    void sameClassInTwoTorsoSlots();
    void clickingSelectedSlotChangesNothing();
    void slotIsSelectedOnRelease();
    void keyboardSelectsSlot();
    void refreshAfterDirectChanges();
    void levelFromFileOutsideList_data();
    void levelFromFileOutsideList();
    void classOfAnotherPart_data();
    void classOfAnotherPart();
    void saveWritesFilledSlotsInOrder();
};

void TestAugmentations::imagesFollowAlphabeticalNames()
{
    std::vector<const Augmentation*> byName;
    for (const Augmentation& a : augmentationTable())
        byName.push_back(&a);
    QCOMPARE(byName.size(), std::size_t(18));
    std::sort(byName.begin(), byName.end(), [](const Augmentation* a, const Augmentation* b) {
        return QString::fromLatin1(a->displayName) < QString::fromLatin1(b->displayName);
    });
    for (std::size_t i = 0; i < byName.size(); ++i)
        QCOMPARE(byName[i]->image, int(i) + 1);
}

void TestAugmentations::listPositionsRoundTrip()
{
    // The list shown, the entry picked from it and the position found for a
    // stored class must all agree, for every slot.
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        const QStringList list = augListOfSlot(slot);
        QVERIFY(augAtListPosition(slot, 0) == nullptr);
        QVERIFY(augAtListPosition(slot, int(list.size())) == nullptr);
        for (int p = 1; p < list.size(); ++p) {
            const Augmentation* aug = augAtListPosition(slot, p);
            QVERIFY(aug);
            QCOMPARE(QString::fromLatin1(aug->displayName), list[p]);
            QCOMPARE(FindAugListIndex(QString::fromLatin1(aug->className)), p);
            QVERIFY(augFitsSlot(QString::fromLatin1(aug->className), slot));
        }
    }
}

void TestAugmentations::findAugSlot_data()
{
    QTest::addColumn<QString>("filled");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("slot");

    // clang-format off
    QTest::newRow("empty name") << "" << "" << 9;
    QTest::newRow("AugDefense") << "" << "AugDefense" << 0;
    QTest::newRow("AugDrone") << "" << "AugDrone" << 0;
    QTest::newRow("AugCombat") << "" << "AugCombat" << 1;
    QTest::newRow("AugMuscle") << "" << "AugMuscle" << 1;
    QTest::newRow("AugTarget") << "" << "AugTarget" << 2;
    QTest::newRow("AugVision") << "" << "AugVision" << 2;
    QTest::newRow("AugStealth") << "" << "AugStealth" << 3;
    QTest::newRow("AugSpeed") << "" << "AugSpeed" << 3;
    QTest::newRow("cranial already taken") << "0=AugDrone" << "AugDefense" << 0;
    QTest::newRow("legs already taken") << "3=AugSpeed" << "AugSpeed" << 3;

    QTest::newRow("torso empty") << "" << "AugHealing" << 4;
    QTest::newRow("torso after 4") << "4=AugPower" << "AugHealing" << 5;
    QTest::newRow("torso after 4, 5") << "4=AugPower 5=AugShield" << "AugHealing" << 6;
    QTest::newRow("torso gap at 5") << "4=AugPower 6=AugShield" << "AugAquaLung" << 5;
    QTest::newRow("torso same class twice") << "4=AugShield" << "AugShield" << 5;
    QTest::newRow("subdermal empty") << "" << "AugRadarTrans" << 7;
    QTest::newRow("subdermal after 7") << "7=AugCloak" << "AugEMP" << 8;
    QTest::newRow("subdermal gap at 7") << "8=AugCloak" << "AugBallistic" << 7;

    // No slot, and nothing else disturbed.
    QTest::newRow("torso full") << "4=AugPower 5=AugShield 6=AugEnviro" << "AugHealing" << 9;
    QTest::newRow("subdermal full") << "0=AugDefense 7=AugCloak 8=AugEMP" << "AugBallistic" << 9;
    QTest::newRow("unknown name") << "0=AugDefense" << "AugIcarus" << 9;
    QTest::newRow("lower case") << "" << "augdefense" << 9;
    QTest::newRow("upper case") << "" << "AUGPOWER" << 9;
    QTest::newRow("with package") << "" << "DeusEx.AugPower" << 9;
    // clang-format on
}

void TestAugmentations::findAugSlot()
{
    QFETCH(QString, filled);
    QFETCH(QString, name);
    QFETCH(int, slot);
    const Slots augSlots = slotsWith(filled);
    QCOMPARE(int(FindAugSlot(name, augSlots)), slot);
}

void TestAugmentations::augList_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("0 cranial") << 0 << CranialList;
    QTest::newRow("1 arms") << 1 << ArmsList;
    QTest::newRow("2 eyes") << 2 << EyesList;
    QTest::newRow("3 legs") << 3 << LegsList;
    QTest::newRow("4 torso") << 4 << TorsoList;
    QTest::newRow("5 torso") << 5 << TorsoList;
    QTest::newRow("6 torso") << 6 << TorsoList;
    QTest::newRow("7 subdermal") << 7 << SubdermalList;
    QTest::newRow("8 subdermal") << 8 << SubdermalList;
    QTest::newRow("no slot 9") << 9 << QStringList{u"(none)"_s};
    QTest::newRow("no slot -1") << -1 << QStringList{u"(none)"_s};
}

void TestAugmentations::augList()
{
    QFETCH(int, slot);
    QFETCH(QStringList, entries);
    QCOMPARE(augListOfSlot(slot), entries);

    // The page's list holds the same once the slot is selected.
    if (slot < 0 || slot >= AugSlotCount)
        return;
    AugWindow a;
    a.clickSlot(slot);
    QCOMPARE(itemsOf(a.augList), entries);
}

void TestAugmentations::findAugListIndex_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");
    QTest::newRow("AugPower") << "AugPower" << 6;
    QTest::newRow("AugRadarTrans") << "AugRadarTrans" << 4;
    QTest::newRow("AugDrone") << "AugDrone" << 2;
    QTest::newRow("AugAquaLung") << "AugAquaLung" << 3;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("unknown") << "AugIcarus" << 0;
    QTest::newRow("lower case") << "augpower" << 0;
}

void TestAugmentations::findAugListIndex()
{
    QFETCH(QString, name);
    QFETCH(int, position);
    QCOMPARE(int(FindAugListIndex(name)), position);
}

void TestAugmentations::slotImagesAreDistinct()
{
    QList<QImage> images;
    for (int number = 1; number <= AugImageCount; ++number) {
        const QImage image = slotImage(number);
        QCOMPARE(image.size(), QSize(52, 52));
        // On black, with something light drawn on it.
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::black));
        int light = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                light += qGray(image.pixel(x, y)) > 160 ? 1 : 0;
        }
        QVERIFY2(light > 50, qPrintable(QString::number(number)));
        for (int other = 0; other < images.size(); ++other)
            QVERIFY2(image != images[other], qPrintable(QStringLiteral("%1 = %2").arg(number).arg(other + 1)));
        images.append(image);
    }
}

void TestAugmentations::startState()
{
    AugWindow a;
    QCOMPARE(a.images(), QList<int>(AugSlotCount, EmptySlotImage));
    QCOMPARE(shownImage(a.picture(3)), slotImage(EmptySlotImage));
    QVERIFY(a.visibleOutlines().isEmpty());
    QCOMPARE(a.augList->count(), 0);
    QCOMPARE(itemsOf(a.levelList), (QStringList{u"Tech-1"_s, u"Tech-2"_s, u"Tech-3"_s, u"Tech-4"_s}));
    QCOMPARE(a.levelList->currentIndex(), -1);
    QCOMPARE(a.augLevels(), (std::array<qint16, AugSlotCount>{}));

    const QStringList captions{u"Cranial"_s, u"Arms"_s, u"Eyes"_s, u"Legs"_s, u"Torso"_s, u"Subdermal"_s};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(a.page->findChild<QGroupBox*>(QStringLiteral("frmPart(%1)").arg(i))->title(), captions[i]);

    QSet<QString> names;
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        SlotPicture* picture = a.picture(slot);
        QCOMPARE(picture->size(), QSize(52, 52));
        QVERIFY(!picture->accessibleName().isEmpty());
        names.insert(picture->accessibleName());
        // A graphic to assistive technology, with the slot's name.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(picture);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Graphic);
        QCOMPARE(accessible->text(QAccessible::Name), picture->accessibleName());
        // The outline runs one pixel outside the picture, in the same frame.
        QCOMPARE(a.outline(slot)->parentWidget(), picture->parentWidget());
        QCOMPARE(a.outline(slot)->geometry(), picture->geometry().adjusted(-1, -1, 1, 1));
    }
    QCOMPARE(names.size(), AugSlotCount);
    QCOMPARE(a.picture(6)->parentWidget()->objectName(), QStringLiteral("frmPart(4)"));
    QCOMPARE(a.picture(8)->parentWidget()->objectName(), QStringLiteral("frmPart(5)"));
}

void TestAugmentations::levelBeforeAnySlotGoesToSlot0()
{
    AugWindow a;
    a.pickLevel(QStringLiteral("Tech-3"));
    QCOMPARE(a.augLevels()[0], qint16(2));
    QCOMPARE(a.augSlots(), Slots{});
    QVERIFY(a.visibleOutlines().isEmpty());

    // Slot 0 shows it once selected.
    a.clickSlot(0);
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-3"));
    QCOMPARE(a.augList->currentText(), QStringLiteral("(none)"));
}

void TestAugmentations::chooseAqualungInSlot5()
{
    AugWindow a;
    a.clickSlot(5);
    QCOMPARE(a.visibleOutlines(), QList<int>{5});
    QCOMPARE(itemsOf(a.augList), TorsoList);
    QCOMPARE(a.augList->currentText(), QStringLiteral("(none)"));
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-1"));

    a.pickAug(QStringLiteral("Aqualung"));
    QCOMPARE(a.augSlots()[5], QStringLiteral("AugAquaLung"));
    QCOMPARE(a.picture(5)->image(), 2);
    QCOMPARE(shownImage(a.picture(5)), slotImage(2));
    QCOMPARE(a.picture(5)->accessibleDescription(), QStringLiteral("Aqualung"));
    QCOMPARE(a.augSlots(), slotsWith(QStringLiteral("5=AugAquaLung")));

    // Another slot of the same part starts empty, and slot 5 keeps its choice
    // when selected again.
    a.clickSlot(4);
    QCOMPARE(a.visibleOutlines(), QList<int>{4});
    QCOMPARE(a.augList->currentText(), QStringLiteral("(none)"));
    a.clickSlot(5);
    QCOMPARE(a.augList->currentText(), QStringLiteral("Aqualung"));
    QCOMPARE(a.augSlots(), slotsWith(QStringLiteral("5=AugAquaLung")));
}

void TestAugmentations::noneEmptiesSlotButKeepsLevel()
{
    AugWindow a;
    a.clickSlot(1);
    a.pickAug(QStringLiteral("Combat Strength"));
    a.pickLevel(QStringLiteral("Tech-4"));
    QCOMPARE(a.picture(1)->image(), 5);

    a.pickAug(QStringLiteral("(none)"));
    QCOMPARE(a.augSlots()[1], QString());
    QCOMPARE(a.picture(1)->image(), EmptySlotImage);
    QCOMPARE(a.augLevels()[1], qint16(3));

    a.clickSlot(2);
    a.clickSlot(1);
    QCOMPARE(a.augList->currentText(), QStringLiteral("(none)"));
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-4"));
    QCOMPARE(a.savedAugs(), QString());
}

void TestAugmentations::levelBelongsToSlot()
{
    AugWindow a;
    // Kept across a change of augmentation.
    a.clickSlot(4);
    a.pickAug(QStringLiteral("Regeneration"));
    a.pickLevel(QStringLiteral("Tech-2"));
    a.pickAug(QStringLiteral("Power Recirculator"));
    QCOMPARE(a.augSlots()[4], QStringLiteral("AugPower"));
    QCOMPARE(a.augLevels()[4], qint16(1));
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-2"));

    // Kept across selecting other slots, each showing its own.
    a.clickSlot(2);
    a.pickLevel(QStringLiteral("Tech-4"));
    a.clickSlot(3);
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-1"));
    a.clickSlot(2);
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-4"));
    a.clickSlot(4);
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-2"));
    QCOMPARE(a.augLevels(), (std::array<qint16, AugSlotCount>{0, 0, 3, 0, 1, 0, 0, 0, 0}));
}

void TestAugmentations::sameClassInTwoTorsoSlots()
{
    AugWindow a;
    a.clickSlot(4);
    a.pickAug(QStringLiteral("Energy Shield"));
    a.pickLevel(QStringLiteral("Tech-2"));
    a.clickSlot(6);
    a.pickAug(QStringLiteral("Energy Shield"));
    a.pickLevel(QStringLiteral("Tech-4"));

    QCOMPARE(a.augSlots(), slotsWith(QStringLiteral("4=AugShield 6=AugShield")));
    QCOMPARE(a.images()[4], 7);
    QCOMPARE(a.images()[6], 7);
    a.clickSlot(4);
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-2"));
    a.clickSlot(6);
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-4"));
    QCOMPARE(a.savedAugs(), QStringLiteral("DeusEx.AugShield(1);DeusEx.AugShield(3);;"));
}

void TestAugmentations::clickingSelectedSlotChangesNothing()
{
    AugWindow a;
    a.clickSlot(7);
    a.pickAug(QStringLiteral("Cloak"));
    a.pickLevel(QStringLiteral("Tech-3"));
    const Slots slotsBefore = a.augSlots();
    const auto levelsBefore = a.augLevels();
    const QList<int> imagesBefore = a.images();

    a.clickSlot(7);
    QCOMPARE(a.augSlots(), slotsBefore);
    QCOMPARE(a.augLevels(), levelsBefore);
    QCOMPARE(a.images(), imagesBefore);
    QCOMPARE(a.visibleOutlines(), QList<int>{7});
    QCOMPARE(itemsOf(a.augList), SubdermalList);
    QCOMPARE(a.augList->currentText(), QStringLiteral("Cloak"));
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-3"));
}

void TestAugmentations::slotIsSelectedOnRelease()
{
    AugWindow a;
    SlotPicture* picture = a.picture(4);
    const QPoint inside = picture->rect().center();

    // Pressed, dragged off and released elsewhere: no click.
    QTest::mousePress(picture, Qt::LeftButton, {}, inside);
    QVERIFY(a.visibleOutlines().isEmpty());
    QTest::mouseMove(picture, inside + QPoint(picture->width(), 0));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, inside + QPoint(picture->width(), 0));
    QVERIFY(a.visibleOutlines().isEmpty());
    QCOMPARE(a.augList->count(), 0);

    // Pressed and released over it: the slot is selected on the release.
    QTest::mousePress(picture, Qt::LeftButton, {}, inside);
    QVERIFY(a.visibleOutlines().isEmpty());
    QTest::mouseRelease(picture, Qt::LeftButton, {}, inside);
    QCOMPARE(a.visibleOutlines(), QList<int>{4});
}

void TestAugmentations::keyboardSelectsSlot()
{
    AugWindow a;
    SlotPicture* picture = a.picture(3);
    QCOMPARE(picture->focusPolicy(), Qt::StrongFocus);
    picture->setFocus();
    QTest::keyClick(picture, Qt::Key_Space);
    QCOMPARE(a.visibleOutlines(), QList<int>{3});
    QCOMPARE(itemsOf(a.augList), LegsList);
    QTest::keyClick(a.picture(8), Qt::Key_Return);
    QCOMPARE(a.visibleOutlines(), QList<int>{8});
}

void TestAugmentations::refreshAfterDirectChanges()
{
    // What Open does: the page takes the slots and selects every slot in
    // turn, ending with slot 0; selecting them all again changes nothing.
    AugWindow a;
    ModDefinition mod;
    mod.augSlots = slotsWith(QStringLiteral("0=AugDrone 2=AugVision 5=AugEnviro 8=AugRadarTrans"));
    mod.augLevels = {1, 0, 2, 0, 0, 3, 0, 0, 1};
    a.w.document().setMod(mod);
    const Slots stored = mod.augSlots;
    const auto levels = mod.augLevels;
    for (int slot = 0; slot < AugSlotCount; ++slot)
        a.clickSlot(slot);
    a.clickSlot(0);

    QCOMPARE(a.augSlots(), stored);
    QCOMPARE(a.augLevels(), levels);
    QCOMPARE(a.images(), (QList<int>{15, 19, 18, 19, 19, 8, 19, 19, 11}));
    QCOMPARE(a.visibleOutlines(), QList<int>{0});
    QCOMPARE(itemsOf(a.augList), CranialList);
    QCOMPARE(a.augList->currentText(), QStringLiteral("Spy Drone"));
    QCOMPARE(a.levelList->currentText(), QStringLiteral("Tech-2"));
}

void TestAugmentations::levelFromFileOutsideList_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("above") << 7;
    QTest::newRow("negative") << -3;
    QTest::newRow("largest") << 32767;
}

void TestAugmentations::levelFromFileOutsideList()
{
    QFETCH(int, level);
    AugWindow a;
    // The slot selected before shows a level, so selecting the odd one
    // clears the level list's selection.
    ModDefinition mod;
    mod.augSlots[2] = QStringLiteral("AugVision");
    mod.augLevels[2] = static_cast<qint16>(level);
    a.w.document().setMod(mod);
    a.clickSlot(1);
    a.pickLevel(QStringLiteral("Tech-2"));

    a.clickSlot(2);
    QCOMPARE(a.levelList->currentIndex(), -1);
    QCOMPARE(int(a.augLevels()[2]), level);
    QCOMPARE(a.augLevels()[1], qint16(1));
    QCOMPARE(a.augList->currentText(), QStringLiteral("Vision Enhancement"));
    a.clickSlot(1);
    a.clickSlot(2);
    QCOMPARE(int(a.augLevels()[2]), level);
    QCOMPARE(a.savedAugs(), QStringLiteral("DeusEx.AugVision(%1);;").arg(level));

    // A level the user picks replaces it.
    a.pickLevel(QStringLiteral("Tech-1"));
    QCOMPARE(a.augLevels()[2], qint16(0));
}

void TestAugmentations::classOfAnotherPart_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("held");
    QTest::addColumn<int>("image");
    // Position 6 lies past the end of the Cranial list; position 2 of the
    // Arms list would read as Microfibral Muscle.
    QTest::newRow("torso class in cranial slot") << 0 << "AugPower" << 10;
    QTest::newRow("cranial class in arms slot") << 1 << "AugDrone" << 15;
    QTest::newRow("subdermal class in torso slot") << 4 << "AugCloak" << 4;
    QTest::newRow("unknown class") << 7 << "AugIcarus" << EmptySlotImage;
}

void TestAugmentations::classOfAnotherPart()
{
    QFETCH(int, slot);
    QFETCH(QString, held);
    QFETCH(int, image);
    AugWindow a;
    ModDefinition mod;
    mod.augSlots[static_cast<std::size_t>(slot)] = held;
    a.w.document().setMod(mod);
    a.clickSlot(slot);
    QCOMPARE(a.augSlots()[static_cast<std::size_t>(slot)], held);
    QCOMPARE(a.augList->currentIndex(), -1);
    QCOMPARE(a.picture(slot)->image(), image);
    a.clickSlot(slot);
    QCOMPARE(a.augSlots()[static_cast<std::size_t>(slot)], held);

    // Picking an entry of the slot's own list replaces it.
    a.pickAug(a.augList->itemText(1));
    QVERIFY(augFitsSlot(a.augSlots()[static_cast<std::size_t>(slot)], slot));
    QVERIFY(a.augSlots()[static_cast<std::size_t>(slot)] != held);
}

void TestAugmentations::saveWritesFilledSlotsInOrder()
{
    AugWindow a;
    // Filled out of order; slot 1 had an augmentation and lost it again.
    a.clickSlot(8);
    a.pickAug(QStringLiteral("EMP Shield"));
    a.pickLevel(QStringLiteral("Tech-4"));
    a.clickSlot(1);
    a.pickAug(QStringLiteral("Microfibral Muscle"));
    a.pickLevel(QStringLiteral("Tech-2"));
    a.pickAug(QStringLiteral("(none)"));
    a.clickSlot(0);
    a.pickAug(QStringLiteral("Aggressive Defense System"));
    a.clickSlot(5);
    a.pickAug(QStringLiteral("Synthetic Heart"));
    a.pickLevel(QStringLiteral("Tech-3"));
    a.clickSlot(3);
    a.pickAug(QStringLiteral("Run Silent"));

    QCOMPARE(a.savedAugs(),
             QStringLiteral("DeusEx.AugDefense(0);DeusEx.AugStealth(0);DeusEx.AugHeartLung(2);DeusEx.AugEMP(3);;"));
    // Saving leaves the page as it was.
    QCOMPARE(a.visibleOutlines(), QList<int>{3});
    QCOMPARE(a.augList->currentText(), QStringLiteral("Run Silent"));
}

QTEST_MAIN(TestAugmentations)
#include "test_augmentations.moc"
