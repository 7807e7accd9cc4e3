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
