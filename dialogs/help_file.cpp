#include "dialogs/help_file.h"

#include <QFile>

#include <chm_lib.h>  // declarations only; the library itself is opened with dlopen
#include <dlfcn.h>

namespace zelvo::dialogs {

namespace {

// A damaged file must not make us allocate without bound.
constexpr LONGUINT64 kMaxObjectSize = 64 * 1024 * 1024;
// The #SYSTEM record that holds the default topic.
constexpr quint16 kSystemDefaultTopic = 2;

template <typename Function>
Function* symbol(void* handle, const char* name)
{
    return handle ? reinterpret_cast<Function*>(::dlsym(handle, name)) : nullptr;
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

HelpFile::HelpFile(const QString& fileName, const ChmLibrary& library) : library_(library)
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

QStringList HelpFile::files() const
{
    QStringList paths;
    if (!file_)
        return paths;
    const auto add = [](::chmFile*, chmUnitInfo* unit, void* context) -> int {
        static_cast<QStringList*>(context)->append(QString::fromUtf8(unit->path));
        return CHM_ENUMERATOR_CONTINUE;
    };
    library_.api_->enumerate(file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES, add,
                             &paths);
    return paths;
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
