// New, Open and Save: the commands that move a mod between the window and
// its file.

#include "frmMain.h"

#include "ModalInteraction.h"
#include "game/GamePath.h"
#include "game/LoaderFiles.h"
#include "game/TextFile.h"
#include "mod/ModFormat.h"

#include <QCheckBox>
#include <QDir>

namespace {

const QStringList ModFileFilters{QStringLiteral("Orvane Mod files (*.int)")};

} // namespace

void frmMain::NewMod()
{
}

void frmMain::OpenMod()
{
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
    const QString flagError = WriteAutostartFlag(gamePath, chkAutoStart->isChecked(), FlagForm::Spaced);
    if (!flagError.isEmpty()) {
        m_ui.tell(this,
                  QStringLiteral("The autostart setting could not be written to %1.\n%2")
                      .arg(AutostartFlagFile(gamePath), flagError),
                  ModalInteraction::Icon::Exclamation);
    }

    // Only a caption ending in ".int" exactly names the file to write back to.
    QString target;
    if (windowTitle().endsWith(QLatin1String(".int")))
        target = captionFile();
    else
        target = m_ui.saveFileName(this, GameFile(gamePath, QStringLiteral("System/")), ModFileFilters);
    if (target.isEmpty())
        return;
    target = QDir::toNativeSeparators(target);

    const QString error = WriteTextFile(target, ComposeModFile(mod));
    if (!error.isEmpty()) {
        m_ui.tell(this, QStringLiteral("The mod could not be saved to %1.\n%2").arg(target, error),
                  ModalInteraction::Icon::Exclamation);
        return;
    }
    setCaptionFile(target);
}
