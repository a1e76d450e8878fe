// The start-up sequence: the remembered or detected game directory, the
// loader's set-up and the autostart flag.

#include "frmMain.h"

#include "document/ModDocument.h"
#include "files/Paths.h"
#include "general/GameDirectoryBrowse.h"
#include "general/GeneralPage.h"
#include "widgets/ModalInteraction.h"

void frmMain::Form_Load()
{
    m_document->restoreGamePath();

    // Questions from here on appear over the window.
    show();

    if (m_document->gamePath().isEmpty()) {
        if (!m_document->detectGamePath() ||
            !m_ui.askYesNo(this, pathInMessage(m_document->gamePath()) +
                                     QStringLiteral(" was detected to be your Deus Ex directory. Is this correct?")))
            browseForGameDirectory(m_ui, frmGeneral, *m_document);
    }

    if (!m_document->gamePath().isEmpty()) {
        const Result<std::optional<QByteArray>> settings = m_document->readGameSettings();
        if (settings.ok() && !settings.value())
            return;
        // The set-up question needs the settings; the rest of start-up does not.
        if (!settings.ok())
            tell(settings.error());

        if (!m_document->loaderPackageFound()) {
            tell(QStringLiteral("Cannot find Quenlar.u. This must be in the DeusEx\\Sytstem folder for the Orvane Mod "
                                "Loader to work."));
            return;
        }

        if (settings.ok())
            offerLoaderSetUp(*settings.value());
    }

    if (const Result<> autostart = m_document->readAutostartFlag(); !autostart.ok())
        tell(autostart.error());
}

void frmMain::offerLoaderSetUp(const QByteArray& deusExIni)
{
    if (!ModDocument::loaderNeedsSwitch(deusExIni) ||
        !m_ui.askYesNo(this, QStringLiteral("The Orvane Mod Loader doesn't seem to be setup corectly. Do you want "
                                            "to set it up it now?")))
        return;
    if (const Result<> switched = m_document->switchToLoader(deusExIni); !switched.ok())
        tell(switched.error());
}
