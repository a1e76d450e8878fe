// New, Open and Save: the commands that move a mod between the window and
// its file.

#include "frmMain.h"

#include "augmentations/AugmentationsPage.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "game/LoaderFiles.h"
#include "general/GeneralPage.h"
#include "inventory/InventoryPage.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"
#include "skills/SkillsPage.h"
#include "widgets/ModalInteraction.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList ModFileFilters{QStringLiteral("Orvane Mod files (*.int)")};

} // namespace

void frmMain::ApplyModDefinition(const ModDefinition& mod)
{
    BuildPages();
    frmGeneral->apply(mod);
    frmInventory->apply(mod);
    frmAugmentations->apply(mod);
    frmSkills->apply(mod);
}

ModDefinition frmMain::CollectModDefinition() const
{
    // Pages not built yet have never been shown or given a mod: they hold a
    // new mod's values, which the record starts with.
    ModDefinition mod;
    frmGeneral->collect(mod);
    if (frmInventory) {
        frmInventory->collect(mod);
        frmAugmentations->collect(mod);
        frmSkills->collect(mod);
    }
    return mod;
}

void frmMain::NewMod()
{
    // The mod's fields are replaced, so only the game directory, which
    // this command uses, needs its edit completed.
    if (!completeEdit(EditScope::GameDirectory))
        return;
    ApplyModDefinition(ModDefinition());
    // Beyond the mod itself, New clears the autostart box and the typed
    // custom item, which Open leaves alone. Clearing the box runs its
    // handler, which rewrites the flag file only when the box was checked.
    frmGeneral->setAutoStart(false);
    frmInventory->clearCustomItem();
    setCaptionFile(QString());
}

void frmMain::OpenMod()
{
    if (!completeEdit(EditScope::GameDirectory))
        return;
    const QString path = m_ui.openFileName(this, QStringLiteral("Open"),
                                           GameFile(frmGeneral->GamePath(), QStringLiteral("System/")), ModFileFilters);
    if (path.isEmpty())
        return;
    OpenModFile(path);
}

void frmMain::OpenModFile(const QString& fileName)
{
    // Qt's dialogs and the command line give "/" on Windows too; messages
    // and the caption show the path as the system writes it.
    const QString path = QDir::toNativeSeparators(fileName);
    const auto refuse = [this, &path](const QString& reason) {
        m_ui.tell(this, QStringLiteral("%1 is not a mod definition file.\n%2").arg(PathInMessage(path), reason),
                  ModalInteraction::Icon::Exclamation);
    };
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxModFileBytes) {
        refuse(QStringLiteral("It is larger than a mod definition can be."));
        return;
    }
    const auto cannotOpen = [this, &path](const QString& reason) {
        m_ui.tell(this, QStringLiteral("%1 could not be opened.\n%2").arg(PathInMessage(path), reason),
                  ModalInteraction::Icon::Exclamation);
    };
    const Result<QByteArray> read = ReadFileBytes(path, MaxModFileBytes);
    if (!read.ok()) {
        cannotOpen(read.error());
        return;
    }
    // The record read starts as a new mod, so nothing of the mod shown before
    // survives where the file is silent.
    const ModFileContents contents = ReadModFile(read.value());
    using Refusal = ModFileContents::Refusal;
    switch (contents.refusal) {
    case Refusal::None:
        break;
    case Refusal::Empty:
        refuse(QStringLiteral("It is empty."));
        return;
    case Refusal::Utf16:
        cannotOpen(QStringLiteral("It is saved in UTF-16 (Notepad's \"Unicode\"), which a mod definition cannot "
                                  "be. Save it as ANSI and open it again."));
        return;
    case Refusal::NoObjectLine:
        refuse(QStringLiteral("It has no Object= line naming MetaClass=Quenlar.MLGameInfo, as every mod of the "
                              "Orvane Mod Loader has."));
        return;
    case Refusal::OverlongValue:
        cannotOpen(QStringLiteral("Its %1 value is longer than the %2 characters the field holds.")
                       .arg(contents.overlongField)
                       .arg(MaxFieldLength));
        return;
    }
    const ModDefinition& mod = contents.mod;
    const ModReadReport& report = contents.report;
    ApplyModDefinition(mod);
    setCaptionFile(path);

    // The pages show the file as Open reads it; where the game will read it
    // otherwise, the user learns it now rather than in the game.
    if (contents.game.differs())
        m_ui.tell(this, GameReadingMessage(contents.game, mod), ModalInteraction::Icon::Exclamation);

    if (!report.unplacedAugmentations.isEmpty()) {
        // A box as tall as a damaged file's list would put its button off
        // the screen.
        constexpr qsizetype MaxListed = 20;
        const QStringList& unplaced = report.unplacedAugmentations;
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

bool frmMain::SaveMod()
{
    if (!completeEdit())
        return false;
    const QString gamePath = frmGeneral->GamePath();
    if (gamePath.isEmpty()) {
        m_ui.tell(this, QStringLiteral("You must specify the Deus Ex path in the Deus Ex Path field"),
                  ModalInteraction::Icon::Exclamation);
        return false;
    }

    const ModDefinition mod = CollectModDefinition();
    if (const auto unsavable = FindUnsavableValue(mod)) {
        m_ui.tell(this, unsavable->message, ModalInteraction::Icon::Exclamation);
        return false;
    }

    // The flag goes first, whatever happens to the mod file after it; a
    // failure here is reported and the mod is still saved.
    frmGeneral->writeAutostartFlag(FlagForm::Spaced);

    // Only a caption ending in ".int" exactly names the file to write back to.
    QString target;
    if (windowTitle().endsWith(QLatin1String(".int"))) {
        target = captionFile();
    } else {
        const Result<QString> chosen =
            m_ui.saveFileName(this, GameFile(gamePath, QStringLiteral("System/")), ModFileFilters);
        if (!chosen.ok()) {
            m_ui.tell(this, chosen.error(), ModalInteraction::Icon::Exclamation);
            return false;
        }
        target = chosen.value();
    }
    if (target.isEmpty())
        return false;
    target = QDir::toNativeSeparators(target);

    const Result<> written = WriteTextFile(target, ComposeModFile(mod), InPlaceWrite::WhenNoTemporaryFile);
    if (!written.ok()) {
        m_ui.tell(this,
                  QStringLiteral("The mod could not be saved to %1.\n%2").arg(PathInMessage(target), written.error()),
                  ModalInteraction::Icon::Exclamation);
        return false;
    }
    setCaptionFile(target);
    return true;
}
