#pragma once

#include <QString>
#include <QStringList>
#include <string>

/// The order of every list the user sees: ascending, ignoring case, with punctuation before
/// digits and digits before letters, the same on every machine whatever its locale.
/// Negative, zero or positive like strcmp; zero only for identical texts.
int CompareDisplayOrder(const QString& a, const QString& b);

/// \a text folded into a key whose plain comparison is the display order, but for texts that
/// differ only in letter case; for sorting many texts, each folded once.
std::u32string DisplayOrderKey(const QString& text);

/// Sorts \a items into display order.
void SortForDisplay(QStringList& items);
