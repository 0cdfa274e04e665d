#pragma once

#include <QString>
#include <QStringList>

/// The order of every list the user sees: ascending, ignoring case, with punctuation before
/// digits and digits before letters, the same on every machine whatever its locale.
/// Negative, zero or positive like strcmp; zero only for identical texts.
int CompareDisplayOrder(const QString& a, const QString& b);

/// Sorts \a items into display order. Their first \a from characters, a beginning they all share,
/// are not compared.
void SortForDisplay(QStringList& items, qsizetype from = 0);
