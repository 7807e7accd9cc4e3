#include "app/restart_after_logoff.h"

#include <QSaveFile>
#include <QString>

#include <cstdlib>

#include "platform/ansi.h"

namespace zelvo::app {

using platform::RegRoot;

std::filesystem::path autostartEntryPath()
{
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/')
        config = xdg;
    else
        config = std::filesystem::path(std::getenv("HOME") ? std::getenv("HOME") : "") / ".config";
    return config / "autostart" / "zelvo-once.desktop";
}

void registerRestart(platform::Registry& registry, const std::filesystem::path& program)
{
    try {
        registry.setString(RegRoot::CurrentUser, kRunOnceKey, kRunOnceValue,
                           platform::utf8ToAnsi("\"" + program.string() + "\""));
    } catch (const platform::RegistryError&) {
        // As on Windows: without the key the logoff goes on without it.
    }
    const auto entry = autostartEntryPath();
    std::error_code ignored;
    std::filesystem::create_directories(entry.parent_path(), ignored);
    // Exec quotes the path as the desktop entry format wants it.
    QString exec = QString::fromStdString(program.string());
    exec.replace("\\", "\\\\").replace("\"", "\\\"").replace("`", "\\`").replace("$", "\\$");
    QSaveFile file(QString::fromStdString(entry.string()));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Zelvo\n"
                              "Comment=Zelvo einmal nach der Anmeldung starten\nExec=\"%1\"\n"
                              "X-GNOME-Autostart-enabled=true\n")
                   .arg(exec)
                   .toUtf8());
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
