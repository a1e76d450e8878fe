#include "AugmentationsPage.h"

#include "document/ModDocument.h"
#include "widgets/AssetPictures.h"
#include "widgets/Layout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <utility>

namespace {

// The slot images are drawn at the size of a slot picture.
constexpr QSize SlotImageSize(52, 52);

const QString EmptySlotDescription = QStringLiteral("Empty");

QString slotImageResource(int number)
{
    return QStringLiteral(":/augs/%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

void SlotPicture::setImage(int number, const QString& description)
{
    m_image = number;
    setPicture(assetIcon(slotImageResource(number), SlotImageSize));
    setAccessibleDescription(description);
}

void SlotPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        return;
    }
    PictureBox::mousePressEvent(event);
}

void SlotPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const bool click = std::exchange(m_pressed, false) && rect().contains(event->position().toPoint());
        if (click)
            emit clicked();
        return;
    }
    PictureBox::mouseReleaseEvent(event);
}

void SlotPicture::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    PictureBox::keyPressEvent(event);
}

void SlotPicture::paintEvent(QPaintEvent* event)
{
    PictureBox::paintEvent(event);
    if (!hasFocus())
        return;
    // A picture has no focus frame of its own; a dotted rectangle on the
    // black image shows keyboard users where they are.
    QPainter painter(this);
    QPen pen(Qt::white);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

namespace {

// Where the frame of each body part stands, and its keyboard order; which
// slots it holds comes from the catalogue.
struct PartFrame
{
    BodyPart part;
    QRect geometry;
    int tab;
};

const std::array<PartFrame, BodyPartCount> PartFrames{{
    {BodyPart::Cranial, twips(120, 240, 1025, 1135), 29},
    {BodyPart::Eyes, twips(1320, 240, 1035, 1135), 33},
    {BodyPart::Torso, twips(2520, 240, 2715, 1135), 25},
    {BodyPart::Arms, twips(120, 1560, 1035, 1135), 41},
    {BodyPart::Legs, twips(1320, 1560, 1035, 1135), 31},
    {BodyPart::Subdermal, twips(2520, 1560, 1875, 1140), 35},
}};

// The lists of the selected slot, below the frames.
namespace Design {
constexpr ControlDesign Label6{"Label6", 195, 3120, 1095, 255, 39, "Augmentation:"};
constexpr ControlDesign cboAugList{"cboAugList", 120, 3360, 2415, 315, 24};
constexpr ControlDesign Label7{"Label7", 3120, 3120, 495, 255, 40, "Level:"};
constexpr ControlDesign cboLevel{"cboLevel", 3120, 3360, 975, 315, 38};
} // namespace Design

// Pictures stand left to right inside their frame; each outline sits one
// pixel outside its picture all round.
constexpr std::array<int, 3> PictureLeft{120, 960, 1800};
constexpr int PictureTop = 240;
constexpr int PictureSize = 780;
constexpr int OutlineSize = 810;

QString slotAccessibleName(const BodyPartSlots& part, int k)
{
    const QString caption = QString::fromLatin1(part.caption);
    if (part.slotCount == 1)
        return QStringLiteral("%1 slot").arg(caption);
    return QStringLiteral("%1 slot %2").arg(caption).arg(k + 1);
}

} // namespace

AugmentationsPage::AugmentationsPage(ModDocument& document, QWidget* parent) : QFrame(parent), m_document(document)
{
    setObjectName(QStringLiteral("frmAugmentations"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Augmentations"));

    for (const PartFrame& frameDesign : PartFrames) {
        const int index = static_cast<int>(frameDesign.part);
        const BodyPartSlots& part = bodyPartTable()[static_cast<std::size_t>(index)];
        auto* frame = place<QGroupBox>(this, indexedName("frmPart", index), frameDesign.geometry, frameDesign.tab,
                                       QString::fromLatin1(part.caption));
        for (int k = 0; k < part.slotCount; ++k) {
            const int slot = part.firstSlot + k;
            const auto at = static_cast<std::size_t>(slot);
            const int left = PictureLeft[static_cast<std::size_t>(k)];
            auto* outline = place<QFrame>(frame, indexedName("shpSelectPart", slot),
                                          twips(left - 10, PictureTop - 10, OutlineSize, OutlineSize), -1);
            outline->setStyleSheet(QStringLiteral("QFrame { border: 1px solid rgb(0, 0, 192); }"));
            outline->hide();
            shpSelectPart[at] = outline;

            auto* picture = place<SlotPicture>(frame, indexedName("picPart", slot),
                                               twips(left, PictureTop, PictureSize, PictureSize), frameDesign.tab);
            picture->setFocusPolicy(Qt::StrongFocus);
            picture->setAccessibleName(slotAccessibleName(part, k));
            picPart[at] = picture;
            connect(picture, &SlotPicture::clicked, this, [this, slot] { picPart_Click(slot); });
        }
    }

    auto* Label6 = place<QLabel>(this, Design::Label6);
    cboAugList = place<QComboBox>(this, Design::cboAugList);
    Label6->setBuddy(cboAugList);
    auto* Label7 = place<QLabel>(this, Design::Label7);
    cboLevel = place<QComboBox>(this, Design::cboLevel);
    Label7->setBuddy(cboLevel);

    // Built: the levels with none chosen, each slot's picture as the
    // document has it, no slot selected. A combo box selects its first item
    // as soon as it gets one, so the choice is taken back before anyone
    // listens.
    for (const char* level : TechLevelNames)
        cboLevel->addItem(QString::fromLatin1(level));
    cboLevel->setCurrentIndex(-1);
    for (int slot = 0; slot < AugSlotCount; ++slot)
        showSlotImage(slot);

    connect(cboAugList, &QComboBox::currentIndexChanged, this, &AugmentationsPage::cboAugList_Click);
    connect(cboLevel, &QComboBox::currentIndexChanged, this, &AugmentationsPage::cboLevel_Click);
    connect(&m_document, &ModDocument::modReplaced, this, &AugmentationsPage::showMod);
}

void AugmentationsPage::showMod()
{
    // Slot 0 comes last, so it ends up selected.
    for (int slot = AugSlotCount - 1; slot >= 0; --slot)
        picPart_Click(slot);
}

void AugmentationsPage::picPart_Click(int index)
{
    if (index < 0 || index >= AugSlotCount)
        return;
    const auto slot = static_cast<std::size_t>(index);
    for (QFrame* outline : shpSelectPart)
        outline->hide();
    shpSelectPart[slot]->show();

    // The choice handlers write into the current slot, so it changes before
    // the lists do.
    m_currentSlot = static_cast<qint16>(index);
    FillAugList(index);

    // A class of another body part, or one the catalogue does not know, has no
    // entry in this list. Selecting its list position would turn it into a
    // different augmentation, so it stays as it is with nothing selected
    // until the user picks an entry.
    const QString held = m_document.mod().augSlots[slot];
    if (augFitsSlot(held, index)) {
        cboAugList->setCurrentIndex(FindAugListIndex(held));
    } else {
        cboAugList->setCurrentIndex(-1);
        showSlotImage(index);
    }

    // Only a mod file can bring a level that the list has no entry for: it is
    // kept, and the list shows none; the level handler ignores the cleared
    // selection.
    const int level = m_document.mod().augLevels[slot];
    cboLevel->setCurrentIndex(level >= 0 && level < cboLevel->count() ? level : -1);
}

void AugmentationsPage::cboAugList_Click()
{
    if (m_currentSlot < 0 || m_currentSlot >= AugSlotCount)
        return;
    const auto slot = static_cast<std::size_t>(m_currentSlot);
    const int p = cboAugList->currentIndex();
    if (p == 0) {
        m_document.editMod([slot](ModDefinition& mod) { mod.augSlots[slot].clear(); });
        showSlotImage(m_currentSlot);
        return;
    }
    const Augmentation* aug = augAtListPosition(m_currentSlot, p);
    if (!aug)
        return;
    m_document.editMod([slot, aug](ModDefinition& mod) { mod.augSlots[slot] = QString::fromLatin1(aug->className); });
    showSlotImage(m_currentSlot);
}

void AugmentationsPage::cboLevel_Click()
{
    const int p = cboLevel->currentIndex();
    if (p < 0 || m_currentSlot < 0 || m_currentSlot >= AugSlotCount)
        return;
    const auto slot = static_cast<std::size_t>(m_currentSlot);
    m_document.editMod([slot, p](ModDefinition& mod) { mod.augLevels[slot] = static_cast<qint16>(p); });
}

void AugmentationsPage::FillAugList(int slot)
{
    // Filling is no pick: the list would otherwise select "(none)" on its
    // first item and empty the slot being shown.
    const QSignalBlocker blocker(cboAugList);
    cboAugList->clear();
    cboAugList->addItems(augListOfSlot(slot));
    cboAugList->setCurrentIndex(-1);
}

void AugmentationsPage::showSlotImage(int slot)
{
    const QString& held = m_document.mod().augSlots[static_cast<std::size_t>(slot)];
    const Augmentation* aug = findAugmentation(held);
    QString description;
    if (aug)
        description = QString::fromLatin1(aug->displayName);
    else if (held.isEmpty())
        description = EmptySlotDescription;
    else
        description = held;
    picPart[static_cast<std::size_t>(slot)]->setImage(augImageOf(held), description);
}
