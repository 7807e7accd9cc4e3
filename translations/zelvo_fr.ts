<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="de">
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
    <name>DesktopProgram</name>
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
    <name>HelpWindow</name>
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
    <name>LinkWatch</name>
    <message>
        <source>Kanal %1: TNC %2 nicht erreichbar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>TNC nicht erreichbar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
