#include "IndexSearch.h"

#include "FindQuery.h"
#include "IndexDatabase.h"

#include <QFileInfo>
#include <QHash>

IndexSearch::IndexSearch(QString root, QString file)
    : m_root(std::move(root))
    , m_file(std::move(file))
{
}

QList<FoundPicture> IndexSearch::find(const QString& words, const QString& within, int limit) const
{
    QList<FoundPicture> found;
    const QString match = MatchExpression(words);
    const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(m_file);
    if (match.isEmpty() || !index)
        return found;
    SqlStatement query = index->prepare("SELECT f.path FROM words JOIN files f ON f.picture = words.rowid "
                                        "WHERE words MATCH ?1 AND substr(f.path, 1, length(?2)) = ?2 "
                                        "ORDER BY f.modified DESC, f.path DESC");
    query.bind(1, match).bind(2, within);
    while (query.step() && (limit == 0 || found.size() < limit)) {
        const QString path = query.text(0);
        // Deleted since the last walk: the folders are the truth.
        if (!QFileInfo::exists(m_root + path))
            continue;
        found.append({m_root + path, CategoryOf(path), ImageSetOf(path)});
    }
    return found;
}

int IndexSearch::unread(const QList<LibraryPicture>& pictures) const
{
    struct Known
    {
        qint64 size;
        qint64 modified;
        bool waiting;
    };
    QHash<QString, Known> known;
    if (const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(m_file)) {
        SqlStatement files = index->prepare("SELECT f.path, f.size, f.modified, p.state = 0 FROM files f "
                                            "JOIN pictures p ON p.id = f.picture");
        while (files.step())
            known.insert(files.text(0), {files.integer(1), files.integer(2), files.integer(3) != 0});
    }
    int count = 0;
    for (const LibraryPicture& picture : pictures) {
        const auto entry = known.constFind(picture.path);
        if (entry == known.cend() || entry->size != picture.size || entry->modified != picture.modified ||
            entry->waiting)
            ++count;
    }
    return count;
}
