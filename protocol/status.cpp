#include "protocol/status.h"

#include <iterator>

#include "platform/ansi.h"

// Marks a text for Qt's lupdate, which collects the sentences below as the windows' source texts;
// the engine itself knows no Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace zelvo::protocol {
namespace {

// By StatusKind.
constexpr const char* kSentences[] = {
    "",
    QT_TRANSLATE_NOOP("Status", "bereit... Hilfe mit F1"),
    QT_TRANSLATE_NOOP("Status", "Msg eingetroffen"),
    QT_TRANSLATE_NOOP("Status", "Übertragungsfehler"),
    QT_TRANSLATE_NOOP("Status", "User wird gepollt"),
    QT_TRANSLATE_NOOP("Status", "Nachricht geht raus"),
    QT_TRANSLATE_NOOP("Status", "Msg im Sendepuffer"),
    QT_TRANSLATE_NOOP("Status", "Offline nicht möglich"),
    QT_TRANSLATE_NOOP("Status", "Maximale Anzahl erreicht"),
    QT_TRANSLATE_NOOP("Status", "User ist Offline"),
    QT_TRANSLATE_NOOP("Status", "Poll erfolgreich"),
    QT_TRANSLATE_NOOP("Status", "Kein User in der Liste, Anmeldung nicht möglich! Erstellen sie zuerst einen "
                                "Eintrag (ALT-R)."),
    QT_TRANSLATE_NOOP("Status", "%1 ist Offline"),
    QT_TRANSLATE_NOOP("Status", "%1 ist Away"),
    QT_TRANSLATE_NOOP("Status", "Poll von %1"),
    QT_TRANSLATE_NOOP("Status", "remote von : %1"),
    QT_TRANSLATE_NOOP("Status", "Fehler im Empfangsdurchlauf: %1"),
    QT_TRANSLATE_NOOP("Status", "Fehler im Empfangsdurchlauf: unbekannter Fehler"),
    QT_TRANSLATE_NOOP("Status", "User ist Online"),
    QT_TRANSLATE_NOOP("Status", "User hat gepollt"),
    QT_TRANSLATE_NOOP("Status", "User ist Away"),
    "",
};
static_assert(std::size(kSentences) == kStatusKindCount, "a sentence for every kind");

}  // namespace

const char* statusFormat(StatusKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    return index < std::size(kSentences) ? kSentences[index] : "";
}

std::string statusText(const Status& status)
{
    if (status.kind == StatusKind::StoreProblem)
        return status.problem.text;
    // The argument is Windows-1252 already; only the sentence is converted.
    return platform::fillIn(platform::utf8ToAnsi(statusFormat(status.kind)), {status.argument});
}

}  // namespace zelvo::protocol
