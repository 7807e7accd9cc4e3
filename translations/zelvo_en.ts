<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>CallInput</name>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: vor dem Bindestrich fehlt das Rufzeichen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es besteht nur aus den Buchstaben A bis Z und Ziffern, dahinter wahlweise eine SSID wie „-7“.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es hat höchstens %2 Buchstaben und Ziffern, die SSID nicht mitgezählt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelvo::app::DesktopProgram</name>
    <message>
        <source>Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits den Registrierungsordner %1. Beenden Sie es zuerst.</source>
        <translation>Another Zelvo program (zelvo or zelvo-station) is already using the registry folder %1. Quit it first.</translation>
    </message>
    <message>
        <source>Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)</source>
        <translation>Please enter your own call first (Alt+E)</translation>
    </message>
</context>
<context>
    <name>zelvo::app::LinkWatch</name>
    <message>
        <source>Kanal %1: TNC %2 nicht erreichbar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelvo::app::StatusBar</name>
    <message>
        <source>TNC nicht erreichbar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::HelpWindow</name>
    <message>
        <source>Zelvo-Hilfe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zelvo-Hilfe – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Programm %1 fehlt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 lässt sich nicht öffnen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 ist beschädigt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Lesen der Hilfedatei %1 dauert zu lange.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::SettingsDialog</name>
    <message>
        <source>Wave-Datei auswählen</source>
        <translation>Choose a wave file</translation>
    </message>
    <message>
        <source>Windows Sound-Dateien (*.wav)</source>
        <translation>Windows sound files (*.wav)</translation>
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
        <translation>Remotes and away</translation>
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
        <translation>Own station </translation>
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
        <source>Hier wird das eigene Alias / Name eingegeben, der bei der Gegenstation in der Liste angezeigt werden soll. Die Eingabe ist beschränkt auf maximal 20 Zeichen.</source>
        <translation>Your own alias / name, as the other station shows it in its station list. At most 20 characters.</translation>
    </message>
    <message>
        <source>Listenanzeige </source>
        <translation>Station list shows </translation>
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
        <translation>When chosen, the station list shows its column header besides the call and the name.</translation>
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
        <source>Wenn gewählt, wird im Programmverzeichnis eine Logfile.log Datei angelegt, in der alle Systemmeldungen mit Uhrzeit aufgeführt werden.</source>
        <translation>When chosen, a log file in the program&apos;s folder lists every system message with its time.</translation>
    </message>
    <message>
        <source>mit &amp;Windows starten</source>
        <translation>Start with &amp;Windows</translation>
    </message>
    <message>
        <source>Wenn gewählt, wird das Programm automatisch beim nächsten Windows-Start mit geladen, sofern es beim Beenden von Windows noch aktiv war.</source>
        <translation>When chosen, the program starts again with the next Windows start if it was still running when Windows was shut down.</translation>
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
        <translation>When chosen, the other station can ask for the details of a station in the station list</translation>
    </message>
    <message>
        <source>Wenn ausgewählt, kann der Partner den Infotext abfragen</source>
        <translation>When chosen, the other station can ask for the info text</translation>
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
        <translation>Text to be sent as CW on the PC speaker</translation>
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
        <source>Sound, der abgespielt wird, wenn ein User Online geht.</source>
        <translation>Sound played when a station comes online.</translation>
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
        <translation>Own station online</translation>
    </message>
    <message>
        <source>Selbst Ofline</source>
        <translation>Own station offline</translation>
    </message>
    <message>
        <source>Selbst Away</source>
        <translation>Own station away</translation>
    </message>
    <message>
        <source>Selbst Back</source>
        <translation>Own station back</translation>
    </message>
    <message>
        <source>Poll von User</source>
        <translation>Poll from a station</translation>
    </message>
</context>
</TS>
