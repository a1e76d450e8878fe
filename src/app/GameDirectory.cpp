// The game directory, the loader's set-up and the start-up sequence.

#include "frmMain.h"

#include "ModalInteraction.h"
#include "game/GamePath.h"
#include "game/InstalledGame.h"
#include "game/LoaderFiles.h"
#include "game/TextFile.h"
#include "inventory/InventoryPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>

namespace {

const QString PathSettingKey = QStringLiteral("DXPath");

// Settings files are small; anything far larger is not one.
constexpr qint64 MaxIniBytes = 16 * 1024 * 1024;

} // namespace

void frmMain::Form_Load()
{
    // The remembered directory. One saved while the field still had the focus
    // lacks its final separator, and every name joined to it would miss.
    txtPath->setText(WithTrailingSeparator(m_settings.value(PathSettingKey).toString()));

    frmInventory->cboFilter->setCurrentIndex(0);

    // Questions from here on appear over the window.
    show();

    if (GamePath().isEmpty()) {
        const QString detected = FindInstalledGame();
        if (!detected.isEmpty()) {
            txtPath->setText(WithTrailingSeparator(detected));
            if (!m_ui.askYesNo(this, GamePath() + QStringLiteral(" was detected to be your Deus Ex directory. "
                                                                 "Is this correct?")))
                cmdBrowse3_Click();
        } else {
            cmdBrowse3_Click();
        }
    }

    const QString gamePath = GamePath();
    if (!gamePath.isEmpty()) {
        // The same test as for the loader's package: a hidden (or, on
        // Windows, system) file counts as missing.
        const QString iniFile = DeusExIniFile(gamePath);
        if (!GameFileExists(iniFile))
            return;
        const FileRead ini = ReadFileBytes(iniFile, MaxIniBytes);
        if (!ini.ok()) {
            // The set-up question needs the settings; the rest of start-up does not.
            m_ui.tell(this, QStringLiteral("%1 could not be read.\n%2").arg(iniFile, ini.error),
                      ModalInteraction::Icon::Exclamation);
        }

        if (!GameFileExists(QuenlarPackageFile(gamePath))) {
            m_ui.tell(this,
                      QStringLiteral("Cannot find Quenlar.u. This must be in the DeusEx\\Sytstem folder for the "
                                     "Orvane Mod Loader to work."),
                      ModalInteraction::Icon::Exclamation);
            return;
        }

        if (ini.ok() && NamesGameDefault(ini.bytes) &&
            m_ui.askYesNo(this, QStringLiteral("The Orvane Mod Loader doesn't seem to be setup corectly. Do you want "
                                               "to set it up it now?"))) {
            const QString error = SwitchDefaultGame(gamePath, ini.bytes);
            if (!error.isEmpty()) {
                m_ui.tell(this, QStringLiteral("The Orvane Mod Loader could not be set up.\n%1").arg(error),
                          ModalInteraction::Icon::Exclamation);
            }
        }
    }

    const AutostartFlag flag = ReadAutostartFlag(gamePath);
    if (!flag.error.isEmpty()) {
        m_ui.tell(this,
                  QStringLiteral("%1 could not be read, so autostart is taken as off.\n%2")
                      .arg(AutostartFlagFile(gamePath), flag.error),
                  ModalInteraction::Icon::Exclamation);
    }
    if (flag.on)
        chkAutoStart->setChecked(true);
}

void frmMain::txtPath_Change()
{
    // Start-up puts the remembered path back into the field: writing it back
    // unchanged would cost a locked, synced rewrite of the settings file
    // before the window is painted.
    const QString path = txtPath->text();
    if (m_settings.value(PathSettingKey).toString() != path || !m_settings.contains(PathSettingKey))
        m_settings.setValue(PathSettingKey, path);
}

void frmMain::txtPath_LostFocus()
{
    const QString text = txtPath->text();
    if (!text.isEmpty() && !HasTrailingSeparator(text))
        txtPath->setText(text + PathSeparator());
}

void frmMain::cmdBrowse3_Click()
{
    for (;;) {
        const QString chosen = m_ui.existingDirectory(this, QStringLiteral("Select the directory where Deus Ex is "
                                                                           "installed"));
        if (chosen.isEmpty())
            return;
        if (IsGameDirectory(chosen)) {
            // A drive root comes with its separator already there.
            txtPath->setText(WithTrailingSeparator(chosen));
            return;
        }
        m_ui.tell(this, QStringLiteral("Essential Deus Ex files were not found in this directory."),
                  ModalInteraction::Icon::None);
    }
}

void frmMain::chkAutoStart_Click()
{
    if (!GamePath().isEmpty())
        writeAutostartFlag(FlagForm::Unspaced);
}

void frmMain::writeAutostartFlag(FlagForm form)
{
    const QString gamePath = GamePath();
    const QString error = WriteAutostartFlag(gamePath, chkAutoStart->isChecked(), form);
    if (!error.isEmpty()) {
        m_ui.tell(this,
                  QStringLiteral("The autostart setting could not be written to %1.\n%2")
                      .arg(AutostartFlagFile(gamePath), error),
                  ModalInteraction::Icon::Exclamation);
    }
}
