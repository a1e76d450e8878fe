#pragma once

#include "mod/AugmentationCatalogue.h"

#include "widgets/PictureBox.h"

#include <QFrame>
#include <QString>

#include <array>

struct ModDefinition;
class QComboBox;

// A slot picture that acts on a click, like a button (pressed and released
// over it; dragging off before the release selects nothing), and shows one
// of the numbered slot images.
class SlotPicture : public PictureBox
{
    Q_OBJECT
public:
    using PictureBox::PictureBox;

    // Shows slot image `number` (1 to 19); `description` tells assistive
    // technology what the image stands for.
    void setImage(int number, const QString& description);
    int image() const { return m_image; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_image = 0;
    bool m_pressed = false;
};

// The Augmentations page: nine body-part slots in six frames, and the
// augmentation and level lists of the selected slot. The page holds the
// slots' state; the window moves it in and out with apply and collect.
class AugmentationsPage : public QFrame
{
    Q_OBJECT
public:
    explicit AugmentationsPage(QWidget* parent);

    // The page's part of the mod: every slot's augmentation and level. Apply
    // brings each slot's picture and the lists into line and ends with slot 0
    // selected.
    void apply(const ModDefinition& mod);
    void collect(ModDefinition& mod) const;

    // The augmentation in each slot (class without package, or empty), the
    // level of each slot (0 = "Tech-1"), and the slot selected on the page.
    const std::array<QString, AugSlotCount>& AugSlots() const { return m_augSlots; }
    const std::array<qint16, AugSlotCount>& AugLevels() const { return m_augLevels; }
    qint16 CurrentSlot() const { return m_currentSlot; }

    // Selects a slot and refreshes its lists and picture; a number that is
    // no slot changes nothing.
    void picPart_Click(int index);
    // Puts the choices of a slot's body part into the augmentation list,
    // with nothing selected.
    void FillAugList(int slot);

private:
    // The selected slot takes the picked augmentation, or is emptied by "(none)".
    void cboAugList_Click();
    // The selected slot takes the picked level.
    void cboLevel_Click();
    void showSlotImage(int slot);

    std::array<SlotPicture*, AugSlotCount> picPart{};
    std::array<QFrame*, AugSlotCount> shpSelectPart{};
    QComboBox* cboAugList = nullptr;
    QComboBox* cboLevel = nullptr;

    // As a new mod has them: every slot empty at "Tech-1", slot 0 selected.
    std::array<QString, AugSlotCount> m_augSlots;
    std::array<qint16, AugSlotCount> m_augLevels{};
    qint16 m_currentSlot = 0;
};
