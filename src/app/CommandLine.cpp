#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The options are set up in one place for parsing and for the help text.
struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;

    // Qt's own help option adds --help-all, whose list of Qt's options needs
    // the window system up; the manual page names those options instead.
    Parser()
        : help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
               QStringLiteral("Displays this help and ends.")),
          version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Displays the version and ends."))
    {
        parser.addOption(help);
        parser.addOption(version);
        parser.setApplicationDescription(
            QStringLiteral("Creates, opens, edits and saves the mod definition files of the Orvane Mod Loader for "
                           "Deus Ex."));
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("A mod definition file (.int) to open once the program has "
                                                    "started."),
                                     QStringLiteral("[FILE]"));
    }
};

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    // The program's name alone, as every start from the desktop: nothing to
    // parse, and no parser to set up.
    if (arguments.size() <= 1)
        return {};
    Parser p;
    const bool parsed = p.parser.parse(arguments);

    CommandLine result;
    if (p.parser.isSet(p.help)) {
        result.action = CommandLine::Action::ShowHelp;
    } else if (p.parser.isSet(p.version)) {
        result.action = CommandLine::Action::ShowVersion;
    } else if (!parsed) {
        result.action = CommandLine::Action::Refuse;
        result.error = p.parser.errorText();
    } else if (const QStringList files = p.parser.positionalArguments(); files.size() > 1) {
        result.action = CommandLine::Action::Refuse;
        result.error = QStringLiteral("Only one FILE can be opened at a time.");
    } else if (files.size() == 1) {
        // The caption shows the full path, and Save writes back to it, so a
        // name given relative to the terminal's folder is made absolute.
        result.file = files.first().isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
    }
    return result;
}

QString CommandLineHelp()
{
    return Parser().parser.helpText();
}

QString CommandLineVersion()
{
    return QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
}
