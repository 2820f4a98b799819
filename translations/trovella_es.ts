<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Clutter</name>
    <message>
        <source>left out: thumbnail cache</source>
        <translation>omitido: caché de miniaturas</translation>
    </message>
    <message>
        <source>left out: Mac resource fork</source>
        <translation>omitido: recurso de Mac</translation>
    </message>
    <message>
        <source>left out: Mac folder data</source>
        <translation>omitido: datos de carpeta de Mac</translation>
    </message>
    <message>
        <source>left out: Windows folder settings</source>
        <translation>omitido: ajustes de carpeta de Windows</translation>
    </message>
    <message>
        <source>held back: trash folder</source>
        <translation>retenido: carpeta de papelera</translation>
    </message>
    <message>
        <source>held back: snapshot folder</source>
        <translation>retenido: carpeta de instantáneas</translation>
    </message>
    <message>
        <source>held back: system folder</source>
        <translation>retenido: carpeta del sistema</translation>
    </message>
    <message>
        <source>1 thumbnail cache</source>
        <translation>1 caché de miniaturas</translation>
    </message>
    <message numerus="yes">
        <source>%Ln thumbnail caches</source>
        <translation>
            <numerusform>%Ln caché de miniaturas</numerusform>
            <numerusform>%Ln cachés de miniaturas</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac resource fork</source>
        <translation>1 recurso de Mac</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac resource forks</source>
        <translation>
            <numerusform>%Ln recurso de Mac</numerusform>
            <numerusform>%Ln recursos de Mac</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac system file</source>
        <translation>1 archivo de sistema de Mac</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac system files</source>
        <translation>
            <numerusform>%Ln archivo de sistema de Mac</numerusform>
            <numerusform>%Ln archivos de sistema de Mac</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Windows folder setting</source>
        <translation>1 ajuste de carpeta de Windows</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Windows folder settings</source>
        <translation>
            <numerusform>%Ln ajuste de carpeta de Windows</numerusform>
            <numerusform>%Ln ajustes de carpeta de Windows</numerusform>
        </translation>
    </message>
    <message>
        <source>1 trash folder</source>
        <translation>1 carpeta de papelera</translation>
    </message>
    <message numerus="yes">
        <source>%Ln trash folders</source>
        <translation>
            <numerusform>%Ln carpeta de papelera</numerusform>
            <numerusform>%Ln carpetas de papelera</numerusform>
        </translation>
    </message>
    <message>
        <source>1 snapshot folder</source>
        <translation>1 carpeta de instantáneas</translation>
    </message>
    <message numerus="yes">
        <source>%Ln snapshot folders</source>
        <translation>
            <numerusform>%Ln carpeta de instantáneas</numerusform>
            <numerusform>%Ln carpetas de instantáneas</numerusform>
        </translation>
    </message>
    <message>
        <source>1 system folder</source>
        <translation>1 carpeta del sistema</translation>
    </message>
    <message numerus="yes">
        <source>%Ln system folders</source>
        <translation>
            <numerusform>%Ln carpeta del sistema</numerusform>
            <numerusform>%Ln carpetas del sistema</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DlgEditFileTypeGroup</name>
    <message>
        <source>File Type Groups</source>
        <translation>Grupos de tipos de archivo</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Nombre del grupo</translation>
    </message>
    <message>
        <source>File types</source>
        <translation>Tipos</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nuevo</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>EditFileTypeGroup</name>
    <message>
        <source>A group needs a name.</source>
        <translation>Un grupo necesita un nombre.</translation>
    </message>
    <message>
        <source>A group name cannot hold &quot;=&quot;, &quot;(&quot; or a line break.</source>
        <translation>Un nombre de grupo no puede contener &quot;=&quot;, &quot;(&quot; ni saltos de línea.</translation>
    </message>
    <message>
        <source>There is a group named &quot;%1&quot; already.</source>
        <translation>Ya existe un grupo llamado &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>New group</source>
        <translation>Grupo nuevo</translation>
    </message>
    <message>
        <source>New group %1</source>
        <translation>Grupo nuevo %1</translation>
    </message>
    <message>
        <source>Never matches a file type: %1</source>
        <translation>Nunca coincide con un tipo de archivo: %1</translation>
    </message>
</context>
<context>
    <name>FileCopier</name>
    <message>
        <source>the file is gone since the scan</source>
        <translation>el archivo ha desaparecido desde el análisis</translation>
    </message>
    <message>
        <source>the folder is gone</source>
        <translation>la carpeta ha desaparecido</translation>
    </message>
    <message>
        <source>no permission to read it</source>
        <translation>sin permiso para leerlo</translation>
    </message>
    <message>
        <source>no permission to write there</source>
        <translation>sin permiso para escribir allí</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>el disco es de solo lectura</translation>
    </message>
    <message>
        <source>the name is too long for this disk</source>
        <translation>el nombre es demasiado largo para este disco</translation>
    </message>
    <message>
        <source>the disk cannot store this name</source>
        <translation>el disco no puede guardar este nombre</translation>
    </message>
    <message>
        <source>a file stands where a folder is needed</source>
        <translation>hay un archivo donde se necesita una carpeta</translation>
    </message>
    <message>
        <source>the link leads in a circle</source>
        <translation>el enlace da vueltas en círculo</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>no se pudo leer o escribir el disco</translation>
    </message>
    <message>
        <source>the connection to the share dropped</source>
        <translation>se perdió la conexión con el recurso compartido</translation>
    </message>
    <message>
        <source>compared byte for byte</source>
        <translation>comparado byte a byte</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>compared by content</source>
        <translation>contenido comparado</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>gone</source>
        <translation>ya no está</translation>
    </message>
    <message>
        <source>changed since the pick</source>
        <translation>cambiado desde la selección</translation>
    </message>
</context>
<context>
    <name>Pick</name>
    <message>
        <source>%1 are needed and %2 are free.</source>
        <translation>Se necesitan %1 y hay %2 libres.</translation>
    </message>
    <message>
        <source>The destination cannot store these names; they will not be copied:</source>
        <translation>El destino no puede guardar estos nombres; no se copiarán:</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    y %1 más</translation>
    </message>
    <message>
        <source>%1 of the files exist there already and are left alone.</source>
        <translation>%1 de los archivos ya existen allí y no se tocan.</translation>
    </message>
    <message>
        <source>Pick anyway?</source>
        <translation>¿Recoger de todos modos?</translation>
    </message>
</context>
<context>
    <name>PickReport</name>
    <message>
        <source>Nothing was copied.</source>
        <translation>No se copió nada.</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 byte</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Detenido.</translation>
    </message>
    <message>
        <source>Finished.</source>
        <translation>Terminado.</translation>
    </message>
    <message>
        <source>Copied 1 file (%1).</source>
        <translation>1 archivo copiado (%1).</translation>
    </message>
    <message numerus="yes">
        <source>Copied %Ln files (%1).</source>
        <translation>
            <numerusform>%Ln archivo copiado (%1).</numerusform>
            <numerusform>%Ln archivos copiados (%1).</numerusform>
        </translation>
    </message>
    <message>
        <source>No file was copied.</source>
        <translation>No se copió ningún archivo.</translation>
    </message>
    <message>
        <source>1 was already there (different).</source>
        <translation>1 ya estaba allí (distinto).</translation>
    </message>
    <message>
        <source>1 was already there.</source>
        <translation>1 ya estaba allí.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there (%1 different).</source>
        <translation>
            <numerusform>%Ln ya estaba allí (distintos: %1).</numerusform>
            <numerusform>%Ln ya estaban allí (distintos: %1).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there.</source>
        <translation>
            <numerusform>%Ln ya estaba allí.</numerusform>
            <numerusform>%Ln ya estaban allí.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 could not be copied.</source>
        <translation>1 no se pudo copiar.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln could not be copied.</source>
        <translation>
            <numerusform>%Ln no se pudo copiar.</numerusform>
            <numerusform>%Ln no se pudieron copiar.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was not reached.</source>
        <translation>1 no se alcanzó.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were not reached.</source>
        <translation>
            <numerusform>%Ln no se alcanzó.</numerusform>
            <numerusform>%Ln no se alcanzaron.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was left out by the scan.</source>
        <translation>1 fue omitido por el análisis.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were left out by the scan.</source>
        <translation>
            <numerusform>%Ln fue omitido por el análisis.</numerusform>
            <numerusform>%Ln fueron omitidos por el análisis.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 leftover file of an interrupted pick, %1.</source>
        <translation>Se eliminó 1 archivo sobrante de una recogida interrumpida, %1.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln leftover files of an interrupted pick, %1.</source>
        <translation>
            <numerusform>Se eliminó %Ln archivo sobrante de una recogida interrumpida, %1.</numerusform>
            <numerusform>Se eliminaron %Ln archivos sobrantes de una recogida interrumpida, %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>The connection to the destination was lost: whether the last files arrived is not known. Pick again to settle them.</source>
        <translation>Se perdió la conexión con el destino: no se sabe si llegaron los últimos archivos. Recoja de nuevo para resolverlo.</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copiado</translation>
    </message>
    <message>
        <source>Already there, same</source>
        <translation>Ya estaba, igual</translation>
    </message>
    <message>
        <source>Already there, different</source>
        <translation>Ya estaba, distinto</translation>
    </message>
    <message>
        <source>Could not be copied</source>
        <translation>No se pudo copiar</translation>
    </message>
    <message>
        <source>Not reached</source>
        <translation>No alcanzado</translation>
    </message>
    <message>
        <source>Left out by the scan</source>
        <translation>Omitido por el análisis</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Origen</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>The choices for this folder could not be saved in %1: %2.</source>
        <translation>No se pudieron guardar las opciones de esta carpeta en %1: %2.</translation>
    </message>
    <message>
        <source>Copied and verified 1 file (%1).</source>
        <translation>1 archivo copiado y verificado (%1).</translation>
    </message>
    <message numerus="yes">
        <source>Copied and verified %Ln files (%1).</source>
        <translation>
            <numerusform>%Ln archivo copiado y verificado (%1).</numerusform>
            <numerusform>%Ln archivos copiados y verificados (%1).</numerusform>
        </translation>
    </message>
    <message>
        <source>The record of this pick could not be written to %1: %2. The files were copied all the same; the details list only what was not simply copied, and the pick cannot be undone.</source>
        <translation>No se pudo escribir el registro de esta selección en %1: %2. Los archivos se copiaron de todos modos; los detalles solo muestran lo que no se copió sin más, y la selección no se puede deshacer.</translation>
    </message>
</context>
<context>
    <name>PickReportDialog</name>
    <message>
        <source>Pick details</source>
        <translation>Detalles de la recogida</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Mostrar:</translation>
    </message>
    <message>
        <source>Per file type:</source>
        <translation>Por tipo de archivo:</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Guardar…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Everything listed (%1)</source>
        <translation>Todo lo listado (%1)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Save the Pick Details</source>
        <translation>Guardar los detalles de la recogida</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>The details could not be saved to %1: %2</source>
        <translation>No se pudieron guardar los detalles en %1: %2</translation>
    </message>
    <message>
        <source>Save the verified copies&apos; checksums, to check them later with xxh128sum -c</source>
        <translation>Guardar las sumas de comprobación de las copias verificadas, para comprobarlas después con xxh128sum -c</translation>
    </message>
    <message>
        <source>Save checksums…</source>
        <translation>Guardar sumas…</translation>
    </message>
    <message>
        <source>Remove the files this pick copied that are unchanged since, and the folders it made</source>
        <translation>Eliminar los archivos que copió esta selección y que no han cambiado, y las carpetas que creó</translation>
    </message>
    <message>
        <source>Undo this pick…</source>
        <translation>Deshacer…</translation>
    </message>
    <message>
        <source>Save Checksums</source>
        <translation>Guardar sumas de comprobación</translation>
    </message>
    <message>
        <source>Checksum lists (*.xxh128)</source>
        <translation>Listas de sumas de comprobación (*.xxh128)</translation>
    </message>
    <message>
        <source>The checksums could not be saved to %1: %2</source>
        <translation>No se pudieron guardar las sumas de comprobación en %1: %2</translation>
    </message>
    <message>
        <source>Undo This Pick</source>
        <translation>Deshacer esta selección</translation>
    </message>
    <message>
        <source>The record of this pick could not be read: %1</source>
        <translation>No se pudo leer el registro de esta selección: %1</translation>
    </message>
    <message>
        <source>    %1: %2</source>
        <translation>    %1: %2</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    y %1 más</translation>
    </message>
    <message>
        <source>1 file with a line break in the name is not in the list: xxh128sum cannot read such names.</source>
        <translation>1 archivo con un salto de línea en el nombre no está en la lista: xxh128sum no puede leer esos nombres.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files with a line break in the name are not in the list: xxh128sum cannot read such names.</source>
        <translation>
            <numerusform>%Ln archivo con un salto de línea en el nombre no está en la lista: xxh128sum no puede leer esos nombres.</numerusform>
            <numerusform>%Ln archivos con un salto de línea en el nombre no están en la lista: xxh128sum no puede leer esos nombres.</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove the file this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>¿Eliminar el archivo que esta selección copió en %1, y las carpetas que creó que queden vacías? Los archivos cambiados desde entonces y los que ya estaban antes se quedan.</translation>
    </message>
    <message numerus="yes">
        <source>Remove the %Ln files this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>
            <numerusform>¿Eliminar el %Ln archivo que esta selección copió en %1, y las carpetas que creó que queden vacías? Los archivos cambiados desde entonces y los que ya estaban antes se quedan.</numerusform>
            <numerusform>¿Eliminar los %Ln archivos que esta selección copió en %1, y las carpetas que creó que queden vacías? Los archivos cambiados desde entonces y los que ya estaban antes se quedan.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 file.</source>
        <translation>1 archivo eliminado.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln files.</source>
        <translation>
            <numerusform>%Ln archivo eliminado.</numerusform>
            <numerusform>%Ln archivos eliminados.</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 empty folder.</source>
        <translation>1 carpeta vacía eliminada.</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln empty folders.</source>
        <translation>
            <numerusform>%Ln carpeta vacía eliminada.</numerusform>
            <numerusform>%Ln carpetas vacías eliminadas.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left 1 file:</source>
        <translation>1 archivo se quedó:</translation>
    </message>
    <message numerus="yes">
        <source>Left %Ln files:</source>
        <translation>
            <numerusform>%Ln archivo se quedó:</numerusform>
            <numerusform>%Ln archivos se quedaron:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SmallFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
</context>
<context>
    <name>Trovella</name>
    <message>
        <source>Select Source Folder</source>
        <translation>Seleccionar la carpeta de origen</translation>
    </message>
    <message>
        <source>Select Destinate Folder</source>
        <translation>Seleccionar la carpeta de destino</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The file type groups could not be saved to %1: %2</source>
        <translation>No se pudieron guardar los grupos de tipos de archivo en %1: %2</translation>
    </message>
    <message>
        <source>no such type</source>
        <translation>Ningún grupo con ese nombre</translation>
    </message>
    <message>
        <source>No web browser could be started to show %1.</source>
        <translation>No se pudo iniciar ningún navegador web para mostrar %1.</translation>
    </message>
    <message>
        <source>the folder could not be read</source>
        <translation>no se pudo leer la carpeta</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>el nombre no es UTF-8 válido</translation>
    </message>
    <message>
        <source>Creating: </source>
        <translation>Creando: </translation>
    </message>
    <message>
        <source>Selected: 1 file, %1</source>
        <translation>Seleccionado: 1 archivo, %1</translation>
    </message>
    <message numerus="yes">
        <source>Selected: %Ln files, %1</source>
        <translation>
            <numerusform>Seleccionado: %Ln archivo, %1</numerusform>
            <numerusform>Seleccionados: %Ln archivos, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Checking the destination…</source>
        <translation>Comprobando el destino…</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>Recoger</translation>
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
        <translation>Detalles…</translation>
    </message>
    <message>
        <source>%1 of %2, %3 left</source>
        <translation>%1 de %2, quedan %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>1 folder could not be read.</source>
        <translation>No se pudo leer 1 carpeta.</translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be read.</source>
        <translation>
            <numerusform>No se pudo leer %n carpeta.</numerusform>
            <numerusform>No se pudieron leer %n carpetas.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file has a name that cannot be read and was left out.</source>
        <translation>1 archivo tiene un nombre ilegible y se omitió.</translation>
    </message>
    <message numerus="yes">
        <source>%n files have names that cannot be read and were left out.</source>
        <translation>
            <numerusform>%n archivo tiene un nombre ilegible y se omitió.</numerusform>
            <numerusform>%n archivos tienen nombres ilegibles y se omitieron.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Scanning: %n files</source>
        <translation>
            <numerusform>Analizando: %n archivo</numerusform>
            <numerusform>Analizando: %n archivos</numerusform>
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
        <translation>Retenidos: %1.</translation>
    </message>
    <message>
        <source>Left out: %1.</source>
        <translation>Omitidos: %1.</translation>
    </message>
    <message>
        <source>Left out: %1 (%2).</source>
        <translation>Omitidos: %1 (%2).</translation>
    </message>
    <message>
        <source>Verify copies</source>
        <translation>Verificar copias</translation>
    </message>
    <message>
        <source>Read each copy back from the disk and compare it with the source before it gets its name</source>
        <translation>Volver a leer cada copia del disco y compararla con el origen antes de que reciba su nombre</translation>
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
        <translation>Carpeta de origen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>Destinate Folder</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Tipos de archivo</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>Recoger</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>View Result</source>
        <translation>Ver resultado</translation>
    </message>
    <message>
        <source>Also list thumbnail caches, Mac resource forks and folder data, and Windows folder settings</source>
        <translation>Listar también las cachés de miniaturas, los recursos y datos de carpeta de Mac y los ajustes de carpeta de Windows</translation>
    </message>
    <message>
        <source>Include system files</source>
        <translation>Incluir archivos del sistema</translation>
    </message>
    <message>
        <source>Also walk trash, snapshot and system folders</source>
        <translation>Recorrer también las carpetas de papelera, instantáneas y sistema</translation>
    </message>
    <message>
        <source>Include trash and snapshots</source>
        <translation>Incluir papelera e instantáneas</translation>
    </message>
</context>
<context>
    <name>TypeStatistics</name>
    <message>
        <source>1 file</source>
        <translation>1 archivo</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files</source>
        <translation>
            <numerusform>%Ln archivo</numerusform>
            <numerusform>%Ln archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Verify</name>
    <message>
        <source>the copy read back different</source>
        <translation>la copia releída es distinta</translation>
    </message>
</context>
</TS>
