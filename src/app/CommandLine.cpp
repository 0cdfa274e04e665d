#include "CommandLine.h"

#include "FindCommand.h"
#include "desktop/qt/CommandServer.h"

#include <QCoreApplication>
#include <array>
#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int help(const QStringList&)
{
    print(stdout, UsageText());
    return 0;
}

int version(const QStringList&)
{
    print(stdout, QStringLiteral("Vistrelle %1\n").arg(QCoreApplication::applicationVersion()));
    return 0;
}

int handOver(Shortcut shortcut)
{
    if (SendShortcutCommand(shortcut))
        return 0;
    print(stderr, QStringLiteral("Vistrelle is not running.\n"));
    return 1;
}

int captureWindow(const QStringList&)
{
    return handOver(Shortcut::ActiveWindow);
}

int timeLapse(const QStringList&)
{
    return handOver(Shortcut::TimeLapse);
}

constexpr char lowResourceSwitch[] = "--low-resource";

int find(const QStringList& words)
{
    return RunFindCommand(words);
}

constexpr std::array switches{
    CommandSwitch{lowResourceSwitch, nullptr, nullptr,
                  "start in low-resource mode: a small window behind a tray icon", nullptr},
    CommandSwitch{"--capture-window", nullptr, nullptr,
                  "capture the active window in the Vistrelle that is running, then end", captureWindow},
    CommandSwitch{"--time-lapse", nullptr, nullptr,
                  "start or stop time-lapse in the Vistrelle that is running, then end", timeLapse},
    CommandSwitch{"--find", nullptr, "WORDS...",
                  "print the library's pictures that hold all the words, newest first, then end", find, true},
    CommandSwitch{"--help", "-h", nullptr, "print this help and end", help},
    CommandSwitch{"--version", nullptr, nullptr, "print the version and end", version},
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
            return refused(QStringLiteral("unknown option ") + quoted(word));
        QStringList values;
        if (found->takesTheRest) {
            if (equals >= 0)
                values.append(word.mid(equals + 1));
            values += arguments.mid(i + 1);
            i = arguments.size();
        } else if (found->value) {
            if (equals >= 0)
                values.append(word.mid(equals + 1));
            else if (i + 1 < arguments.size())
                values.append(arguments.at(++i));
            else
                return refused(quoted(name) + QStringLiteral(" needs a ") + QLatin1String(found->value));
        } else if (equals >= 0) {
            return refused(quoted(name) + QStringLiteral(" takes no value"));
        }
        if (!found->command) {
            line.lowResource = line.lowResource || name == QLatin1String(lowResourceSwitch);
            continue;
        }
        if (line.command)
            return refused(quoted(name) + QStringLiteral(" and ") +
                           quoted(QLatin1String(line.command->name)) +
                           QStringLiteral(" cannot be given together"));
        line.command = found;
        line.values = values;
    }
    if (line.command && (line.lowResource || !line.directory.isEmpty()))
        return refused(quoted(QLatin1String(line.command->name)) +
                       QStringLiteral(" cannot be given with other arguments"));
    return line;
}

QString UsageText()
{
    QStringList starts;
    QStringList commands;
    QString lines;
    for (const CommandSwitch& entry : switches) {
        QString shown = QLatin1String(entry.name);
        if (entry.value)
            shown += QLatin1Char(' ') + QLatin1String(entry.value);
        (entry.command ? commands : starts).append(shown);
        QString names =
            entry.shortName ? QLatin1String(entry.shortName) + QStringLiteral(", ") + shown : shown;
        lines += QStringLiteral("  %1 %2\n").arg(names, -24).arg(QLatin1String(entry.summary));
    }
    return QStringLiteral("Usage: vistrelle [") + starts.join(QStringLiteral("] [")) +
           QStringLiteral("] [DIRECTORY]\n       vistrelle ") + commands.join(QStringLiteral(" | ")) +
           QStringLiteral("\n\nVistrelle files every picture put on the clipboard into a library of folders: "
                          "DIRECTORY/Vistrelles/\nwhen a DIRECTORY is given, else the default library "
                          "(see the help page, Vistrelle.htm).\nWords after -- name the DIRECTORY even "
                          "when they begin with -.\n\n") +
           lines;
}

std::optional<int> RunCommandLine(const CommandLine& line)
{
    if (!line.error.isEmpty()) {
        print(stderr, QStringLiteral("vistrelle: ") + line.error +
                          QStringLiteral("\nTry 'vistrelle --help' for more information.\n"));
        return 2;
    }
    if (line.command)
        return line.command->command(line.values);
    return std::nullopt;
}
