// The game directory, the loader's set-up and the start-up sequence.

#include "frmMain.h"

#include "ModalInteraction.h"
#include "game/LoaderFiles.h"
#include "inventory/InventoryPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>

namespace {

const QString PathSettingKey = QStringLiteral("DXPath");

} // namespace

void frmMain::Form_Load()
{
    txtPath->setText(m_settings.value(PathSettingKey).toString());
    frmInventory->cboFilter->setCurrentIndex(0);
    show();
}

void frmMain::txtPath_Change()
{
    m_settings.setValue(PathSettingKey, txtPath->text());
}

void frmMain::txtPath_LostFocus()
{
}

void frmMain::cmdBrowse3_Click()
{
}

void frmMain::chkAutoStart_Click()
{
    const QString gamePath = GamePath();
    if (gamePath.isEmpty())
        return;
    WriteAutostartFlag(gamePath, chkAutoStart->isChecked(), FlagForm::Unspaced);
}
