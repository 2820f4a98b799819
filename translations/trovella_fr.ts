<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Clutter</name>
    <message>
        <source>left out: thumbnail cache</source>
        <translation>omis&#xa0;: cache de miniatures</translation>
    </message>
    <message>
        <source>left out: Mac resource fork</source>
        <translation>omis&#xa0;: ressource Mac</translation>
    </message>
    <message>
        <source>left out: Mac folder data</source>
        <translation>omis&#xa0;: données de dossier Mac</translation>
    </message>
    <message>
        <source>left out: Windows folder settings</source>
        <translation>omis&#xa0;: réglages de dossier Windows</translation>
    </message>
    <message>
        <source>held back: trash folder</source>
        <translation>retenu&#xa0;: dossier de corbeille</translation>
    </message>
    <message>
        <source>held back: snapshot folder</source>
        <translation>retenu&#xa0;: dossier d’instantanés</translation>
    </message>
    <message>
        <source>held back: system folder</source>
        <translation>retenu&#xa0;: dossier système</translation>
    </message>
    <message>
        <source>1 thumbnail cache</source>
        <translation>1 cache de miniatures</translation>
    </message>
    <message numerus="yes">
        <source>%Ln thumbnail caches</source>
        <translation>
            <numerusform>%Ln cache de miniatures</numerusform>
            <numerusform>%Ln caches de miniatures</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac resource fork</source>
        <translation>1 ressource Mac</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac resource forks</source>
        <translation>
            <numerusform>%Ln ressource Mac</numerusform>
            <numerusform>%Ln ressources Mac</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac system file</source>
        <translation>1 fichier système Mac</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac system files</source>
        <translation>
            <numerusform>%Ln fichier système Mac</numerusform>
            <numerusform>%Ln fichiers système Mac</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Windows folder setting</source>
        <translation>1 réglage de dossier Windows</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Windows folder settings</source>
        <translation>
            <numerusform>%Ln réglage de dossier Windows</numerusform>
            <numerusform>%Ln réglages de dossier Windows</numerusform>
        </translation>
    </message>
    <message>
        <source>1 trash folder</source>
        <translation>1 dossier de corbeille</translation>
    </message>
    <message numerus="yes">
        <source>%Ln trash folders</source>
        <translation>
            <numerusform>%Ln dossier de corbeille</numerusform>
            <numerusform>%Ln dossiers de corbeille</numerusform>
        </translation>
    </message>
    <message>
        <source>1 snapshot folder</source>
        <translation>1 dossier d’instantanés</translation>
    </message>
    <message numerus="yes">
        <source>%Ln snapshot folders</source>
        <translation>
            <numerusform>%Ln dossier d’instantanés</numerusform>
            <numerusform>%Ln dossiers d’instantanés</numerusform>
        </translation>
    </message>
    <message>
        <source>1 system folder</source>
        <translation>1 dossier système</translation>
    </message>
    <message numerus="yes">
        <source>%Ln system folders</source>
        <translation>
            <numerusform>%Ln dossier système</numerusform>
            <numerusform>%Ln dossiers système</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DlgEditFileTypeGroup</name>
    <message>
        <source>File Type Groups</source>
        <translation>Groupes de types de fichiers</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Nom du groupe</translation>
    </message>
    <message>
        <source>File types</source>
        <translation>Types</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>EditFileTypeGroup</name>
    <message>
        <source>A group needs a name.</source>
        <translation>Un groupe doit avoir un nom.</translation>
    </message>
    <message>
        <source>A group name cannot hold &quot;=&quot;, &quot;(&quot; or a line break.</source>
        <translation>Un nom de groupe ne peut contenir ni &quot;=&quot;, ni &quot;(&quot;, ni saut de ligne.</translation>
    </message>
    <message>
        <source>There is a group named &quot;%1&quot; already.</source>
        <translation>Il existe déjà un groupe nommé &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>New group</source>
        <translation>Nouveau groupe</translation>
    </message>
    <message>
        <source>New group %1</source>
        <translation>Nouveau groupe %1</translation>
    </message>
    <message>
        <source>Never matches a file type: %1</source>
        <translation>Ne correspond jamais à un type de fichier&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>FileCopier</name>
    <message>
        <source>the file is gone since the scan</source>
        <translation>le fichier a disparu depuis l’analyse</translation>
    </message>
    <message>
        <source>the folder is gone</source>
        <translation>le dossier a disparu</translation>
    </message>
    <message>
        <source>no permission to read it</source>
        <translation>pas d’autorisation de le lire</translation>
    </message>
    <message>
        <source>no permission to write there</source>
        <translation>pas d’autorisation d’y écrire</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>le disque est en lecture seule</translation>
    </message>
    <message>
        <source>the name is too long for this disk</source>
        <translation>le nom est trop long pour ce disque</translation>
    </message>
    <message>
        <source>the disk cannot store this name</source>
        <translation>le disque ne peut pas enregistrer ce nom</translation>
    </message>
    <message>
        <source>a file stands where a folder is needed</source>
        <translation>un fichier se trouve là où il faut un dossier</translation>
    </message>
    <message>
        <source>the link leads in a circle</source>
        <translation>le lien tourne en rond</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>le disque n’a pas pu être lu ou écrit</translation>
    </message>
    <message>
        <source>the connection to the share dropped</source>
        <translation>la connexion au partage a été perdue</translation>
    </message>
    <message>
        <source>compared byte for byte</source>
        <translation>comparé octet par octet</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>compared by content</source>
        <translation>contenu comparé</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>gone</source>
        <translation>disparu</translation>
    </message>
    <message>
        <source>changed since the pick</source>
        <translation>modifié depuis la sélection</translation>
    </message>
</context>
<context>
    <name>Pick</name>
    <message>
        <source>%1 are needed and %2 are free.</source>
        <translation>%1 sont nécessaires et %2 sont libres.</translation>
    </message>
    <message>
        <source>The destination cannot store these names; they will not be copied:</source>
        <translation>La destination ne peut pas enregistrer ces noms&#xa0;; ils ne seront pas copiés&#xa0;:</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    et %1 de plus</translation>
    </message>
    <message>
        <source>%1 of the files exist there already and are left alone.</source>
        <translation>%1 des fichiers existent déjà là-bas et restent intacts.</translation>
    </message>
    <message>
        <source>Pick anyway?</source>
        <translation>Récupérer quand même&#xa0;?</translation>
    </message>
</context>
<context>
    <name>PickReport</name>
    <message>
        <source>Nothing was copied.</source>
        <translation>Rien n’a été copié.</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 octet</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Arrêté.</translation>
    </message>
    <message>
        <source>Finished.</source>
        <translation>Terminé.</translation>
    </message>
    <message>
        <source>Copied 1 file (%1).</source>
        <translation>1 fichier copié (%1).</translation>
    </message>
    <message numerus="yes">
        <source>Copied %Ln files (%1).</source>
        <translation>
            <numerusform>%Ln fichier copié (%1).</numerusform>
            <numerusform>%Ln fichiers copiés (%1).</numerusform>
        </translation>
    </message>
    <message>
        <source>No file was copied.</source>
        <translation>Aucun fichier n’a été copié.</translation>
    </message>
    <message>
        <source>1 was already there (different).</source>
        <translation>1 était déjà là (différent).</translation>
    </message>
    <message>
        <source>1 was already there.</source>
        <translation>1 était déjà là.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there (%1 different).</source>
        <translation>
            <numerusform>%Ln était déjà là (différents&#xa0;: %1).</numerusform>
            <numerusform>%Ln étaient déjà là (différents&#xa0;: %1).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there.</source>
        <translation>
            <numerusform>%Ln était déjà là.</numerusform>
            <numerusform>%Ln étaient déjà là.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 could not be copied.</source>
        <translation>1 n’a pas pu être copié.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln could not be copied.</source>
        <translation>
            <numerusform>%Ln n’a pas pu être copié.</numerusform>
            <numerusform>%Ln n’ont pas pu être copiés.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was not reached.</source>
        <translation>1 n’a pas été atteint.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were not reached.</source>
        <translation>
            <numerusform>%Ln n’a pas été atteint.</numerusform>
            <numerusform>%Ln n’ont pas été atteints.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was left out by the scan.</source>
        <translation>1 a été omis par l’analyse.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were left out by the scan.</source>
        <translation>
            <numerusform>%Ln a été omis par l’analyse.</numerusform>
            <numerusform>%Ln ont été omis par l’analyse.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 leftover file of an interrupted pick, %1.</source>
        <translation>1 fichier restant d’une récupération interrompue supprimé, %1.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln leftover files of an interrupted pick, %1.</source>
        <translation>
            <numerusform>%Ln fichier restant d’une récupération interrompue supprimé, %1.</numerusform>
            <numerusform>%Ln fichiers restants d’une récupération interrompue supprimés, %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>The connection to the destination was lost: whether the last files arrived is not known. Pick again to settle them.</source>
        <translation>La connexion à la destination a été perdue&#xa0;: on ne sait pas si les derniers fichiers sont arrivés. Récupérez à nouveau pour les régler.</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copié</translation>
    </message>
    <message>
        <source>Already there, same</source>
        <translation>Déjà là, identique</translation>
    </message>
    <message>
        <source>Already there, different</source>
        <translation>Déjà là, différent</translation>
    </message>
    <message>
        <source>Could not be copied</source>
        <translation>Pas copié</translation>
    </message>
    <message>
        <source>Not reached</source>
        <translation>Pas atteint</translation>
    </message>
    <message>
        <source>Left out by the scan</source>
        <translation>Omis par l’analyse</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>The choices for this folder could not be saved in %1: %2.</source>
        <translation>Les choix pour ce dossier n’ont pas pu être enregistrés dans %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Copied and verified 1 file (%1).</source>
        <translation>1 fichier copié et vérifié (%1).</translation>
    </message>
    <message numerus="yes">
        <source>Copied and verified %Ln files (%1).</source>
        <translation>
            <numerusform>%Ln fichier copié et vérifié (%1).</numerusform>
            <numerusform>%Ln fichiers copiés et vérifiés (%1).</numerusform>
        </translation>
    </message>
    <message>
        <source>The record of this pick could not be written to %1: %2. The files were copied all the same; the details list only what was not simply copied, and the pick cannot be undone.</source>
        <translation>Le journal de cette sélection n’a pas pu être écrit dans %1 : %2. Les fichiers ont tout de même été copiés ; les détails ne listent que ce qui n’a pas simplement été copié, et la sélection ne peut pas être annulée.</translation>
    </message>
</context>
<context>
    <name>PickReportDialog</name>
    <message>
        <source>Pick details</source>
        <translation>Détails de la récupération</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Afficher&#xa0;:</translation>
    </message>
    <message>
        <source>Per file type:</source>
        <translation>Par type de fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Enregistrer…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Everything listed (%1)</source>
        <translation>Tout ce qui est listé (%1)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Save the Pick Details</source>
        <translation>Enregistrer les détails de la récupération</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>The details could not be saved to %1: %2</source>
        <translation>Les détails n’ont pas pu être enregistrés dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Save the verified copies&apos; checksums, to check them later with xxh128sum -c</source>
        <translation>Enregistrer les sommes de contrôle des copies vérifiées, pour les contrôler plus tard avec xxh128sum -c</translation>
    </message>
    <message>
        <source>Save checksums…</source>
        <translation>Enregistrer les sommes…</translation>
    </message>
    <message>
        <source>Remove the files this pick copied that are unchanged since, and the folders it made</source>
        <translation>Supprimer les fichiers copiés par cette sélection et inchangés depuis, ainsi que les dossiers qu’elle a créés</translation>
    </message>
    <message>
        <source>Undo this pick…</source>
        <translation>Annuler…</translation>
    </message>
    <message>
        <source>Save Checksums</source>
        <translation>Enregistrer les sommes de contrôle</translation>
    </message>
    <message>
        <source>Checksum lists (*.xxh128)</source>
        <translation>Listes de sommes de contrôle (*.xxh128)</translation>
    </message>
    <message>
        <source>The checksums could not be saved to %1: %2</source>
        <translation>Les sommes de contrôle n’ont pas pu être enregistrées dans %1 : %2</translation>
    </message>
    <message>
        <source>Undo This Pick</source>
        <translation>Annuler cette sélection</translation>
    </message>
    <message>
        <source>The record of this pick could not be read: %1</source>
        <translation>Le journal de cette sélection n’a pas pu être lu : %1</translation>
    </message>
    <message>
        <source>    %1: %2</source>
        <translation>    %1 : %2</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    et %1 de plus</translation>
    </message>
    <message>
        <source>1 file with a line break in the name is not in the list: xxh128sum cannot read such names.</source>
        <translation>1 fichier dont le nom contient un saut de ligne n’est pas dans la liste : xxh128sum ne sait pas lire de tels noms.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files with a line break in the name are not in the list: xxh128sum cannot read such names.</source>
        <translation>
            <numerusform>%Ln fichier dont le nom contient un saut de ligne n’est pas dans la liste : xxh128sum ne sait pas lire de tels noms.</numerusform>
            <numerusform>%Ln fichiers dont le nom contient un saut de ligne ne sont pas dans la liste : xxh128sum ne sait pas lire de tels noms.</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove the file this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>Supprimer le fichier que cette sélection a copié dans %1, et les dossiers qu’elle a créés qui seront alors vides ? Les fichiers modifiés depuis et ceux qui étaient déjà là restent.</translation>
    </message>
    <message numerus="yes">
        <source>Remove the %Ln files this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>
            <numerusform>Supprimer le %Ln fichier que cette sélection a copié dans %1, et les dossiers qu’elle a créés qui seront alors vides ? Les fichiers modifiés depuis et ceux qui étaient déjà là restent.</numerusform>
            <numerusform>Supprimer les %Ln fichiers que cette sélection a copiés dans %1, et les dossiers qu’elle a créés qui seront alors vides ? Les fichiers modifiés depuis et ceux qui étaient déjà là restent.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 file.</source>
        <translation>1 fichier supprimé.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln files.</source>
        <translation>
            <numerusform>%Ln fichier supprimé.</numerusform>
            <numerusform>%Ln fichiers supprimés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 empty folder.</source>
        <translation>1 dossier vide supprimé.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln empty folders.</source>
        <translation>
            <numerusform>%Ln dossier vide supprimé.</numerusform>
            <numerusform>%Ln dossiers vides supprimés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left 1 file:</source>
        <translation>1 fichier laissé :</translation>
    </message>
    <message numerus="yes">
        <source>Left %Ln files:</source>
        <translation>
            <numerusform>%Ln fichier laissé :</numerusform>
            <numerusform>%Ln fichiers laissés :</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SmallFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>Trovella</name>
    <message>
        <source>Select Source Folder</source>
        <translation>Choisir le dossier source</translation>
    </message>
    <message>
        <source>Select Destinate Folder</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>The file type groups could not be saved to %1: %2</source>
        <translation>Les groupes de types de fichiers n’ont pas pu être enregistrés dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>no such type</source>
        <translation>Aucun groupe de ce nom</translation>
    </message>
    <message>
        <source>No web browser could be started to show %1.</source>
        <translation>Aucun navigateur web n’a pu être lancé pour afficher %1.</translation>
    </message>
    <message>
        <source>the folder could not be read</source>
        <translation>le dossier n’a pas pu être lu</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>le nom n’est pas de l’UTF-8 valide</translation>
    </message>
    <message>
        <source>Creating: </source>
        <translation>Création&#xa0;: </translation>
    </message>
    <message>
        <source>Selected: 1 file, %1</source>
        <translation>Sélection&#xa0;: 1 fichier, %1</translation>
    </message>
    <message numerus="yes">
        <source>Selected: %Ln files, %1</source>
        <translation>
            <numerusform>Sélection&#xa0;: %Ln fichier, %1</numerusform>
            <numerusform>Sélection&#xa0;: %Ln fichiers, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Checking the destination…</source>
        <translation>Vérification de la destination…</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>Récupérer</translation>
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
        <translation>Détails…</translation>
    </message>
    <message>
        <source>%1 of %2, %3 left</source>
        <translation>%1 sur %2, encore %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>1 folder could not be read.</source>
        <translation>1 dossier n’a pas pu être lu.</translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be read.</source>
        <translation>
            <numerusform>%n dossier n’a pas pu être lu.</numerusform>
            <numerusform>%n dossiers n’ont pas pu être lus.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file has a name that cannot be read and was left out.</source>
        <translation>1 fichier a un nom illisible et a été omis.</translation>
    </message>
    <message numerus="yes">
        <source>%n files have names that cannot be read and were left out.</source>
        <translation>
            <numerusform>%n fichier a un nom illisible et a été omis.</numerusform>
            <numerusform>%n fichiers ont des noms illisibles et ont été omis.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Scanning: %n files</source>
        <translation>
            <numerusform>Analyse&#xa0;: %n fichier</numerusform>
            <numerusform>Analyse&#xa0;: %n fichiers</numerusform>
        </translation>
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
        <translation>Retenus&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Left out: %1.</source>
        <translation>Omis&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Left out: %1 (%2).</source>
        <translation>Omis&#xa0;: %1 (%2).</translation>
    </message>
    <message>
        <source>Verify copies</source>
        <translation>Vérifier les copies</translation>
    </message>
    <message>
        <source>Read each copy back from the disk and compare it with the source before it gets its name</source>
        <translation>Relire chaque copie sur le disque et la comparer à la source avant qu’elle reçoive son nom</translation>
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
        <translation>Dossier source</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir…</translation>
    </message>
    <message>
        <source>Destinate Folder</source>
        <translation>Dossier de destination</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Types de fichiers</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>Récupérer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>View Result</source>
        <translation>Voir le résultat</translation>
    </message>
    <message>
        <source>Also list thumbnail caches, Mac resource forks and folder data, and Windows folder settings</source>
        <translation>Lister aussi les caches de miniatures, les ressources et données de dossier Mac et les réglages de dossier Windows</translation>
    </message>
    <message>
        <source>Include system files</source>
        <translation>Inclure les fichiers système</translation>
    </message>
    <message>
        <source>Also walk trash, snapshot and system folders</source>
        <translation>Parcourir aussi les dossiers de corbeille, d’instantanés et système</translation>
    </message>
    <message>
        <source>Include trash and snapshots</source>
        <translation>Inclure corbeille et instantanés</translation>
    </message>
</context>
<context>
    <name>TypeStatistics</name>
    <message>
        <source>1 file</source>
        <translation>1 fichier</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files</source>
        <translation>
            <numerusform>%Ln fichier</numerusform>
            <numerusform>%Ln fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Verify</name>
    <message>
        <source>the copy read back different</source>
        <translation>la copie relue diffère</translation>
    </message>
</context>
</TS>
