#include "IndexSearch.h"

#include "FindQuery.h"
#include "IndexDatabase.h"
#include "WordBoxes.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

struct FoundFile
{
    qint64 modified;
    QByteArray path;
};

// The order of the answer: newest first, then by the path's bytes, the last first.
bool answersBefore(const FoundFile& a, const FoundFile& b)
{
    return a.modified != b.modified ? a.modified > b.modified : a.path > b.path;
}

QList<FoundPicture> answer(const QString& root, const QList<FoundFile>& files)
{
    QList<FoundPicture> found;
    found.reserve(files.size());
    for (const FoundFile& file : files) {
        const QString path = PathFromNative(file.path);
        found.append({root + path, CategoryOf(path), ImageSetOf(path)});
    }
    return found;
}

} // namespace

IndexSearch::IndexSearch(QString root, QString file)
    : m_root(std::move(root))
    , m_file(std::move(file))
{
}

Outcome IndexSearch::cannotOpen() const
{
    return Outcome::failed(
        cannotOpenError,
        QCoreApplication::translate("IndexSearch", "The index cannot be opened: %1").arg(m_file));
}

Outcome IndexSearch::find(const QString& words, QList<FoundPicture>& found, const QString& within,
                          int limit) const
{
    found.clear();
    const QString match = MatchExpression(words);
    const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(m_file);
    if (!index)
        return cannotOpen();
    if (match.isEmpty())
        return {};
    const QString expression = MatchWithin(match, within);
    const QByteArray folder = NativePath(within);
    QList<FoundFile> files;
    QSet<QByteArray> taken;
    // Deleted since the last walk: the folders are the truth.
    const auto take = [&](const SqlStatement& query) {
        const QByteArray path = query.blob(0);
        if (path.startsWith(folder) && !taken.contains(path) &&
            ReadFileFacts(m_root + PathFromNative(path))) {
            taken.insert(path);
            files.append({query.integer(1), path});
        }
    };
    // The full-text table's own order (its ids follow the files' times) is near the newest
    // first, so with a limit the first pictures come at once, however many match.
    SqlStatement query = index->prepare("SELECT f.path, f.modified, words.rowid FROM words "
                                        "JOIN files f ON f.picture = words.rowid "
                                        "WHERE words MATCH ?1 ORDER BY words.rowid DESC");
    query.bind(1, expression);
    while ((limit == 0 || files.size() < limit) && query.step())
        take(query);
    std::sort(files.begin(), files.end(), answersBefore);
    if (limit == 0 || files.size() < limit) {
        found = answer(m_root, files);
        return {};
    }
    // A picture further on belongs in the answer only with a file at least as new as its last
    // line: one entered out of the files' order, or one that got a newer file since. Those are
    // few; the matches are followed on down to the first of them, and the answer is exact.
    const qint64 oldest = files.last().modified;
    SqlStatement later = index->prepare("SELECT min(picture) FROM files INDEXED BY files_modified "
                                        "WHERE modified >= ?1 AND picture <= ?2");
    const qint64 first = later.bind(1, oldest).bind(2, query.integer(2)).step() ? later.integer(0) : 0;
    while (first > 0 && query.step() && query.integer(2) >= first)
        if (query.integer(1) >= oldest)
            take(query);
    std::sort(files.begin(), files.end(), answersBefore);
    files.resize(limit);
    found = answer(m_root, files);
    return {};
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
            known.insert(PathFromNative(files.blob(0)),
                         {files.integer(1), files.integer(2), files.integer(3) != 0});
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

Outcome IndexSearch::wordsOf(const QString& path, PictureWords& words) const
{
    words = {};
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(m_file);
    if (!index)
        return cannotOpen();
    if (!path.startsWith(m_root) || !facts)
        return {};
    SqlStatement query = index->prepare("SELECT p.id, p.state = 0, w.text FROM files f "
                                        "JOIN pictures p ON p.id = f.picture JOIN words w ON w.rowid = p.id "
                                        "WHERE f.path = ?1 AND f.size = ?2 AND f.modified = ?3");
    query.bind(1, NativePath(path.mid(m_root.size())))
        .bind(2, facts->size)
        .bind(3, facts->modified.toMSecsSinceEpoch());
    if (!query.step() || query.integer(1) != 0)
        return {};
    words = {PictureWords::State::Read, query.text(2), {}};
    // An index of the version before has no boxes yet: its words come without them.
    SqlStatement boxes = index->prepare("SELECT data FROM boxes WHERE picture = ?1");
    if (boxes.bind(1, query.integer(0)).step())
        words.boxes = UnpackWordBoxes(boxes.blob(0));
    return {};
}
