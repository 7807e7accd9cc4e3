#include "dialogs/help_file.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

#include <chm_lib.h>  // declarations only; the library itself is opened with dlopen
#include <dlfcn.h>

namespace zelvo::dialogs {

namespace {

// A damaged file must not make us allocate without bound.
constexpr LONGUINT64 kMaxObjectSize = 64 * 1024 * 1024;
// The #SYSTEM record that holds the default topic.
constexpr quint16 kSystemDefaultTopic = 2;
// A listing chunk starts with "PMGL", its free space at the end, a word, and the numbers of the
// previous and next chunk (-1: none); then its entries.
constexpr qint64 kListingHeader = 20;

template <typename Function>
Function* symbol(void* handle, const char* name)
{
    return handle ? reinterpret_cast<Function*>(::dlsym(handle, name)) : nullptr;
}

// The bytes of `file` at `at`; fewer when it ends before.
QByteArray bytesAt(QFile& file, quint64 at, qint64 length)
{
    if (at > quint64(file.size()) || !file.seek(qint64(at)))
        return {};
    return file.read(length);
}

template <typename T>
T number(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

// The numbers of a listing entry: 7 bits a byte, the high bit set on all but the last.
std::optional<quint64> encodedNumber(const QByteArray& chunk, qsizetype& at, qsizetype end)
{
    quint64 value = 0;
    for (int length = 0; at < end && length < 9; ++length) {
        const auto byte = quint8(chunk[at++]);
        value = value << 7 | (byte & 0x7F);
        if (!(byte & 0x80))
            return value;
    }
    return std::nullopt;
}

// The paths of the files named in one listing chunk: each entry is a name length, the name (UTF-8)
// and the file's section, offset and length. Names ending in "/" are folders, those not starting
// with "/" the format's own ("::DataSpace/..."); neither is a file.
bool addFiles(const QByteArray& chunk, qsizetype end, QStringList& paths, QSet<QString>& seen)
{
    for (qsizetype at = kListingHeader; at < end;) {
        const auto length = encodedNumber(chunk, at, end);
        if (!length || *length > quint64(end - at))
            return false;
        const QString path = QString::fromUtf8(chunk.mid(at, qsizetype(*length)));
        at += qsizetype(*length);
        for (int number = 0; number < 3; ++number) {
            if (!encodedNumber(chunk, at, end))
                return false;
        }
        if (!path.startsWith(u'/') || path.endsWith(u'/'))
            continue;
        if (seen.contains(path))
            return false;
        seen.insert(path);
        paths.append(path);
    }
    return true;
}

// The paths of the files in the help file `fileName`, read from its directory; nullopt when the
// directory is damaged. The file starts with the ITSF header (the directory's offset and length
// at 0x48 and 0x50); the directory with the ITSP header (its length at 8, the chunk length at
// 0x10, a listing chunk at 0x20), then the chunks. The listing chunks form a chain through their
// previous and next numbers; chmlib follows it unchecked from the chunk the header names, which
// chmcmd sets to the second chunk of a longer chain. Here it is walked from its true start, and
// a chunk visited twice, a number out of the directory or a chunk that is no listing chunk ends
// the walk as damaged.
std::optional<QStringList> directoryFiles(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray itsf = bytesAt(file, 0, 0x58);
    if (itsf.size() < 0x58 || !itsf.startsWith("ITSF"))
        return std::nullopt;
    const auto directory = number<quint64>(itsf, 0x48);
    const QByteArray itsp = bytesAt(file, directory, 0x24);
    if (itsp.size() < 0x24 || !itsp.startsWith("ITSP"))
        return std::nullopt;
    const auto headerLength = number<quint32>(itsp, 8);
    const auto blockLength = number<quint32>(itsp, 0x10);
    const quint64 chunksAt = directory + headerLength;
    const quint64 fileSize = quint64(file.size());
    if (blockLength < kListingHeader || chunksAt > fileSize)
        return std::nullopt;
    // Chunks past the directory's stated length, or past the file, do not count; a length too
    // short for the header is taken as not stated.
    const quint64 stated = number<quint64>(itsf, 0x50);
    const quint64 room = fileSize - chunksAt;
    const quint64 chunks =
        (stated > headerLength ? std::min(stated - headerLength, room) : room) / blockLength;
    const auto listingChunk = [&](qint32 at) -> std::optional<QByteArray> {
        if (at < 0 || quint64(at) >= chunks)
            return std::nullopt;
        QByteArray chunk = bytesAt(file, chunksAt + quint64(at) * blockLength, blockLength);
        if (chunk.size() < qsizetype(blockLength) || !chunk.startsWith("PMGL"))
            return std::nullopt;
        return chunk;
    };
    // Back to the first chunk, then along to the last.
    qint32 first = number<qint32>(itsp, 0x20);
    QSet<qint32> visited;
    for (auto chunk = listingChunk(first); chunk && number<qint32>(*chunk, 12) != -1;
         chunk = listingChunk(first)) {
        visited.insert(first);
        first = number<qint32>(*chunk, 12);
        if (visited.contains(first))
            return std::nullopt;
    }
    visited.clear();
    QStringList paths;
    QSet<QString> seen;
    for (qint32 at = first; at != -1;) {
        const auto chunk = listingChunk(at);
        const auto freeSpace = chunk ? number<quint32>(*chunk, 4) : 0;
        if (!chunk || visited.contains(at) || freeSpace > blockLength - kListingHeader ||
            !addFiles(*chunk, qsizetype(blockLength - freeSpace), paths, seen))
            return std::nullopt;
        visited.insert(at);
        at = number<qint32>(*chunk, 16);
    }
    return paths;
}

}  // namespace

struct ChmLibrary::Api {
    decltype(::chm_open)* open = nullptr;
    decltype(::chm_close)* close = nullptr;
    decltype(::chm_resolve_object)* resolve = nullptr;
    decltype(::chm_retrieve_object)* retrieve = nullptr;
};

ChmLibrary::ChmLibrary(const char* soname)
    : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)), api_(std::make_unique<Api>())
{
    api_->open = symbol<decltype(::chm_open)>(handle_, "chm_open");
    api_->close = symbol<decltype(::chm_close)>(handle_, "chm_close");
    api_->resolve = symbol<decltype(::chm_resolve_object)>(handle_, "chm_resolve_object");
    api_->retrieve = symbol<decltype(::chm_retrieve_object)>(handle_, "chm_retrieve_object");
}

ChmLibrary::~ChmLibrary()
{
    if (handle_)
        ::dlclose(handle_);
}

bool ChmLibrary::available() const
{
    return api_->open && api_->close && api_->resolve && api_->retrieve;
}

const ChmLibrary& ChmLibrary::standard()
{
    static const ChmLibrary library;
    return library;
}

HelpFile::HelpFile(const QString& fileName, const ChmLibrary& library)
    : library_(library), fileName_(fileName)
{
    if (library_.available())
        file_ = library_.api_->open(QFile::encodeName(fileName).constData());
}

HelpFile::~HelpFile()
{
    if (file_)
        library_.api_->close(file_);
}

std::optional<QByteArray> HelpFile::read(const QString& path) const
{
    if (!file_)
        return std::nullopt;
    const QByteArray name = (path.startsWith(u'/') ? path : u'/' + path).toUtf8();
    chmUnitInfo unit{};
    if (library_.api_->resolve(file_, name.constData(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > kMaxObjectSize)
        return std::nullopt;
    QByteArray data(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 got = library_.api_->retrieve(file_, &unit, reinterpret_cast<unsigned char*>(data.data()),
                                                  0, LONGINT64(unit.length));
    if (got != LONGINT64(unit.length))
        return std::nullopt;
    return data;
}

std::optional<QStringList> HelpFile::files() const
{
    if (!file_)
        return QStringList();
    return directoryFiles(fileName_);
}

QString HelpFile::defaultTopic() const
{
    return defaultTopicOf(read(QStringLiteral("/#SYSTEM")).value_or(QByteArray()));
}

QString defaultTopicOf(const QByteArray& system)
{
    // #SYSTEM: a 32-bit version, then records of a 16-bit code, a 16-bit length and the data.
    for (qsizetype at = 4; at + 4 <= system.size();) {
        const auto word = [&](qsizetype i) {
            return quint16(quint8(system[i]) | quint8(system[i + 1]) << 8);
        };
        const quint16 code = word(at);
        const quint16 length = word(at + 2);
        at += 4;
        if (length > system.size() - at)
            break;
        if (code == kSystemDefaultTopic) {
            const QByteArray topic = system.mid(at, length).split('\0').first();
            if (topic.isEmpty())
                return {};
            // Stored relative to the root, without the leading "/".
            return topic.startsWith('/') ? QString::fromUtf8(topic) : u'/' + QString::fromUtf8(topic);
        }
        at += length;
    }
    return {};
}

}  // namespace zelvo::dialogs
