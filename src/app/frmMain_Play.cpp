// Play: saves the mod and starts the game through whatever holds its install.

#include "frmMain.h"

#include "discovery/GameLaunch.h"
#include "document/ModDocument.h"
#include "files/Paths.h"
#include "widgets/ModalInteraction.h"

#include <QDir>

namespace {

// Why the desktop could not take a launcher's address, and what helps.
QString noHandlerFor(GameLaunch::Source source, const QUrl& url)
{
    QString launcher;
    switch (source) {
    case GameLaunch::Source::Steam:
        launcher = QStringLiteral("Steam");
        break;
    case GameLaunch::Source::Heroic:
        launcher = QStringLiteral("Heroic Games Launcher");
        break;
    case GameLaunch::Source::Lutris:
        launcher = QStringLiteral("Lutris");
        break;
    default:
        launcher = QStringLiteral("the launcher that installed the game");
        break;
    }
    return QStringLiteral("Nothing on this system opens %1 addresses, which %2 answers to. Start %2 once so that it "
                          "registers itself, or start the game from it.")
        .arg(url.scheme() + u':', launcher);
}

// Starts the game as worked out; fails saying why it did not start.
Result<> startGame(const Result<GameLaunch>& workedOut, ModalInteraction& ui)
{
    if (!workedOut.ok())
        return Failure{workedOut.error()};
    const GameLaunch& launch = workedOut.value();
    switch (launch.kind) {
    case GameLaunch::Kind::Url:
        if (!ui.openUrl(launch.url))
            return Failure{noHandlerFor(launch.source, launch.url)};
        break;
    case GameLaunch::Kind::Program:
        if (const Result<> started =
                ui.startProgram({launch.program, launch.arguments, launch.environment, launch.workingDirectory});
            !started.ok()) {
            return Failure{QStringLiteral("%1 could not be started.\n%2")
                               .arg(pathInMessage(QDir::toNativeSeparators(launch.program)), started.error())};
        }
        break;
    }
    return {};
}

} // namespace

void frmMain::playMod()
{
    // Play saves exactly as Save does; whatever stops Save stops Play.
    if (!SaveMod())
        return;

    // Whatever starts the game, the loader runs only when the game's settings
    // name it as the default game.
    // Settings that cannot be read are the game's to complain of.
    const Result<std::optional<QByteArray>> settings = m_document->readGameSettings();
    if (settings.ok() && settings.value())
        offerLoaderSetUp(*settings.value());

    const Result<> started = startGame(workOutLaunch(m_document->gamePath(), systemLaunchContext()), m_ui);
    if (!started.ok())
        tell(QStringLiteral("The mod was saved, but the game could not be started.\n%1").arg(started.error()));
}
