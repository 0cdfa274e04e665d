#pragma once

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

// Lines of the kind screens show: messages, settings, logs, mail and documents.
inline const QStringList& ScreenTextLines()
{
    static const QStringList lines{
        "Quarterly report shows revenue growth across northern regions",
        "Deployment pipeline finished successfully after seventeen minutes",
        "Warning: configuration file is missing the optional timeout parameter",
        "Customer feedback highlights faster loading and clearer navigation",
        "Database migration completed; indexes rebuilt without errors",
        "Meeting notes: budget review moved to Thursday afternoon",
        "Invoice 4471 from Harbour Supplies is due on the fifteenth",
        "Please confirm the delivery address before shipping the parcel",
        "Network connection lost, trying again in thirty seconds",
        "Backup archive created in the external drive folder",
        "Compiler reported three warnings and no errors in module parser",
        "The printer on the second floor needs a new toner cartridge",
        "Schedule the security audit for the payment gateway servers",
        "Translation strings updated for German, French and Spanish",
        "Your password will expire in five days; choose a stronger one",
        "Download complete: installer package verified with checksum",
        "Weekly newsletter draft waiting for approval from marketing",
        "Temperature sensor readings stay within the expected range",
        "Project roadmap lists search, export and offline synchronisation",
        "Unit tests passed on every platform except the oldest laptop",
        "Reminder: dentist appointment tomorrow morning at nine",
        "Spreadsheet formulas recalculated after importing the ledger",
        "Travel itinerary includes flights, hotel and a rental bicycle",
        "Memory usage dropped after closing the unused browser windows",
        "Library catalogue search returned forty matching volumes",
        "Select the language and keyboard layout for this computer",
        "Kernel update requires a restart to finish the installation",
        "Shared calendar invitation accepted by every team member",
        "Marketing campaign results exceeded the original forecast",
        "Photograph album synchronised with the family storage server",
        "Recipe: simmer tomatoes, garlic and basil for twenty minutes",
        "Firewall blocked an incoming request from an unknown address",
        "Editor settings: wrap long lines and show whitespace markers",
        "Museum tickets reserved for Saturday, entrance at the east gate",
        "Contract renewal signed by both parties and filed in archive",
        "Battery health good; charging limited to eighty percent",
    };
    return lines;
}

/// \a count lines of the screen text, beginning at line \a first and going round.
inline QStringList ScreenTextFrom(int first, int count)
{
    QStringList chosen;
    for (int n = 0; n < count; ++n)
        chosen.append(ScreenTextLines().at((first + n) % ScreenTextLines().size()));
    return chosen;
}

/// The words of four letters or more in \a lines, lower case, each once.
inline QStringList LongWords(const QStringList& lines)
{
    QSet<QString> words;
    const QRegularExpression letters(QStringLiteral("[A-Za-z]{4,}"));
    for (const QString& line : lines)
        for (auto match = letters.globalMatch(line); match.hasNext();)
            words.insert(match.next().captured().toLower());
    QStringList sorted(words.begin(), words.end());
    sorted.sort();
    return sorted;
}
