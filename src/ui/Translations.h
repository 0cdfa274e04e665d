#pragma once

class QLocale;
class QString;

/// Speaks the language of \a locale: installs the program's own translation from its resources
/// and Qt's for the standard buttons, in place of those installed before. Where the locale's
/// languages have no translation the English texts stay, with their plurals made right.
void InstallTranslations(const QLocale& locale);

/// The language the program's texts are in, as its installed translation names it: "de", "fr",
/// "es", or "en" where the English texts stay.
QString SpokenLanguage();
