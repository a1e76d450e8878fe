#pragma once

#include "Controls.h"
#include "GameFixture.h"
#include "ScriptedModalInteraction.h"
#include "app/frmMain.h"

#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

// A main window with scripted dialogs and a settings store of its own in a
// temporary folder, so nothing reaches the user's real settings, and HOME and
// WINEPREFIX in an empty temporary folder (IsolateHome). Given a game
// fixture, the window starts with its directory in the Deus Ex Path field.
// Tests whose dialogs must behave differently name their own scripted
// interaction.
template <class Interaction> struct BasicTestWindow
{
    BasicTestWindow()
        : settings(
              std::make_unique<QSettings>(settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)),
          window(std::make_unique<frmMain>(ui, *settings)), home(IsolateHome(settingsDir))
    {
        // Tests look at every page from the start; the program builds them
        // when first needed, the same controls in the same order.
        window->buildPages();
    }
    explicit BasicTestWindow(const GameFixture& game) : BasicTestWindow()
    {
        Control<QLineEdit>(window.get(), QStringLiteral("txtPath"))->setText(game.gamePath());
    }

    QTemporaryDir settingsDir;
    std::unique_ptr<QSettings> settings;
    Interaction ui;
    std::unique_ptr<frmMain> window;
    QString home; // the empty home folder
};

using TestWindow = BasicTestWindow<ScriptedModalInteraction>;
