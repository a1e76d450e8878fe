#pragma once

#include "mod/AugmentationCatalogue.h"

#include "widgets/PictureBox.h"

#include <QFrame>
#include <QString>

#include <array>

class ModDocument;
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
// augmentation and level lists of the selected slot. It shows the document's
// slots and writes each pick back; which slot is selected is the page's own.
class AugmentationsPage : public QFrame
{
    Q_OBJECT
public:
    AugmentationsPage(ModDocument& document, QWidget* parent);

private:
    // A mod replaced whole: each slot's picture and the lists come into line,
    // ending with slot 0 selected.
    void showMod();
    // Selects a slot and refreshes its lists and picture; a number that is
    // no slot changes nothing.
    void picPart_Click(int index);
    // Puts the choices of a slot's body part into the augmentation list,
    // with nothing selected.
    void FillAugList(int slot);
    // The selected slot takes the picked augmentation, or is emptied by "(none)".
    void cboAugList_Click();
    // The selected slot takes the picked level.
    void cboLevel_Click();
    void showSlotImage(int slot);

    std::array<SlotPicture*, AugSlotCount> picPart{};
    std::array<QFrame*, AugSlotCount> shpSelectPart{};
    QComboBox* cboAugList = nullptr;
    QComboBox* cboLevel = nullptr;

    ModDocument& m_document;
    // The slot the lists act on; none is outlined until one is picked or a
    // mod is shown.
    qint16 m_currentSlot = 0;
};
