#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

/// One switch of the command line: what `vistrelle --help` says of it and, for a command, what
/// it does. A command runs instead of the program, without a window, and gives the exit status;
/// a switch without one changes how the program starts. A new switch is one more entry in the
/// table of CommandLine.cpp.
struct CommandSwitch
{
    const char* name;      ///< "--capture-window"
    const char* shortName; ///< "-h", or nullptr
    const char* value;     ///< what the switch takes, as --help names it ("TEXT"), or nullptr
    const char* summary;   ///< its line in --help
    /// Runs the command with the switch's values and the words naming the library's folder;
    /// nullptr for a switch of the program's start.
    int (*command)(const QStringList& values, const QStringList& directory);
    /// The values are every word after the switch up to "--", even those beginning with "-"
    /// (its value then names them, "WORDS..."); else one word.
    bool takesTheRest = false;
    /// The command works on the library a DIRECTORY names, given before the switch or after "--",
    /// as the program does; other commands are refused beside a DIRECTORY.
    bool takesLibrary = false;
};

/// Every switch, in the order --help lists them.
std::span<const CommandSwitch> CommandSwitches();

/// What a command line asks for.
struct CommandLine
{
    const CommandSwitch* command = nullptr; ///< the command to run instead of the program
    QStringList values;                     ///< the command's values
    bool lowResource = false;               ///< start in low-resource mode
    QStringList directory;                  ///< the words naming the folder that holds the library
    QString error;                          ///< why the line cannot be carried out; exit status 2
};

/// Reads the program's \a arguments (without the program's name). Words that do not begin with
/// "-" name the library's folder, as do all words after "--"; a switch that is no switch of the
/// program, a command beside other words (but the folder for a command that takes a library), or
/// a value missing is an error.
CommandLine ParseCommandLine(const QStringList& arguments);

/// The text `vistrelle --help` prints: how to start the program and every switch.
QString UsageText();

/// Runs \a line's command, or tells its error on standard error; the exit status, or nothing
/// when the program is to start.
std::optional<int> RunCommandLine(const CommandLine& line);
