#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

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

// The options Qt's application object takes out of the command line before
// the program sees it: QGuiApplication's, QApplication's and the X11
// platform's, each with whether a value follows it. Qt reads "--name" as
// "-name", and "-style=fusion" as "-style fusion".
struct ToolkitOption
{
    const char* name;
    bool takesValue;
};

constexpr ToolkitOption ToolkitOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"geometry", true},
    {"icon", true},
    {"title", true},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    {"display", true},
    {"name", true},
    {"visual", true},
    {"reverse", false},
    {"testability", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
    {"qdevel", false},
    {"qdebug", false},
    {"qmljsdebugger", false},
};

// How many arguments from `at` on Qt takes as one of its options: the
// option, and its value when one follows; 0 for none of them.
int toolkitOptionLength(const QStringList& arguments, qsizetype at)
{
    QStringView argument = arguments.at(at);
    if (!argument.startsWith(u'-') || argument == u"--")
        return 0;
    argument = argument.mid(argument.startsWith(u"--") ? 2 : 1);
    for (const ToolkitOption& option : ToolkitOptions) {
        const QLatin1String name(option.name);
        if (argument == name)
            return !option.takesValue ? 1 : at + 1 < arguments.size() ? 2 : 0;
        if (argument.startsWith(name) && argument.mid(name.size()).startsWith(u'='))
            return 1;
    }
    return 0;
}

// Whether an argument is one of the option's names, after one dash or two.
bool spellsOption(QStringView argument, const QCommandLineOption& option)
{
    if (!argument.startsWith(u'-'))
        return false;
    argument = argument.mid(argument.startsWith(u"--") ? 2 : 1);
    return option.names().contains(argument);
}

} // namespace

QStringList withoutToolkitOptions(const QStringList& arguments)
{
    if (arguments.size() <= 1)
        return arguments;
    QStringList kept{arguments.first()};
    for (qsizetype at = 1; at < arguments.size();) {
        const int length = toolkitOptionLength(arguments, at);
        if (length == 0)
            kept << arguments.at(at++);
        at += length;
    }
    return kept;
}

Result<CommandLine> parseCommandLine(const QStringList& arguments)
{
    // The program's name alone, as every start from the desktop: nothing to
    // parse, and no parser to set up.
    if (arguments.size() <= 1)
        return CommandLine{};
    Parser p;
    const bool parsed = p.parser.parse(arguments);

    // Asked for on their own, help and version are given whatever else the
    // line holds; a letter of theirs among others ("-dash.int") asks for
    // neither.
    const qsizetype endOfOptions = arguments.indexOf(QStringLiteral("--"));
    const QStringList options = arguments.mid(1, endOfOptions < 0 ? -1 : endOfOptions - 1);
    const auto given = [&](const QCommandLineOption& option) {
        return p.parser.isSet(option) &&
               (parsed || std::any_of(options.cbegin(), options.cend(),
                                      [&](const QString& argument) { return spellsOption(argument, option); }));
    };

    CommandLine result;
    if (given(p.help)) {
        result.action = CommandLine::Action::ShowHelp;
    } else if (given(p.version)) {
        result.action = CommandLine::Action::ShowVersion;
    } else if (!parsed) {
        QString error = p.parser.errorText();
        // Named as typed: "-dash.int", not the letters d, a, s and so on.
        QStringList unknown;
        for (const QString& argument : options) {
            if (argument.startsWith(u'-') && argument.size() > 1 && !spellsOption(argument, p.help) &&
                !spellsOption(argument, p.version))
                unknown << argument;
        }
        if (!p.parser.unknownOptionNames().isEmpty() && !unknown.isEmpty()) {
            error =
                (unknown.size() == 1 ? QStringLiteral("Unknown option: %1.") : QStringLiteral("Unknown options: %1."))
                    .arg(unknown.join(QStringLiteral(", ")));
            for (const QString& argument : unknown) {
                if (argument.endsWith(QLatin1String(".int"), Qt::CaseInsensitive)) {
                    error += QStringLiteral("\nA FILE whose name starts with - goes after --: -- %1").arg(argument);
                    break;
                }
            }
        }
        return Failure{error};
    } else if (const QStringList files = p.parser.positionalArguments(); files.size() > 1) {
        return Failure{QStringLiteral("Only one FILE can be opened at a time.")};
    } else if (files.size() == 1) {
        // The caption shows the full path, and Save writes back to it, so a
        // name given relative to the terminal's folder is made absolute.
        result.file = files.first().isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
    }
    return result;
}

QString commandLineHelp()
{
    return Parser().parser.helpText();
}

QString commandLineVersion()
{
    return QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
}
