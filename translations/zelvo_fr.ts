<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="de">
<context>
    <name>CallInput</name>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: vor dem Bindestrich fehlt das Rufzeichen.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un indicatif valide&#xa0;: l&apos;indicatif manque avant le tiret.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es besteht nur aus den Buchstaben A bis Z und Ziffern, dahinter wahlweise eine SSID wie „-7“.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un indicatif valide&#xa0;: un indicatif ne se compose que des lettres A à Z et de chiffres, suivis éventuellement d&apos;un SSID comme «&#xa0;-7&#xa0;».</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: es hat höchstens %2 Buchstaben und Ziffern, die SSID nicht mitgezählt.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un indicatif valide&#xa0;: un indicatif compte au plus %2 lettres et chiffres, SSID non compris.</translation>
    </message>
    <message>
        <source>„%1“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis %2.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un indicatif valide&#xa0;: le SSID va de 0 à %2.</translation>
    </message>
</context>
<context>
    <name>ChannelWords</name>
    <message>
        <source>%1: Gerät nicht vorhanden</source>
        <translation>%1&#xa0;: périphérique absent</translation>
    </message>
    <message>
        <source>%1: keine Berechtigung</source>
        <translation>%1&#xa0;: pas d&apos;autorisation</translation>
    </message>
    <message>
        <source>%1: keine Berechtigung (Gruppe %2)</source>
        <translation>%1&#xa0;: pas d&apos;autorisation (groupe %2)</translation>
    </message>
    <message>
        <source>%1: Gerät belegt</source>
        <translation>%1&#xa0;: périphérique occupé</translation>
    </message>
    <message>
        <source>%1: lässt sich nicht öffnen (%2)</source>
        <translation>%1&#xa0;: impossible à ouvrir (%2)</translation>
    </message>
    <message>
        <source>%1: Rechner unbekannt</source>
        <translation>%1&#xa0;: hôte inconnu</translation>
    </message>
    <message>
        <source>%1: Adresse falsch geschrieben</source>
        <translation>%1&#xa0;: adresse mal formée</translation>
    </message>
    <message>
        <source>keine Antwort von %1</source>
        <translation>pas de réponse de %1</translation>
    </message>
    <message>
        <source>Kanalnummer 0 bis 15</source>
        <translation>Numéro de canal de 0 à 15</translation>
    </message>
    <message>
        <source>Kanalnummer %1 ist schon vergeben</source>
        <translation>Le numéro de canal %1 est déjà pris</translation>
    </message>
    <message>
        <source>Rechner fehlt</source>
        <translation>Hôte manquant</translation>
    </message>
    <message>
        <source>Rechner mit unzulässigem Zeichen</source>
        <translation>Hôte avec un caractère interdit</translation>
    </message>
    <message>
        <source>Port 1 bis 65535</source>
        <translation>Port de 1 à 65535</translation>
    </message>
    <message>
        <source>Funkport 0 bis 15</source>
        <translation>Port radio de 0 à 15</translation>
    </message>
    <message>
        <source>Luftrate 1 bis 10000000 Bit/s</source>
        <translation>Débit radio de 1 à 10000000 bit/s</translation>
    </message>
    <message>
        <source>Baudrate nicht unterstützt</source>
        <translation>Débit non pris en charge</translation>
    </message>
    <message>
        <source>Gerät fehlt</source>
        <translation>Périphérique manquant</translation>
    </message>
    <message>
        <source>Gerät nicht vorhanden</source>
        <translation>Périphérique absent</translation>
    </message>
    <message>
        <source>Gerät schon von Kanal %1 benutzt</source>
        <translation>Périphérique déjà utilisé par le canal %1</translation>
    </message>
    <message>
        <source>Name fehlt</source>
        <translation>Nom manquant</translation>
    </message>
    <message>
        <source>Name mit unzulässigem Zeichen (# oder Zeilenumbruch)</source>
        <translation>Nom avec un caractère interdit (# ou saut de ligne)</translation>
    </message>
    <message>
        <source>Name länger als 64 Zeichen</source>
        <translation>Nom de plus de 64 caractères</translation>
    </message>
    <message>
        <source>Der Treiber liest diese Zeile nicht: %1</source>
        <translation>Le pilote ne lit pas cette ligne&#xa0;: %1</translation>
    </message>
    <message>
        <source>Der Treiber kann nicht prüfen, was antwortet</source>
        <translation>Le pilote ne peut pas vérifier ce qui répond</translation>
    </message>
    <message>
        <source>AGW-Server %1 antwortet auf %2, ein Funkport</source>
        <translation>Serveur AGW %1 répond sur %2, un port radio</translation>
    </message>
    <message>
        <source>AGW-Server %1 antwortet auf %2, %3 Funkports</source>
        <translation>Serveur AGW %1 répond sur %2, %3 ports radio</translation>
    </message>
    <message>
        <source>KISS-TNC antwortet auf %1</source>
        <translation>TNC KISS répond sur %1</translation>
    </message>
    <message>
        <source>%1 lässt sich öffnen (KISS-TNC?)</source>
        <translation>%1 peut être ouvert (un TNC KISS&#xa0;?)</translation>
    </message>
    <message>
        <source>%1 antwortet, aber weder mit KISS noch mit AGW</source>
        <translation>%1 répond, mais ni en KISS ni en AGW</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>antwortet (AGW %1.%2)</source>
        <translation>répond (AGW %1.%2)</translation>
    </message>
    <message>
        <source>antwortet</source>
        <translation>répond</translation>
    </message>
    <message>
        <source>keine AGW-Gegenstelle</source>
        <translation>pas un serveur AGW</translation>
    </message>
    <message>
        <source>keine KISS-Gegenstelle</source>
        <translation>pas un TNC KISS</translation>
    </message>
    <message>
        <source>verbindet …</source>
        <translation>connexion…</translation>
    </message>
    <message>
        <source>keine Antwort</source>
        <translation>pas de réponse</translation>
    </message>
</context>
<context>
    <name>LinkWatch</name>
    <message>
        <source>Kanal %1</source>
        <translation>Canal %1</translation>
    </message>
    <message>
        <source>Kanal %1 „%2“</source>
        <translation>Canal %1 «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>Rechnername unbekannt</source>
        <translation>nom d&apos;hôte inconnu</translation>
    </message>
    <message>
        <source>Verbindung abgelehnt</source>
        <translation>connexion refusée</translation>
    </message>
    <message>
        <source>keine Antwort</source>
        <translation>pas de réponse</translation>
    </message>
    <message>
        <source>Gerät nicht vorhanden</source>
        <translation>Périphérique absent</translation>
    </message>
    <message>
        <source>keine Berechtigung</source>
        <translation>pas d&apos;autorisation</translation>
    </message>
    <message>
        <source>Gerät belegt</source>
        <translation>périphérique occupé</translation>
    </message>
    <message>
        <source>%1: TNC %2 antwortet wieder.</source>
        <translation>%1&#xa0;: le TNC %2 répond de nouveau.</translation>
    </message>
    <message>
        <source>%1: keine AGW-Gegenstelle auf %2.</source>
        <translation>%1&#xa0;: pas de serveur AGW sur %2.</translation>
    </message>
    <message>
        <source>%1: keine KISS-Gegenstelle an %2.</source>
        <translation>%1&#xa0;: pas de TNC KISS sur %2.</translation>
    </message>
    <message>
        <source>%1: keine KISS-Gegenstelle auf %2.</source>
        <translation>%1&#xa0;: pas de TNC KISS sur %2.</translation>
    </message>
    <message>
        <source>%1: TNC %2 nicht erreichbar.</source>
        <translation>%1&#xa0;: TNC %2 injoignable.</translation>
    </message>
    <message>
        <source>%1: TNC %2 nicht erreichbar (%3).</source>
        <translation>%1&#xa0;: TNC %2 injoignable (%3).</translation>
    </message>
    <message>
        <source>Ist das ein AGW-Port? Dann agw-tcp eintragen.</source>
        <translation>Est-ce un port AGW&#xa0;? Alors indiquez agw-tcp.</translation>
    </message>
    <message>
        <source>Ist das ein KISS-Port? Dann kiss-tcp eintragen.</source>
        <translation>Est-ce un port KISS&#xa0;? Alors indiquez kiss-tcp.</translation>
    </message>
    <message>
        <source>Ist der TNC im KISS-Modus?</source>
        <translation>Le TNC est-il en mode KISS&#xa0;?</translation>
    </message>
    <message>
        <source>Läuft Direwolf? KISSPORT?</source>
        <translation>Direwolf tourne-t-il&#xa0;? KISSPORT&#xa0;?</translation>
    </message>
    <message>
        <source>Läuft Direwolf oder das Soundmodem? AGWPORT?</source>
        <translation>Direwolf ou le soundmodem tourne-t-il&#xa0;? AGWPORT&#xa0;?</translation>
    </message>
    <message>
        <source>Gerät angeschlossen? Gruppe dialout?</source>
        <translation>Périphérique branché&#xa0;? Groupe dialout&#xa0;?</translation>
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
    <name>Problem</name>
    <message>
        <source>Logdatei %1 kann nicht angelegt werden (%2); es wird kein Log geschrieben.</source>
        <translation>Le fichier journal %1 ne peut pas être créé (%2)&#xa0;; aucun journal n&apos;est écrit.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 kann nicht geschrieben werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>Le fichier d&apos;historique %1 ne peut pas être écrit (%2)&#xa0;: l&apos;historique n&apos;est pas enregistré pendant cette session.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 kann nicht angelegt werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>Le fichier d&apos;historique %1 ne peut pas être créé (%2)&#xa0;: l&apos;historique n&apos;est pas enregistré pendant cette session.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 ist nicht lesbar und kann nicht beiseitegelegt werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>Le fichier d&apos;historique %1 est illisible et ne peut pas être mis de côté (%2)&#xa0;: l&apos;historique n&apos;est pas enregistré pendant cette session.</translation>
    </message>
    <message>
        <source>Der SQLite-Treiber von Qt fehlt: die History wird nicht gespeichert.</source>
        <translation>Le pilote SQLite de Qt est absent&#xa0;: l&apos;historique n&apos;est pas enregistré.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 war nicht lesbar (%2) und liegt jetzt als %3 daneben; eine neue wurde begonnen.</source>
        <translation>Le fichier d&apos;historique %1 était illisible (%2) et a été mis de côté sous le nom %3&#xa0;; un nouveau a été commencé.</translation>
    </message>
    <message>
        <source>Eintrag %1 der Adressliste nicht geladen: kein Rufzeichen</source>
        <translation>Entrée %1 de la liste des stations non chargée&#xa0;: pas d&apos;indicatif</translation>
    </message>
    <message>
        <source>Eintrag %1 der Adressliste nicht geladen: kein Text</source>
        <translation>Entrée %1 de la liste des stations non chargée&#xa0;: pas de texte</translation>
    </message>
    <message>
        <source>Eintrag %1 der Adressliste nicht geladen: mehr als 31 Einträge</source>
        <translation>Entrée %1 de la liste des stations non chargée&#xa0;: plus de 31 entrées</translation>
    </message>
    <message>
        <source>Adressliste nicht geladen: %1</source>
        <translation>Liste des stations non chargée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Adressliste nicht gespeichert: sie konnte beim Start nicht gelesen werden.</source>
        <translation>Liste des stations non enregistrée&#xa0;: elle n&apos;a pas pu être lue au démarrage.</translation>
    </message>
    <message>
        <source>Adressliste nicht gespeichert: %1</source>
        <translation>Liste des stations non enregistrée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Fehler beim Holen der Daten für &apos;%1&apos;</source>
        <translation>Erreur lors de la lecture des données de «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Die History-Datei %1 kann nicht gelesen werden (%2): die History wird in diesem Lauf nicht gespeichert.</source>
        <translation>Le fichier d&apos;historique %1 ne peut pas être lu (%2)&#xa0;: l&apos;historique n&apos;est pas conservé pendant cette session.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 wird von einem anderen Programm benutzt. Die gespeicherten Zeilen werden gelesen und neue geschrieben, sobald sie frei ist.</source>
        <translation>Le fichier d&apos;historique %1 est utilisé par un autre programme. Les lignes conservées seront lues et les nouvelles écrites dès qu&apos;il sera libre.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 wird von einem anderen Programm benutzt. Neue Zeilen werden zurückgehalten und geschrieben, sobald sie frei ist.</source>
        <translation>Le fichier d&apos;historique %1 est utilisé par un autre programme. Les nouvelles lignes sont gardées en attente et écrites dès qu&apos;il sera libre.</translation>
    </message>
    <message>
        <source>Die History-Datei %1 ist wieder frei; keine Zeile ist verloren gegangen.</source>
        <translation>Le fichier d&apos;historique %1 est de nouveau libre&#xa0;; aucune ligne n&apos;a été perdue.</translation>
    </message>
    <message>
        <source>Zelvo startet nach der Anmeldung nicht von selbst: Der Programmpfad %1 enthält ein Prozentzeichen, ein Steuerzeichen oder kein UTF-8, und so kann ihn kein Autostart-Eintrag starten.</source>
        <translation>Zelvo ne démarrera pas tout seul après l&apos;ouverture de session&#xa0;: le chemin du programme %1 contient un signe pour cent, un caractère de contrôle ou n&apos;est pas en UTF-8, et aucune entrée de démarrage automatique ne peut donc le lancer.</translation>
    </message>
    <message>
        <source>Zelvo startet nach der Anmeldung nicht von selbst: %1 kann nicht geschrieben werden: %2</source>
        <translation>Zelvo ne démarrera pas tout seul après l&apos;ouverture de session&#xa0;: impossible d&apos;écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Der Registrierungsordner %1 kann nicht belegt werden: %2. Zelvo startet nicht, damit kein zweites Zelvo-Programm dieselbe Adressliste überschreibt. Prüfen Sie die Datei %3.</source>
        <translation>Le dossier de registre %1 ne peut pas être réservé&#xa0;: %2. Zelvo ne démarre pas, afin qu&apos;un second programme Zelvo n&apos;écrase pas la même liste des stations. Vérifiez le fichier %3.</translation>
    </message>
    <message>
        <source>Der Registrierungsordner %1 kann nicht belegt werden, denn sein Dateisystem kennt keine Sperren: %2. Zelvo startet trotzdem; die Adressliste wird beim Speichern mit der gespeicherten zusammengeführt.</source>
        <translation>Le dossier de registre %1 ne peut pas être réservé, car son système de fichiers ne connaît pas les verrous&#xa0;: %2. Zelvo démarre quand même&#xa0;; à l&apos;enregistrement, la liste des stations est fusionnée avec celle du disque.</translation>
    </message>
    <message>
        <source>das schließende Anführungszeichen fehlt</source>
        <translation>le guillemet fermant manque</translation>
    </message>
    <message>
        <source>unerwarteter Text am Zeilenende: %1</source>
        <translation>texte inattendu en fin de ligne&#xa0;: %1</translation>
    </message>
    <message>
        <source>unerwarteter Inhalt: %1</source>
        <translation>contenu inattendu&#xa0;: %1</translation>
    </message>
    <message>
        <source>nur das Format REGEDIT4 wird gelesen (in regedit als &quot;Win9x/NT4-Registrierungsdatei&quot; exportieren)</source>
        <translation>seul le format REGEDIT4 est lu (exportez-le dans regedit en tant que «&#xa0;Fichiers d&apos;enregistrement Win9x/NT4&#xa0;»)</translation>
    </message>
    <message>
        <source>die erste Zeile muss &quot;REGEDIT4&quot; lauten</source>
        <translation>la première ligne doit être «&#xa0;REGEDIT4&#xa0;»</translation>
    </message>
    <message>
        <source>die schließende Klammer ] fehlt</source>
        <translation>le crochet fermant ] manque</translation>
    </message>
    <message>
        <source>leerer Schlüsselname</source>
        <translation>nom de clé vide</translation>
    </message>
    <message>
        <source>der Hauptschlüssel kann nicht gelöscht werden</source>
        <translation>la clé racine ne peut pas être supprimée</translation>
    </message>
    <message>
        <source>ein Schlüssel von %1 gehört nicht in die Datei von %2</source>
        <translation>une clé de %1 n&apos;a pas sa place dans le fichier de %2</translation>
    </message>
    <message>
        <source>unbekannter Hauptschlüssel &quot;%1&quot;</source>
        <translation>clé racine inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>das Gleichheitszeichen fehlt</source>
        <translation>le signe égal manque</translation>
    </message>
    <message>
        <source>Wert in einem gelöschten Schlüssel</source>
        <translation>valeur dans une clé supprimée</translation>
    </message>
    <message>
        <source>Wert vor dem ersten Schlüssel</source>
        <translation>valeur avant la première clé</translation>
    </message>
    <message>
        <source>ungültiger DWORD-Wert</source>
        <translation>valeur DWORD non valide</translation>
    </message>
    <message>
        <source>ungültiger Werttyp in hex(...)</source>
        <translation>type de valeur non valide dans hex(...)</translation>
    </message>
    <message>
        <source>unbekannte Wertangabe: %1</source>
        <translation>type de valeur inconnu&#xa0;: %1</translation>
    </message>
    <message>
        <source>die Datei endet mitten in einem Wert</source>
        <translation>le fichier se termine au milieu d&apos;une valeur</translation>
    </message>
    <message>
        <source>ungültiges Byte in den Hex-Daten: &quot;%1&quot;</source>
        <translation>octet non valide dans les données hexadécimales&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Die Registrierungsdatei %1 ist in Zeile %2 fehlerhaft: %3</source>
        <translation>Le fichier de registre %1 est erroné à la ligne %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Ungültiger Registrierungsschlüssel %1: leerer Namensteil</source>
        <translation>Clé de registre %1 non valide&#xa0;: une partie du nom est vide</translation>
    </message>
    <message>
        <source>Ungültiger Registrierungsschlüssel %1: Steuerzeichen im Namen</source>
        <translation>Clé de registre %1 non valide&#xa0;: caractère de contrôle dans le nom</translation>
    </message>
    <message>
        <source>Ungültiger Wertname %1: Steuerzeichen im Namen</source>
        <translation>Nom de valeur %1 non valide&#xa0;: caractère de contrôle dans le nom</translation>
    </message>
    <message>
        <source>Der Hauptschlüssel kann nicht gelöscht werden</source>
        <translation>La clé racine ne peut pas être supprimée</translation>
    </message>
    <message>
        <source>Die Registrierungsdatei %1 kann nicht gelesen werden: %2</source>
        <translation>Le fichier de registre %1 ne peut pas être lu&#xa0;: %2</translation>
    </message>
    <message>
        <source>Die Registrierungsdatei %1 kann nicht geschrieben werden: %2</source>
        <translation>Le fichier de registre %1 ne peut pas être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>ein anderer Prozess hält ihre Sperrdatei %1 seit mehr als %2 Sekunden gesperrt</source>
        <translation>un autre processus garde son fichier de verrou %1 verrouillé depuis plus de %2 secondes</translation>
    </message>
    <message>
        <source>Sperren fehlgeschlagen: %1</source>
        <translation>échec du verrouillage&#xa0;: %1</translation>
    </message>
    <message>
        <source>Ungültiger Unterschlüssel &quot;%1&quot;</source>
        <translation>Sous-clé «&#xa0;%1&#xa0;» non valide</translation>
    </message>
    <message>
        <source>Die Wave-Datei %1 wird nicht gespielt: Sie hält mehr als 16 MiB Klangdaten.</source>
        <translation>Le fichier WAV %1 n&apos;est pas joué&#xa0;: il contient plus de 16 Mio de données sonores.</translation>
    </message>
    <message>
        <source>Die Wave-Datei %1 wird nicht gespielt: Sie dauert länger als 10 Minuten.</source>
        <translation>Le fichier WAV %1 n&apos;est pas joué&#xa0;: il dure plus de 10 minutes.</translation>
    </message>
    <message>
        <source>Die Wave-Datei %1 wird nicht gespielt: %2</source>
        <translation>Le fichier WAV %1 n&apos;est pas joué&#xa0;: %2</translation>
    </message>
    <message>
        <source>Ein anderes Zelvo-Programm (zelvo oder zelvo-station) benutzt bereits den Registrierungsordner %1. Beenden Sie es zuerst.</source>
        <translation>Un autre programme Zelvo (zelvo ou zelvo-station) utilise déjà le dossier de registre %1. Quittez-le d&apos;abord.</translation>
    </message>
    <message>
        <source>Der Ordner %1 kann nicht geprüft werden: %2</source>
        <translation>Le dossier %1 ne peut pas être vérifié&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 ist eine symbolische Verknüpfung</source>
        <translation>%1 est un lien symbolique</translation>
    </message>
    <message>
        <source>%1 ist kein Ordner</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>Der Ordner %1 gehört einem anderen Benutzer</source>
        <translation>Le dossier %1 appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>Der Ordner %1 ist anderen Benutzern offen (Modus %2)</source>
        <translation>Le dossier %1 est ouvert aux autres utilisateurs (mode %2)</translation>
    </message>
    <message>
        <source>Der Ordner %1 kann nicht angelegt werden: %2</source>
        <translation>Le dossier %1 ne peut pas être créé&#xa0;: %2</translation>
    </message>
    <message>
        <source>Die Sperrdatei %1 kann nicht angelegt werden</source>
        <translation>Le fichier de verrou %1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>%1 ist zu lang für den Namen eines Sockets</source>
        <translation>%1 est trop long pour le nom d&apos;un socket</translation>
    </message>
    <message>
        <source>Ein Socket kann nicht angelegt werden: %1</source>
        <translation>Impossible de créer un socket&#xa0;: %1</translation>
    </message>
    <message>
        <source>Der Socket %1 kann keine Verbindungen annehmen: %2</source>
        <translation>Le socket %1 ne peut pas accepter de connexions&#xa0;: %2</translation>
    </message>
    <message>
        <source>Zelvo startet ohne die Prüfung auf ein schon laufendes Zelvo: %1</source>
        <translation>Zelvo démarre sans vérifier si un Zelvo tourne déjà&#xa0;: %1</translation>
    </message>
    <message>
        <source>Der Treiber libflxapi32.so kann nicht geladen werden: Zelvo ist unvollständig installiert.</source>
        <translation>Le pilote libflxapi32.so ne peut pas être chargé&#xa0;: Zelvo n&apos;est pas installé entièrement.</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>bereit... Hilfe mit F1</source>
        <translation>Prêt... F1 pour l&apos;aide</translation>
    </message>
    <message>
        <source>Msg eingetroffen</source>
        <translation>Message reçu</translation>
    </message>
    <message>
        <source>Übertragungsfehler</source>
        <translation>Échec d&apos;émission</translation>
    </message>
    <message>
        <source>User wird gepollt</source>
        <translation>Interrogation en cours...</translation>
    </message>
    <message>
        <source>Nachricht geht raus</source>
        <translation>Envoi du message</translation>
    </message>
    <message>
        <source>Msg im Sendepuffer</source>
        <translation>Message en attente</translation>
    </message>
    <message>
        <source>Offline nicht möglich</source>
        <translation>Impossible hors ligne</translation>
    </message>
    <message>
        <source>Maximale Anzahl erreicht</source>
        <translation>Nombre maximal atteint</translation>
    </message>
    <message>
        <source>User ist Offline</source>
        <translation>Station hors ligne</translation>
    </message>
    <message>
        <source>Poll erfolgreich</source>
        <translation>Interrogation réussie</translation>
    </message>
    <message>
        <source>Kein User in der Liste, Anmeldung nicht möglich! Erstellen sie zuerst einen Eintrag (ALT-R).</source>
        <translation>Aucune station dans la liste, impossible de passer en ligne&#xa0;! Créez d&apos;abord une entrée (Alt+R).</translation>
    </message>
    <message>
        <source>%1 ist Offline</source>
        <translation>%1 est hors ligne</translation>
    </message>
    <message>
        <source>%1 ist Away</source>
        <translation>%1 est absent</translation>
    </message>
    <message>
        <source>Poll von %1</source>
        <translation>%1 vous interroge</translation>
    </message>
    <message>
        <source>remote von : %1</source>
        <translation>Requête à distance de %1</translation>
    </message>
    <message>
        <source>Fehler im Empfangsdurchlauf: %1</source>
        <translation>Erreur dans la boucle de réception&#xa0;: %1</translation>
    </message>
    <message>
        <source>Fehler im Empfangsdurchlauf: unbekannter Fehler</source>
        <translation>Erreur dans la boucle de réception&#xa0;: erreur inconnue</translation>
    </message>
    <message>
        <source>User ist Online</source>
        <translation>Station en ligne</translation>
    </message>
    <message>
        <source>User hat gepollt</source>
        <translation>La station a interrogé</translation>
    </message>
    <message>
        <source>User ist Away</source>
        <translation>Station absente</translation>
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
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Antworten</source>
        <translation>Répondre</translation>
    </message>
    <message>
        <source>ist Online</source>
        <translation>est en ligne</translation>
    </message>
    <message>
        <source>ist Offline</source>
        <translation>est hors ligne</translation>
    </message>
    <message>
        <source>ist Away</source>
        <translation>est absent</translation>
    </message>
    <message>
        <source>ist Away: %1</source>
        <translation>est absent&#xa0;: %1</translation>
    </message>
    <message>
        <source>ist zurück</source>
        <translation>est de retour</translation>
    </message>
    <message>
        <source>hat gepollt</source>
        <translation>a interrogé</translation>
    </message>
    <message>
        <source>Übertragungsfehler</source>
        <translation>Échec d&apos;émission</translation>
    </message>
    <message>
        <source>%1 hat die Nachricht nicht bestätigt: %2</source>
        <translation>%1 n&apos;a pas accusé réception du message&#xa0;: %2</translation>
    </message>
    <message>
        <source>TNC nicht erreichbar</source>
        <translation>TNC injoignable</translation>
    </message>
</context>
<context>
    <name>zelvo::app::HeardModel</name>
    <message>
        <source>Rufzeichen</source>
        <translation>Indicatif</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Zuletzt gehört</source>
        <translation>Dernière écoute</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Trames</translation>
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
        <translation>Nouvelle ent&amp;rée	Alt+R</translation>
    </message>
    <message>
        <source>Eintrag &amp;bearbeiten	Alt+B</source>
        <translation>Mo&amp;difier l&apos;entrée	Alt+B</translation>
    </message>
    <message>
        <source>Eintrag &amp;löschen	Alt+L</source>
        <translation>Supprimer &amp;l&apos;entrée	Alt+L</translation>
    </message>
    <message>
        <source>User &amp;pollen	Alt+P</source>
        <translation>&amp;Interroger la station	Alt+P</translation>
    </message>
    <message>
        <source>&amp;Einstellungen	Alt+E</source>
        <translation>Paramètr&amp;es	Alt+E</translation>
    </message>
    <message>
        <source>&amp;Nachricht lesen	Alt+N</source>
        <translation>Lire le me&amp;ssage	Alt+N</translation>
    </message>
    <message>
        <source>&amp;Nachricht senden	Alt+N</source>
        <translation>E&amp;nvoyer un message	Alt+N</translation>
    </message>
    <message>
        <source>Sind sie sicher, dass sie Zelvo beenden wollen? Evtl noch
ausstehende Texte im RX oder TX-Buffer werden gelöscht.</source>
        <translation>Voulez-vous vraiment quitter Zelvo&#xa0;? Les textes encore en attente
dans le tampon RX ou TX seront perdus.</translation>
    </message>
    <message>
        <source>Maximale Anzahl erreicht</source>
        <translation>Nombre maximal atteint</translation>
    </message>
    <message>
        <source>%1 wirklich löschen ?</source>
        <translation>Voulez-vous vraiment supprimer %1&#xa0;?</translation>
    </message>
    <message>
        <source>Es sind noch Texte im Puffer. Trotzdem löschen ?</source>
        <translation>Il reste des textes dans le tampon. Supprimer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Stationsliste</source>
        <translation>Liste des stations</translation>
    </message>
    <message>
        <source>&amp;Monitor	Alt+M</source>
        <translation>&amp;Moniteur	Alt+M</translation>
    </message>
</context>
<context>
    <name>zelvo::app::MonitorModel</name>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Hors ligne</translation>
    </message>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Quittung</source>
        <translation>Accusé</translation>
    </message>
    <message>
        <source>Poll</source>
        <translation>Poll</translation>
    </message>
    <message>
        <source>Poll-Antwort</source>
        <translation>Réponse au poll</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>Absent</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>De retour</translation>
    </message>
    <message numerus="yes">
        <source>... %n Zeilen ausgelassen</source>
        <translation>
            <numerusform>... %n ligne omise</numerusform>
            <numerusform>... %n lignes omises</numerusform>
        </translation>
    </message>
    <message>
        <source>gesendet</source>
        <translation>envoyé</translation>
    </message>
    <message>
        <source>gehört</source>
        <translation>entendu</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Richtung</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Von</source>
        <translation>De</translation>
    </message>
    <message>
        <source>An</source>
        <translation>À</translation>
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
        <translation>Texte</translation>
    </message>
</context>
<context>
    <name>zelvo::app::MonitorWindow</name>
    <message>
        <source>Monitor</source>
        <translation>Moniteur</translation>
    </message>
    <message>
        <source>&amp;Rufzeichen:</source>
        <translation>&amp;Indicatif&#xa0;:</translation>
    </message>
    <message>
        <source>Rufzeichen filtern</source>
        <translation>Filtrer par indicatif</translation>
    </message>
    <message>
        <source>Nur Zeilen, deren Von, An oder Via diesen Text enthält</source>
        <translation>N&apos;affiche que les lignes dont De, À ou Via contient ce texte</translation>
    </message>
    <message>
        <source>Kanal filtern</source>
        <translation>Filtrer par canal</translation>
    </message>
    <message>
        <source>Alle Kanäle</source>
        <translation>Tous les canaux</translation>
    </message>
    <message>
        <source>&amp;Weiter</source>
        <translation>&amp;Reprendre</translation>
    </message>
    <message>
        <source>&amp;Anhalten</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Weiter</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Anhalten</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Neue Zeilen zurückhalten; die Liste der gehörten Stationen zählt weiter</source>
        <translation>Retenir les nouvelles lignes&#xa0;; la liste des stations entendues continue de compter</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>C&amp;opier</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Die markierten Zeilen in die Zwischenablage, ohne Markierung alle (Strg+C)</source>
        <translation>Copie les lignes sélectionnées dans le presse-papiers, ou toutes sans sélection (Ctrl+C)</translation>
    </message>
    <message>
        <source>&amp;Speichern...</source>
        <translation>&amp;Enregistrer...</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Die angezeigten Zeilen als Textdatei speichern (Strg+S)</source>
        <translation>Enregistrer les lignes affichées dans un fichier texte (Ctrl+S)</translation>
    </message>
    <message>
        <source>Monitorzeilen</source>
        <translation>Lignes du moniteur</translation>
    </message>
    <message>
        <source>Gehörte Stationen</source>
        <translation>Stations entendues</translation>
    </message>
    <message>
        <source>Monitor speichern</source>
        <translation>Enregistrer le moniteur</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Der Monitor konnte nicht in %1 gespeichert werden: %2</source>
        <translation>Le moniteur n&apos;a pas pu être enregistré dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Ka&amp;nal:</source>
        <translation>C&amp;anal&#xa0;:</translation>
    </message>
</context>
<context>
    <name>zelvo::app::RosterListModel</name>
    <message>
        <source>User ist Away. Grund: 
<byte value="xd"/>%1</source>
        <translation>Station absente. Motif&#xa0;: 
<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Ungelesene Nachrichten von Away-seiendem User</source>
        <translation>Messages non lus d&apos;une station absente</translation>
    </message>
    <message>
        <source>Ungelesene Nachrichten von Offline-seiendem User</source>
        <translation>Messages non lus d&apos;une station hors ligne</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Indicatif</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Call-SSID</source>
        <translation>Indicatif-SSID</translation>
    </message>
    <message>
        <source>Ax25Path</source>
        <translation>Chemin AX.25</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Sons</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>En ligne</translation>
    </message>
    <message>
        <source>Online, ungelesen</source>
        <translation>En ligne, non lu</translation>
    </message>
    <message>
        <source>Hat gepollt</source>
        <translation>A interrogé</translation>
    </message>
    <message>
        <source>Sendet</source>
        <translation>Envoi</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>Absent</translation>
    </message>
    <message>
        <source>Away, Grund: %1</source>
        <translation>Absent, motif&#xa0;: %1</translation>
    </message>
    <message>
        <source>Away, ungelesen</source>
        <translation>Absent, non lu</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Hors ligne</translation>
    </message>
    <message>
        <source>Offline, ungelesen</source>
        <translation>Hors ligne, non lu</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Kanal %1</source>
        <translation>Canal %1</translation>
    </message>
    <message>
        <source>Pfad %1</source>
        <translation>Chemin %1</translation>
    </message>
    <message>
        <source>Sounds an</source>
        <translation>Sons activés</translation>
    </message>
    <message>
        <source>Sounds aus</source>
        <translation>Sons désactivés</translation>
    </message>
    <message>
        <source>%1 ist Online</source>
        <translation>%1 est en ligne</translation>
    </message>
</context>
<context>
    <name>zelvo::app::StationAdapter</name>
    <message>
        <source>Ein nicht registrierter User versucht sich anzumelden. Registrieren ?</source>
        <translation>Une station non enregistrée s&apos;annonce. L&apos;enregistrer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>zelvo::app::StatusBar</name>
    <message>
        <source>TNC nicht erreichbar</source>
        <translation>TNC injoignable</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>En ligne</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Hors ligne</translation>
    </message>
    <message>
        <source>AWAY</source>
        <translation>ABSENT</translation>
    </message>
    <message>
        <source>QRV</source>
        <translation>QRV</translation>
    </message>
    <message>
        <source>Statuszeile</source>
        <translation>Barre d&apos;état</translation>
    </message>
    <message>
        <source>Eigener Zustand: %1</source>
        <translation>Mon état&#xa0;: %1</translation>
    </message>
    <message>
        <source>Meldung: %1</source>
        <translation>Statut&#xa0;: %1</translation>
    </message>
    <message>
        <source>Anwesenheit: %1</source>
        <translation>Présence&#xa0;: %1</translation>
    </message>
    <message>
        <source>Bitte zuerst das eigene Rufzeichen eintragen (Alt+E)</source>
        <translation>Veuillez d&apos;abord saisir votre indicatif (Alt+E)</translation>
    </message>
</context>
<context>
    <name>zelvo::app::TrayIcon</name>
    <message>
        <source>&amp;Einstellungen</source>
        <translation>&amp;Paramètres</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>go &amp;Online</source>
        <translation>Passer en &amp;ligne</translation>
    </message>
    <message>
        <source>go OffLine</source>
        <translation>Passer hors ligne</translation>
    </message>
    <message>
        <source>go OnLine</source>
        <translation>Passer en ligne</translation>
    </message>
    <message>
        <source>Zelvo 0.9</source>
        <translation>Zelvo 0.9</translation>
    </message>
    <message>
        <source>Zelvo Online</source>
        <translation>Zelvo en ligne</translation>
    </message>
    <message>
        <source>Zelvo Offline</source>
        <translation>Zelvo hors ligne</translation>
    </message>
    <message>
        <source>&amp;Stationsliste</source>
        <translation>Liste des &amp;stations</translation>
    </message>
    <message>
        <source>&amp;Monitor</source>
        <translation>&amp;Moniteur</translation>
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
        <translation>Appuyez sur F1 dans la liste des stations pour l&apos;aide.</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::ChannelDialog</name>
    <message>
        <source>Funkkanäle</source>
        <translation>Canaux radio</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Luftrate</source>
        <translation>Débit radio</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>TNC</source>
        <translation>TNC</translation>
    </message>
    <message>
        <source>Kanäle</source>
        <translation>Canaux</translation>
    </message>
    <message>
        <source>Die Kanäle der Kanaltabelle und ob ihr TNC gerade antwortet</source>
        <translation>Les canaux de la table des canaux et si leur TNC répond en ce moment</translation>
    </message>
    <message>
        <source>&amp;Gefunden:</source>
        <translation>Trou&amp;vés&#xa0;:</translation>
    </message>
    <message>
        <source>Gefundene TNCs</source>
        <translation>TNC trouvés</translation>
    </message>
    <message>
        <source>Was die Suche gefunden hat; angehakte werden als Kanäle übernommen</source>
        <translation>Ce que la recherche a trouvé&#xa0;; ceux qui sont cochés sont ajoutés comme canaux</translation>
    </message>
    <message>
        <source>&amp;Hinzufügen …</source>
        <translation>&amp;Ajouter…</translation>
    </message>
    <message>
        <source>Einen Kanal hinzufügen</source>
        <translation>Ajouter un canal</translation>
    </message>
    <message>
        <source>Ä&amp;ndern …</source>
        <translation>&amp;Modifier…</translation>
    </message>
    <message>
        <source>Den gewählten Kanal ändern</source>
        <translation>Modifier le canal choisi</translation>
    </message>
    <message>
        <source>&amp;Entfernen</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Den gewählten Kanal entfernen</source>
        <translation>Supprimer le canal choisi</translation>
    </message>
    <message>
        <source>&amp;Testen</source>
        <translation>&amp;Tester</translation>
    </message>
    <message>
        <source>Fragt, was an der Adresse des gewählten Kanals antwortet; auf Funk wird nichts gesendet</source>
        <translation>Demande ce qui répond à l&apos;adresse du canal choisi&#xa0;; rien n&apos;est émis</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>R&amp;echercher</translation>
    </message>
    <message>
        <source>Sucht Direwolf, AGW-Server und serielle TNCs auf diesem Rechner; auf Funk wird nichts gesendet</source>
        <translation>Cherche Direwolf, des serveurs AGW et des TNC série sur cette machine&#xa0;; rien n&apos;est émis</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>A&amp;ppliquer</translation>
    </message>
    <message>
        <source>Die angehakten Funde als Kanäle übernehmen</source>
        <translation>Ajouter comme canaux les résultats cochés</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Die Kanaltabelle speichern</source>
        <translation>Enregistrer la table des canaux</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Die Änderungen verwerfen</source>
        <translation>Abandonner les modifications</translation>
    </message>
    <message>
        <source>Kanaltabelle: %1</source>
        <translation>Table des canaux&#xa0;: %1</translation>
    </message>
    <message>
        <source>Noch keine Kanaltabelle; der Treiber nimmt seinen eingebauten Kanal.</source>
        <translation>Pas encore de table des canaux&#xa0;; le pilote utilise son canal intégré.</translation>
    </message>
    <message>
        <source>Gespeichert wird als %1.</source>
        <translation>Elle est enregistrée sous %1.</translation>
    </message>
    <message>
        <source>Sie gilt erst, wenn %1 entfernt ist: der Treiber liest diese Datei zuerst.</source>
        <translation>Elle ne s&apos;applique qu&apos;une fois %1 supprimé&#xa0;: le pilote lit ce fichier en premier.</translation>
    </message>
    <message>
        <source>Änderungen gelten ab dem nächsten Start von Zelvo.</source>
        <translation>Les modifications prennent effet au prochain démarrage de Zelvo.</translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht lesen; sie wird nicht geändert.</source>
        <translation>Le fichier est illisible&#xa0;; il n&apos;est pas modifié.</translation>
    </message>
    <message>
        <source>Eine Zeile der Datei nimmt der Treiber nicht; sie bleibt unverändert.</source>
        <translation>Le pilote n&apos;accepte pas une ligne du fichier&#xa0;; elle est laissée telle quelle.</translation>
    </message>
    <message>
        <source>%1 Zeilen der Datei nimmt der Treiber nicht; sie bleiben unverändert.</source>
        <translation>Le pilote n&apos;accepte pas %1 lignes du fichier&#xa0;; elles sont laissées telles quelles.</translation>
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
        <translation>immédiat</translation>
    </message>
    <message>
        <source>nicht in Gebrauch</source>
        <translation>pas en service</translation>
    </message>
    <message>
        <source>Prüfe %1 …</source>
        <translation>Vérification de %1…</translation>
    </message>
    <message>
        <source>Suche läuft …</source>
        <translation>Recherche en cours…</translation>
    </message>
    <message>
        <source>Kein weiterer TNC gefunden</source>
        <translation>Aucun autre TNC trouvé</translation>
    </message>
    <message>
        <source>Ein TNC gefunden; angehakt übernimmt ihn „Übernehmen“</source>
        <translation>Un TNC trouvé&#xa0;; coché, «&#xa0;Appliquer&#xa0;» l&apos;ajoute</translation>
    </message>
    <message>
        <source>%1 TNCs gefunden; die angehakten übernimmt „Übernehmen“</source>
        <translation>%1 TNC trouvés&#xa0;; «&#xa0;Appliquer&#xa0;» ajoute ceux qui sont cochés</translation>
    </message>
    <message>
        <source>Die Kanaltabelle lässt sich nicht speichern:
%1</source>
        <translation>La table des canaux ne peut pas être enregistrée&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Der Treiber hat die Kanaltabelle nicht neu gelesen; die Änderung gilt ab dem nächsten Start von Zelvo.</source>
        <translation>Le pilote n&apos;a pas relu la table des canaux&#xa0;; la modification prend effet au prochain démarrage de Zelvo.</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht lesen und wird nicht überschrieben.</source>
        <translation>%1 ne peut pas être lu et n&apos;est pas écrasé.</translation>
    </message>
    <message>
        <source>Es gibt keinen Benutzerordner, in dem sie liegen könnte.</source>
        <translation>Il n&apos;y a aucun dossier de l&apos;utilisateur où la garder.</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::ChannelEditor</name>
    <message>
        <source>Kanal ändern</source>
        <translation>Modifier le canal</translation>
    </message>
    <message>
        <source>Kanal hinzufügen</source>
        <translation>Ajouter un canal</translation>
    </message>
    <message>
        <source>&amp;Art</source>
        <translation>T&amp;ype</translation>
    </message>
    <message>
        <source>&amp;Nummer</source>
        <translation>&amp;Numéro</translation>
    </message>
    <message>
        <source>&amp;Rechner</source>
        <translation>&amp;Hôte</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>&amp;Gerät</source>
        <translation>Pér&amp;iphérique</translation>
    </message>
    <message>
        <source>&amp;Baudrate</source>
        <translation>&amp;Débit</translation>
    </message>
    <message>
        <source>&amp;Funkport (AGW)</source>
        <translation>Port &amp;radio (AGW)</translation>
    </message>
    <message>
        <source>&amp;KISS-Port</source>
        <translation>Port &amp;KISS</translation>
    </message>
    <message>
        <source>&amp;Luftrate (Bit/s)</source>
        <translation>Débit r&amp;adio (bit/s)</translation>
    </message>
    <message>
        <source>Na&amp;me</source>
        <translation>No&amp;m</translation>
    </message>
    <message>
        <source>kiss-tcp: Direwolf und andere KISS-TNCs über TCP; agw-tcp: AGW-Server wie Direwolf oder QtSoundModem; kiss-serial: ein TNC an einer seriellen Schnittstelle</source>
        <translation>kiss-tcp&#xa0;: Direwolf et autres TNC KISS par TCP&#xa0;; agw-tcp&#xa0;: serveurs AGW comme Direwolf ou QtSoundModem&#xa0;; kiss-serial&#xa0;: un TNC sur un port série</translation>
    </message>
    <message>
        <source>Die FlexNet-Kanalnummer, 0 bis 15</source>
        <translation>Le numéro de canal FlexNet, de 0 à 15</translation>
    </message>
    <message>
        <source>Bit/s auf dem Funkkanal; leer: die Rahmen gehen sofort zum TNC</source>
        <translation>Bit/s sur le canal radio&#xa0;; vide&#xa0;: les trames vont aussitôt au TNC</translation>
    </message>
    <message>
        <source>So heißt der Kanal in der Liste der Einträge</source>
        <translation>Le nom du canal dans la liste des entrées</translation>
    </message>
    <message>
        <source>&amp;Testen</source>
        <translation>&amp;Tester</translation>
    </message>
    <message>
        <source>Fragt, was an dieser Adresse antwortet; auf Funk wird nichts gesendet</source>
        <translation>Demande ce qui répond à cette adresse&#xa0;; rien n&apos;est émis</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Zahl fehlt</source>
        <translation>Nombre manquant</translation>
    </message>
    <message>
        <source>Name mit Zeichen, die die Tabelle nicht hält</source>
        <translation>Nom avec des caractères que la table ne peut contenir</translation>
    </message>
    <message>
        <source>Prüfe %1 …</source>
        <translation>Vérification de %1…</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::EntryEditor</name>
    <message>
        <source>Eintrag bearbeiten</source>
        <translation>Modifier l&apos;entrée</translation>
    </message>
    <message>
        <source>Name </source>
        <translation>Nom </translation>
    </message>
    <message>
        <source>Alias/Usernamen eingeben</source>
        <translation>Saisir l&apos;alias ou le nom de la station</translation>
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
        <translation>FlexNet ne signale aucun canal&#xa0;: l&apos;entrée ne peut pas être enregistrée.</translation>
    </message>
    <message>
        <source>Bitte einen FlexNet Kanal auswählen</source>
        <translation>Veuillez choisir un canal FlexNet</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>FlexNet Kanal</source>
        <translation>Canal FlexNet</translation>
    </message>
    <message>
        <source>Call via AX25 Pfad</source>
        <translation>Indicatif via chemin AX.25</translation>
    </message>
    <message>
        <source>Die Ereignisse dieser Station spielen ihre Klänge</source>
        <translation>Les événements de cette station font entendre leurs sons</translation>
    </message>
    <message>
        <source>Diese Station darf Remotes abfragen</source>
        <translation>Cette station peut envoyer des requêtes</translation>
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
        <translation>L&apos;aide ne peut pas être affichée&#xa0;: le programme %1 est absent.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 lässt sich nicht öffnen.</source>
        <translation>L&apos;aide ne peut pas être affichée&#xa0;: impossible d&apos;ouvrir le fichier d&apos;aide %1.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 ist beschädigt.</source>
        <translation>L&apos;aide ne peut pas être affichée&#xa0;: le fichier d&apos;aide %1 est endommagé.</translation>
    </message>
    <message>
        <source>Die Hilfe kann nicht angezeigt werden: Das Lesen der Hilfedatei %1 dauert zu lange.</source>
        <translation>L&apos;aide ne peut pas être affichée&#xa0;: la lecture du fichier d&apos;aide %1 prend trop de temps.</translation>
    </message>
    <message>
        <source>Hilfe wird geladen …</source>
        <translation>Chargement de l&apos;aide…</translation>
    </message>
    <message>
        <source>Hilfeseite</source>
        <translation>Page d&apos;aide</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::Language</name>
    <message>
        <source>de</source>
        <comment>code of the language of these texts</comment>
        <translation>fr</translation>
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
    <message>
        <source>Der Text geht an jede Station, die nicht Offline ist</source>
        <translation>Le texte part vers chaque station qui n&apos;est pas hors ligne</translation>
    </message>
    <message>
        <source>Sendet den Text (Alt+S)</source>
        <translation>Envoie le texte (Alt+S)</translation>
    </message>
    <message>
        <source>Verlauf</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Die empfangenen und gesendeten Texte, der neueste zuletzt</source>
        <translation>Les textes reçus et envoyés, le plus récent en dernier</translation>
    </message>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Der Text, der gesendet wird; Alt+S sendet ihn</source>
        <translation>Le texte à envoyer&#xa0;; Alt+S l&apos;envoie</translation>
    </message>
    <message>
        <source>Zeichen übrig: %1</source>
        <translation>Caractères restants&#xa0;: %1</translation>
    </message>
    <message>
        <source>Neu von %1: %2</source>
        <translation>Nouveau de %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>zelvo::dialogs::SettingsDialog</name>
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
    <message>
        <source>Wave-Datei auswählen</source>
        <translation>Choisir un fichier WAV</translation>
    </message>
    <message>
        <source>Windows Sound-Dateien (*.wav)</source>
        <translation>Fichiers WAV (*.wav)</translation>
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
        <translation>Le nom du fichier contient des caractères que Zelvo ne peut pas enregistrer&#xa0;; le fichier ne serait jamais joué&#xa0;:
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
        <source>Listenanzeige </source>
        <translation>Affichage de la liste </translation>
    </message>
    <message>
        <source>&amp;Call anzeigen</source>
        <translation>&amp;Indicatif seul</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden in der Liste nur die Calls angezeigt.</source>
        <translation>Avec ce choix, la liste des stations n&apos;affiche que les indicatifs.</translation>
    </message>
    <message>
        <source>Call und Name</source>
        <translation>Indicatif et nom</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden in der Liste das Call und das Alias angezeigt.</source>
        <translation>Avec ce choix, la liste des stations affiche l&apos;indicatif et le nom.</translation>
    </message>
    <message>
        <source>Call, Name und Überschrift</source>
        <translation>Indicatif, nom et en-tête</translation>
    </message>
    <message>
        <source>Ist dieser Eintrag gewählt, werden zusaetzlich zum Call und Alias der ListenHeader angezeigt.</source>
        <translation>Avec ce choix, la liste des stations affiche aussi l&apos;en-tête des colonnes, en plus de l&apos;indicatif et du nom.</translation>
    </message>
    <message>
        <source>Globale Einstellungen </source>
        <translation>Paramètres généraux </translation>
    </message>
    <message>
        <source>&amp;Klänge abspielen</source>
        <translation>Activer les &amp;sons</translation>
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
        <source>mit &amp;Windows starten</source>
        <translation>&amp;Lancer à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Wenn gewählt, wird das Programm automatisch beim nächsten Windows-Start mit geladen, sofern es beim Beenden von Windows noch aktiv war.</source>
        <translation>Si la case est cochée, Zelvo redémarre à la prochaine ouverture de session s&apos;il tournait encore à la fermeture de la session.</translation>
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
        <translation>Toutes les fenêtres passent aussitôt à la langue choisie&#xa0;; le choix est enregistré tout de suite</translation>
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
        <translation>Si la case est cochée, la station correspondante peut demander le détail d&apos;une station de votre liste</translation>
    </message>
    <message>
        <source>Wenn ausgewählt, kann der Partner den Infotext abfragen</source>
        <translation>Si la case est cochée, la station correspondante peut demander le texte d&apos;info</translation>
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
        <translation>Placer l&apos;entrée en haut de la liste</translation>
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
        <translation>Fait entendre le fichier WAV indiqué ci-dessous</translation>
    </message>
    <message>
        <source>Text der als CW-Ausgabe auf dem PC Speaker ausgegeben werden soll</source>
        <translation>Texte à jouer en CW sur le haut-parleur du PC</translation>
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
        <source>Öffnet den Wave-auswählen Dialog</source>
        <translation>Ouvre la boîte de dialogue pour choisir le fichier WAV</translation>
    </message>
    <message>
        <source>Spielt die angegebene Wave-Datei ab</source>
        <translation>Écouter le fichier WAV indiqué</translation>
    </message>
    <message>
        <source>Sprachen</source>
        <translation>Langues</translation>
    </message>
    <message>
        <source>Away-Text</source>
        <translation>Texte d&apos;absence</translation>
    </message>
    <message>
        <source>Infotext der Station</source>
        <translation>Texte d&apos;info de la station</translation>
    </message>
    <message>
        <source>Ereignis</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Text der CW-Ausgabe</source>
        <translation>Texte de la sortie CW</translation>
    </message>
    <message>
        <source>Pfad der Wave-Datei</source>
        <translation>Chemin du fichier WAV</translation>
    </message>
    <message>
        <source>Abspielen</source>
        <translation>Écouter</translation>
    </message>
    <message>
        <source>&amp;Funkkanäle …</source>
        <translation>&amp;Canaux radio…</translation>
    </message>
    <message>
        <source>Die TNCs und Funkkanäle, über die Zelvo sendet und empfängt</source>
        <translation>Les TNC et canaux radio par lesquels Zelvo émet et reçoit</translation>
    </message>
    <message>
        <source>Hier wird das eigene Alias / Name eingegeben, der bei der Gegenstation in der Liste angezeigt werden soll. Die Eingabe ist beschränkt auf maximal %1 Zeichen.</source>
        <translation>Votre alias ou nom, tel que la station correspondante l&apos;affiche dans sa liste des stations. %1 caractères au plus.</translation>
    </message>
    <message>
        <source>Wenn gewählt, schreibt Zelvo alle Systemmeldungen mit Uhrzeit in sein Protokoll Zelvo.log.</source>
        <translation>Si la case est cochée, Zelvo note chaque message du système avec son heure dans son journal Zelvo.log.</translation>
    </message>
    <message>
        <source>Sound, der bei diesem Ereignis abgespielt wird.</source>
        <translation>Son joué quand cet événement se produit.</translation>
    </message>
    <message>
        <source>Zum Beispiel Name, QTH, Locator, Station und Einstieg. Solange hier nichts steht, antwortet Zelvo auf //INfo nur mit Rufzeichen und Name.</source>
        <translation>Par exemple votre nom, QTH, locator, station et nœud d&apos;accès. Tant que rien n&apos;est écrit ici, Zelvo répond à //INfo par votre indicatif et votre nom seuls.</translation>
    </message>
    <message>
        <source>Benachrichtigung</source>
        <translation>Notification</translation>
    </message>
    <message>
        <source>Meldet das Ereignis als Benachrichtigung des Desktops</source>
        <translation>Signale l&apos;événement par une notification du bureau</translation>
    </message>
    <message>
        <source>Benachrichtigung bei Übertragungsfehler</source>
        <translation>Notification en cas d&apos;échec d&apos;émission</translation>
    </message>
    <message>
        <source>Meldet eine Nachricht, die nach der letzten Wiederholung nicht bestätigt wurde</source>
        <translation>Signale un message dont la réception n&apos;a pas été confirmée après la dernière répétition</translation>
    </message>
    <message>
        <source>Benachrichtigung, wenn ein TNC nicht antwortet</source>
        <translation>Notification quand un TNC ne répond pas</translation>
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
