<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de">
<context>
    <name>DlgEditFileTypeGroup</name>
    <message>
        <source>EditFileTypeGroup</source>
        <translation>Dateitypgruppen bearbeiten</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Gruppenname</translation>
    </message>
    <message>
        <source>File types</source>
        <translation>Typen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>EditFileTypeGroup</name>
    <message>
        <source>A group needs a name.</source>
        <translation>Eine Gruppe braucht einen Namen.</translation>
    </message>
    <message>
        <source>A group name cannot hold &quot;=&quot;, &quot;(&quot; or a line break.</source>
        <translation>Ein Gruppenname darf kein &quot;=&quot;, kein &quot;(&quot; und keinen Zeilenumbruch enthalten.</translation>
    </message>
    <message>
        <source>There is a group named &quot;%1&quot; already.</source>
        <translation>Es gibt schon eine Gruppe namens &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>New group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <source>New group %1</source>
        <translation>Neue Gruppe %1</translation>
    </message>
    <message>
        <source>Never matches a file type: %1</source>
        <translation>Passt nie zu einem Dateityp: %1</translation>
    </message>
</context>
<context>
    <name>Trovella</name>
    <message>
        <source>Select Source Folder</source>
        <translation>Quellordner wählen</translation>
    </message>
    <message>
        <source>Select Destinate Folder</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>no such type</source>
        <translation>Keine solche Gruppe</translation>
    </message>
    <message>
        <source>Creating: </source>
        <translation>Erstelle: </translation>
    </message>
    <message>
        <source>Finished.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>Finished. 1 file could not be copied.</source>
        <translation>Fertig. 1 Datei konnte nicht kopiert werden.</translation>
    </message>
    <message numerus="yes">
        <source>Finished. %n files could not be copied.</source>
        <translation><numerusform>Fertig. %n Datei konnte nicht kopiert werden.</numerusform><numerusform>Fertig. %n Dateien konnten nicht kopiert werden.</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>Scanning: %n files</source>
        <translation><numerusform>Durchsuche: %n Datei</numerusform><numerusform>Durchsuche: %n Dateien</numerusform></translation>
    </message>
    <message>
        <source>Nothing was copied.</source>
        <translation>Es wurde nichts kopiert.</translation>
    </message>
    <message>
        <source>Stopped. 1 file was not copied.</source>
        <translation>Angehalten. 1 Datei wurde nicht kopiert.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. %n files were not copied.</source>
        <translation><numerusform>Angehalten. %n Datei wurde nicht kopiert.</numerusform><numerusform>Angehalten. %n Dateien wurden nicht kopiert.</numerusform></translation>
    </message>
    <message>
        <source>Selected: 1 file, %1</source>
        <translation>Ausgewählt: 1 Datei, %1</translation>
    </message>
    <message numerus="yes">
        <source>Selected: %Ln files, %1</source>
        <translation><numerusform>Ausgewählt: %Ln Datei, %1</numerusform><numerusform>Ausgewählt: %Ln Dateien, %1</numerusform></translation>
    </message>
    <message>
        <source>No web browser could be started to show %1.</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um %1 zu zeigen.</translation>
    </message>
    <message>
        <source>%1 are needed and %2 are free.</source>
        <translation>%1 werden gebraucht und %2 sind frei.</translation>
    </message>
    <message>
        <source>The destination cannot store these names; they will not be copied:</source>
        <translation>Das Ziel kann diese Namen nicht speichern; sie werden nicht kopiert:</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    und %1 weitere</translation>
    </message>
    <message>
        <source>%1 of the files exist there already and are left alone.</source>
        <translation>%1 der Dateien gibt es dort schon; sie bleiben unverändert.</translation>
    </message>
    <message>
        <source>Pick anyway?</source>
        <translation>Trotzdem auswählen?</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>1 folder could not be read.</source>
        <translation>1 Ordner konnte nicht gelesen werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be read.</source>
        <translation><numerusform>%n Ordner konnte nicht gelesen werden.</numerusform><numerusform>%n Ordner konnten nicht gelesen werden.</numerusform></translation>
    </message>
    <message>
        <source>1 file has a name that cannot be read and was left out.</source>
        <translation>1 Datei hat einen unlesbaren Namen und wurde ausgelassen.</translation>
    </message>
    <message numerus="yes">
        <source>%n files have names that cannot be read and were left out.</source>
        <translation><numerusform>%n Datei hat einen unlesbaren Namen und wurde ausgelassen.</numerusform><numerusform>%n Dateien haben unlesbare Namen und wurden ausgelassen.</numerusform></translation>
    </message>
    <message>
        <source>The file type groups could not be saved to %1: %2</source>
        <translation>Die Dateitypgruppen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>TrovellaClass</name>
    <message>
        <source>Trovella</source>
        <translation>Trovella</translation>
    </message>
    <message>
        <source>Source Folder</source>
        <translation>Quellordner</translation>
    </message>
    <message>
        <source>Destinate Folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>View Result</source>
        <translation>Ergebnis zeigen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
</context>
</TS>