#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>

#include <array>

class QComboBox;
class QGroupBox;

// A slot picture that acts on a click, like a button.
class SlotPicture : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The Augmentations page: nine body-part slots in six frames, and the
// augmentation and level lists of the selected slot. The slots' state belongs
// to the main window; the page edits it in place.
class AugmentationsPage : public QFrame
{
    Q_OBJECT
public:
    AugmentationsPage(std::array<QString, 9>& augSlots, std::array<qint16, 9>& augLevels, qint16& currentSlot,
                      QWidget* parent);

    void picPart_Click(int Index);
    void cboAugList_Click();
    void cboLevel_Click();
    void FillAugList(int slot);

    std::array<QGroupBox*, 6> frmPart{};
    std::array<SlotPicture*, 9> picPart{};
    std::array<QFrame*, 9> shpSelectPart{};
    QLabel* Label6 = nullptr;
    QComboBox* cboAugList = nullptr;
    QLabel* Label7 = nullptr;
    QComboBox* cboLevel = nullptr;

private:
    std::array<QString, 9>& AugSlots;
    std::array<qint16, 9>& AugLevels;
    qint16& CurrentSlot;
};
