// The start-up sequence: the remembered or detected game directory, the
// loader's set-up and the autostart flag.

#include "frmMain.h"

#include "discovery/InstalledGame.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "game/LoaderFiles.h"
#include "general/GeneralPage.h"
#include "widgets/ModalInteraction.h"

void frmMain::Form_Load()
{
    frmGeneral->restoreGamePath();

    // Questions from here on appear over the window.
    show();

    if (frmGeneral->GamePath().isEmpty()) {
        const QString detected = FindInstalledGame();
        if (!detected.isEmpty()) {
            frmGeneral->setGamePath(WithTrailingSeparator(detected));
            if (!m_ui.askYesNo(this, PathInMessage(frmGeneral->GamePath()) +
                                         QStringLiteral(" was detected to be your Deus Ex directory. "
                                                        "Is this correct?")))
                frmGeneral->cmdBrowse3_Click();
        } else {
            frmGeneral->cmdBrowse3_Click();
        }
    }

    const QString gamePath = frmGeneral->GamePath();
    if (!gamePath.isEmpty()) {
        // The same test as for the loader's package: a hidden (or, on
        // Windows, system) file counts as missing.
        const QString iniFile = DeusExIniFile(gamePath);
        if (!GameFileExists(iniFile))
            return;
        const Result<QByteArray> ini = ReadFileBytes(iniFile);
        if (!ini.ok()) {
            // The set-up question needs the settings; the rest of start-up does not.
            m_ui.tell(this, QStringLiteral("%1 could not be read.\n%2").arg(PathInMessage(iniFile), ini.error()),
                      ModalInteraction::Icon::Exclamation);
        }

        if (!GameFileExists(QuenlarPackageFile(gamePath))) {
            m_ui.tell(this,
                      QStringLiteral("Cannot find Quenlar.u. This must be in the DeusEx\\Sytstem folder for the "
                                     "Orvane Mod Loader to work."),
                      ModalInteraction::Icon::Exclamation);
            return;
        }

        if (ini.ok())
            offerLoaderSetUp(gamePath, ini.value());
    }

    const Result<bool> flag = ReadAutostartFlag(gamePath);
    if (!flag.ok()) {
        m_ui.tell(this,
                  QStringLiteral("%1 could not be read, so autostart is taken as off.\n%2")
                      .arg(PathInMessage(AutostartFlagFile(gamePath)), flag.error()),
                  ModalInteraction::Icon::Exclamation);
    }
    if (flag.valueOr(false))
        frmGeneral->setAutoStart(true);
}

void frmMain::offerLoaderSetUp(const QString& gamePath, const QByteArray& deusExIni)
{
    if (!NamesGameDefault(deusExIni) ||
        !m_ui.askYesNo(this, QStringLiteral("The Orvane Mod Loader doesn't seem to be setup corectly. Do you want "
                                            "to set it up it now?")))
        return;
    const Result<> switched = SwitchDefaultGame(gamePath, deusExIni);
    if (!switched.ok()) {
        m_ui.tell(this, QStringLiteral("The Orvane Mod Loader could not be set up.\n%1").arg(switched.error()),
                  ModalInteraction::Icon::Exclamation);
    }
}
