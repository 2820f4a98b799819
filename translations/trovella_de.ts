<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Clutter</name>
    <message>
        <source>left out: thumbnail cache</source>
        <translation>ausgelassen: Miniaturbild-Cache</translation>
    </message>
    <message>
        <source>left out: Mac resource fork</source>
        <translation>ausgelassen: Mac-Ressourcenzweig</translation>
    </message>
    <message>
        <source>left out: Mac folder data</source>
        <translation>ausgelassen: Mac-Ordnerdaten</translation>
    </message>
    <message>
        <source>left out: Windows folder settings</source>
        <translation>ausgelassen: Windows-Ordnereinstellungen</translation>
    </message>
    <message>
        <source>held back: trash folder</source>
        <translation>zurückgehalten: Papierkorb-Ordner</translation>
    </message>
    <message>
        <source>held back: snapshot folder</source>
        <translation>zurückgehalten: Snapshot-Ordner</translation>
    </message>
    <message>
        <source>held back: system folder</source>
        <translation>zurückgehalten: Systemordner</translation>
    </message>
    <message>
        <source>1 thumbnail cache</source>
        <translation>1 Miniaturbild-Cache</translation>
    </message>
    <message numerus="yes">
        <source>%Ln thumbnail caches</source>
        <translation>
            <numerusform>%Ln Miniaturbild-Cache</numerusform>
            <numerusform>%Ln Miniaturbild-Caches</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac resource fork</source>
        <translation>1 Mac-Ressourcenzweig</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac resource forks</source>
        <translation>
            <numerusform>%Ln Mac-Ressourcenzweig</numerusform>
            <numerusform>%Ln Mac-Ressourcenzweige</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac system file</source>
        <translation>1 Mac-Systemdatei</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac system files</source>
        <translation>
            <numerusform>%Ln Mac-Systemdatei</numerusform>
            <numerusform>%Ln Mac-Systemdateien</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Windows folder setting</source>
        <translation>1 Windows-Ordnereinstellung</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Windows folder settings</source>
        <translation>
            <numerusform>%Ln Windows-Ordnereinstellung</numerusform>
            <numerusform>%Ln Windows-Ordnereinstellungen</numerusform>
        </translation>
    </message>
    <message>
        <source>1 trash folder</source>
        <translation>1 Papierkorb-Ordner</translation>
    </message>
    <message numerus="yes">
        <source>%Ln trash folders</source>
        <translation>
            <numerusform>%Ln Papierkorb-Ordner</numerusform>
            <numerusform>%Ln Papierkorb-Ordner</numerusform>
        </translation>
    </message>
    <message>
        <source>1 snapshot folder</source>
        <translation>1 Snapshot-Ordner</translation>
    </message>
    <message numerus="yes">
        <source>%Ln snapshot folders</source>
        <translation>
            <numerusform>%Ln Snapshot-Ordner</numerusform>
            <numerusform>%Ln Snapshot-Ordner</numerusform>
        </translation>
    </message>
    <message>
        <source>1 system folder</source>
        <translation>1 Systemordner</translation>
    </message>
    <message numerus="yes">
        <source>%Ln system folders</source>
        <translation>
            <numerusform>%Ln Systemordner</numerusform>
            <numerusform>%Ln Systemordner</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DlgEditFileTypeGroup</name>
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
    <message>
        <source>File Type Groups</source>
        <translation>Dateitypgruppen</translation>
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
    <name>FileCopier</name>
    <message>
        <source>the file is gone since the scan</source>
        <translation>die Datei ist seit der Suche verschwunden</translation>
    </message>
    <message>
        <source>the folder is gone</source>
        <translation>der Ordner ist verschwunden</translation>
    </message>
    <message>
        <source>no permission to read it</source>
        <translation>keine Berechtigung zum Lesen</translation>
    </message>
    <message>
        <source>no permission to write there</source>
        <translation>keine Berechtigung zum Schreiben dort</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>der Datenträger ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the name is too long for this disk</source>
        <translation>der Name ist für diesen Datenträger zu lang</translation>
    </message>
    <message>
        <source>the disk cannot store this name</source>
        <translation>der Datenträger kann diesen Namen nicht speichern</translation>
    </message>
    <message>
        <source>a file stands where a folder is needed</source>
        <translation>an der Stelle eines Ordners steht eine Datei</translation>
    </message>
    <message>
        <source>the link leads in a circle</source>
        <translation>die Verknüpfung führt im Kreis</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>der Datenträger konnte nicht gelesen oder beschrieben werden</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the connection to the share dropped</source>
        <translation>die Verbindung zur Freigabe ist abgebrochen</translation>
    </message>
    <message>
        <source>compared byte for byte</source>
        <translation>Byte für Byte verglichen</translation>
    </message>
    <message>
        <source>compared by content</source>
        <translation>Inhalt verglichen</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>gone</source>
        <translation>nicht mehr da</translation>
    </message>
    <message>
        <source>changed since the pick</source>
        <translation>seit dem Auswählen geändert</translation>
    </message>
</context>
<context>
    <name>Pick</name>
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
</context>
<context>
    <name>PickReport</name>
    <message>
        <source>Nothing was copied.</source>
        <translation>Nichts wurde kopiert.</translation>
    </message>
    <message>
        <source>Finished.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 Byte</translation>
    </message>
    <message>
        <source>No file was copied.</source>
        <translation>Keine Datei wurde kopiert.</translation>
    </message>
    <message>
        <source>Copied 1 file (%1).</source>
        <translation>1 Datei kopiert (%1).</translation>
    </message>
    <message numerus="yes">
        <source>Copied %Ln files (%1).</source>
        <translation>
            <numerusform>%Ln Datei kopiert (%1).</numerusform>
            <numerusform>%Ln Dateien kopiert (%1).</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was already there (different).</source>
        <translation>1 war schon da (verschieden).</translation>
    </message>
    <message>
        <source>1 was already there.</source>
        <translation>1 war schon da.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there (%1 different).</source>
        <translation>
            <numerusform>%Ln war schon da (%1 verschieden).</numerusform>
            <numerusform>%Ln waren schon da (%1 verschieden).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there.</source>
        <translation>
            <numerusform>%Ln war schon da.</numerusform>
            <numerusform>%Ln waren schon da.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 could not be copied.</source>
        <translation>1 konnte nicht kopiert werden.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln could not be copied.</source>
        <translation>
            <numerusform>%Ln konnte nicht kopiert werden.</numerusform>
            <numerusform>%Ln konnten nicht kopiert werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was not reached.</source>
        <translation>1 wurde nicht erreicht.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were not reached.</source>
        <translation>
            <numerusform>%Ln wurde nicht erreicht.</numerusform>
            <numerusform>%Ln wurden nicht erreicht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Already there, same</source>
        <translation>Schon da, gleich</translation>
    </message>
    <message>
        <source>Already there, different</source>
        <translation>Schon da, verschieden</translation>
    </message>
    <message>
        <source>Could not be copied</source>
        <translation>Nicht kopiert</translation>
    </message>
    <message>
        <source>Not reached</source>
        <translation>Nicht erreicht</translation>
    </message>
    <message>
        <source>Left out by the scan</source>
        <translation>Bei der Suche ausgelassen</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>1 was left out by the scan.</source>
        <translation>1 wurde bei der Suche ausgelassen.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were left out by the scan.</source>
        <translation>
            <numerusform>%Ln wurde bei der Suche ausgelassen.</numerusform>
            <numerusform>%Ln wurden bei der Suche ausgelassen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 leftover file of an interrupted pick, %1.</source>
        <translation>1 übrig gebliebene Datei eines unterbrochenen Auswählens entfernt, %1.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln leftover files of an interrupted pick, %1.</source>
        <translation>
            <numerusform>%Ln übrig gebliebene Datei eines unterbrochenen Auswählens entfernt, %1.</numerusform>
            <numerusform>%Ln übrig gebliebene Dateien eines unterbrochenen Auswählens entfernt, %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>The connection to the destination was lost: whether the last files arrived is not known. Pick again to settle them.</source>
        <translation>Die Verbindung zum Ziel ist abgebrochen: Ob die letzten Dateien angekommen sind, ist nicht bekannt. Erneutes Auswählen klärt das.</translation>
    </message>
    <message>
        <source>The choices for this folder could not be saved in %1: %2.</source>
        <translation>Die Auswahl für diesen Ordner konnte nicht in %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Copied and verified 1 file (%1).</source>
        <translation>1 Datei kopiert und geprüft (%1).</translation>
    </message>
    <message numerus="yes">
        <source>Copied and verified %Ln files (%1).</source>
        <translation>
            <numerusform>%Ln Datei kopiert und geprüft (%1).</numerusform>
            <numerusform>%Ln Dateien kopiert und geprüft (%1).</numerusform>
        </translation>
    </message>
    <message>
        <source>The record of this pick could not be written to %1: %2. The files were copied all the same; the details list only what was not simply copied, and the pick cannot be undone.</source>
        <translation>Das Protokoll dieses Auswählens konnte nicht nach %1 geschrieben werden: %2. Die Dateien wurden trotzdem kopiert; die Details zeigen nur, was nicht einfach kopiert wurde, und das Auswählen kann nicht rückgängig gemacht werden.</translation>
    </message>
</context>
<context>
    <name>PickReportDialog</name>
    <message>
        <source>Pick details</source>
        <translation>Einzelheiten der Auswahl</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Zeigen:</translation>
    </message>
    <message>
        <source>Per file type:</source>
        <translation>Je Dateityp:</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Speichern…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Everything listed (%1)</source>
        <translation>Alles Aufgeführte (%1)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Save the Pick Details</source>
        <translation>Einzelheiten der Auswahl speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The details could not be saved to %1: %2</source>
        <translation>Die Einzelheiten konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Save the verified copies&apos; checksums, to check them later with xxh128sum -c</source>
        <translation>Die Prüfsummen der geprüften Kopien speichern, um sie später mit xxh128sum -c zu prüfen</translation>
    </message>
    <message>
        <source>Save checksums…</source>
        <translation>Prüfsummen speichern…</translation>
    </message>
    <message>
        <source>Remove the files this pick copied that are unchanged since, and the folders it made</source>
        <translation>Die von diesem Auswählen kopierten, seither unveränderten Dateien und die dabei angelegten Ordner entfernen</translation>
    </message>
    <message>
        <source>Undo this pick…</source>
        <translation>Rückgängig…</translation>
    </message>
    <message>
        <source>Save Checksums</source>
        <translation>Prüfsummen speichern</translation>
    </message>
    <message>
        <source>Checksum lists (*.xxh128)</source>
        <translation>Prüfsummenlisten (*.xxh128)</translation>
    </message>
    <message>
        <source>The checksums could not be saved to %1: %2</source>
        <translation>Die Prüfsummen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Undo This Pick</source>
        <translation>Auswählen rückgängig machen</translation>
    </message>
    <message>
        <source>The record of this pick could not be read: %1</source>
        <translation>Das Protokoll dieses Auswählens konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>    %1: %2</source>
        <translation>    %1: %2</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    und %1 weitere</translation>
    </message>
    <message>
        <source>1 file with a line break in the name is not in the list: xxh128sum cannot read such names.</source>
        <translation>1 Datei mit einem Zeilenumbruch im Namen steht nicht in der Liste: xxh128sum kann solche Namen nicht lesen.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files with a line break in the name are not in the list: xxh128sum cannot read such names.</source>
        <translation>
            <numerusform>%Ln Datei mit einem Zeilenumbruch im Namen steht nicht in der Liste: xxh128sum kann solche Namen nicht lesen.</numerusform>
            <numerusform>%Ln Dateien mit einem Zeilenumbruch im Namen stehen nicht in der Liste: xxh128sum kann solche Namen nicht lesen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove the file this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>Die Datei, die dieses Auswählen nach %1 kopiert hat, und die dabei angelegten Ordner, die dann leer sind, entfernen? Seither geänderte Dateien und Dateien, die schon vorher da waren, bleiben.</translation>
    </message>
    <message numerus="yes">
        <source>Remove the %Ln files this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>
            <numerusform>Die %Ln Datei, die dieses Auswählen nach %1 kopiert hat, und die dabei angelegten Ordner, die dann leer sind, entfernen? Seither geänderte Dateien und Dateien, die schon vorher da waren, bleiben.</numerusform>
            <numerusform>Die %Ln Dateien, die dieses Auswählen nach %1 kopiert hat, und die dabei angelegten Ordner, die dann leer sind, entfernen? Seither geänderte Dateien und Dateien, die schon vorher da waren, bleiben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 file.</source>
        <translation>1 Datei entfernt.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln files.</source>
        <translation>
            <numerusform>%Ln Datei entfernt.</numerusform>
            <numerusform>%Ln Dateien entfernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 empty folder.</source>
        <translation>1 leerer Ordner entfernt.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln empty folders.</source>
        <translation>
            <numerusform>%Ln leerer Ordner entfernt.</numerusform>
            <numerusform>%Ln leere Ordner entfernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left 1 file:</source>
        <translation>1 Datei blieb:</translation>
    </message>
    <message numerus="yes">
        <source>Left %Ln files:</source>
        <translation>
            <numerusform>%Ln Datei blieb:</numerusform>
            <numerusform>%Ln Dateien blieben:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SmallFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
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
    <message numerus="yes">
        <source>Scanning: %n files</source>
        <translation>
            <numerusform>Durchsuche: %n Datei</numerusform>
            <numerusform>Durchsuche: %n Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>Selected: 1 file, %1</source>
        <translation>Ausgewählt: 1 Datei, %1</translation>
    </message>
    <message numerus="yes">
        <source>Selected: %Ln files, %1</source>
        <translation>
            <numerusform>Ausgewählt: %Ln Datei, %1</numerusform>
            <numerusform>Ausgewählt: %Ln Dateien, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>No web browser could be started to show %1.</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um %1 zu zeigen.</translation>
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
        <translation>
            <numerusform>%n Ordner konnte nicht gelesen werden.</numerusform>
            <numerusform>%n Ordner konnten nicht gelesen werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file has a name that cannot be read and was left out.</source>
        <translation>1 Datei hat einen unlesbaren Namen und wurde ausgelassen.</translation>
    </message>
    <message numerus="yes">
        <source>%n files have names that cannot be read and were left out.</source>
        <translation>
            <numerusform>%n Datei hat einen unlesbaren Namen und wurde ausgelassen.</numerusform>
            <numerusform>%n Dateien haben unlesbare Namen und wurden ausgelassen.</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder could not be read</source>
        <translation>der Ordner konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>der Name ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Einzelheiten…</translation>
    </message>
    <message>
        <source>%1 of %2, %3 left</source>
        <translation>%1 von %2, noch %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>The file type groups could not be saved to %1: %2</source>
        <translation>Die Dateitypgruppen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Checking the destination…</source>
        <translation>Das Ziel wird geprüft…</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Held back: %1.</source>
        <translation>Zurückgehalten: %1.</translation>
    </message>
    <message>
        <source>Left out: %1.</source>
        <translation>Ausgelassen: %1.</translation>
    </message>
    <message>
        <source>Left out: %1 (%2).</source>
        <translation>Ausgelassen: %1 (%2).</translation>
    </message>
    <message>
        <source>Verify copies</source>
        <translation>Kopien prüfen</translation>
    </message>
    <message>
        <source>Read each copy back from the disk and compare it with the source before it gets its name</source>
        <translation>Jede Kopie von der Platte zurücklesen und mit der Quelle vergleichen, bevor sie ihren Namen bekommt</translation>
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
    <message>
        <source>Also list thumbnail caches, Mac resource forks and folder data, and Windows folder settings</source>
        <translation>Auch Miniaturbild-Caches, Mac-Ressourcenzweige und -Ordnerdaten sowie Windows-Ordnereinstellungen auflisten</translation>
    </message>
    <message>
        <source>Include system files</source>
        <translation>Systemdateien einbeziehen</translation>
    </message>
    <message>
        <source>Also walk trash, snapshot and system folders</source>
        <translation>Auch Papierkorb-, Snapshot- und Systemordner durchsuchen</translation>
    </message>
    <message>
        <source>Include trash and snapshots</source>
        <translation>Papierkorb, Snapshots einbeziehen</translation>
    </message>
</context>
<context>
    <name>TypeStatistics</name>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files</source>
        <translation>
            <numerusform>%Ln Datei</numerusform>
            <numerusform>%Ln Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Verify</name>
    <message>
        <source>the copy read back different</source>
        <translation>die Kopie las sich anders zurück</translation>
    </message>
</context>
</TS>
