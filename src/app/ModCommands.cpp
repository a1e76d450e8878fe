// New, Open and Save: the commands that move a mod between the window and
// its file.

#include "frmMain.h"

#include "ModalInteraction.h"
#include "augmentations/AugmentationsPage.h"
#include "game/GamePath.h"
#include "game/LoaderFiles.h"
#include "game/TextFile.h"
#include "inventory/InventoryPage.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"
#include "skills/SkillsPage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const QStringList ModFileFilters{QStringLiteral("Orvane Mod files (*.int)")};

} // namespace

void frmMain::NewMod()
{
    for (QLineEdit* field : {txtName, txtMap, txtSplash, txtCredits, txtPlayer})
        field->clear();
    chkAction->setChecked(false);
    // Clearing the box runs its handler, which rewrites the flag file only
    // when the box was checked.
    chkAutoStart->setChecked(false);
    frmInventory->SetEntries({});
    frmInventory->txtCustom->clear();
    // Slot 0 comes last, so it ends up selected.
    for (int slot = AugSlotCount - 1; slot >= 0; --slot) {
        AugSlots[slot].clear();
        AugLevels[slot] = 0;
        frmAugmentations->picPart_Click(slot);
    }
    frmSkills->txtSkill->clear();
    for (QLineEdit* level : frmSkills->txtLevel)
        level->setText(QStringLiteral("1"));
    setCaptionFile(QString());
}

void frmMain::OpenMod()
{
    const QString path = m_ui.openFileName(this, GameFile(GamePath(), QStringLiteral("System/")), ModFileFilters);
    if (path.isEmpty())
        return;
    OpenModFile(path);
}

void frmMain::OpenModFile(const QString& path)
{
    const auto refuse = [this, &path](const QString& reason) {
        m_ui.tell(this, QStringLiteral("%1 is not a mod definition file.\n%2").arg(path, reason),
                  ModalInteraction::Icon::Exclamation);
    };
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxModFileBytes) {
        refuse(QStringLiteral("It is larger than a mod definition can be."));
        return;
    }
    const TextRead read = ReadTextFile(path, MaxModFileBytes);
    if (!read.ok()) {
        m_ui.tell(this, QStringLiteral("%1 could not be opened.\n%2").arg(path, read.error),
                  ModalInteraction::Icon::Exclamation);
        return;
    }
    if (read.text.isEmpty()) {
        refuse(QStringLiteral("It is empty."));
        return;
    }
    if (!LooksLikeModDefinition(read.text)) {
        refuse(QStringLiteral("It has no Object= line naming MetaClass=Quenlar.MLGameInfo, as every mod of the "
                              "Orvane Mod Loader has."));
        return;
    }

    // The file is applied over a new mod's list, slots and levels, so that
    // nothing of the mod shown before survives where the file is silent.
    const ModFileContents mod = ReadModDefinition(read.text);
    if (const QString field = OverlongField(mod); !field.isEmpty()) {
        m_ui.tell(this,
                  QStringLiteral("%1 could not be opened.\nIts %2 value is longer than the %3 characters the field "
                                 "holds.")
                      .arg(path, field)
                      .arg(MaxFieldLength),
                  ModalInteraction::Icon::Exclamation);
        return;
    }
    txtName->setText(mod.name);
    chkAction->setChecked(mod.action);
    frmInventory->SetEntries(mod.inventory);
    AugSlots = mod.augSlots;
    AugLevels = mod.augLevels;
    for (int slot = 0; slot < AugSlotCount; ++slot)
        frmAugmentations->picPart_Click(slot);
    frmAugmentations->picPart_Click(0);
    txtPlayer->setText(mod.playerClass);
    txtCredits->setText(mod.credits);
    frmSkills->txtSkill->setText(mod.skillPoints);
    for (int i = 0; i < SkillCount; ++i)
        frmSkills->txtLevel[i]->setText(mod.skillLevels[i]);
    txtSplash->setText(mod.splashMap);
    txtMap->setText(mod.startingMap);
    setCaptionFile(QDir::toNativeSeparators(path));

    if (!mod.unplacedAugmentations.isEmpty()) {
        // A box as tall as a damaged file's list would put its button off
        // the screen.
        constexpr qsizetype MaxListed = 20;
        const QStringList& unplaced = mod.unplacedAugmentations;
        QString list = unplaced.mid(0, MaxListed).join(u'\n');
        if (unplaced.size() > MaxListed)
            list += QStringLiteral("\nand %1 more.").arg(unplaced.size() - MaxListed);
        m_ui.tell(this,
                  QStringLiteral("These augmentations could not be placed in a free slot of their body part and "
                                 "were left out:\n%1")
                      .arg(list),
                  ModalInteraction::Icon::Exclamation);
    }
}

void frmMain::SaveMod()
{
    const QString gamePath = GamePath();
    if (gamePath.isEmpty()) {
        m_ui.tell(this, QStringLiteral("You must specify the Deus Ex path in the Deus Ex Path field"),
                  ModalInteraction::Icon::Exclamation);
        return;
    }

    const ModDefinition mod = CollectModDefinition();
    if (const auto unsavable = FindUnsavableValue(mod)) {
        m_ui.tell(this, unsavable->message, ModalInteraction::Icon::Exclamation);
        return;
    }

    // The flag goes first, whatever happens to the mod file after it; a
    // failure here is reported and the mod is still saved.
    writeAutostartFlag(FlagForm::Spaced);

    // Only a caption ending in ".int" exactly names the file to write back to.
    QString target;
    if (windowTitle().endsWith(QLatin1String(".int")))
        target = captionFile();
    else
        target = m_ui.saveFileName(this, GameFile(gamePath, QStringLiteral("System/")), ModFileFilters);
    if (target.isEmpty())
        return;
    target = QDir::toNativeSeparators(target);

    const QString error = WriteTextFile(target, ComposeModFile(mod), InPlaceWrite::WhenFolderIsLocked);
    if (!error.isEmpty()) {
        m_ui.tell(this, QStringLiteral("The mod could not be saved to %1.\n%2").arg(target, error),
                  ModalInteraction::Icon::Exclamation);
        return;
    }
    setCaptionFile(target);
}
