#include "CommandLine.h"

#include "FindCommand.h"
#include "desktop/qt/CommandServer.h"

#include <QCoreApplication>
#include <array>
#include <cstdio>

namespace {

// A text of the table of switches in the desktop's language.
QString translated(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int help(const QStringList&, const QStringList&)
{
    print(stdout, UsageText());
    return 0;
}

int version(const QStringList&, const QStringList&)
{
    print(stdout, QStringLiteral("Vistrelle %1\n").arg(QCoreApplication::applicationVersion()));
    return 0;
}

int handOver(Shortcut shortcut)
{
    if (SendShortcutCommand(shortcut))
        return 0;
    print(stderr,
          QCoreApplication::translate("CommandLine", "Vistrelle is not running.") + QLatin1Char('\n'));
    return 1;
}

int captureWindow(const QStringList&, const QStringList&)
{
    return handOver(Shortcut::ActiveWindow);
}

int timeLapse(const QStringList&, const QStringList&)
{
    return handOver(Shortcut::TimeLapse);
}

constexpr char lowResourceSwitch[] = "--low-resource";

int find(const QStringList& words, const QStringList& directory)
{
    return RunFindCommand(words, directory.join(QLatin1Char(' ')));
}

constexpr std::array switches{
    CommandSwitch{
        lowResourceSwitch, nullptr, nullptr,
        QT_TRANSLATE_NOOP("CommandLine", "start in low-resource mode: a small window behind a tray icon"),
        nullptr},
    CommandSwitch{"--capture-window", nullptr, nullptr,
                  QT_TRANSLATE_NOOP("CommandLine",
                                    "capture the active window in the Vistrelle that is running, then end"),
                  captureWindow},
    CommandSwitch{"--time-lapse", nullptr, nullptr,
                  QT_TRANSLATE_NOOP("CommandLine",
                                    "start or stop time-lapse in the Vistrelle that is running, then end"),
                  timeLapse},
    CommandSwitch{
        "--find", nullptr, QT_TRANSLATE_NOOP("CommandLine", "WORDS..."),
        QT_TRANSLATE_NOOP("CommandLine",
                          "print the library's pictures that hold all the words, newest first, then end"),
        find, true, true},
    CommandSwitch{"--help", "-h", nullptr, QT_TRANSLATE_NOOP("CommandLine", "print this help and end"), help},
    CommandSwitch{"--version", nullptr, nullptr,
                  QT_TRANSLATE_NOOP("CommandLine", "print the version and end"), version},
};

const CommandSwitch* findSwitch(const QString& word)
{
    for (const CommandSwitch& entry : switches) {
        if (word == QLatin1String(entry.name) || (entry.shortName && word == QLatin1String(entry.shortName)))
            return &entry;
    }
    return nullptr;
}

CommandLine refused(const QString& why)
{
    CommandLine line;
    line.error = why;
    return line;
}

QString quoted(const QString& word)
{
    return QLatin1Char('\'') + word + QLatin1Char('\'');
}

} // namespace

std::span<const CommandSwitch> CommandSwitches()
{
    return switches;
}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    bool switchesEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        if (switchesEnded || !word.startsWith(QLatin1Char('-')) || word == QLatin1String("-")) {
            line.directory.append(word);
            continue;
        }
        if (word == QLatin1String("--")) {
            switchesEnded = true;
            continue;
        }
        const qsizetype equals = word.startsWith(QLatin1String("--")) ? word.indexOf(QLatin1Char('=')) : -1;
        const QString name = equals < 0 ? word : word.left(equals);
        const CommandSwitch* found = findSwitch(name);
        if (!found)
            return refused(QCoreApplication::translate("CommandLine", "unknown option %1").arg(quoted(word)));
        QStringList values;
        if (found->takesTheRest) {
            if (equals >= 0)
                values.append(word.mid(equals + 1));
            // "--" ends the words; what follows names the folder.
            for (++i; i < arguments.size() && arguments.at(i) != QLatin1String("--"); ++i)
                values.append(arguments.at(i));
            switchesEnded = true;
        } else if (found->value) {
            if (equals >= 0)
                values.append(word.mid(equals + 1));
            else if (i + 1 < arguments.size())
                values.append(arguments.at(++i));
            else
                return refused(QCoreApplication::translate("CommandLine", "%1 needs a %2")
                                   .arg(quoted(name), translated(found->value)));
        } else if (equals >= 0) {
            return refused(QCoreApplication::translate("CommandLine", "%1 takes no value").arg(quoted(name)));
        }
        if (!found->command) {
            line.lowResource = line.lowResource || name == QLatin1String(lowResourceSwitch);
            continue;
        }
        if (line.command)
            return refused(QCoreApplication::translate("CommandLine", "%1 and %2 cannot be given together")
                               .arg(quoted(name), quoted(QLatin1String(line.command->name))));
        line.command = found;
        line.values = values;
    }
    if (line.command && (line.lowResource || (!line.directory.isEmpty() && !line.command->takesLibrary)))
        return refused(QCoreApplication::translate("CommandLine", "%1 cannot be given with other arguments")
                           .arg(quoted(QLatin1String(line.command->name))));
    return line;
}

QString UsageText()
{
    QStringList starts;
    QStringList commands;
    QStringList libraryCommands;
    QString lines;
    for (const CommandSwitch& entry : switches) {
        QString shown = QLatin1String(entry.name);
        if (entry.value)
            shown += QLatin1Char(' ') + translated(entry.value);
        (entry.command ? (entry.takesLibrary ? libraryCommands : commands) : starts).append(shown);
        QString names =
            entry.shortName ? QLatin1String(entry.shortName) + QStringLiteral(", ") + shown : shown;
        lines += QStringLiteral("  %1 %2\n").arg(names, -24).arg(translated(entry.summary));
    }
    return QCoreApplication::translate(
               "CommandLine",
               "Usage: vistrelle [%1] [DIRECTORY]\n       vistrelle [DIRECTORY] %3\n       vistrelle %2\n\n"
               "Vistrelle files every picture put on the clipboard into a library of folders: "
               "DIRECTORY/Vistrelles/\nwhen a DIRECTORY is given, else the default library "
               "(see the help page, Vistrelle.htm).\nWords after -- name the DIRECTORY even "
               "when they begin with -.\n\n")
               .arg(starts.join(QStringLiteral("] [")), commands.join(QStringLiteral(" | ")),
                    libraryCommands.join(QStringLiteral(" | "))) +
           lines;
}

std::optional<int> RunCommandLine(const CommandLine& line)
{
    if (!line.error.isEmpty()) {
        print(stderr,
              QStringLiteral("vistrelle: ") + line.error + QLatin1Char('\n') +
                  QCoreApplication::translate("CommandLine", "Try 'vistrelle --help' for more information.") +
                  QLatin1Char('\n'));
        return 2;
    }
    if (line.command)
        return line.command->command(line.values, line.directory);
    return std::nullopt;
}
