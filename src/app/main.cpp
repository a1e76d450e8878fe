#include "app/AppStyle.h"
#include "app/CommandLine.h"
#include "app/SettingsStore.h"
#include "app/frmMain.h"
#include "widgets/Layout.h"
#include "widgets/ModalInteraction.h"

#include <QApplication>
#include <QSettings>
#include <QStyleFactory>

#include <cstdio>
#include <memory>

namespace {

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help and version go to the standard output; a refused command line to the
// error output, with a failure status.
int answerOnTerminal(const Result<CommandLine>& commandLine)
{
    if (!commandLine.ok()) {
        std::fprintf(stderr, "%s\nTry --help for the options.\n", qPrintable(commandLine.error()));
        return 1;
    }
    switch (commandLine.value().action) {
    case CommandLine::Action::ShowHelp:
        std::fputs(qPrintable(commandLineHelp()), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::fputs(qPrintable(commandLineVersion()), stdout);
        return 0;
    case CommandLine::Action::Run:
        break;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Zarvik's ML Utility"));
    QApplication::setApplicationVersion(QStringLiteral(ZARVIK_VERSION));

    // The command line is answered before the window system is connected, so
    // help, the version and a refusal all work without a display. Qt's own
    // options (-platform, -style…) are left out as QApplication will take
    // them out.
    if (const Result<CommandLine> early = parseCommandLine(withoutToolkitOptions(argumentsOf(argc, argv)));
        !early.ok() || early.value().action != CommandLine::Action::Run) {
        const QCoreApplication app(argc, argv);
        return answerOnTerminal(early);
    }

    QApplication app(argc, argv);
    // Read again as Qt left it: an option it did not take after all is
    // refused here.
    const Result<CommandLine> parsed = parseCommandLine(QApplication::arguments());
    if (!parsed.ok() || parsed.value().action != CommandLine::Action::Run)
        return answerOnTerminal(parsed);
    const CommandLine& commandLine = parsed.value();

    QApplication::setDesktopFileName(QStringLiteral("zarvik-ml-utility"));
    QApplication::setStyle(new AppStyle(QStyleFactory::create(QApplication::style()->name())));
    // After the style: setting it hands the platform's fonts for menus,
    // message boxes, lists and tooltips back to those controls.
    useDesignFont();

    // The remembered game directory: key "DXPath" of the settings store.
    const std::unique_ptr<QSettings> settings = openSettingsStore();
    QtModalInteraction ui;

    frmMain window(ui, *settings);
    window.Form_Load();
    if (!commandLine.file.isEmpty())
        window.openModFile(commandLine.file);
    return app.exec();
}
