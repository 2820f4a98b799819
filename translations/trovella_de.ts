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
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <source>%n folder(s) could not be read.</source>
        <translation><numerusform>%n Ordner konnte nicht gelesen werden.</numerusform><numerusform>%n Ordner konnten nicht gelesen werden.</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) have names that cannot be read and were left out.</source>
        <translation><numerusform>%n Datei hat einen unlesbaren Namen und wurde ausgelassen.</numerusform><numerusform>%n Dateien haben unlesbare Namen und wurden ausgelassen.</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>Scanning: %n files</source>
        <translation><numerusform>Durchsuche: %n Datei</numerusform><numerusform>Durchsuche: %n Dateien</numerusform></translation>
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
        <translation>Durchsuchen</translation>
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