#pragma once

#include "library/IndexDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <memory>

/// What the index in \a file takes with its word boxes and without them, in bytes, each
/// measured on a compacted copy in \a folder, so the figures are not those of free pages.
struct IndexSizes
{
    qint64 withBoxes = 0;
    qint64 withoutBoxes = 0;

    double added() const { return static_cast<double>(withBoxes) / static_cast<double>(withoutBoxes) - 1; }
};

inline IndexSizes MeasureIndex(const QString& root, const QString& file, const QString& folder)
{
    const QString with = folder + QStringLiteral("/with-boxes.sqlite");
    const QString without = folder + QStringLiteral("/without-boxes.sqlite");
    QFile::remove(with);
    QFile::remove(without);
    if (const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(file))
        index->exec(("VACUUM INTO '" + with + "'").toUtf8().constData());
    if (const std::unique_ptr<IndexDatabase> copy = IndexDatabase::openForWriting(root, with))
        copy->exec(("DROP TABLE boxes; VACUUM INTO '" + without + "'").toUtf8().constData());
    const IndexSizes sizes{QFileInfo(with).size(), QFileInfo(without).size()};
    QFile::remove(with);
    QFile::remove(without);
    return sizes;
}
