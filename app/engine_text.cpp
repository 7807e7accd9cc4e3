#include "app/engine_text.h"

#include <QCoreApplication>

#include "platform/ansi.h"

namespace zelvo::app {
namespace {

constexpr const char* kContext = "Station";

// What the engine shows as it stands.
constexpr const char* kTexts[] = {
    QT_TRANSLATE_NOOP("Station", "bereit... Hilfe mit F1"),
    QT_TRANSLATE_NOOP("Station", "Msg eingetroffen"),
    QT_TRANSLATE_NOOP("Station", "Übertragungsfehler"),
    QT_TRANSLATE_NOOP("Station", "User wird gepollt"),
    QT_TRANSLATE_NOOP("Station", "Nachricht geht raus"),
    QT_TRANSLATE_NOOP("Station", "Msg im Sendepuffer"),
    QT_TRANSLATE_NOOP("Station", "Offline nicht möglich"),
    QT_TRANSLATE_NOOP("Station", "Maximale Anzahl erreicht"),
    QT_TRANSLATE_NOOP("Station", "User ist Offline"),
    QT_TRANSLATE_NOOP("Station", "Poll erfolgreich"),
    QT_TRANSLATE_NOOP("Station", "Kein User in der Liste, Anmeldung nicht möglich! Erstellen sie zuerst "
                                 "einen Eintrag (ALT-R)."),
    // The roster store's problems reach the status bar through the engine.
    QT_TRANSLATE_NOOP("Station",
                      "Adressliste nicht gespeichert: sie konnte beim Start nicht gelesen werden."),
};

// What the engine composes: %1 is a station's alias, or the reason of a failure.
constexpr const char* kComposed[] = {
    QT_TRANSLATE_NOOP("Station", "%1 ist Offline"),
    QT_TRANSLATE_NOOP("Station", "%1 ist Away"),
    QT_TRANSLATE_NOOP("Station", "Poll von %1"),
    QT_TRANSLATE_NOOP("Station", "remote von : %1"),
    QT_TRANSLATE_NOOP("Station", "Adressliste nicht gespeichert: %1"),
    QT_TRANSLATE_NOOP("Station", "Fehler im Empfangsdurchlauf: %1"),
};

}  // namespace

QString engineText(std::string_view ansi)
{
    const QString text = platform::fromAnsi(ansi);
    for (const char* known : kTexts) {
        if (text == QString::fromUtf8(known))
            return QCoreApplication::translate(kContext, known);
    }
    for (const char* composed : kComposed) {
        const QString pattern = QString::fromUtf8(composed);
        const qsizetype at = pattern.indexOf(QLatin1String("%1"));
        const QString before = pattern.left(at);
        const QString after = pattern.mid(at + 2);
        if (text.size() >= before.size() + after.size() && text.startsWith(before) && text.endsWith(after))
            return QCoreApplication::translate(kContext, composed)
                .arg(text.mid(before.size(), text.size() - before.size() - after.size()));
    }
    return text;
}

}  // namespace zelvo::app
