#include "AugmentationCatalogue.h"

#include <algorithm>

namespace {

constexpr std::array<BodyPartSlots, BodyPartCount> BodyParts{{
    {BodyPart::Cranial, "Cranial", 0, 1},
    {BodyPart::Arms, "Arms", 1, 1},
    {BodyPart::Eyes, "Eyes", 2, 1},
    {BodyPart::Legs, "Legs", 3, 1},
    {BodyPart::Torso, "Torso", 4, 3},
    {BodyPart::Subdermal, "Subdermal", 7, 2},
}};

// Each body part's entries stand in the order its list shows them, which is
// not alphabetical; the images are numbered in the alphabetical order of the
// display names.
constexpr std::array<Augmentation, 18> Augmentations{{
    {"AugDefense", "Aggressive Defense System", BodyPart::Cranial, 1, 1},
    {"AugDrone", "Spy Drone", BodyPart::Cranial, 2, 15},
    {"AugCombat", "Combat Strength", BodyPart::Arms, 1, 5},
    {"AugMuscle", "Microfibral Muscle", BodyPart::Arms, 2, 9},
    {"AugTarget", "Targeting", BodyPart::Eyes, 1, 17},
    {"AugVision", "Vision Enhancement", BodyPart::Eyes, 2, 18},
    {"AugStealth", "Run Silent", BodyPart::Legs, 1, 13},
    {"AugSpeed", "Speed Enhancement", BodyPart::Legs, 2, 14},
    {"AugHealing", "Regeneration", BodyPart::Torso, 1, 12},
    {"AugShield", "Energy Shield", BodyPart::Torso, 2, 7},
    {"AugAquaLung", "Aqualung", BodyPart::Torso, 3, 2},
    {"AugEnviro", "Environmental Resistance", BodyPart::Torso, 4, 8},
    {"AugHeartLung", "Synthetic Heart", BodyPart::Torso, 5, 16},
    {"AugPower", "Power Recirculator", BodyPart::Torso, 6, 10},
    {"AugBallistic", "Ballistic Protection", BodyPart::Subdermal, 1, 3},
    {"AugEMP", "EMP Shield", BodyPart::Subdermal, 2, 6},
    {"AugCloak", "Cloak", BodyPart::Subdermal, 3, 4},
    {"AugRadarTrans", "Radar Transparency", BodyPart::Subdermal, 4, 11},
}};

// The frames follow the order of the body parts, and the slots run 0 to
// AugSlotCount - 1 through them without a gap.
constexpr bool slotTableIsWhole()
{
    int next = 0;
    for (std::size_t i = 0; i < BodyParts.size(); ++i) {
        if (static_cast<std::size_t>(BodyParts[i].part) != i || BodyParts[i].firstSlot != next ||
            BodyParts[i].slotCount < 1)
            return false;
        next += BodyParts[i].slotCount;
    }
    return next == AugSlotCount && NoAugSlot == AugSlotCount;
}
static_assert(slotTableIsWhole());

// Every body part's list counts 1, 2, 3 ... in table order, and every image
// of 1 to 18 belongs to exactly one augmentation.
constexpr bool augmentationTableIsWhole()
{
    std::array<int, BodyParts.size()> lastPosition{};
    std::array<int, AugImageCount + 1> imageUses{};
    for (const Augmentation& a : Augmentations) {
        int& last = lastPosition[static_cast<std::size_t>(a.part)];
        if (a.listPosition != last + 1)
            return false;
        last = a.listPosition;
        if (a.image < 1 || a.image >= EmptySlotImage)
            return false;
        ++imageUses[static_cast<std::size_t>(a.image)];
    }
    for (int image = 1; image < EmptySlotImage; ++image) {
        if (imageUses[static_cast<std::size_t>(image)] != 1)
            return false;
    }
    return EmptySlotImage == AugImageCount;
}
static_assert(augmentationTableIsWhole());

} // namespace

std::span<const BodyPartSlots> bodyPartTable()
{
    return BodyParts;
}

std::span<const Augmentation> augmentationTable()
{
    return Augmentations;
}

const BodyPartSlots* bodyPartOfSlot(int slot)
{
    for (const BodyPartSlots& part : BodyParts) {
        if (slot >= part.firstSlot && slot < part.firstSlot + part.slotCount)
            return &part;
    }
    return nullptr;
}

const Augmentation* findAugmentation(const QString& className)
{
    if (className.isEmpty())
        return nullptr;
    const auto found = std::find_if(Augmentations.begin(), Augmentations.end(),
                                    [&](const Augmentation& a) { return className == QLatin1String(a.className); });
    return found != Augmentations.end() ? &*found : nullptr;
}

qint16 FindAugSlot(const QString& className, const std::array<QString, AugSlotCount>& augSlots)
{
    const Augmentation* aug = findAugmentation(className);
    if (!aug)
        return NoAugSlot;
    const BodyPartSlots& part = BodyParts[static_cast<std::size_t>(aug->part)];
    if (part.slotCount == 1)
        return static_cast<qint16>(part.firstSlot);
    for (int slot = part.firstSlot; slot < part.firstSlot + part.slotCount; ++slot) {
        if (augSlots[static_cast<std::size_t>(slot)].isEmpty())
            return static_cast<qint16>(slot);
    }
    return NoAugSlot;
}

qint16 FindAugListIndex(const QString& className)
{
    const Augmentation* aug = findAugmentation(className);
    return aug ? static_cast<qint16>(aug->listPosition) : qint16(0);
}

bool augFitsSlot(const QString& className, int slot)
{
    const BodyPartSlots* part = bodyPartOfSlot(slot);
    if (!part)
        return false;
    if (className.isEmpty())
        return true;
    const Augmentation* aug = findAugmentation(className);
    return aug && aug->part == part->part;
}

QStringList augListOfSlot(int slot)
{
    QStringList entries{QString::fromLatin1(NoAugmentationEntry)};
    const BodyPartSlots* part = bodyPartOfSlot(slot);
    if (!part)
        return entries;
    for (const Augmentation& a : Augmentations) {
        if (a.part == part->part)
            entries.append(QString::fromLatin1(a.displayName));
    }
    return entries;
}

const Augmentation* augAtListPosition(int slot, int position)
{
    const BodyPartSlots* part = bodyPartOfSlot(slot);
    if (!part || position < 1)
        return nullptr;
    for (const Augmentation& a : Augmentations) {
        if (a.part == part->part && a.listPosition == position)
            return &a;
    }
    return nullptr;
}

int augImageOf(const QString& className)
{
    const Augmentation* aug = findAugmentation(className);
    return aug ? aug->image : EmptySlotImage;
}
