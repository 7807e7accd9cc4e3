<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>CallInput</name>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: vor dem Bindestrich fehlt das Rufzeichen.</source>
        <translation>“%1” is not a valid call: the call before the hyphen is missing.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es besteht nur aus den Buchstaben A bis Z und Ziffern, dahinter wahlweise eine SSID wie „-7“.</source>
        <translation>“%1” is not a valid call: a call consists only of the letters A to Z and digits, optionally followed by an SSID such as “-7”.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es hat höchstens %2 Buchstaben und Ziffern, die SSID nicht mitgezählt.</source>
        <translation>“%1” is not a valid call: a call has at most %2 letters and digits, not counting the SSID.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis %2.</source>
        <translation>“%1” is not a valid call: the SSID goes from 0 to %2.</translation>
    </message>
</context>
<context>
    <name>ChannelWords</name>
    <message>
        <source>%1: Gerät nicht vorhanden</source>
        <translation>%1: device not present</translation>
    </message>
    <message>
        <source>%1: keine Berechtigung</source>
        <translation>%1: no permission</translation>
    </message>
    <message>
        <source>%1: keine Berechtigung (Gruppe %2)</source>
        <translation>%1: no permission (group %2)</translation>
    </message>
    <message>
        <source>%1: Gerät belegt</source>
        <translation>%1: device busy</translation>
    </message>
    <message>
        <source>%1: lässt sich nicht öffnen (%2)</source>
        <translation>%1: cannot be opened (%2)</translation>
    </message>
    <message>
        <source>%1: Rechner unbekannt</source>
        <translation>%1: unknown host</translation>
    </message>
    <message>
        <source>%1: Adresse falsch geschrieben</source>
        <translation>%1: malformed address</translation>
    </message>
    <message>
        <source>keine Antwort von %1</source>
        <translation>no answer from %1</translation>
    </message>
    <message>
        <source>Kanalnummer 0 bis 15</source>
        <translation>Channel number 0 to 15</translation>
    </message>
    <message>
        <source>Kanalnummer %1 ist schon vergeben</source>
        <translation>Channel number %1 is already used</translation>
    </message>
    <message>
        <source>Rechner fehlt</source>
        <translation>Host missing</translation>
    </message>
    <message>
        <source>Rechner mit unzulässigem Zeichen</source>
        <translation>Host with a character that is not allowed</translation>
    </message>
    <message>
        <source>Port 1 bis 65535</source>
        <translation>Port 1 to 65535</translation>
    </message>
    <message>
        <source>Funkport 0 bis 15</source>
        <translation>Radio port 0 to 15</translation>
    </message>
    <message>
        <source>Luftrate 1 bis 10000000 Bit/s</source>
        <translation>Air rate 1 to 10000000 bit/s</translation>
    </message>
    <message>
        <source>Baudrate nicht unterstützt</source>
        <translation>Baud rate not supported</translation>
    </message>
    <message>
        <source>Gerät fehlt</source>
        <translation>Device missing</translation>
    </message>
    <message>
        <source>Gerät nicht vorhanden</source>
        <translation>Device not present</translation>
    </message>
    <message>
        <source>Gerät schon von Kanal %1 benutzt</source>
        <translation>Device already used by channel %1</translation>
    </message>
    <message>
        <source>Name fehlt</source>
        <translation>Name missing</translation>
    </message>
    <message>
        <source>Name mit unzulässigem Zeichen (# oder Zeilenumbruch)</source>
        <translation>Name with a character that is not allowed (# or line break)</translation>
    </message>
    <message>
        <source>Name länger als 64 Zeichen</source>
        <translation>Name longer than 64 characters</translation>
    </message>
    <message>
        <source>Der Treiber liest diese Zeile nicht: %1</source>
        <translation>The driver does not read this line: %1</translation>
    </message>
    <message>
        <source>Der Treiber kann nicht prüfen, was antwortet</source>
        <translation>The driver cannot check what answers</translation>
    </message>
    <message>
        <source>AGW-Server %1 antwortet auf %2, ein Funkport</source>
        <translation>AGW server %1 answers on %2, one radio port</translation>
    </message>
    <message>
        <source>AGW-Server %1 antwortet auf %2, %3 Funkports</source>
        <translation>AGW server %1 answers on %2, %3 radio ports</translation>
    </message>
    <message>
        <source>KISS-TNC antwortet auf %1</source>
        <translation>KISS TNC answers on %1</translation>
    </message>
    <message>
        <source>%1 lässt sich öffnen (KISS-TNC?)</source>
        <translation>%1 can be opened (a KISS TNC?)</translation>
    </message>
    <message>
        <source>%1 antwortet, aber weder mit KISS noch mit AGW</source>
        <translation>%1 answers, but neither with KISS nor with AGW</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>antwortet (AGW %1.%2)</source>
        <translation>answers (AGW %1.%2)</translation>
    </message>
    <message>
        <source>antwortet</source>
        <translation>answers</translation>
    </message>
    <message>
        <source>keine AGW-Gegenstelle</source>
        <translation>not an AGW server</translation>
    </message>
    <message>
        <source>keine KISS-Gegenstelle</source>
        <translation>not a KISS TNC</translation>
    </message>
    <message>
        <source>verbindet …</source>
        <translation>connecting …</translation>
    </message>
    <message>
        <source>keine Antwort</source>
        <translation>no answer</translation>
    </message>
</context>
<context>
    <name>LinkWatch</name>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Kanal %1 „%2“</source>
        <translation>Channel %1 “%2”</translation>
    </message>
    <message>
        <source>Rechnername unbekannt</source>
        <translation>host name unknown</translation>
    </message>
    <message>
        <source>Verbindung abgelehnt</source>
        <translation>connection refused</translation>
    </message>
    <message>
        <source>keine Antwort</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>Gerät nicht vorhanden</source>
        <translation>Device not present</translation>
    </message>
    <message>
        <source>keine Berechtigung</source>
        <translation>no permission</translation>
    </message>
    <message>
        <source>Gerät belegt</source>
        <translation>device busy</translation>
    </message>
    <message>
        <source>%1: TNC %2 antwortet wieder.</source>
        <translation>%1: TNC %2 answers again.</translation>
    </message>
    <message>
        <source>%1: keine AGW-Gegenstelle auf %2.</source>
        <translation>%1: not an AGW server on %2.</translation>
    </message>
    <message>
        <source>%1: keine KISS-Gegenstelle an %2.</source>
        <translation>%1: not a KISS TNC at %2.</translation>
    </message>
    <message>
        <source>%1: keine KISS-Gegenstelle auf %2.</source>
        <translation>%1: not a KISS TNC on %2.</translation>
    </message>
    <message>
        <source>%1: TNC %2 nicht erreichbar.</source>
        <translation>%1: TNC %2 unreachable.</translation>
    </message>
    <message>
        <source>%1: TNC %2 nicht erreichbar (%3).</source>
        <translation>%1: TNC %2 unreachable (%3).</translation>
    </message>
    <message>
        <source>Ist das ein AGW-Port? Dann agw-tcp eintragen.</source>
        <translation>Is it an AGW port? Then enter agw-tcp.</translation>
    </message>
    <message>
        <source>Ist das ein KISS-Port? Dann kiss-tcp eintragen.</source>
        <translation>Is it a KISS port? Then enter kiss-tcp.</translation>
    </message>
    <message>
        <source>Ist der TNC im KISS-Modus?</source>
        <translation>Is the TNC in KISS mode?</translation>
    </message>
    <message>
        <source>Läuft Direwolf? KISSPORT?</source>
        <translation>Is Direwolf running? KISSPORT?</translation>
    </message>
    <message>
        <source>Läuft Direwolf oder das Soundmodem? AGWPORT?</source>
        <translation>Is Direwolf or the soundmodem running? AGWPORT?</translation>
    </message>
    <message>
        <source>Gerät angeschlossen? Gruppe dialout?</source>
        <translation>Device plugged in? Group dialout?</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Bestätigung</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>Problem</name>
    <message>
        <source>Logdatei %1 kann nicht angelegt werden (%2); es wird kein Log geschrieben.</source>
        <translation>Log file %1 cannot be created (%2); no log is written.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 kann nicht geschrieben werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>The history file %1 cannot be written (%2): the history is not kept in this run.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 kann nicht angelegt werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>The history file %1 cannot be created (%2): the history is not kept in this run.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 ist nicht lesbar und kann nicht beiseitegelegt werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>The history file %1 is unreadable and cannot be set aside (%2): the history is not kept in this run.</translation>
    </message>
    <message>
        <source>Der SQLite-Treiber von Qt fehlt: die History wird nicht gespeichert.</source>
        <translation>Qt&apos;s SQLite driver is missing: the history is not kept.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 war nicht lesbar (%2) und liegt jetzt als %3 daneben; eine neue wurde begonnen.</source>
        <translation>The history file %1 was unreadable (%2) and has been set aside as %3; a new one was started.</translation>
    </message>
    <message>
        <source>Eintrag %1 der Adressliste nicht geladen: kein Rufzeichen</source>
        <translation>Entry %1 of the station list not loaded: no call</translation>
    </message>
    <message>
        <source>Eintrag %1 der Adressliste nicht geladen: kein Text</source>
        <translation>Entry %1 of the station list not loaded: no text</translation>
    </message>
    <message>
        <source>Eintrag %1 der Adressliste nicht geladen: mehr als 31 Einträge</source>
        <translation>Entry %1 of the station list not loaded: more than 31 entries</translation>
    </message>
    <message>
        <source>Adressliste nicht geladen: %1</source>
        <translation>Station list not loaded: %1</translation>
    </message>
    <message>
        <source>Adressliste nicht gespeichert: sie konnte beim Start nicht gelesen werden.</source>
        <translation>Station list not saved: it could not be read at start.</translation>
    </message>
    <message>
        <source>Adressliste nicht gespeichert: %1</source>
        <translation>Station list not saved: %1</translation>
    </message>
    <message>
        <source>Fehler beim Holen der Daten für &apos;%1&apos;</source>
        <translation>Error reading the data for “%1”</translation>
    </message>
    <message>
        <source>Die History-Datei %1 kann nicht gelesen werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>The history file %1 cannot be read (%2): the history is not kept during this run.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 wird von einem anderen Programm benutzt. Die gespeicherten Zeilen werden gelesen und neue geschrieben, sobald sie frei ist.</source>
        <translation>The history file %1 is in use by another program. The kept lines will be read and new ones written as soon as it is free.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 wird von einem anderen Programm benutzt. Neue Zeilen werden zurückgehalten und geschrieben, sobald sie frei ist.</source>
        <translation>The history file %1 is in use by another program. New lines are held back and written as soon as it is free.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 ist wieder frei; keine Zeile ist verloren gegangen.</source>
        <translation>The history file %1 is free again; no line was lost.</translation>
    </message>
    <message>
        <source>Zelvo startet nach der Anmeldung nicht von selbst: Der Programmpfad %1 enthält ein Prozentzeichen, ein Steuerzeichen oder kein UTF-8, und so kann ihn kein Autostart-Eintrag starten.</source>
        <translation>Zelvo will not start by itself after login: the program path %1 contains a percent sign, a control character or is not UTF-8, so no autostart entry can start it.</translation>
    </message>
    <message>
        <source>Zelvo startet nach der Anmeldung nicht von selbst: %1 kann nicht geschrieben werden: %2</source>
        <translation>Zelvo will not start by itself after login: %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>Der Registrierungsordner %1 kann nicht belegt werden: %2. Zelvo startet nicht, damit kein zweites Zelvo-Programm dieselbe Adressliste überschreibt. Prüfen Sie die Datei %3.</source>
        <translation>The registry folder %1 cannot be claimed: %2. Zelvo does not start, so that no second Zelvo program overwrites the same station list. Check the file %3.</translation>
    </message>
    <message>
        <source>Der Registrierungsordner %1 kann nicht belegt werden, denn sein Dateisystem kennt keine Sperren: %2. Zelvo startet trotzdem; die Adressliste wird beim Speichern mit der gespeicherten zusammengeführt.</source>
        <translation>The registry folder %1 cannot be claimed because its file system has no locks: %2. Zelvo starts anyway; when saving, the station list is merged with the one on disk.</translation>
    </message>
    <message>
        <source>das schließende Anführungszeichen fehlt</source>
        <translation>the closing quotation mark is missing</translation>
    </message>
    <message>
        <source>unerwarteter Text am Zeilenende: %1</source>
        <translation>unexpected text at the end of the line: %1</translation>
    </message>
    <message>
        <source>unerwarteter Inhalt: %1</source>
        <translation>unexpected content: %1</translation>
    </message>
    <message>
        <source>nur das Format REGEDIT4 wird gelesen (in regedit als &quot;Win9x/NT4-Registrierungsdatei&quot; exportieren)</source>
        <translation>only the REGEDIT4 format is read (export it in regedit as &quot;Win9x/NT4 Registration Files&quot;)</translation>
    </message>
    <message>
        <source>die erste Zeile muss &quot;REGEDIT4&quot; lauten</source>
        <translation>the first line must read &quot;REGEDIT4&quot;</translation>
    </message>
    <message>
        <source>die schließende Klammer ] fehlt</source>
        <translation>the closing bracket ] is missing</translation>
    </message>
    <message>
        <source>leerer Schlüsselname</source>
        <translation>empty key name</translation>
    </message>
    <message>
        <source>der Hauptschlüssel kann nicht gelöscht werden</source>
        <translation>the root key cannot be deleted</translation>
    </message>
    <message>
        <source>ein Schlüssel von %1 gehört nicht in die Datei von %2</source>
        <translation>a key of %1 does not belong in the file of %2</translation>
    </message>
    <message>
        <source>unbekannter Hauptschlüssel &quot;%1&quot;</source>
        <translation>unknown root key &quot;%1&quot;</translation>
    </message>
    <message>
        <source>das Gleichheitszeichen fehlt</source>
        <translation>the equals sign is missing</translation>
    </message>
    <message>
        <source>Wert in einem gelöschten Schlüssel</source>
        <translation>value in a deleted key</translation>
    </message>
    <message>
        <source>Wert vor dem ersten Schlüssel</source>
        <translation>value before the first key</translation>
    </message>
    <message>
        <source>ungültiger DWORD-Wert</source>
        <translation>invalid DWORD value</translation>
    </message>
    <message>
        <source>ungültiger Werttyp in hex(...)</source>
        <translation>invalid value type in hex(...)</translation>
    </message>
    <message>
        <source>unbekannte Wertangabe: %1</source>
        <translation>unknown kind of value: %1</translation>
    </message>
    <message>
        <source>die Datei endet mitten in einem Wert</source>
        <translation>the file ends in the middle of a value</translation>
    </message>
    <message>
        <source>ungültiges Byte in den Hex-Daten: &quot;%1&quot;</source>
        <translation>invalid byte in the hex data: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Die Registrierungsdatei %1 ist in Zeile %2 fehlerhaft: %3</source>
        <translation>The registry file %1 is faulty in line %2: %3</translation>
    </message>
    <message>
        <source>Ungültiger Registrierungsschlüssel %1: leerer Namensteil</source>
        <translation>Invalid registry key %1: an empty part of the name</translation>
    </message>
    <message>
        <source>Ungültiger Registrierungsschlüssel %1: Steuerzeichen im Namen</source>
        <translation>Invalid registry key %1: a control character in the name</translation>
    </message>
    <message>
        <source>Ungültiger Wertname %1: Steuerzeichen im Namen</source>
        <translation>Invalid value name %1: a control character in the name</translation>
    </message>
    <message>
        <source>Der Hauptschlüssel kann nicht gelöscht werden</source>
        <translation>The root key cannot be deleted</translation>
    </message>
    <message>
        <source>Die Registrierungsdatei %1 kann nicht gelesen werden: %2</source>
        <translation>The registry file %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Registrierungsdatei %1 kann nicht geschrieben werden: %2</source>
        <translation>The registry file %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>ein anderer Prozess hält ihre Sperrdatei %1 seit mehr als %2 Sekunden gesperrt</source>
        <translation>another process has kept its lock file %1 locked for more than %2 seconds</translation>
    </message>
    <message>
        <source>Sperren fehlgeschlagen: %1</source>
        <translation>locking failed: %1</translation>
    </message>
    <message>
        <source>Ungültiger Unterschlüssel &quot;%1&quot;</source>
        <translation>Invalid subkey &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Die Wave-Datei %1 wird nicht gespielt: Sie hält mehr als 16 MiB Klangdaten.</source>
        <translation>The wave file %1 is not played: it holds more than 16 MiB of sound data.</translation>
    </message>
    <message>
        <source>Die Wave-Datei %1 wird nicht gespielt: Sie dauert länger als 10 Minuten.</source>
        <translation>The wave file %1 is not played: it lasts longer than 10 minutes.</translation>
    </message>
    <message>
        <source>Die Wave-Datei %1 wird nicht gespielt: %2</source>
        <translation>The wave file %1 is not played: %2</translation>
    </message>
    <message>
        <source>Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits den Registrierungsordner %1. Beenden Sie es zuerst.</source>
        <translation>Another Zelvo program (zelvo or zelvo-station) is already using the registry folder %1. Quit it first.</translation>
    </message>
    <message>
        <source>Der Ordner %1 kann nicht geprüft werden: %2</source>
        <translation>The folder %1 cannot be checked: %2</translation>
    </message>
    <message>
        <source>%1 ist eine symbolische Verknüpfung</source>
        <translation>%1 is a symbolic link</translation>
    </message>
    <message>
        <source>%1 ist kein Ordner</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>Der Ordner %1 gehört einem anderen Benutzer</source>
        <translation>The folder %1 belongs to another user</translation>
    </message>
    <message>
        <source>Der Ordner %1 ist anderen Benutzern offen (Modus %2)</source>
        <translation>The folder %1 is open to other users (mode %2)</translation>
    </message>
    <message>
        <source>Der Ordner %1 kann nicht angelegt werden: %2</source>
        <translation>The folder %1 cannot be created: %2</translation>
    </message>
    <message>
        <source>Die Sperrdatei %1 kann nicht angelegt werden</source>
        <translation>The lock file %1 cannot be created</translation>
    </message>
    <message>
        <source>%1 ist zu lang für den Namen eines Sockets</source>
        <translation>%1 is too long for the name of a socket</translation>
    </message>
    <message>
        <source>Ein Socket kann nicht angelegt werden: %1</source>
        <translation>A socket cannot be created: %1</translation>
    </message>
    <message>
        <source>Der Socket %1 kann keine Verbindungen annehmen: %2</source>
        <translation>The socket %1 cannot accept connections: %2</translation>
    </message>
    <message>
        <source>Zelvo startet ohne die Prüfung auf ein schon laufendes Zelvo: %1</source>
        <translation>Zelvo starts without checking for a Zelvo already running: %1</translation>
    </message>
    <message>
        <source>Der Treiber libflxapi32.so kann nicht geladen werden: Zelvo ist unvollständig installiert.</source>
        <translation>The driver libflxapi32.so cannot be loaded: Zelvo is not completely installed.</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>bereit... Hilfe mit F1</source>
        <translation>Ready... F1 for help</translation>
    </message>
    <message>
        <source>Msg eingetroffen</source>
        <translation>Message received</translation>
    </message>
    <message>
        <source>Übertragungsfehler</source>
        <translation>Transmission error</translation>
    </message>
    <message>
        <source>User wird gepollt</source>
        <translation>Polling...</translation>
    </message>
    <message>
        <source>Nachricht geht raus</source>
        <translation>Message going out</translation>
    </message>
    <message>
        <source>Msg im Sendepuffer</source>
        <translation>Message queued</translation>
    </message>
    <message>
        <source>Offline nicht möglich</source>
        <translation>Not possible while offline</translation>
    </message>
    <message>
        <source>Maximale Anzahl erreicht</source>
        <translation>Maximum number reached</translation>
    </message>
    <message>
        <source>User ist Offline</source>
        <translation>Station is offline</translation>
    </message>
    <message>
        <source>Poll erfolgreich</source>
        <translation>Poll successful</translation>
    </message>
    <message>
        <source>Kein User in der Liste, Anmeldung nicht möglich! Erstellen sie zuerst einen Eintrag (ALT-R).</source>
        <translation>No station in the list, cannot go online! Create an entry first (Alt+R).</translation>
    </message>
    <message>
        <source>%1 ist Offline</source>
        <translation>%1 is offline</translation>
    </message>
    <message>
        <source>%1 ist Away</source>
        <translation>%1 is away</translation>
    </message>
    <message>
        <source>Poll von %1</source>
        <translation>Polled by %1</translation>
    </message>
    <message>
        <source>remote von : %1</source>
        <translation>Remote query from %1</translation>
    </message>
    <message>
        <source>Fehler im Empfangsdurchlauf: %1</source>
        <translation>Error in the receive pass: %1</translation>
    </message>
    <message>
        <source>Fehler im Empfangsdurchlauf: unbekannter Fehler</source>
        <translation>Error in the receive pass: unknown error</translation>
    </message>
    <message>
        <source>User ist Online</source>
        <translation>Station is online</translation>
    </message>
    <message>
        <source>User hat gepollt</source>
        <translation>Station has polled</translation>
    </message>
    <message>
        <source>User ist Away</source>
        <translation>Station is away</translation>
    </message>
</context>
<context>
    <name>zelvo::app::Announcer</name>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
</context>
<context>
    <name>zelvo::app::DesktopNotices</name>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Antworten</source>
        <translation>Reply</translation>
    </message>
    <message>
        <source>ist Online</source>
        <translation>is online</translation>
    </message>
    <message>
        <source>ist Offline</source>
        <translation>is offline</translation>
    </message>
    <message>
        <source>ist Away</source>
        <translation>is away</translation>
    </message>
    <message>
        <source>ist Away: %1</source>
        <translation>is away: %1</translation>
    </message>
    <message>
        <source>ist zurück</source>
        <translation>is back</translation>
    </message>
    <message>
        <source>hat gepollt</source>
        <translation>has polled</translation>
    </message>
    <message>
        <source>Übertragungsfehler</source>
        <translation>Transmission error</translation>
    </message>
    <message>
        <source>%1 hat die Nachricht nicht bestätigt: %2</source>
        <translation>%1 did not acknowledge the message: %2</translation>
    </message>
    <message>
        <source>TNC nicht erreichbar</source>
        <translation>TNC unreachable</translation>
    </message>
</context>
<context>
    <name>zelvo::app::HeardModel</name>
    <message>
        <source>Rufzeichen</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Zuletzt gehört</source>
        <translation>Last heard</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>Via</source>
        <translation>Via</translation>
    </message>
</context>
<context>
    <name>zelvo::app::MainWindow</name>
    <message>
        <source>Zelvo Pre 2</source>
        <translation>Zelvo Pre 2</translation>
    </message>
    <message>
        <source>Eintrag e&amp;rstellen	Alt+R</source>
        <translation>New ent&amp;ry	Alt+R</translation>
    </message>
    <message>
        <source>Eintrag &amp;bearbeiten	Alt+B</source>
        <translation>Ed&amp;it entry	Alt+B</translation>
    </message>
    <message>
        <source>Eintrag &amp;löschen	Alt+L</source>
        <translation>De&amp;lete entry	Alt+L</translation>
    </message>
    <message>
        <source>User &amp;pollen	Alt+P</source>
        <translation>&amp;Poll station	Alt+P</translation>
    </message>
    <message>
        <source>&amp;Einstellungen	Alt+E</source>
        <translation>S&amp;ettings	Alt+E</translation>
    </message>
    <message>
        <source>&amp;Nachricht lesen	Alt+N</source>
        <translation>Rea&amp;d message	Alt+N</translation>
    </message>
    <message>
        <source>&amp;Nachricht senden	Alt+N</source>
        <translation>Se&amp;nd message	Alt+N</translation>
    </message>
    <message>
        <source>Sind sie sicher, dass sie Zelvo beenden wollen? Evtl noch
ausstehende Texte im RX oder TX-Buffer werden gelöscht.</source>
        <translation>Are you sure you want to quit Zelvo? Texts still waiting
in the RX or TX buffer will be lost.</translation>
    </message>
    <message>
        <source>Maximale Anzahl erreicht</source>
        <translation>Maximum number reached</translation>
    </message>
    <message>
        <source>%1 wirklich löschen ?</source>
        <translation>Really delete %1?</translation>
    </message>
    <message>
        <source>Es sind noch Texte im Puffer. Trotzdem löschen ?</source>
        <translation>There are still texts in the buffer. Delete anyway?</translation>
    </message>
    <message>
        <source>Stationsliste</source>
        <translation>Station list</translation>
    </message>
    <message>
        <source>&amp;Monitor	Alt+M</source>
        <translation>&amp;Monitor	Alt+M</translation>
    </message>
</context>
<context>
    <name>zelvo::app::MonitorModel</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Quittung</source>
        <translation>Acknowledgement</translation>
    </message>
    <message>
        <source>Poll</source>
        <translation>Poll</translation>
    </message>
    <message>
        <source>Poll-Antwort</source>
        <translation>Poll answer</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>Away</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message numerus="yes">
        <source>... %n Zeilen ausgelassen</source>
        <translation>
            <numerusform>... %n line left out</numerusform>
            <numerusform>... %n lines left out</numerusform>
        </translation>
    </message>
    <message>
        <source>gesendet</source>
        <translation>sent</translation>
    </message>
    <message>
        <source>gehört</source>
        <translation>heard</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Richtung</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Von</source>
        <translation>From</translation>
    </message>
    <message>
        <source>An</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Via</source>
        <translation>Via</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>zelvo::app::MonitorWindow</name>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>&amp;Rufzeichen:</source>
        <translation>&amp;Call:</translation>
    </message>
    <message>
        <source>Rufzeichen filtern</source>
        <translation>Filter by call</translation>
    </message>
    <message>
        <source>Nur Zeilen, deren Von, An oder Via diesen Text enthält</source>
        <translation>Shows only lines whose From, To or Via contains this text</translation>
    </message>
    <message>
        <source>Kanal filtern</source>
        <translation>Filter by channel</translation>
    </message>
    <message>
        <source>Alle Kanäle</source>
        <translation>All channels</translation>
    </message>
    <message>
        <source>&amp;Weiter</source>
        <translation>&amp;Resume</translation>
    </message>
    <message>
        <source>&amp;Anhalten</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Weiter</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Anhalten</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Neue Zeilen zurückhalten; die Liste der gehörten Stationen zählt weiter</source>
        <translation>Hold new lines back; the list of stations heard keeps counting</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>C&amp;opy</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Die markierten Zeilen in die Zwischenablage, ohne Markierung alle (Strg+C)</source>
        <translation>Copies the selected lines to the clipboard, or all lines without a selection (Ctrl+C)</translation>
    </message>
    <message>
        <source>&amp;Speichern...</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Die angezeigten Zeilen als Textdatei speichern (Strg+S)</source>
        <translation>Save the lines shown as a text file (Ctrl+S)</translation>
    </message>
    <message>
        <source>Monitorzeilen</source>
        <translation>Monitor lines</translation>
    </message>
    <message>
        <source>Gehörte Stationen</source>
        <translation>Stations heard</translation>
    </message>
    <message>
        <source>Monitor speichern</source>
        <translation>Save monitor</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Der Monitor konnte nicht in %1 gespeichert werden: %2</source>
        <translation>The monitor could not be saved in %1: %2</translation>
    </message>
    <message>
        <source>Ka&amp;nal:</source>
        <translation>C&amp;hannel:</translation>
    </message>
</context>
<context>
    <name>zelvo::app::RosterListModel</name>
    <message>
        <source>User ist Away. Grund: 
<byte value="xd"/>%1</source>
        <translation>Station is away. Reason: 
<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Ungelesene Nachrichten von Away-seiendem User</source>
        <translation>Unread messages from a station that is away</translation>
    </message>
    <message>
        <source>Ungelesene Nachrichten von Offline-seiendem User</source>
        <translation>Unread messages from a station that is offline</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Call-SSID</source>
        <translation>Call-SSID</translation>
    </message>
    <message>
        <source>Ax25Path</source>
        <translation>AX.25 path</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Online, ungelesen</source>
        <translation>Online, unread</translation>
    </message>
    <message>
        <source>Hat gepollt</source>
        <translation>Has polled</translation>
    </message>
    <message>
        <source>Sendet</source>
        <translation>Sending</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>Away</translation>
    </message>
    <message>
        <source>Away, Grund: %1</source>
        <translation>Away, reason: %1</translation>
    </message>
    <message>
        <source>Away, ungelesen</source>
        <translation>Away, unread</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Offline, ungelesen</source>
        <translation>Offline, unread</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Pfad %1</source>
        <translation>Path %1</translation>
    </message>
    <message>
        <source>Sounds an</source>
        <translation>Sounds on</translation>
    </message>
    <message>
        <source>Sounds aus</source>
        <translation>Sounds off</translation>
    </message>
    <message>
        <source>%1 ist Online</source>
        <translation>%1 is online</translation>
    </message>
</context>
<context>
    <name>zelvo::app::StationAdapter</name>
    <message>
        <source>Ein nicht registrierter User versucht sich anzumelden. Registrieren ?</source>
        <translation>An unregistered station announces itself. Register it?</translation>
    </message>
</context>
<context>
    <name>zelvo::app::StatusBar</name>
    <message>
        <source>TNC nicht erreichbar</source>
        <translation>TNC unreachable</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>AWAY</source>
        <translation>AWAY</translation>
    </message>
    <message>
        <source>QRV</source>
        <translation>QRV</translation>
    </message>
    <message>
        <source>Statuszeile</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>Eigener Zustand: %1</source>
        <translation>My state: %1</translation>
    </message>
    <message>
        <source>Meldung: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>Anwesenheit: %1</source>
        <translation>Presence: %1</translation>
    </message>
    <message>
        <source>Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)</source>
        <translation>Please enter your own call first (Alt+E)</translation>
    </message>
</context>
<context>
    <name>zelvo::app::TrayIcon</name>
    <message>
        <source>&amp;Einstellungen</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>go &amp;Online</source>
        <translation>Go &amp;online</translation>
    </message>
    <message>
        <source>go OffLine</source>
        <translation>Go offline</translation>
    </message>
    <message>
        <source>go OnLine</source>
        <translation>Go online</translation>
    </message>
    <message>
        <source>Zelvo 0.9</source>
        <translation>Zelvo 0.9</translation>
    </message>
    <message>
        <source>Zelvo Online</source>
        <translation>Zelvo online</translation>
    </message>
    <message>
        <source>Zelvo Offline</source>
        <translation>Zelvo offline</translation>
    </message>
    <message>
        <source>&amp;Stationsliste</source>
        <translation>Station &amp;list</translation>
    </message>
    <message>
        <source>&amp;Monitor</source>
        <translation>&amp;Monitor</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::AboutBox</name>
    <message>
        <source>Über Zelvo</source>
        <translation>About Zelvo</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Präsenz- und Nachrichtenprogramm für Packet-Radio: zeigt, wer online ist, und tauscht kurze Nachrichten mit Empfangsbestätigung über AX.25-UI-Frames aus.</source>
        <translation>Presence and messaging program for packet radio: shows who is online and exchanges short, acknowledged messages in AX.25 UI frames.</translation>
    </message>
    <message>
        <source>Hilfe mit F1 in der Stationsliste.</source>
        <translation>Press F1 in the station list for help.</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::ChannelDialog</name>
    <message>
        <source>Funkkanäle</source>
        <translation>Radio channels</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Luftrate</source>
        <translation>Air rate</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>TNC</source>
        <translation>TNC</translation>
    </message>
    <message>
        <source>Kanäle</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Die Kanäle der Kanaltabelle und ob ihr TNC gerade antwortet</source>
        <translation>The channels of the channel table and whether their TNC answers now</translation>
    </message>
    <message>
        <source>&amp;Gefunden:</source>
        <translation>&amp;Found:</translation>
    </message>
    <message>
        <source>Gefundene TNCs</source>
        <translation>TNCs found</translation>
    </message>
    <message>
        <source>Was die Suche gefunden hat; angehakte werden als Kanäle übernommen</source>
        <translation>What the search found; ticked ones are added as channels</translation>
    </message>
    <message>
        <source>&amp;Hinzufügen …</source>
        <translation>&amp;Add …</translation>
    </message>
    <message>
        <source>Einen Kanal hinzufügen</source>
        <translation>Add a channel</translation>
    </message>
    <message>
        <source>Ä&amp;ndern …</source>
        <translation>C&amp;hange …</translation>
    </message>
    <message>
        <source>Den gewählten Kanal ändern</source>
        <translation>Change the selected channel</translation>
    </message>
    <message>
        <source>&amp;Entfernen</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Den gewählten Kanal entfernen</source>
        <translation>Remove the selected channel</translation>
    </message>
    <message>
        <source>&amp;Testen</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>Fragt, was an der Adresse des gewählten Kanals antwortet; auf Funk wird nichts gesendet</source>
        <translation>Asks what answers at the selected channel&apos;s address; nothing is sent on the air</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>S&amp;earch</translation>
    </message>
    <message>
        <source>Sucht Direwolf, AGW-Server und serielle TNCs auf diesem Rechner; auf Funk wird nichts gesendet</source>
        <translation>Looks for Direwolf, AGW servers and serial TNCs on this machine; nothing is sent on the air</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>A&amp;pply</translation>
    </message>
    <message>
        <source>Die angehakten Funde als Kanäle übernehmen</source>
        <translation>Add the ticked results as channels</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Die Kanaltabelle speichern</source>
        <translation>Save the channel table</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Die Änderungen verwerfen</source>
        <translation>Discard the changes</translation>
    </message>
    <message>
        <source>Kanaltabelle: %1</source>
        <translation>Channel table: %1</translation>
    </message>
    <message>
        <source>Noch keine Kanaltabelle; der Treiber nimmt seinen eingebauten Kanal.</source>
        <translation>No channel table yet; the driver uses its built-in channel.</translation>
    </message>
    <message>
        <source>Gespeichert wird als %1.</source>
        <translation>It is saved as %1.</translation>
    </message>
    <message>
        <source>Sie gilt erst, wenn %1 entfernt ist: der Treiber liest diese Datei zuerst.</source>
        <translation>It applies only once %1 is removed: the driver reads that file first.</translation>
    </message>
    <message>
        <source>Änderungen gelten ab dem nächsten Start von Zelvo.</source>
        <translation>Changes take effect the next time Zelvo starts.</translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht lesen; sie wird nicht geändert.</source>
        <translation>The file cannot be read; it is not changed.</translation>
    </message>
    <message>
        <source>Eine Zeile der Datei nimmt der Treiber nicht; sie bleibt unverändert.</source>
        <translation>The driver does not accept one line of the file; it is left unchanged.</translation>
    </message>
    <message>
        <source>%1 Zeilen der Datei nimmt der Treiber nicht; sie bleiben unverändert.</source>
        <translation>The driver does not accept %1 lines of the file; they are left unchanged.</translation>
    </message>
    <message>
        <source>%1 Bd</source>
        <translation>%1 Bd</translation>
    </message>
    <message>
        <source>%1 Bit/s</source>
        <translation>%1 bit/s</translation>
    </message>
    <message>
        <source>sofort</source>
        <translation>at once</translation>
    </message>
    <message>
        <source>nicht in Gebrauch</source>
        <translation>not in use</translation>
    </message>
    <message>
        <source>Prüfe %1 …</source>
        <translation>Checking %1 …</translation>
    </message>
    <message>
        <source>Suche läuft …</source>
        <translation>Searching …</translation>
    </message>
    <message>
        <source>Kein weiterer TNC gefunden</source>
        <translation>No further TNC found</translation>
    </message>
    <message>
        <source>Ein TNC gefunden; angehakt übernimmt ihn „Übernehmen“</source>
        <translation>One TNC found; “Apply” adds it when ticked</translation>
    </message>
    <message>
        <source>%1 TNCs gefunden; die angehakten übernimmt „Übernehmen“</source>
        <translation>%1 TNCs found; “Apply” adds the ticked ones</translation>
    </message>
    <message>
        <source>Die Kanaltabelle lässt sich nicht speichern:
%1</source>
        <translation>The channel table cannot be saved:
%1</translation>
    </message>
    <message>
        <source>Der Treiber hat die Kanaltabelle nicht neu gelesen; die Änderung gilt ab dem nächsten Start von Zelvo.</source>
        <translation>The driver has not read the channel table again; the change takes effect the next time Zelvo starts.</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht lesen und wird nicht überschrieben.</source>
        <translation>%1 cannot be read and is not written over.</translation>
    </message>
    <message>
        <source>Es gibt keinen Benutzerordner, in dem sie liegen könnte.</source>
        <translation>There is no user folder for it to be kept in.</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::ChannelEditor</name>
    <message>
        <source>Kanal ändern</source>
        <translation>Change channel</translation>
    </message>
    <message>
        <source>Kanal hinzufügen</source>
        <translation>Add channel</translation>
    </message>
    <message>
        <source>&amp;Art</source>
        <translation>&amp;Kind</translation>
    </message>
    <message>
        <source>&amp;Nummer</source>
        <translation>&amp;Number</translation>
    </message>
    <message>
        <source>&amp;Rechner</source>
        <translation>&amp;Host</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>&amp;Gerät</source>
        <translation>&amp;Device</translation>
    </message>
    <message>
        <source>&amp;Baudrate</source>
        <translation>&amp;Baud rate</translation>
    </message>
    <message>
        <source>&amp;Funkport (AGW)</source>
        <translation>&amp;Radio port (AGW)</translation>
    </message>
    <message>
        <source>&amp;KISS-Port</source>
        <translation>KISS p&amp;ort</translation>
    </message>
    <message>
        <source>&amp;Luftrate (Bit/s)</source>
        <translation>&amp;Air rate (bit/s)</translation>
    </message>
    <message>
        <source>Na&amp;me</source>
        <translation>Na&amp;me</translation>
    </message>
    <message>
        <source>kiss-tcp: Direwolf und andere KISS-TNCs über TCP; agw-tcp: AGW-Server wie Direwolf oder QtSoundModem; kiss-serial: ein TNC an einer seriellen Schnittstelle</source>
        <translation>kiss-tcp: Direwolf and other KISS TNCs over TCP; agw-tcp: AGW servers such as Direwolf or QtSoundModem; kiss-serial: a TNC on a serial port</translation>
    </message>
    <message>
        <source>Die FlexNet-Kanalnummer, 0 bis 15</source>
        <translation>The FlexNet channel number, 0 to 15</translation>
    </message>
    <message>
        <source>Bit/s auf dem Funkkanal; leer: die Rahmen gehen sofort zum TNC</source>
        <translation>Bit/s on the radio channel; empty: frames go to the TNC at once</translation>
    </message>
    <message>
        <source>So heißt der Kanal in der Liste der Einträge</source>
        <translation>The channel&apos;s name in the list of entries</translation>
    </message>
    <message>
        <source>&amp;Testen</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>Fragt, was an dieser Adresse antwortet; auf Funk wird nichts gesendet</source>
        <translation>Asks what answers at this address; nothing is sent on the air</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Zahl fehlt</source>
        <translation>Number missing</translation>
    </message>
    <message>
        <source>Name mit Zeichen, die die Tabelle nicht hält</source>
        <translation>Name with characters the table cannot hold</translation>
    </message>
    <message>
        <source>Prüfe %1 …</source>
        <translation>Checking %1 …</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::EntryEditor</name>
    <message>
        <source>Eintrag bearbeiten</source>
        <translation>Edit entry</translation>
    </message>
    <message>
        <source>Name </source>
        <translation>Name </translation>
    </message>
    <message>
        <source>Alias/Usernamen eingeben</source>
        <translation>Enter the station&apos;s alias or name</translation>
    </message>
    <message>
        <source>FlexNet Kanal </source>
        <translation>FlexNet channel </translation>
    </message>
    <message>
        <source>Call  via  AX25 Pfad </source>
        <translation>Call  via  AX.25 path </translation>
    </message>
    <message>
        <source>komletten AX25 Pfad incl Zielcall eingeben</source>
        <translation>Enter the complete AX.25 path including the destination call</translation>
    </message>
    <message>
        <source>Optionen </source>
        <translation>Options </translation>
    </message>
    <message>
        <source>&amp;Sounds</source>
        <translation>&amp;Sounds</translation>
    </message>
    <message>
        <source>Remotes</source>
        <translation>Remote queries</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>A&amp;pply</translation>
    </message>
    <message>
        <source>Bitte mindestens ein Call angeben</source>
        <translation>Please enter at least one call</translation>
    </message>
    <message>
        <source>Der Pfad enthält ein ungültiges Rufzeichen</source>
        <translation>The path contains an invalid call</translation>
    </message>
    <message>
        <source>Dieses Call Existiert schon in der Liste!!!</source>
        <translation>This call is already in the station list!!!</translation>
    </message>
    <message>
        <source>FlexNet meldet keinen Kanal: der Eintrag kann nicht gespeichert werden.</source>
        <translation>FlexNet reports no channel: the entry cannot be saved.</translation>
    </message>
    <message>
        <source>Bitte einen FlexNet Kanal auswählen</source>
        <translation>Please select a FlexNet channel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>FlexNet Kanal</source>
        <translation>FlexNet channel</translation>
    </message>
    <message>
        <source>Call via AX25 Pfad</source>
        <translation>Call via AX.25 path</translation>
    </message>
    <message>
        <source>Die Ereignisse dieser Station spielen ihre Klänge</source>
        <translation>This station&apos;s events play their sounds</translation>
    </message>
    <message>
        <source>Diese Station darf Remotes abfragen</source>
        <translation>This station may send remote queries</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::HelpWindow</name>
    <message>
        <source>Inhalt</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Zelvo-Hilfe</source>
        <translation>Zelvo Help</translation>
    </message>
    <message>
        <source>Zelvo-Hilfe – %1</source>
        <translation>Zelvo Help – %1</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Programm %1 fehlt.</source>
        <translation>The help cannot be shown: the program %1 is missing.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 lässt sich nicht öffnen.</source>
        <translation>The help cannot be shown: the help file %1 cannot be opened.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 ist beschädigt.</source>
        <translation>The help cannot be shown: the help file %1 is damaged.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Lesen der Hilfedatei %1 dauert zu lange.</source>
        <translation>The help cannot be shown: reading the help file %1 takes too long.</translation>
    </message>
    <message>
        <source>Hilfe wird geladen …</source>
        <translation>Loading help …</translation>
    </message>
    <message>
        <source>Hilfeseite</source>
        <translation>Help page</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::Language</name>
    <message>
        <source>de</source>
        <comment>code of the language of these texts</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::MessageWindow</name>
    <message>
        <source>Zeichen übrig:</source>
        <translation>Characters left:</translation>
    </message>
    <message>
        <source>Nachricht an alle senden</source>
        <translation>Send message to all</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Dialog mit %1</source>
        <translation>Messages with %1</translation>
    </message>
    <message>
        <source>Es werden weniger als 3 Zeichen gesendet. Trotzdem senden ?</source>
        <translation>Fewer than 3 characters will be sent. Send anyway?</translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Ausschneiden</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Alles &amp;markieren</source>
        <translation>Select &amp;all</translation>
    </message>
    <message>
        <source>Der Text geht an jede Station, die nicht Offline ist</source>
        <translation>The text goes to every station that is not offline</translation>
    </message>
    <message>
        <source>Sendet den Text (Alt+S)</source>
        <translation>Sends the text (Alt+S)</translation>
    </message>
    <message>
        <source>Verlauf</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Die empfangenen und gesendeten Texte, der neueste zuletzt</source>
        <translation>The texts received and sent, the newest last</translation>
    </message>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Der Text, der gesendet wird; Alt+S sendet ihn</source>
        <translation>The text to be sent; Alt+S sends it</translation>
    </message>
    <message>
        <source>Zeichen übrig: %1</source>
        <translation>Characters left: %1</translation>
    </message>
    <message>
        <source>Neu von %1: %2</source>
        <translation>New from %1: %2</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::SettingsDialog</name>
    <message>
        <source>Nachricht empfangen</source>
        <translation>Message received</translation>
    </message>
    <message>
        <source>Nachricht gesendet</source>
        <translation>Message sent</translation>
    </message>
    <message>
        <source>User Online</source>
        <translation>Station online</translation>
    </message>
    <message>
        <source>User Offline</source>
        <translation>Station offline</translation>
    </message>
    <message>
        <source>User Away</source>
        <translation>Station away</translation>
    </message>
    <message>
        <source>User Back</source>
        <translation>Station back</translation>
    </message>
    <message>
        <source>Selbst Online</source>
        <translation>My station online</translation>
    </message>
    <message>
        <source>Selbst Ofline</source>
        <translation>My station offline</translation>
    </message>
    <message>
        <source>Selbst Away</source>
        <translation>My station away</translation>
    </message>
    <message>
        <source>Selbst Back</source>
        <translation>My station back</translation>
    </message>
    <message>
        <source>Poll von User</source>
        <translation>Poll from a station</translation>
    </message>
    <message>
        <source>Wave-Datei auswählen</source>
        <translation>Choose a wave file</translation>
    </message>
    <message>
        <source>Windows Sound-Dateien (*.wav)</source>
        <translation>Wave files (*.wav)</translation>
    </message>
    <message>
        <source>Alle (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Zelvo</source>
        <translation>Zelvo</translation>
    </message>
    <message>
        <source>Remotes und Away</source>
        <translation>Remote queries and away</translation>
    </message>
    <message>
        <source>Ereignisse</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Einstellungen werden übernommen und gespeichert</source>
        <translation>Applies and saves the settings</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Einstellungen werden verworfen</source>
        <translation>Discards the changes to the settings</translation>
    </message>
    <message>
        <source>&lt;keine&gt;</source>
        <translation>&lt;none&gt;</translation>
    </message>
    <message>
        <source>Der Name der Datei enthält Zeichen, die Zelvo nicht speichern kann; sie würde nie abgespielt:
%1</source>
        <translation>The file name holds characters that Zelvo cannot store; the file would never be played:
%1</translation>
    </message>
    <message>
        <source>Eigene Angaben </source>
        <translation>My station </translation>
    </message>
    <message>
        <source>&amp;MyCall</source>
        <translation>&amp;My call</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>Listenanzeige </source>
        <translation>List display </translation>
    </message>
    <message>
        <source>&amp;Call anzeigen</source>
        <translation>&amp;Calls only</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden in der Liste nur die Calls angezeigt.</source>
        <translation>When chosen, the station list shows the calls only.</translation>
    </message>
    <message>
        <source>Call und Name</source>
        <translation>Call and name</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden in der Liste das Call und das Alias angezeigt.</source>
        <translation>When chosen, the station list shows the call and the name.</translation>
    </message>
    <message>
        <source>Call, Name und Überschrift</source>
        <translation>Call, name and header</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden zusaetzlich zum Call und Alias der ListenHeader angezeigt.</source>
        <translation>When chosen, the station list shows its column headers besides the call and the name.</translation>
    </message>
    <message>
        <source>Globale Einstellungen </source>
        <translation>General settings </translation>
    </message>
    <message>
        <source>&amp;Klänge abspielen</source>
        <translation>&amp;Play sounds</translation>
    </message>
    <message>
        <source>Dieser Eintrag schaltet die Sounds global an oder aus.</source>
        <translation>Switches every sound on or off.</translation>
    </message>
    <message>
        <source>&amp;Log schreiben</source>
        <translation>Write the &amp;log</translation>
    </message>
    <message>
        <source>mit &amp;Windows starten</source>
        <translation>Start with the &amp;desktop session</translation>
    </message>
    <message>
        <source>Wenn gewählt, wird das Programm automatisch beim nächsten Windows-Start mit geladen, sofern es beim Beenden von Windows noch aktiv war.</source>
        <translation>When ticked, Zelvo starts again at the next login if it was still running when the session ended.</translation>
    </message>
    <message>
        <source>History speichern</source>
        <translation>Keep history</translation>
    </message>
    <message>
        <source>Aktiviert einen Textbuffer für die letzten 200 ausgetauschten Nachrichten</source>
        <translation>Keeps the last 200 messages exchanged</translation>
    </message>
    <message>
        <source>Focus wenn Popup</source>
        <translation>Focus on pop-up</translation>
    </message>
    <message>
        <source>Sprachen </source>
        <translation>Languages </translation>
    </message>
    <message>
        <source>Die Sprache der Fenster und der Hilfe</source>
        <translation>The language of the windows and the help</translation>
    </message>
    <message>
        <source>Auswählen</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Alle Fenster wechseln sofort in die gewählte Sprache; sie wird gleich gespeichert</source>
        <translation>Every window switches to the chosen language at once; the choice is saved right away</translation>
    </message>
    <message>
        <source>Verfügbare Remotes </source>
        <translation>Remote queries allowed </translation>
    </message>
    <message>
        <source>Der Partner kann die Versionsnummer von Zelvo abfragen</source>
        <translation>The other station can ask for Zelvo&apos;s version</translation>
    </message>
    <message>
        <source>Eine Kurzliste der eingetragenen User wird erstellt und zurückgeschickt</source>
        <translation>A short list of the stations in the station list is sent back</translation>
    </message>
    <message>
        <source>Wenn ausgewählt, kann der Partner Detailinfos über einen User aus der Liste abfragen</source>
        <translation>When ticked, the other station can ask for the details of a station in your station list</translation>
    </message>
    <message>
        <source>Wenn ausgewählt, kann der Partner den Infotext abfragen</source>
        <translation>When ticked, the other station can ask for the info text</translation>
    </message>
    <message>
        <source>Away-Einstellungen </source>
        <translation>Away </translation>
    </message>
    <message>
        <source>Away-Text senden</source>
        <translation>Send away text</translation>
    </message>
    <message>
        <source>Wenn AWAY gesetzt ist, wird auf eingehende Nachrichten mit dem Away-Text geantwortet</source>
        <translation>While AWAY, incoming messages are answered with the away text</translation>
    </message>
    <message>
        <source>Away melden bei Poll</source>
        <translation>Report away on poll</translation>
    </message>
    <message>
        <source>Wenn AWAY gesetzt ist, bekommt der pollende User den Hinweis, dass man Away ist</source>
        <translation>While AWAY, a station that polls is told that you are away</translation>
    </message>
    <message>
        <source>Infotext der Station </source>
        <translation>Station info text </translation>
    </message>
    <message>
        <source>Der hier eingegebene Text kann von anderen Stationen mittels //info abgerufen werden.</source>
        <translation>Other stations can fetch this text with //info.</translation>
    </message>
    <message>
        <source>Zeilen- umbruch mit STRG- Enter</source>
        <translation>Line break with Ctrl+Enter</translation>
    </message>
    <message>
        <source>Ereignis </source>
        <translation>Event </translation>
    </message>
    <message>
        <source>Wählt ein Event aus</source>
        <translation>Chooses an event</translation>
    </message>
    <message>
        <source>PopUp Zelvo Fenster</source>
        <translation>Pop up Zelvo window</translation>
    </message>
    <message>
        <source>Listeneintrag nach oben</source>
        <translation>Move entry to top</translation>
    </message>
    <message>
        <source>Event mitloggen</source>
        <translation>Log the event</translation>
    </message>
    <message>
        <source>Focus Zelvo</source>
        <translation>Focus Zelvo</translation>
    </message>
    <message>
        <source>Macht Zelvo zum Aktiven Fenster. Tastatureingaben werden sofort von Zelvo verarbeitet</source>
        <translation>Makes Zelvo the active window. Keys typed go to Zelvo at once</translation>
    </message>
    <message>
        <source>Klang </source>
        <translation>Sound </translation>
    </message>
    <message>
        <source>keiner</source>
        <translation>None</translation>
    </message>
    <message>
        <source>CW Text</source>
        <translation>CW text</translation>
    </message>
    <message>
        <source>Aktiviert CW-Ausgabe</source>
        <translation>Switches on CW output</translation>
    </message>
    <message>
        <source>Wave Datei</source>
        <translation>Wave file</translation>
    </message>
    <message>
        <source>Aktiviert Ausgabe der angegebenen Wave-Datei</source>
        <translation>Plays the wave file given below</translation>
    </message>
    <message>
        <source>Text der als CW-Ausgabe auf dem PC Speaker ausgegeben werden soll</source>
        <translation>Text to play as CW on the PC speaker</translation>
    </message>
    <message>
        <source>Geschwindigkeit der CW-Ausgabe</source>
        <translation>CW speed</translation>
    </message>
    <message>
        <source>Geschwindigkeit</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Öffnet den Wave-auswählen Dialog</source>
        <translation>Opens the dialog to choose a wave file</translation>
    </message>
    <message>
        <source>Spielt die angegebene Wave-Datei ab</source>
        <translation>Plays the wave file given</translation>
    </message>
    <message>
        <source>Sprachen</source>
        <translation>Languages</translation>
    </message>
    <message>
        <source>Away-Text</source>
        <translation>Away text</translation>
    </message>
    <message>
        <source>Infotext der Station</source>
        <translation>Station info text</translation>
    </message>
    <message>
        <source>Ereignis</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Text der CW-Ausgabe</source>
        <translation>Text of the CW output</translation>
    </message>
    <message>
        <source>Pfad der Wave-Datei</source>
        <translation>Path of the wave file</translation>
    </message>
    <message>
        <source>Abspielen</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>&amp;Funkkanäle …</source>
        <translation>&amp;Radio channels …</translation>
    </message>
    <message>
        <source>Die TNCs und Funkkanäle, über die Zelvo sendet und empfängt</source>
        <translation>The TNCs and radio channels Zelvo sends and receives through</translation>
    </message>
    <message>
        <source>Hier wird das eigene Alias / Name eingegeben, der bei der Gegenstation in der Liste angezeigt werden soll. Die Eingabe ist beschränkt auf maximal %1 Zeichen.</source>
        <translation>Your own alias or name, as the other station shows it in its station list. At most %1 characters.</translation>
    </message>
    <message>
        <source>Wenn gewählt, schreibt Zelvo alle Systemmeldungen mit Uhrzeit in sein Protokoll Zelvo.log.</source>
        <translation>When ticked, Zelvo writes every system message with its time to its activity log, Zelvo.log.</translation>
    </message>
    <message>
        <source>Sound, der bei diesem Ereignis abgespielt wird.</source>
        <translation>Sound played when this event happens.</translation>
    </message>
    <message>
        <source>Zum Beispiel Name, QTH, Locator, Station und Einstieg. Solange hier nichts steht, antwortet Zelvo auf //INfo nur mit Rufzeichen und Name.</source>
        <translation>For example your name, QTH, locator, station and entry node. While this is empty, Zelvo answers //INfo with your call and name alone.</translation>
    </message>
    <message>
        <source>Benachrichtigung</source>
        <translation>Notification</translation>
    </message>
    <message>
        <source>Meldet das Ereignis als Benachrichtigung des Desktops</source>
        <translation>Reports the event as a desktop notification</translation>
    </message>
    <message>
        <source>Benachrichtigung bei Übertragungsfehler</source>
        <translation>Notification on a transmission error</translation>
    </message>
    <message>
        <source>Meldet eine Nachricht, die nach der letzten Wiederholung nicht bestätigt wurde</source>
        <translation>Reports a message that was not acknowledged after its last repetition</translation>
    </message>
    <message>
        <source>Benachrichtigung, wenn ein TNC nicht antwortet</source>
        <translation>Notification when a TNC does not answer</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::SplashWindow</name>
    <message>
        <source>Über Zelvo</source>
        <translation>About Zelvo</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
