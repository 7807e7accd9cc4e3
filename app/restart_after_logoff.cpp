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
// order: the path quoted (\ " ` $ escaped inside the quotes), then the key file's string escapes
// (\ \n \t \r). Nothing for a path that no desktop can start: GLib looks for the program named
// by the Exec value before it expands %% to %, so a path with % is never found; a key file holds
// only UTF-8 and no other control character.
std::optional<std::string> execValue(const std::string& program)
{
    if (QString::fromStdString(program).toStdString() != program)
        return std::nullopt;  // not UTF-8
    std::string quoted = "\"";
    for (const char c : program) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
        if (c == '%' || (control && c != '\n' && c != '\t' && c != '\r'))
            return std::nullopt;
        if (c == '\\' || c == '"' || c == '`' || c == '$')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string exec;
    for (const char c : quoted) {
        switch (c) {
        case '\\': exec += "\\\\"; break;
        case '\n': exec += "\\n"; break;
        case '\t': exec += "\\t"; break;
        case '\r': exec += "\\r"; break;
        default: exec += c;
        }
    }
    return exec;
}

// The program's path as a message shows it; a byte that is not UTF-8 shows as a replacement.
std::string shownPath(const std::filesystem::path& program)
{
    return QString::fromUtf8(program.string()).toStdString();
}

}  // namespace

std::filesystem::path autostartEntryPath()
{
    return platform::configHome() / "autostart" / "zelvo-once.desktop";
}

std::optional<platform::Problem> registerRestart(platform::Registry& registry,
                                                 const std::filesystem::path& program)
{
    try {
        registry.setString(RegRoot::CurrentUser, kRunOnceKey, kRunOnceValue,
                           platform::utf8ToAnsi("\"" + program.string() + "\""));
    } catch (const platform::RegistryError&) {
        // As on Windows: without the key the logoff goes on without it.
    }
    const auto entry = autostartEntryPath();
    // An entry of an earlier logoff would start whatever it names: none is better.
    std::error_code ignored;
    const auto exec = execValue(program.string());
    if (!exec) {
        std::filesystem::remove(entry, ignored);
        return platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem",
                              "Zelvo startet nach der Anmeldung nicht von selbst: Der Programmpfad %1 "
                              "enthält ein Prozentzeichen, ein Steuerzeichen oder kein UTF-8, und so "
                              "kann ihn kein Autostart-Eintrag starten."),
            {shownPath(program)});
    }
    std::filesystem::create_directories(entry.parent_path(), ignored);
    QSaveFile file(QString::fromStdString(entry.string()));
    if (file.open(QIODevice::WriteOnly)) {
        file.write("[Desktop Entry]\nType=Application\nName=Zelvo\n"
                   "Comment=Zelvo einmal nach der Anmeldung starten\nExec=");
        file.write(exec->data(), qint64(exec->size()));
        file.write("\nX-GNOME-Autostart-enabled=true\n");
        if (file.commit())
            return std::nullopt;
    }
    std::filesystem::remove(entry, ignored);
    return platform::composedProblem(
        QT_TRANSLATE_NOOP(
            "Problem",
            "Zelvo startet nach der Anmeldung nicht von selbst: %1 kann nicht geschrieben werden: %2"),
        {entry.string(), file.errorString().toStdString()});
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
