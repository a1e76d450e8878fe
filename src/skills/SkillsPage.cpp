#include "SkillsPage.h"

#include "LevelSpinner.h"
#include "document/ModDocument.h"
#include "mod/Numeric.h"
#include "widgets/AssetPictures.h"
#include "widgets/Layout.h"
#include "widgets/LostFocusChecks.h"
#include "widgets/ModalInteraction.h"
#include "widgets/PictureBox.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The page's fixed controls; the eleven rows below are built from the skill
// table and the row table.
namespace Design {
constexpr ControlDesign Label20{"Label20", 240, 240, 1335, 255, 78, "Initial Skill Points:"};
constexpr ControlDesign txtSkill{"txtSkill", 1560, 240, 735, 285, 79};
constexpr ControlDesign Label19{
    "Label19", 240, 3480, 3855, 255, NotInTabOrder, "Level: 1=Untrained 2=Trained 3=Advanced 4=Master"};
} // namespace Design

// Where each row of the design stands: label left, top and width; icon left
// and top; level box left and top. The spinner touches the level box.
struct SkillRow
{
    int labelLeft, labelTop, labelWidth;
    int iconLeft, iconTop;
    int textLeft, textTop;
};

constexpr std::array<SkillRow, SkillCount> Rows{{
    {720, 720, 1335, 240, 600, 2400, 680},
    {720, 1200, 1335, 240, 1080, 2400, 1160},
    {720, 1680, 1215, 240, 1560, 2400, 1640},
    {720, 2160, 1575, 240, 2040, 2400, 2120},
    {720, 2640, 1695, 240, 2520, 2400, 2600},
    {720, 3120, 1695, 240, 3000, 2400, 3080},
    {3480, 720, 975, 3000, 600, 4680, 680},
    {3480, 1200, 855, 3000, 1080, 4680, 1160},
    {3480, 1680, 735, 3000, 1560, 4680, 1640},
    {3480, 2160, 735, 3000, 2040, 4680, 2120},
    {3480, 2640, 855, 3000, 2520, 4680, 2600},
}};

constexpr int FirstLabelNumber = 8; // Label8 is the first skill's caption

} // namespace

SkillsPage::SkillsPage(ModalInteraction& ui, LostFocusChecks& focusChecks, ModDocument& document, QWidget* parent)
    : QFrame(parent), m_ui(ui), m_focusChecks(focusChecks), m_document(document)
{
    setObjectName(QStringLiteral("frmSkills"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Skills"));

    auto* Label20 = place<QLabel>(this, Design::Label20);
    txtSkill = place<QLineEdit>(this, Design::txtSkill);
    Label20->setBuddy(txtSkill);

    for (int i = 0; i < SkillCount; ++i) {
        const SkillRow& r = Rows[i];
        const QString caption = QString::fromLatin1(Skills[i].caption);
        const int icon = Skills[i].icon;

        auto* picture =
            place<PictureBox>(this, indexedName("picSkills", icon), twips(r.iconLeft, r.iconTop, 365, 365), -1);
        picture->setPicture(assetIcon(QString::fromLatin1(Skills[i].image), QSize(24, 24)));
        picture->setAccessibleName(caption);

        auto* label = place<QLabel>(this, QStringLiteral("Label%1").arg(FirstLabelNumber + i),
                                    twips(r.labelLeft, r.labelTop, r.labelWidth, 255), -1, caption);

        auto* text = place<QLineEdit>(this, indexedName("txtLevel", i), twips(r.textLeft, r.textTop, 255, 285),
                                      55 + 2 * i, QString::number(MinSkillLevel));
        label->setBuddy(text);
        txtLevel[i] = text;

        auto* spinner = place<LevelSpinner>(this, indexedName("scrlLevel", i),
                                            twips(r.textLeft + 240, r.textTop, 200, 285), 56 + 2 * i);
        spinner->setRange(MinSkillLevel, MaxSkillLevel);
        spinner->setValue(MinSkillLevel);
        spinner->setAccessibleName(caption + QStringLiteral(" level"));
        scrlLevel[i] = spinner;

        connect(spinner, &LevelSpinner::valueChanged, this, [this, i] { scrlLevel_Change(i); });
        m_focusChecks.watch(text, [this, i] { txtLevel_LostFocus(i); });
    }

    place<QLabel>(this, Design::Label19);

    // The page comes into being showing the document as it is; from then on
    // every change of a text reaches the document, a spinner's included.
    showMod();
    connect(txtSkill, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_document.editMod([&](ModDefinition& mod) { mod.skillPoints = text; }); });
    for (int i = 0; i < SkillCount; ++i) {
        connect(txtLevel[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            m_document.editMod([&](ModDefinition& mod) { mod.skillLevels[i] = text; });
        });
    }
    connect(&m_document, &ModDocument::modReplaced, this, &SkillsPage::showMod);
}

void SkillsPage::showMod()
{
    const ModDefinition& mod = m_document.mod();
    txtSkill->setText(mod.skillPoints);
    for (int i = 0; i < SkillCount; ++i)
        txtLevel[i]->setText(mod.skillLevels[i]);
}

void SkillsPage::scrlLevel_Change(int index)
{
    // The spinner keeps its own value; the text only ever follows it.
    txtLevel[index]->setText(QString::number(scrlLevel[index]->value()));
}

void SkillsPage::txtLevel_LostFocus(int index)
{
    const double level = numericValue(txtLevel[index]->text());
    if (level >= MinSkillLevel && level <= MaxSkillLevel)
        return;
    m_ui.tell(this, QStringLiteral("You can only enter a value between 1 and 4"), ModalInteraction::Icon::None);
    m_focusChecks.returnFocus(txtLevel[index]);
}
