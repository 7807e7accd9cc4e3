// The registry store: caches each root's parsed file, reloads it when the file on disk changed,
// and writes every change as one atomic replacement under an exclusive flock.
#include "platform/registry.h"

#include "platform/lock_file.h"
#include "platform/problem.h"
#include "platform/reg_text.h"
#include "platform/reg_tree.h"
#include "platform/user_folders.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>

#include <QtGlobal>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvo::platform {

namespace fs = std::filesystem;
using regtree::KeyData;
using regtree::Tree;

namespace {

std::string errnoText(int err)
{
    return std::strerror(err);
}

RegistryError readError(const fs::path& file, int err)
{
    return RegistryError(
        QT_TRANSLATE_NOOP("Problem", "Die Registrierungsdatei %1 kann nicht gelesen werden: %2"),
        {file.string(), errnoText(err)});
}

constexpr const char* kUnwritable =
    QT_TRANSLATE_NOOP("Problem", "Die Registrierungsdatei %1 kann nicht geschrieben werden: %2");

// `why`: the system's reason.
RegistryError writeError(const fs::path& file, const std::string& why)
{
    return RegistryError(kUnwritable, {file.string(), why});
}

RegistryError writeError(const fs::path& file, const Problem& why)
{
    return RegistryError(kUnwritable, {file.string()}, why);
}

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept
    {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    ~Fd() { reset(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Identifies the content of a file on disk. The loaded file is kept open, so its inode cannot
// be reused by a later file: a different inode number is always a different file.
struct Stamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    std::int64_t mtimeSec = 0;
    long mtimeNsec = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const struct stat& st)
{
    return Stamp{true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

Stamp stampOfPath(const fs::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Stamp{};
        throw readError(file, errno);
    }
    return stampOf(st);
}

fs::path lockPathFor(const fs::path& file)
{
    return fs::path(file.string() + ".lock");
}

// Every writer of the file is done within milliseconds; a lock held longer is held by a process
// that hangs, or by a stranger.
constexpr std::chrono::seconds kLockWait{3};

Fd exclusiveLock(const fs::path& file)
{
    if (auto failure = makePrivateFolder(file.parent_path()))
        throw writeError(file, *failure);
    LockedFile locked = lockPrivateFile(lockPathFor(file), LOCK_EX, kLockWait);
    Fd fd(locked.fd);
    if (!fd.valid())
        throw writeError(file, errnoText(locked.error));
    switch (locked.wait) {
    case LockWait::Locked: break;
    case LockWait::Held:
        throw writeError(file,
                         composedProblem(QT_TRANSLATE_NOOP("Problem", "ein anderer Prozess hält ihre "
                                                                      "Sperrdatei %1 seit mehr als %2 "
                                                                      "Sekunden gesperrt"),
                                         {lockPathFor(file).string(), std::to_string(kLockWait.count())}));
    case LockWait::Failed:
        // Where nothing can be locked, a change is written without the lock, as a lone program
        // writes anyway.
        if (!meansNoLocks(locked.error))
            throw writeError(file, composedProblem(QT_TRANSLATE_NOOP("Problem", "Sperren fehlgeschlagen: %1"),
                                                   {errnoText(locked.error)}));
        break;
    }
    return fd;
}

std::string readAll(int fd, const fs::path& file)
{
    std::string text;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return text;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw readError(file, errno);
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

void writeAll(int fd, std::string_view text, const fs::path& file)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw writeError(file, errnoText(errno));
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string tempPrefixFor(const fs::path& file)
{
    return "." + file.filename().string() + ".tmp.";
}

// ".<file>.tmp.<pid>.<salt>.<counter>": the pid names the writer.
fs::path tempPathFor(const fs::path& file)
{
    static std::atomic<unsigned> counter{0};
    static const unsigned salt = std::random_device{}();
    return file.parent_path() / (tempPrefixFor(file) + std::to_string(::getpid()) + "." +
                                 std::to_string(salt) + "." + std::to_string(counter++));
}

// A writer killed between creating its temporary file and the rename leaves the file behind.
// Called with the exclusive lock held, so no live writer of this file is between those steps;
// only files of processes that no longer run are removed all the same.
void removeTempsOfEndedWriters(const fs::path& file)
{
    const std::string prefix = tempPrefixFor(file);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(file.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix))
            continue;
        const pid_t pid = static_cast<pid_t>(std::atoll(name.c_str() + prefix.size()));
        if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlink(entry.path().c_str());
    }
}

// Temporary file, fsync, rename, fsync of the directory. Returns the new file, still open.
// `mode` is the replaced file's: the temporary file has it from its creation, so that a file the
// user made private is never readable by others, not even while it is being written.
Fd replaceFile(const fs::path& file, std::string_view text, std::optional<mode_t> mode)
{
    const fs::path temp = tempPathFor(file);
    Fd fd(
        ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode ? *mode & 0777 : kPrivateFileMode));
    if (!fd.valid())
        throw writeError(file, errnoText(errno));
    try {
        // The umask may have taken bits that the original had.
        if (mode && ::fchmod(fd.get(), *mode) != 0)
            throw writeError(file, errnoText(errno));
        writeAll(fd.get(), text, file);
        if (::fsync(fd.get()) != 0)
            throw writeError(file, errnoText(errno));
        if (::rename(temp.c_str(), file.c_str()) != 0)
            throw writeError(file, errnoText(errno));
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    Fd dir(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
    return fd;
}

// The last state of one root's file that this instance has seen.
struct RootCache {
    bool valid = false;
    Stamp stamp;
    Fd file;           // the file the tree was read from (see Stamp)
    std::string text;  // its bytes, to skip writes that change nothing
    Tree tree;
    std::optional<Problem> error;  // the file at this stamp cannot be parsed
};

class TreeEdit final : public RegEdit {
public:
    explicit TreeEdit(Tree& tree) : tree_(tree) {}

    bool keyExists(std::string_view key) const override
    {
        return tree_.contains(regtree::parseKeyPath(key).id);
    }
    std::vector<std::pair<std::string, RegValue>> values(std::string_view key) const override
    {
        const KeyData* found = tree_.find(regtree::parseKeyPath(key).id);
        return found ? found->values : std::vector<std::pair<std::string, RegValue>>{};
    }
    void createKey(std::string_view key) override { tree_.ensure(regtree::parseKeyPath(key).names); }
    void deleteKey(std::string_view key) override { tree_.erase(regtree::parseKeyPath(key).id); }

    void setValue(std::string_view key, std::string_view name, RegValue value) override
    {
        const auto path = regtree::parseKeyPath(key);
        regtree::checkValueName(name);
        regtree::putValue(tree_.ensure(path.names), name, regtree::normalize(std::move(value)));
    }

    void deleteValue(std::string_view key, std::string_view name) override
    {
        const auto path = regtree::parseKeyPath(key);
        if (KeyData* found = tree_.find(path.id))
            regtree::removeValue(*found, name);
    }

private:
    Tree& tree_;
};

}  // namespace

struct Registry::Impl {
    Paths paths;
    std::mutex mutex;
    RootCache caches[2];

    const fs::path& fileOf(RegRoot root) const
    {
        return root == RegRoot::CurrentUser ? paths.currentUser : paths.localMachine;
    }
    RootCache& cacheOf(RegRoot root) { return caches[root == RegRoot::CurrentUser ? 0 : 1]; }

    // Reads and parses the file into the cache; throws when it cannot be parsed.
    void load(RegRoot root)
    {
        const fs::path& file = fileOf(root);
        RootCache& cache = cacheOf(root);
        cache.valid = false;
        Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid() && (errno == ENOENT || errno == ENOTDIR)) {
            cache = RootCache{};
            cache.valid = true;
            return;
        }
        if (!fd.valid())
            throw readError(file, errno);
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0)
            throw readError(file, errno);
        std::string text = readAll(fd.get(), file);
        cache.stamp = stampOf(st);
        cache.file = std::move(fd);
        cache.error.reset();
        try {
            cache.tree = regtext::parse(text, root, file);
            cache.text = std::move(text);
        } catch (const RegistryError& e) {
            cache.tree = Tree();
            cache.text.clear();
            cache.error = e.problem();
        }
        cache.valid = true;
        if (cache.error)
            throw RegistryError(*cache.error);
    }

    // The root as it is on disk now. Caller holds the mutex.
    const Tree& current(RegRoot root)
    {
        RootCache& cache = cacheOf(root);
        const fs::path& file = fileOf(root);
        // No lock: writers only ever rename whole files into place.
        if (!cache.valid || cache.stamp != stampOfPath(file))
            load(root);
        if (cache.error)
            throw RegistryError(*cache.error);
        return cache.tree;
    }

    void change(RegRoot root, const std::function<void(RegEdit&)>& edit)
    {
        const fs::path& file = fileOf(root);
        RootCache& cache = cacheOf(root);
        Fd lock = exclusiveLock(file);
        if (!cache.valid || cache.stamp != stampOfPath(file))
            load(root);
        if (cache.error)
            throw RegistryError(*cache.error);

        Tree edited = cache.tree;
        TreeEdit editor(edited);
        edit(editor);
        if (edited == cache.tree)
            return;
        std::string text = regtext::serialize(edited, root);

        std::optional<mode_t> mode;
        struct stat old {};
        if (cache.file.valid() && ::fstat(cache.file.get(), &old) == 0)
            mode = old.st_mode & 07777;
        Fd written = replaceFile(file, text, mode);
        removeTempsOfEndedWriters(file);
        struct stat st {};
        if (::fstat(written.get(), &st) != 0) {
            cache.valid = false;
            return;
        }
        cache.stamp = stampOf(st);
        cache.file = std::move(written);
        cache.text = std::move(text);
        cache.tree = std::move(edited);
    }
};

Registry::Paths Registry::defaultPaths()
{
    if (const char* dir = std::getenv("ZELVO_REGISTRY_DIR"); dir && *dir)
        return Paths{fs::path(dir) / "HKEY_CURRENT_USER.reg", fs::path(dir) / "HKEY_LOCAL_MACHINE.reg"};
    return Paths{configHome() / "zelvo" / "HKEY_CURRENT_USER.reg",
                 fs::path("/etc/zelvo/HKEY_LOCAL_MACHINE.reg")};
}

Registry::Registry(Paths paths) : d(std::make_unique<Impl>())
{
    d->paths = std::move(paths);
}

Registry::~Registry() = default;

const Registry::Paths& Registry::paths() const
{
    return d->paths;
}

bool Registry::keyExists(RegRoot root, std::string_view key) const
{
    const auto id = regtree::parseKeyPath(key).id;
    std::lock_guard guard(d->mutex);
    return d->current(root).contains(id);
}

std::optional<RegValue> Registry::value(RegRoot root, std::string_view key, std::string_view name) const
{
    const auto id = regtree::parseKeyPath(key).id;
    std::lock_guard guard(d->mutex);
    const KeyData* found = d->current(root).find(id);
    const RegValue* v = found ? regtree::findValue(*found, name) : nullptr;
    return v ? std::optional<RegValue>(*v) : std::nullopt;
}

std::optional<std::string> Registry::readString(RegRoot root, std::string_view key,
                                                std::string_view name) const
{
    auto v = value(root, key, name);
    if (auto* s = v ? std::get_if<std::string>(&*v) : nullptr)
        return std::move(*s);
    return std::nullopt;
}

std::optional<std::uint32_t> Registry::readDword(RegRoot root, std::string_view key,
                                                 std::string_view name) const
{
    const auto v = value(root, key, name);
    if (const auto* n = v ? std::get_if<std::uint32_t>(&*v) : nullptr)
        return *n;
    return std::nullopt;
}

std::vector<std::string> Registry::valueNames(RegRoot root, std::string_view key) const
{
    const auto id = regtree::parseKeyPath(key).id;
    std::lock_guard guard(d->mutex);
    std::vector<std::string> names;
    if (const KeyData* found = d->current(root).find(id))
        for (const auto& entry : found->values)
            names.push_back(entry.first);
    return names;
}

std::vector<std::string> Registry::subkeyNames(RegRoot root, std::string_view key) const
{
    const auto id = regtree::parseKeyPath(key).id;
    std::lock_guard guard(d->mutex);
    return d->current(root).subkeyNames(id);
}

void Registry::change(RegRoot root, const std::function<void(RegEdit&)>& edit)
{
    std::lock_guard guard(d->mutex);
    d->change(root, edit);
}

void Registry::createKey(RegRoot root, std::string_view key)
{
    change(root, [&](RegEdit& e) { e.createKey(key); });
}

void Registry::deleteKey(RegRoot root, std::string_view key)
{
    change(root, [&](RegEdit& e) { e.deleteKey(key); });
}

void Registry::setString(RegRoot root, std::string_view key, std::string_view name, std::string_view bytes)
{
    change(root, [&](RegEdit& e) { e.setValue(key, name, std::string(bytes)); });
}

void Registry::setDword(RegRoot root, std::string_view key, std::string_view name, std::uint32_t value)
{
    change(root, [&](RegEdit& e) { e.setValue(key, name, value); });
}

void Registry::deleteValue(RegRoot root, std::string_view key, std::string_view name)
{
    change(root, [&](RegEdit& e) { e.deleteValue(key, name); });
}

// RegKey -----------------------------------------------------------------------------------

namespace {

std::string normalizedPath(std::string_view key)
{
    std::string path;
    for (const auto& name : regtree::parseKeyPath(key).names)
        path += "\\" + name;
    return path;
}

std::string childPath(const std::string& parent, std::string_view name)
{
    if (name.empty() || name.find('\\') != std::string_view::npos)
        throw RegistryError(QT_TRANSLATE_NOOP("Problem", "Ungültiger Unterschlüssel \"%1\""),
                            {std::string(name)});
    return parent + "\\" + std::string(name);
}

}  // namespace

RegistryError::RegistryError(const char* format, std::vector<std::string> arguments)
    : RegistryError(composedProblem(format, std::move(arguments)))
{}

RegistryError::RegistryError(const char* format, std::vector<std::string> arguments, const Problem& reason)
    : RegistryError(composedProblem(format, std::move(arguments), reason))
{}

RegistryError::RegistryError(const Problem& problem)
    : std::runtime_error(germanSentence(problem)), problem_(std::make_shared<const Problem>(problem))
{}

std::optional<RegKey> RegKey::open(Registry& registry, RegRoot root, std::string_view key)
{
    std::string path = normalizedPath(key);
    if (!registry.keyExists(root, path))
        return std::nullopt;
    return RegKey(registry, root, std::move(path));
}

RegKey RegKey::create(Registry& registry, RegRoot root, std::string_view key)
{
    std::string path = normalizedPath(key);
    registry.createKey(root, path);
    return RegKey(registry, root, std::move(path));
}

bool RegKey::hasSubkey(std::string_view name) const
{
    return registry_->keyExists(root_, childPath(path_, name));
}

bool RegKey::hasValue(std::string_view name) const
{
    return registry_->value(root_, path_, name).has_value();
}

std::optional<std::string> RegKey::readString(std::string_view name) const
{
    return registry_->readString(root_, path_, name);
}

std::optional<std::uint32_t> RegKey::readDword(std::string_view name) const
{
    return registry_->readDword(root_, path_, name);
}

void RegKey::writeString(std::string_view name, std::string_view bytes)
{
    registry_->setString(root_, path_, name, bytes);
}

void RegKey::writeDword(std::string_view name, std::uint32_t value)
{
    registry_->setDword(root_, path_, name, value);
}

}  // namespace zelvo::platform
