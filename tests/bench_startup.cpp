// Starts the real main window the way a user's second run does: with a
// remembered, valid game directory whose default game is already the
// loader, so start-up has nothing to ask. Quits as soon as the window is
// painted. scripts/bench.sh times it against bench_minimal_window.

#include "FirstPaintQuit.h"
#include "support/GameFixture.h"

#include "app/frmMain.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvik's ML Utility"));

    GameFixture::Options options;
    options.deusExIniText = "[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\n";
    const GameFixture game(options);
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("DXPath"), game.gamePath());

    ScriptedModalInteraction ui;
    frmMain window(ui, settings);
    FirstPaintQuit quitWhenPainted(&window);
    window.Form_Load();
    const int status = app.exec();

    // A question would have measured a different start-up.
    for (const ScriptedModalInteraction::Asked& asked : ui.asked)
        std::fprintf(stderr, "bench_startup: start-up asked: %s\n", qPrintable(asked.text));
    return ui.asked.isEmpty() ? status : 3;
}
