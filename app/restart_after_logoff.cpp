#include "app/restart_after_logoff.h"

#include <QSaveFile>
#include <QString>

#include <cstdlib>
#include <string>

#include "platform/ansi.h"
#include "platform/user_folders.h"

namespace zelvo::app {

using platform::RegRoot;

namespace {

// The Exec value that runs `program` without arguments, by the Desktop Entry rules in their
// order: the path quoted (\ " ` $ escaped inside the quotes), every % doubled so that no field
// code is read into it, then the key file's string escape (\ written \\). Nothing for a path a
// key file cannot hold: one that is not UTF-8, or that holds a control character (a line break
// would start a key line of its own).
std::optional<std::string> execValue(const std::string& program)
{
    if (QString::fromStdString(program).toStdString() != program)
        return std::nullopt;  // not UTF-8
    std::string quoted = "\"";
    for (const char c : program) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return std::nullopt;
        if (c == '\\' || c == '"' || c == '`' || c == '$')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string exec;
    for (const char c : quoted)
        exec += c == '%' ? "%%" : c == '\\' ? "\\\\" : std::string(1, c);
    return exec;
}

}  // namespace

std::filesystem::path autostartEntryPath()
{
    return platform::configHome() / "autostart" / "zelvo-once.desktop";
}

void registerRestart(platform::Registry& registry, const std::filesystem::path& program)
{
    try {
        registry.setString(RegRoot::CurrentUser, kRunOnceKey, kRunOnceValue,
                           platform::utf8ToAnsi("\"" + program.string() + "\""));
    } catch (const platform::RegistryError&) {
        // As on Windows: without the key the logoff goes on without it.
    }
    const auto exec = execValue(program.string());
    if (!exec)
        return;
    const auto entry = autostartEntryPath();
    std::error_code ignored;
    std::filesystem::create_directories(entry.parent_path(), ignored);
    QSaveFile file(QString::fromStdString(entry.string()));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("[Desktop Entry]\nType=Application\nName=Zelvo\n"
               "Comment=Zelvo einmal nach der Anmeldung starten\nExec=");
    file.write(exec->data(), qint64(exec->size()));
    file.write("\nX-GNOME-Autostart-enabled=true\n");
    file.commit();
}

void clearRestart(platform::Registry& registry)
{
    try {
        if (registry.readString(RegRoot::CurrentUser, kRunOnceKey, kRunOnceValue))
            registry.deleteValue(RegRoot::CurrentUser, kRunOnceKey, kRunOnceValue);
    } catch (const platform::RegistryError&) {
    }
    std::error_code ignored;
    std::filesystem::remove(autostartEntryPath(), ignored);
}

}  // namespace zelvo::app
