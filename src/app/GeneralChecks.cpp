// The map browsers, the map and name checks, help and About.

#include "frmMain.h"

#include "widgets/LostFocusChecks.h"
#include "widgets/ModalInteraction.h"
#include "about/frmAbout.h"
#include "game/GamePath.h"
#include "game/HelpDocument.h"
#include "game/MapsAndNames.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>

namespace {

const QStringList MapFilters{QStringLiteral("Deus Ex Maps (*.dx)"), QStringLiteral("All Files (*.*)")};

} // namespace

void frmMain::setProgramDirectory(const QString& directory)
{
    m_programDirectory = directory;
}

void frmMain::browseForMap(QLineEdit* field)
{
    // The dialog may pick a file anywhere; only its name is kept, and the
    // map check waits until the user leaves the field.
    const QString chosen = m_ui.openFileName(this, GameFile(GamePath(), QStringLiteral("Maps")), MapFilters);
    if (chosen.isEmpty())
        return;
    field->setText(FileNamePart(chosen));
}

void frmMain::cmdBrowse1_Click()
{
    browseForMap(txtMap);
}

void frmMain::cmdBrowse2_Click()
{
    browseForMap(txtSplash);
}

void frmMain::txtMap_LostFocus()
{
    if (MapFound(GamePath(), txtMap->text()))
        return;
    m_ui.tell(this,
              QStringLiteral("This map was not found in the DeusEx\\Maps directory. It must be there for the Orvane "
                             "ML to work."),
              ModalInteraction::Icon::Exclamation);
    m_focusChecks->returnFocus(txtMap);
}

void frmMain::txtName_LostFocus()
{
    if (!HasForbiddenNameCharacter(txtName->text()))
        return;
    m_ui.tell(this, ForbiddenNameMessage(), ModalInteraction::Icon::Critical);
    m_focusChecks->returnFocus(txtName);
}

void frmMain::mnuAHelp_Click()
{
    const QString document = HelpDocumentPath(m_programDirectory);
    if (!QFileInfo(document).isFile()) {
        m_ui.tell(this, QStringLiteral("Help file not found. Make sure it is in the same folder as this file."),
                  ModalInteraction::Icon::Exclamation);
        return;
    }
    m_ui.openUrl(QUrl::fromLocalFile(document));
}

void frmMain::mnuAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(m_ui, m_programDirectory, this);
    m_about->exec();
    // Closed by its close box rather than OK: the next opening starts afresh.
    if (m_about && m_about->discarded())
        delete m_about;
}
