// The registry stand-in: the Windows registry's model (roots, keys, typed values) kept in one
// REGEDIT4 text file per root, so that a .reg export from Windows can be read as it is.
//
// Every change reaches the disk as one atomic replacement of the root's file (temporary file,
// fsync, rename), made under an exclusive lock on a lock file beside it (lock_file.h): two
// processes that save at once are serialised and neither loses the other's change (whole
// programs, which keep their roster in memory, keep to one per folder: reg_claim.h). A lock
// still held after a few seconds fails the change instead of hanging the program. Readers take
// no lock and reload the file whenever it changed on disk. A file that cannot be parsed is never written over: every access to that
// root throws RegistryError naming the file and the line, until the file is mended by hand.
//
// Key paths are written with backslashes ("\Software\Varkel\Zelvo", the leading backslash is
// optional); key and value names compare without regard to ASCII case, as on Windows. Strings
// are 8-bit bytes (Windows-1252) and are kept exactly as given, up to a first NUL byte, where
// a string ends as a C string does in the Windows registry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zelvo::platform {

enum class RegRoot { CurrentUser, LocalMachine };

// A value of a type this program does not interpret (REG_BINARY, REG_EXPAND_SZ, REG_MULTI_SZ,
// ...): kept byte for byte so that it survives a save.
struct RegRawValue {
    std::uint32_t type = 0;  // the Windows type number, as in "hex(7):"; 3 for "hex:"
    std::vector<std::uint8_t> bytes;
    bool operator==(const RegRawValue&) const = default;
};

// REG_SZ (std::string, without its closing NUL), REG_DWORD, or anything else.
using RegValue = std::variant<std::string, std::uint32_t, RegRawValue>;

struct Problem;

// what(): the German sentence in UTF-8 (it names file paths, which are UTF-8 on Linux); problem():
// the same as a sentence the windows translate.
class RegistryError : public std::runtime_error {
public:
    // `format`: a German source text of the context "Problem" (UTF-8, marked QT_TRANSLATE_NOOP
    // where it is written) that `arguments` fill; `reason` fills the %n after them.
    explicit RegistryError(const char* format, std::vector<std::string> arguments = {});
    RegistryError(const char* format, std::vector<std::string> arguments, const Problem& reason);
    explicit RegistryError(const Problem& problem);

    const Problem& problem() const { return *problem_; }

private:
    std::shared_ptr<const Problem> problem_;
};

// The in-memory view of one root, handed to Registry::change so that several edits become one
// atomic change of the file.
class RegEdit {
public:
    virtual ~RegEdit() = default;
    virtual bool keyExists(std::string_view key) const = 0;
    // The key's values as they are on disk under the lock, with this edit's changes so far;
    // empty for a missing key.
    virtual std::vector<std::pair<std::string, RegValue>> values(std::string_view key) const = 0;
    virtual void createKey(std::string_view key) = 0;  // with its missing parents
    virtual void deleteKey(std::string_view key) = 0;  // with its values and subkeys
    virtual void setValue(std::string_view key, std::string_view name,
                          RegValue value) = 0;  // creates the key
    virtual void deleteValue(std::string_view key, std::string_view name) = 0;
};

class Registry {
public:
    struct Paths {
        std::filesystem::path currentUser;   // HKEY_CURRENT_USER.reg
        std::filesystem::path localMachine;  // HKEY_LOCAL_MACHINE.reg
    };

    // $ZELVO_REGISTRY_DIR/<root>.reg for both roots when that variable is set; otherwise HKCU in
    // $XDG_CONFIG_HOME/zelvo (default ~/.config/zelvo) and HKLM in /etc/zelvo.
    static Paths defaultPaths();

    explicit Registry(Paths paths);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    const Paths& paths() const;

    // Reads. A missing file is an empty root. Throw RegistryError for a file that cannot be read
    // or parsed.
    bool keyExists(RegRoot root, std::string_view key) const;
    std::optional<RegValue> value(RegRoot root, std::string_view key, std::string_view name) const;
    // The value when it exists and has that type; nullopt otherwise.
    std::optional<std::string> readString(RegRoot root, std::string_view key, std::string_view name) const;
    std::optional<std::uint32_t> readDword(RegRoot root, std::string_view key, std::string_view name) const;
    // Names as stored (their own case): values in the order they were created, subkeys sorted.
    std::vector<std::string> valueNames(RegRoot root, std::string_view key) const;
    std::vector<std::string> subkeyNames(RegRoot root, std::string_view key) const;

    // Writes, each one atomic change of the root's file. Throw RegistryError when the file
    // cannot be parsed (it is left as it is) or cannot be written. An edit that throws changes
    // nothing; it must not call this Registry itself (the registry is locked while it runs).
    void change(RegRoot root, const std::function<void(RegEdit&)>& edit);
    void createKey(RegRoot root, std::string_view key);
    void deleteKey(RegRoot root, std::string_view key);
    void setString(RegRoot root, std::string_view key, std::string_view name, std::string_view bytes);
    void setDword(RegRoot root, std::string_view key, std::string_view name, std::uint32_t value);
    void deleteValue(RegRoot root, std::string_view key, std::string_view name);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A key opened the way a Windows program opens one: RegKey::open fails (nullopt) for a key that
// does not exist, RegKey::create makes it. The handle names the key; it holds no file open.
class RegKey {
public:
    static std::optional<RegKey> open(Registry& registry, RegRoot root, std::string_view key);
    static RegKey create(Registry& registry, RegRoot root, std::string_view key);

    bool hasSubkey(std::string_view name) const;
    bool hasValue(std::string_view name) const;
    std::optional<std::string> readString(std::string_view name) const;
    std::optional<std::uint32_t> readDword(std::string_view name) const;
    void writeString(std::string_view name, std::string_view bytes);
    void writeDword(std::string_view name, std::uint32_t value);

    RegRoot root() const { return root_; }
    // With one leading backslash ("\Software\Varkel\Zelvo"); empty for the root itself.
    const std::string& path() const { return path_; }

private:
    RegKey(Registry& registry, RegRoot root, std::string path)
        : registry_(&registry), root_(root), path_(std::move(path))
    {}
    Registry* registry_;
    RegRoot root_;
    std::string path_;
};

}  // namespace zelvo::platform
