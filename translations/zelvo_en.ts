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
        <translation>“%1” is not a valid call: it consists only of the letters A to Z and digits, optionally followed by an SSID such as “-7”.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es hat höchstens %2 Buchstaben und Ziffern, die SSID nicht mitgezählt.</source>
        <translation>“%1” is not a valid call: it has at most %2 letters and digits, not counting the SSID.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis %2.</source>
        <translation>“%1” is not a valid call: the SSID goes from 0 to %2.</translation>
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
        <translation>The history file %1 was unreadable (%2) and now lies beside it as %3; a new one was started.</translation>
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
        <source>Der Registrierungsordner %1 kann nicht belegt werden: %2</source>
        <translation>The registry folder %1 cannot be claimed: %2</translation>
    </message>
    <message>
        <source>Fehler beim Holen der Daten für &apos;%1&apos;</source>
        <translation>Error reading the data for &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>Station</name>
    <message>
        <source>bereit... Hilfe mit F1</source>
        <translation>ready... help with F1</translation>
    </message>
    <message>
        <source>Msg eingetroffen</source>
        <translation>Msg received</translation>
    </message>
    <message>
        <source>Übertragungsfehler</source>
        <translation>Transmission error</translation>
    </message>
    <message>
        <source>User wird gepollt</source>
        <translation>Polling station</translation>
    </message>
    <message>
        <source>Nachricht geht raus</source>
        <translation>Message going out</translation>
    </message>
    <message>
        <source>Msg im Sendepuffer</source>
        <translation>Msg in send buffer</translation>
    </message>
    <message>
        <source>Offline nicht möglich</source>
        <translation>Not possible offline</translation>
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
        <translation>No station in the list, cannot go online! Create an entry first (ALT-R).</translation>
    </message>
    <message>
        <source>Adressliste nicht gespeichert: sie konnte beim Start nicht gelesen werden.</source>
        <translation>Station list not saved: it could not be read at start.</translation>
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
        <translation>Poll from %1</translation>
    </message>
    <message>
        <source>remote von : %1</source>
        <translation>Remote from: %1</translation>
    </message>
    <message>
        <source>Adressliste nicht gespeichert: %1</source>
        <translation>Station list not saved: %1</translation>
    </message>
    <message>
        <source>Fehler im Empfangsdurchlauf: %1</source>
        <translation>Error in the receive pass: %1</translation>
    </message>
</context>
<context>
    <name>zelvo::app::DesktopProgram</name>
    <message>
        <source>Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits den Registrierungsordner %1. Beenden Sie es zuerst.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelvo::app::LinkWatch</name>
    <message>
        <source>Kanal %1: TNC %2 nicht erreichbar</source>
        <translation>Channel %1: TNC %2 not reachable</translation>
    </message>
</context>
<context>
    <name>zelvo::app::MainWindow</name>
    <message>
        <source>User ist Online</source>
        <translation>Station is online</translation>
    </message>
    <message>
        <source>Msg eingetroffen</source>
        <translation>Msg received</translation>
    </message>
    <message>
        <source>User hat gepollt</source>
        <translation>Station has polled</translation>
    </message>
    <message>
        <source>Nachricht geht raus</source>
        <translation>Message going out</translation>
    </message>
    <message>
        <source>User ist Away</source>
        <translation>Station is away</translation>
    </message>
    <message>
        <source>User ist Offline</source>
        <translation>Station is offline</translation>
    </message>
    <message>
        <source>Zelvo Pre 2</source>
        <translation>Zelvo Pre 2</translation>
    </message>
    <message>
        <source>Eintrag e&amp;rstellen	Alt+R</source>
        <translation>&amp;New entry	Alt+R</translation>
    </message>
    <message>
        <source>Eintrag &amp;bearbeiten	Alt+B</source>
        <translation>&amp;Edit entry	Alt+B</translation>
    </message>
    <message>
        <source>Eintrag &amp;löschen	Alt+L</source>
        <translation>&amp;Delete entry	Alt+L</translation>
    </message>
    <message>
        <source>User &amp;pollen	Alt+P</source>
        <translation>&amp;Poll station	Alt+P</translation>
    </message>
    <message>
        <source>&amp;Einstellungen	Alt+E</source>
        <translation>Se&amp;ttings	Alt+E</translation>
    </message>
    <message>
        <source>&amp;Nachricht lesen	Alt+N</source>
        <translation>&amp;Read message	Alt+N</translation>
    </message>
    <message>
        <source>&amp;Nachricht senden	Alt+N</source>
        <translation>&amp;Send message	Alt+N</translation>
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
</context>
<context>
    <name>zelvo::app::RosterListModel</name>
    <message>
        <source>User ist Away. Grund: 
<byte value="xd"/>%1</source>
        <translation>Station is away. Reason: 
</translation>
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
</context>
<context>
    <name>zelvo::app::StationAdapter</name>
    <message>
        <source>Ein nicht registrierter User versucht sich anzumelden. Registrieren ?</source>
        <translation>An unregistered station is trying to log in. Register it?</translation>
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
        <translation>Enter the station’s alias or name</translation>
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
        <translation>Remotes</translation>
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
