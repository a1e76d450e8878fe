#pragma once

#include "mod/AugmentationCatalogue.h"

#include "widgets/PictureBox.h"

#include <QFrame>
#include <QLabel>
#include <QString>

#include <array>

struct ModDefinition;
class QComboBox;
class QGroupBox;

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
// augmentation and level lists of the selected slot. The slots' state belongs
// to the main window; the page edits it in place.
class AugmentationsPage : public QFrame
{
    Q_OBJECT
public:
    AugmentationsPage(std::array<QString, AugSlotCount>& augSlots, std::array<qint16, AugSlotCount>& augLevels,
                      qint16& currentSlot, QWidget* parent);

    // The page's part of the mod: every slot's augmentation and level. Apply
    // brings each slot's picture and the lists into line and ends with slot 0
    // selected.
    void apply(const ModDefinition& mod);
    void collect(ModDefinition& mod) const;

    // Selects a slot and refreshes its lists and picture.
    void picPart_Click(int Index);
    // The selected slot takes the picked augmentation, or is emptied by "(none)".
    void cboAugList_Click();
    // The selected slot takes the picked level.
    void cboLevel_Click();
    // Puts the choices of a slot's body part into the augmentation list,
    // with nothing selected.
    void FillAugList(int slot);

    std::array<QGroupBox*, BodyPartCount> frmPart{};
    std::array<SlotPicture*, AugSlotCount> picPart{};
    std::array<QFrame*, AugSlotCount> shpSelectPart{};
    QLabel* Label6 = nullptr;
    QComboBox* cboAugList = nullptr;
    QLabel* Label7 = nullptr;
    QComboBox* cboLevel = nullptr;

private:
    void showSlotImage(int slot);

    std::array<QString, AugSlotCount>& AugSlots;
    std::array<qint16, AugSlotCount>& AugLevels;
    qint16& CurrentSlot;
};
