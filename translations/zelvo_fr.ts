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
    <name>zelvo::app::DesktopProgram</name>
    <message>
        <source>Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits den Registrierungsordner %1. Beenden Sie es zuerst.</source>
        <translation>Un autre programme Zelvo (zelvo ou zelvo-station) utilise déjà le dossier de registre %1. Quittez-le d&apos;abord.</translation>
    </message>
    <message>
        <source>Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)</source>
        <translation>Veuillez d&apos;abord saisir votre indicatif (Alt+E)</translation>
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
        <translation>Choisir un fichier WAV</translation>
    </message>
    <message>
        <source>Windows Sound-Dateien (*.wav)</source>
        <translation>Fichiers son Windows (*.wav)</translation>
    </message>
    <message>
        <source>Alle (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Zelvo</source>
        <translation>Zelvo</translation>
    </message>
    <message>
        <source>Remotes und Away</source>
        <translation>Requêtes et absence</translation>
    </message>
    <message>
        <source>Ereignisse</source>
        <translation>Événements</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Einstellungen werden übernommen und gespeichert</source>
        <translation>Applique et enregistre les paramètres</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Einstellungen werden verworfen</source>
        <translation>Abandonne les modifications des paramètres</translation>
    </message>
    <message>
        <source>&lt;keine&gt;</source>
        <translation>&lt;aucun&gt;</translation>
    </message>
    <message>
        <source>Der Name der Datei enthält Zeichen, die Zelvo nicht speichern kann; sie würde nie abgespielt:
%1</source>
        <translation>Le nom du fichier contient des caractères que Zelvo ne peut pas enregistrer ; le fichier ne serait jamais joué :
%1</translation>
    </message>
    <message>
        <source>Eigene Angaben </source>
        <translation>Ma station </translation>
    </message>
    <message>
        <source>&amp;MyCall</source>
        <translation>&amp;Mon indicatif</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Nom</translation>
    </message>
    <message>
        <source>Hier wird das eigene Alias / Name eingegeben, der bei der Gegenstation in der Liste angezeigt werden soll. Die Eingabe ist beschränkt auf maximal 20 Zeichen.</source>
        <translation>Votre alias / nom, tel que la station correspondante l&apos;affiche dans sa liste des stations. 20 caractères au plus.</translation>
    </message>
    <message>
        <source>Listenanzeige </source>
        <translation>Liste des stations </translation>
    </message>
    <message>
        <source>&amp;Call anzeigen</source>
        <translation>&amp;Indicatif seul</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden in der Liste nur die Calls angezeigt.</source>
        <translation>Si ce choix est fait, la liste des stations n&apos;affiche que les indicatifs.</translation>
    </message>
    <message>
        <source>Call und Name</source>
        <translation>Indicatif et nom</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden in der Liste das Call und das Alias angezeigt.</source>
        <translation>Si ce choix est fait, la liste des stations affiche l&apos;indicatif et le nom.</translation>
    </message>
    <message>
        <source>Call, Name und Überschrift</source>
        <translation>Indicatif, nom et en-tête</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden zusaetzlich zum Call und Alias der ListenHeader angezeigt.</source>
        <translation>Si ce choix est fait, la liste des stations affiche aussi l&apos;en-tête des colonnes, en plus de l&apos;indicatif et du nom.</translation>
    </message>
    <message>
        <source>Globale Einstellungen </source>
        <translation>Paramètres généraux </translation>
    </message>
    <message>
        <source>&amp;Klänge abspielen</source>
        <translation>Jouer les &amp;sons</translation>
    </message>
    <message>
        <source>Dieser Eintrag schaltet die Sounds global an oder aus.</source>
        <translation>Active ou coupe tous les sons.</translation>
    </message>
    <message>
        <source>&amp;Log schreiben</source>
        <translation>Tenir le &amp;journal</translation>
    </message>
    <message>
        <source>Wenn gewählt, wird im Programmverzeichnis eine Logfile.log Datei angelegt, in der alle Systemmeldungen mit Uhrzeit aufgeführt werden.</source>
        <translation>Si ce choix est fait, un fichier journal dans le dossier du programme note chaque message du système avec son heure.</translation>
    </message>
    <message>
        <source>mit &amp;Windows starten</source>
        <translation>Démarrer avec &amp;Windows</translation>
    </message>
    <message>
        <source>Wenn gewählt, wird das Programm automatisch beim nächsten Windows-Start mit geladen, sofern es beim Beenden von Windows noch aktiv war.</source>
        <translation>Si ce choix est fait, le programme redémarre avec Windows s&apos;il était encore actif à l&apos;arrêt de Windows.</translation>
    </message>
    <message>
        <source>History speichern</source>
        <translation>Garder l&apos;historique</translation>
    </message>
    <message>
        <source>Aktiviert einen Textbuffer für die letzten 200 ausgetauschten Nachrichten</source>
        <translation>Garde les 200 derniers messages échangés</translation>
    </message>
    <message>
        <source>Focus wenn Popup</source>
        <translation>Activer à l&apos;affichage</translation>
    </message>
    <message>
        <source>Sprachen </source>
        <translation>Langues </translation>
    </message>
    <message>
        <source>Die Sprache der Fenster und der Hilfe</source>
        <translation>La langue des fenêtres et de l&apos;aide</translation>
    </message>
    <message>
        <source>Auswählen</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Alle Fenster wechseln sofort in die gewählte Sprache; sie wird gleich gespeichert</source>
        <translation>Toutes les fenêtres passent aussitôt à la langue choisie ; le choix est enregistré tout de suite</translation>
    </message>
    <message>
        <source>Verfügbare Remotes </source>
        <translation>Requêtes autorisées </translation>
    </message>
    <message>
        <source>Der Partner kann die Versionsnummer von Zelvo abfragen</source>
        <translation>La station correspondante peut demander la version de Zelvo</translation>
    </message>
    <message>
        <source>Eine Kurzliste der eingetragenen User wird erstellt und zurückgeschickt</source>
        <translation>Une courte liste des stations de la liste est renvoyée</translation>
    </message>
    <message>
        <source>Wenn ausgewählt, kann der Partner Detailinfos über einen User aus der Liste abfragen</source>
        <translation>Si ce choix est fait, la station correspondante peut demander le détail d&apos;une station de la liste des stations</translation>
    </message>
    <message>
        <source>Wenn ausgewählt, kann der Partner den Infotext abfragen</source>
        <translation>Si ce choix est fait, la station correspondante peut demander le texte d&apos;info</translation>
    </message>
    <message>
        <source>Away-Einstellungen </source>
        <translation>Absence </translation>
    </message>
    <message>
        <source>Away-Text senden</source>
        <translation>Envoyer le texte d&apos;absence</translation>
    </message>
    <message>
        <source>Wenn AWAY gesetzt ist, wird auf eingehende Nachrichten mit dem Away-Text geantwortet</source>
        <translation>En mode ABSENT, les messages reçus ont pour réponse le texte d&apos;absence</translation>
    </message>
    <message>
        <source>Away melden bei Poll</source>
        <translation>Signaler l&apos;absence à l&apos;interrogation</translation>
    </message>
    <message>
        <source>Wenn AWAY gesetzt ist, bekommt der pollende User den Hinweis, dass man Away ist</source>
        <translation>En mode ABSENT, une station qui interroge apprend que vous êtes absent</translation>
    </message>
    <message>
        <source>Infotext der Station </source>
        <translation>Texte d&apos;info de la station </translation>
    </message>
    <message>
        <source>Der hier eingegebene Text kann von anderen Stationen mittels //info abgerufen werden.</source>
        <translation>Les autres stations peuvent obtenir ce texte avec //info.</translation>
    </message>
    <message>
        <source>Zeilen- umbruch mit STRG- Enter</source>
        <translation>Saut de ligne avec Ctrl+Entrée</translation>
    </message>
    <message>
        <source>Ereignis </source>
        <translation>Événement </translation>
    </message>
    <message>
        <source>Wählt ein Event aus</source>
        <translation>Choisit un événement</translation>
    </message>
    <message>
        <source>PopUp Zelvo Fenster</source>
        <translation>Afficher la fenêtre Zelvo</translation>
    </message>
    <message>
        <source>Listeneintrag nach oben</source>
        <translation>Entrée en haut de la liste</translation>
    </message>
    <message>
        <source>Event mitloggen</source>
        <translation>Noter au journal</translation>
    </message>
    <message>
        <source>Focus Zelvo</source>
        <translation>Activer Zelvo</translation>
    </message>
    <message>
        <source>Macht Zelvo zum Aktiven Fenster. Tastatureingaben werden sofort von Zelvo verarbeitet</source>
        <translation>Fait de Zelvo la fenêtre active. Les touches frappées vont aussitôt à Zelvo</translation>
    </message>
    <message>
        <source>Klang </source>
        <translation>Son </translation>
    </message>
    <message>
        <source>keiner</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>CW Text</source>
        <translation>Texte CW</translation>
    </message>
    <message>
        <source>Aktiviert CW-Ausgabe</source>
        <translation>Active la sortie CW</translation>
    </message>
    <message>
        <source>Wave Datei</source>
        <translation>Fichier WAV</translation>
    </message>
    <message>
        <source>Aktiviert Ausgabe der angegebenen Wave-Datei</source>
        <translation>Joue le fichier WAV indiqué ci-dessous</translation>
    </message>
    <message>
        <source>Text der als CW-Ausgabe auf dem PC Speaker ausgegeben werden soll</source>
        <translation>Texte à émettre en CW sur le haut-parleur du PC</translation>
    </message>
    <message>
        <source>Geschwindigkeit der CW-Ausgabe</source>
        <translation>Vitesse de la CW</translation>
    </message>
    <message>
        <source>Geschwindigkeit</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Sound, der abgespielt wird, wenn ein User Online geht.</source>
        <translation>Son joué quand une station passe en ligne.</translation>
    </message>
    <message>
        <source>Öffnet den Wave-auswählen Dialog</source>
        <translation>Ouvre la boîte de choix du fichier WAV</translation>
    </message>
    <message>
        <source>Spielt die angegebene Wave-Datei ab</source>
        <translation>Joue le fichier WAV indiqué</translation>
    </message>
    <message>
        <source>Nachricht empfangen</source>
        <translation>Message reçu</translation>
    </message>
    <message>
        <source>Nachricht gesendet</source>
        <translation>Message envoyé</translation>
    </message>
    <message>
        <source>User Online</source>
        <translation>Station en ligne</translation>
    </message>
    <message>
        <source>User Offline</source>
        <translation>Station hors ligne</translation>
    </message>
    <message>
        <source>User Away</source>
        <translation>Station absente</translation>
    </message>
    <message>
        <source>User Back</source>
        <translation>Station de retour</translation>
    </message>
    <message>
        <source>Selbst Online</source>
        <translation>Ma station en ligne</translation>
    </message>
    <message>
        <source>Selbst Ofline</source>
        <translation>Ma station hors ligne</translation>
    </message>
    <message>
        <source>Selbst Away</source>
        <translation>Ma station absente</translation>
    </message>
    <message>
        <source>Selbst Back</source>
        <translation>Ma station de retour</translation>
    </message>
    <message>
        <source>Poll von User</source>
        <translation>Interrogation par une station</translation>
    </message>
</context>
</TS>
