<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="de">
<context>
    <name>CallInput</name>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: vor dem Bindestrich fehlt das Rufzeichen.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un indicatif valide&#xa0;: l’indicatif manque avant le tiret.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es besteht nur aus den Buchstaben A bis Z und Ziffern, dahinter wahlweise eine SSID wie „-7“.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un indicatif valide&#xa0;: il ne se compose que des lettres A à Z et de chiffres, suivis éventuellement d’un SSID comme «&#xa0;-7&#xa0;».</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es hat höchstens %2 Buchstaben und Ziffern, die SSID nicht mitgezählt.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un indicatif valide&#xa0;: il compte au plus %2 lettres et chiffres, SSID non compris.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis %2.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un indicatif valide&#xa0;: le SSID va de 0 à %2.</translation>
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
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Bestätigung</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;Non</translation>
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
        <translation>À propos de Zelvo</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Präsenz- und Nachrichtenprogramm für Packet-Radio: zeigt, wer online ist, und tauscht kurze Nachrichten mit Empfangsbestätigung über AX.25-UI-Frames aus.</source>
        <translation>Programme de présence et de messages pour le packet radio&#xa0;: montre qui est en ligne et échange de courts messages avec accusé de réception dans des trames UI AX.25.</translation>
    </message>
    <message>
        <source>Hilfe mit F1 in der Stationsliste.</source>
        <translation>Aide avec F1 dans la liste des stations.</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::EntryEditor</name>
    <message>
        <source>Eintrag bearbeiten</source>
        <translation>Modifier l’entrée</translation>
    </message>
    <message>
        <source>Name </source>
        <translation>Nom </translation>
    </message>
    <message>
        <source>Alias/Usernamen eingeben</source>
        <translation>Saisir l’alias ou le nom de la station</translation>
    </message>
    <message>
        <source>FlexNet Kanal </source>
        <translation>Canal FlexNet </translation>
    </message>
    <message>
        <source>Call  via  AX25 Pfad </source>
        <translation>Indicatif  via  chemin AX.25 </translation>
    </message>
    <message>
        <source>komletten AX25 Pfad incl Zielcall eingeben</source>
        <translation>Saisir le chemin AX.25 complet, indicatif de destination compris</translation>
    </message>
    <message>
        <source>Optionen </source>
        <translation>Options </translation>
    </message>
    <message>
        <source>&amp;Sounds</source>
        <translation>&amp;Sons</translation>
    </message>
    <message>
        <source>Remotes</source>
        <translation>Requêtes</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>A&amp;ppliquer</translation>
    </message>
    <message>
        <source>Bitte mindestens ein Call angeben</source>
        <translation>Veuillez indiquer au moins un indicatif</translation>
    </message>
    <message>
        <source>Der Pfad enthält ein ungültiges Rufzeichen</source>
        <translation>Le chemin contient un indicatif non valide</translation>
    </message>
    <message>
        <source>Dieses Call Existiert schon in der Liste!!!</source>
        <translation>Cet indicatif est déjà dans la liste des stations&#xa0;!!!</translation>
    </message>
    <message>
        <source>FlexNet meldet keinen Kanal: der Eintrag kann nicht gespeichert werden.</source>
        <translation>FlexNet ne signale aucun canal&#xa0;: l’entrée ne peut pas être enregistrée.</translation>
    </message>
    <message>
        <source>Bitte einen FlexNet Kanal auswählen</source>
        <translation>Veuillez choisir un canal FlexNet</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::HelpWindow</name>
    <message>
        <source>Inhalt</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Zelvo-Hilfe</source>
        <translation>Aide de Zelvo</translation>
    </message>
    <message>
        <source>Zelvo-Hilfe – %1</source>
        <translation>Aide de Zelvo – %1</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Programm %1 fehlt.</source>
        <translation>L’aide ne peut pas être affichée&#xa0;: le programme %1 est absent.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 lässt sich nicht öffnen.</source>
        <translation>L’aide ne peut pas être affichée&#xa0;: impossible d’ouvrir le fichier d’aide %1.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 ist beschädigt.</source>
        <translation>L’aide ne peut pas être affichée&#xa0;: le fichier d’aide %1 est endommagé.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Lesen der Hilfedatei %1 dauert zu lange.</source>
        <translation>L’aide ne peut pas être affichée&#xa0;: la lecture du fichier d’aide %1 prend trop de temps.</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::MessageWindow</name>
    <message>
        <source>Zeichen übrig:</source>
        <translation>Caractères restants&#xa0;:</translation>
    </message>
    <message>
        <source>Nachricht an alle senden</source>
        <translation>Envoyer le message à tous</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Dialog mit %1</source>
        <translation>Messages avec %1</translation>
    </message>
    <message>
        <source>Es werden weniger als 3 Zeichen gesendet. Trotzdem senden ?</source>
        <translation>Moins de 3 caractères seront envoyés. Envoyer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Ausschneiden</source>
        <translation>&amp;Couper</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>Co&amp;pier</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Alles &amp;markieren</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::SplashWindow</name>
    <message>
        <source>Über Zelvo</source>
        <translation>À propos de Zelvo</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Fermer</translation>
    </message>
</context>
</TS>
