#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <span>

// The nine body-part slots, 0 to 8, and the six body parts they belong to.
inline constexpr int AugSlotCount = 9;
inline constexpr int BodyPartCount = 6;

// The body parts, in the order of their frames frmPart(0) to frmPart(5).
enum class BodyPart
{
    Cranial,
    Arms,
    Eyes,
    Legs,
    Torso,
    Subdermal,
};

// The slots of one body part: slots firstSlot to firstSlot + slotCount - 1,
// shown left to right in the frame captioned `caption`.
struct BodyPartSlots
{
    BodyPart part;
    const char* caption;
    int firstSlot;
    int slotCount;
};

// One augmentation the game knows. The class goes into the mod file as
// "DeusEx.<className>"; the list position is its entry in its body part's
// list, after "(none)" at position 0; the image is the 1-based number of its
// slot picture.
struct Augmentation
{
    const char* className;
    const char* displayName;
    BodyPart part;
    int listPosition;
    int image;
};

// Not a slot: the answer for a name that has no place.
inline constexpr qint16 NoAugSlot = AugSlotCount;

// The first entry of every augmentation list, and the picture of an empty slot.
inline constexpr char NoAugmentationEntry[] = "(none)";
inline constexpr int EmptySlotImage = 19;
inline constexpr int AugImageCount = 19;

// The tech levels in the order of the level list; a slot's level is the
// position of its name here, and the mod file stores that position.
inline constexpr std::array<const char*, 4> TechLevelNames{"Tech-1", "Tech-2", "Tech-3", "Tech-4"};

std::span<const BodyPartSlots> bodyPartTable();
std::span<const Augmentation> augmentationTable();

// The body part a slot belongs to; nothing for a number that is no slot.
const BodyPartSlots* bodyPartOfSlot(int slot);

// The catalogue entry of a class name, compared exactly; nothing for the
// empty name and for names the catalogue does not know.
const Augmentation* findAugmentation(const QString& className);

// The slot that an augmentation read from a mod file goes into, given what
// the slots hold already. A single-slot body part answers its slot even when
// it is taken, so the later entry wins; a Torso or Subdermal class takes the
// first empty slot of its part. The empty name, a name the catalogue does not
// know, and a class whose slots are all taken get NoAugSlot: such a name must
// never push aside the augmentation of another body part.
qint16 FindAugSlot(const QString& className, const std::array<QString, AugSlotCount>& augSlots);

// The list position of a class in its own body part's list; 0 for the empty
// name and for names the catalogue does not know.
qint16 FindAugListIndex(const QString& className);

// Whether a slot's list offers the class: the empty name fits every slot.
bool augFitsSlot(const QString& className, int slot);

// The entries of a slot's augmentation list: "(none)" and then the display
// names of its body part in list order. A number that is no slot gets "(none)" alone.
QStringList augListOfSlot(int slot);

// The augmentation at a position of a slot's list; nothing for "(none)" and
// for a position the list does not have.
const Augmentation* augAtListPosition(int slot, int position);

// The image of what a slot holds: the empty-slot image for the empty name
// and for names the catalogue does not know.
int augImageOf(const QString& className);
