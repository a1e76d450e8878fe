#include "AugmentationsPage.h"

#include "app/Layout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>

void SlotPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

void SlotPicture::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

namespace {

// Frames of the six body parts: caption, geometry, keyboard order, and the
// slots they hold left to right.
struct PartFrame
{
    int index;
    const char* caption;
    QRect geometry;
    int tab;
    std::array<int, 3> slotIndices; // -1 where the frame has fewer pictures
};

const std::array<PartFrame, 6> PartFrames{{
    {0, "Cranial", Twips(120, 240, 1025, 1135), 29, {0, -1, -1}},
    {2, "Eyes", Twips(1320, 240, 1035, 1135), 33, {2, -1, -1}},
    {4, "Torso", Twips(2520, 240, 2715, 1135), 25, {4, 5, 6}},
    {1, "Arms", Twips(120, 1560, 1035, 1135), 41, {1, -1, -1}},
    {3, "Legs", Twips(1320, 1560, 1035, 1135), 31, {3, -1, -1}},
    {5, "Subdermal", Twips(2520, 1560, 1875, 1140), 35, {7, 8, -1}},
}};

constexpr std::array<int, 3> PictureLeft{120, 960, 1800};
constexpr int PictureTop = 240;
constexpr int PictureSize = 780;
constexpr int OutlineSize = 810;

} // namespace

AugmentationsPage::AugmentationsPage(std::array<QString, 9>& augSlots, std::array<qint16, 9>& augLevels,
                                     qint16& currentSlot, QWidget* parent)
    : QFrame(parent), AugSlots(augSlots), AugLevels(augLevels), CurrentSlot(currentSlot)
{
    setObjectName(QStringLiteral("frmAugmentations"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Augmentations"));

    for (const PartFrame& part : PartFrames) {
        auto* frame = Place<QGroupBox>(this, IndexedName("frmPart", part.index), part.geometry, part.tab,
                                       QString::fromLatin1(part.caption));
        frmPart[part.index] = frame;
        for (int k = 0; k < 3; ++k) {
            const int slot = part.slotIndices[k];
            if (slot < 0)
                continue;
            auto* outline = Place<QFrame>(frame, IndexedName("shpSelectPart", slot),
                                          Twips(PictureLeft[k] - 10, PictureTop - 10, OutlineSize, OutlineSize), -1);
            outline->setStyleSheet(QStringLiteral("QFrame { border: 1px solid rgb(0, 0, 192); }"));
            outline->hide();
            shpSelectPart[slot] = outline;

            auto* picture = Place<SlotPicture>(frame, IndexedName("picPart", slot),
                                               Twips(PictureLeft[k], PictureTop, PictureSize, PictureSize), part.tab);
            picture->setFocusPolicy(Qt::StrongFocus);
            picture->setAccessibleName(QStringLiteral("%1 slot %2").arg(QString::fromLatin1(part.caption)).arg(k + 1));
            picPart[slot] = picture;
            connect(picture, &SlotPicture::clicked, this, [this, slot] { picPart_Click(slot); });
        }
    }

    Label6 = Place<QLabel>(this, QStringLiteral("Label6"), Twips(195, 3120, 1095, 255), 39,
                           QStringLiteral("Augmentation:"));
    cboAugList = Place<QComboBox>(this, QStringLiteral("cboAugList"), Twips(120, 3360, 2415, 315), 24);
    Label6->setBuddy(cboAugList);
    Label7 = Place<QLabel>(this, QStringLiteral("Label7"), Twips(3120, 3120, 495, 255), 40, QStringLiteral("Level:"));
    cboLevel = Place<QComboBox>(this, QStringLiteral("cboLevel"), Twips(3120, 3360, 975, 315), 38);
    Label7->setBuddy(cboLevel);

    connect(cboAugList, &QComboBox::currentIndexChanged, this, &AugmentationsPage::cboAugList_Click);
    connect(cboLevel, &QComboBox::currentIndexChanged, this, &AugmentationsPage::cboLevel_Click);
}

void AugmentationsPage::picPart_Click(int Index)
{
    Q_UNUSED(Index);
}

void AugmentationsPage::cboAugList_Click()
{
}

void AugmentationsPage::cboLevel_Click()
{
}

void AugmentationsPage::FillAugList(int slot)
{
    Q_UNUSED(slot);
}
