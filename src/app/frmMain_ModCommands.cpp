// New, Open and Save: the commands that move a mod between the document and
// its file, and what the window says of them.

#include "frmMain.h"

#include "document/ModDocument.h"
#include "files/Paths.h"
#include "inventory/InventoryPage.h"
#include "widgets/ModalInteraction.h"

namespace {

const QStringList ModFileFilters{QStringLiteral("Orvane Mod files (*.int)")};

} // namespace

void frmMain::tell(const QString& message)
{
    m_ui.tell(this, message, ModalInteraction::Icon::Exclamation);
}

void frmMain::NewMod()
{
    // The mod's fields are replaced, so only the game directory, which
    // this command uses, needs its edit completed.
    if (!completeEdit(EditScope::GameDirectory))
        return;
    // A mod started is shown on every page, its first slot selected.
    buildPages();
    const Result<> started = m_document->newMod();
    // The typed custom item is no part of the mod, but New clears it too,
    // which Open leaves alone.
    frmInventory->clearCustomItem();
    if (!started.ok())
        tell(started.error());
}

void frmMain::OpenMod()
{
    if (!completeEdit(EditScope::GameDirectory))
        return;
    const QString path = m_ui.openFileName(this, QStringLiteral("Open"),
                                           gameFile(m_document->gamePath(), QStringLiteral("System/")), ModFileFilters);
    if (path.isEmpty())
        return;
    openModFile(path);
}

void frmMain::openModFile(const QString& fileName)
{
    // A mod opened is shown on every page, its first slot selected.
    buildPages();
    const Result<QStringList> opened = m_document->open(fileName);
    if (!opened.ok()) {
        tell(opened.error());
        return;
    }
    for (const QString& note : opened.value())
        tell(note);
}

bool frmMain::SaveMod()
{
    if (!completeEdit())
        return false;
    if (const Result<> savable = m_document->checkSavable(); !savable.ok()) {
        tell(savable.error());
        return false;
    }

    // The flag goes first, whatever happens to the mod file after it; a
    // failure here is reported and the mod is still saved.
    if (const Result<> flag = m_document->writeAutostartFlag(FlagForm::Spaced); !flag.ok())
        tell(flag.error());

    QString target = m_document->fileName();
    if (m_document->needsFileName()) {
        const Result<QString> chosen =
            m_ui.saveFileName(this, gameFile(m_document->gamePath(), QStringLiteral("System/")), ModFileFilters);
        if (!chosen.ok()) {
            tell(chosen.error());
            return false;
        }
        target = chosen.value();
    }
    if (target.isEmpty())
        return false;

    const Result<> saved = m_document->save(target);
    if (!saved.ok()) {
        tell(saved.error());
        return false;
    }
    return true;
}
