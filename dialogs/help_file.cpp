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
// A listing chunk starts with "PMGL", its free space, a word, and the numbers of the previous and
// next chunk (-1: none); each entry takes four bytes at least (a name length, a name, and three
// numbers, each of one byte or more).
constexpr qint64 kListingHeader = 20;
constexpr qint64 kSmallestEntry = 4;

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

// How many entries the directory of the help file `fileName` can hold at most; nullopt when the
// chain of its listing chunks, which chmlib follows without a check, visits a chunk twice, leaves
// the directory or reaches a chunk that is no listing chunk. The file starts with the ITSF header
// (the directory's offset and length at 0x48 and 0x50); the directory with the ITSP header (its
// length at 8, the chunk length at 0x10, the first listing chunk at 0x20), then the chunks.
std::optional<qint64> directoryCapacity(const QString& fileName)
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
    // Chunks that lie past the directory's stated length, or past the file, do not count; a
    // length too short for the header is taken as not stated.
    const quint64 stated = number<quint64>(itsf, 0x50);
    const quint64 room = fileSize - chunksAt;
    const quint64 chunks =
        (stated > headerLength ? std::min(stated - headerLength, room) : room) / blockLength;
    QSet<qint32> visited;
    for (auto at = number<qint32>(itsp, 0x20); at != -1;) {
        if (at < 0 || quint64(at) >= chunks || visited.contains(at))
            return std::nullopt;
        visited.insert(at);
        const QByteArray chunk = bytesAt(file, chunksAt + quint64(at) * blockLength, kListingHeader);
        if (chunk.size() < kListingHeader || !chunk.startsWith("PMGL"))
            return std::nullopt;
        at = number<qint32>(chunk, 16);
    }
    return qint64(visited.size()) * ((blockLength - kListingHeader) / kSmallestEntry);
}

// The entries chmlib hands over while it walks the directory. An entry that comes twice, or one
// more than the chunks can hold, ends the walk as damaged.
struct Listing {
    qint64 capacity = 0;
    QStringList paths;
    QSet<QString> seen;
    bool damaged = false;
};

int addEntry(::chmFile*, chmUnitInfo* unit, void* context)
{
    auto& listing = *static_cast<Listing*>(context);
    const QString path = QString::fromUtf8(unit->path);
    if (listing.paths.size() >= listing.capacity || listing.seen.contains(path)) {
        listing.damaged = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    listing.seen.insert(path);
    listing.paths.append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

struct ChmLibrary::Api {
    decltype(::chm_open)* open = nullptr;
    decltype(::chm_close)* close = nullptr;
    decltype(::chm_resolve_object)* resolve = nullptr;
    decltype(::chm_retrieve_object)* retrieve = nullptr;
    decltype(::chm_enumerate)* enumerate = nullptr;
};

ChmLibrary::ChmLibrary(const char* soname)
    : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)), api_(std::make_unique<Api>())
{
    api_->open = symbol<decltype(::chm_open)>(handle_, "chm_open");
    api_->close = symbol<decltype(::chm_close)>(handle_, "chm_close");
    api_->resolve = symbol<decltype(::chm_resolve_object)>(handle_, "chm_resolve_object");
    api_->retrieve = symbol<decltype(::chm_retrieve_object)>(handle_, "chm_retrieve_object");
    api_->enumerate = symbol<decltype(::chm_enumerate)>(handle_, "chm_enumerate");
}

ChmLibrary::~ChmLibrary()
{
    if (handle_)
        ::dlclose(handle_);
}

bool ChmLibrary::available() const
{
    return api_->open && api_->close && api_->resolve && api_->retrieve && api_->enumerate;
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
    const auto capacity = directoryCapacity(fileName_);
    if (!capacity)
        return std::nullopt;
    Listing listing;
    listing.capacity = *capacity;
    const int whole = library_.api_->enumerate(
        file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES, addEntry, &listing);
    if (!whole || listing.damaged)
        return std::nullopt;
    return listing.paths;
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
