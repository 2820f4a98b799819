<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Clutter</name>
    <message>
        <source>left out: thumbnail cache</source>
        <translation>已略过：缩略图缓存</translation>
    </message>
    <message>
        <source>left out: Mac resource fork</source>
        <translation>已略过：Mac 资源分支</translation>
    </message>
    <message>
        <source>left out: Mac folder data</source>
        <translation>已略过：Mac 文件夹数据</translation>
    </message>
    <message>
        <source>left out: Windows folder settings</source>
        <translation>已略过：Windows 文件夹设置</translation>
    </message>
    <message>
        <source>held back: trash folder</source>
        <translation>暂未纳入：回收站文件夹</translation>
    </message>
    <message>
        <source>held back: snapshot folder</source>
        <translation>暂未纳入：快照文件夹</translation>
    </message>
    <message>
        <source>held back: system folder</source>
        <translation>暂未纳入：系统文件夹</translation>
    </message>
    <message>
        <source>1 thumbnail cache</source>
        <translation>1 个缩略图缓存</translation>
    </message>
    <message numerus="yes">
        <source>%Ln thumbnail caches</source>
        <translation>
            <numerusform>%Ln 个缩略图缓存</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac resource fork</source>
        <translation>1 个 Mac 资源分支</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac resource forks</source>
        <translation>
            <numerusform>%Ln 个 Mac 资源分支</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Mac system file</source>
        <translation>1 个 Mac 系统文件</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Mac system files</source>
        <translation>
            <numerusform>%Ln 个 Mac 系统文件</numerusform>
        </translation>
    </message>
    <message>
        <source>1 Windows folder setting</source>
        <translation>1 个 Windows 文件夹设置</translation>
    </message>
    <message numerus="yes">
        <source>%Ln Windows folder settings</source>
        <translation>
            <numerusform>%Ln 个 Windows 文件夹设置</numerusform>
        </translation>
    </message>
    <message>
        <source>1 trash folder</source>
        <translation>1 个回收站文件夹</translation>
    </message>
    <message numerus="yes">
        <source>%Ln trash folders</source>
        <translation>
            <numerusform>%Ln 个回收站文件夹</numerusform>
        </translation>
    </message>
    <message>
        <source>1 snapshot folder</source>
        <translation>1 个快照文件夹</translation>
    </message>
    <message numerus="yes">
        <source>%Ln snapshot folders</source>
        <translation>
            <numerusform>%Ln 个快照文件夹</numerusform>
        </translation>
    </message>
    <message>
        <source>1 system folder</source>
        <translation>1 个系统文件夹</translation>
    </message>
    <message numerus="yes">
        <source>%Ln system folders</source>
        <translation>
            <numerusform>%Ln 个系统文件夹</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DlgEditFileTypeGroup</name>
    <message>
        <source>Group name</source>
        <translation>组名</translation>
    </message>
    <message>
        <source>File types</source>
        <translation>文件类型</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>File Type Groups</source>
        <translation>文件类型组</translation>
    </message>
</context>
<context>
    <name>EditFileTypeGroup</name>
    <message>
        <source>A group needs a name.</source>
        <translation>组需要一个名称。</translation>
    </message>
    <message>
        <source>A group name cannot hold &quot;=&quot;, &quot;(&quot; or a line break.</source>
        <translation>组名不能包含“=”、“(”或换行。</translation>
    </message>
    <message>
        <source>There is a group named &quot;%1&quot; already.</source>
        <translation>已有名为“%1”的组。</translation>
    </message>
    <message>
        <source>New group</source>
        <translation>新组</translation>
    </message>
    <message>
        <source>New group %1</source>
        <translation>新组 %1</translation>
    </message>
    <message>
        <source>Never matches a file type: %1</source>
        <translation>永远不会匹配文件类型：%1</translation>
    </message>
</context>
<context>
    <name>FileCopier</name>
    <message>
        <source>the file is gone since the scan</source>
        <translation>文件在扫描后已不存在</translation>
    </message>
    <message>
        <source>the folder is gone</source>
        <translation>文件夹已不存在</translation>
    </message>
    <message>
        <source>no permission to read it</source>
        <translation>没有读取权限</translation>
    </message>
    <message>
        <source>no permission to write there</source>
        <translation>没有写入权限</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>磁盘为只读</translation>
    </message>
    <message>
        <source>the name is too long for this disk</source>
        <translation>名称对此磁盘来说太长</translation>
    </message>
    <message>
        <source>the disk cannot store this name</source>
        <translation>此磁盘无法保存该名称</translation>
    </message>
    <message>
        <source>a file stands where a folder is needed</source>
        <translation>需要文件夹的位置上有一个文件</translation>
    </message>
    <message>
        <source>the link leads in a circle</source>
        <translation>链接形成循环</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>磁盘无法读取或写入</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>the connection to the share dropped</source>
        <translation>与共享的连接已断开</translation>
    </message>
    <message>
        <source>compared byte for byte</source>
        <translation>已逐字节比较</translation>
    </message>
    <message>
        <source>compared by content</source>
        <translation>已按内容比较</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>gone</source>
        <translation>已不存在</translation>
    </message>
    <message>
        <source>changed since the pick</source>
        <translation>自挑选后已更改</translation>
    </message>
</context>
<context>
    <name>Pick</name>
    <message>
        <source>%1 are needed and %2 are free.</source>
        <translation>需要 %1，可用 %2。</translation>
    </message>
    <message>
        <source>The destination cannot store these names; they will not be copied:</source>
        <translation>目标无法保存以下名称，这些文件不会被复制：</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    以及另外 %1 个</translation>
    </message>
    <message>
        <source>%1 of the files exist there already and are left alone.</source>
        <translation>其中 %1 个文件已存在，将保持不变。</translation>
    </message>
    <message>
        <source>Pick anyway?</source>
        <translation>仍要挑选吗？</translation>
    </message>
</context>
<context>
    <name>PickReport</name>
    <message>
        <source>Nothing was copied.</source>
        <translation>未复制任何文件。</translation>
    </message>
    <message>
        <source>Finished.</source>
        <translation>完成。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>已停止。</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 字节</translation>
    </message>
    <message>
        <source>No file was copied.</source>
        <translation>没有复制任何文件。</translation>
    </message>
    <message>
        <source>Copied 1 file (%1).</source>
        <translation>已复制 1 个文件（%1）。</translation>
    </message>
    <message numerus="yes">
        <source>Copied %Ln files (%1).</source>
        <translation>
            <numerusform>已复制 %Ln 个文件（%1）。</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was already there (different).</source>
        <translation>1 个已存在（不同）。</translation>
    </message>
    <message>
        <source>1 was already there.</source>
        <translation>1 个已存在。</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there (%1 different).</source>
        <translation>
            <numerusform>%Ln 个已存在（%1 个不同）。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln were already there.</source>
        <translation>
            <numerusform>%Ln 个已存在。</numerusform>
        </translation>
    </message>
    <message>
        <source>1 could not be copied.</source>
        <translation>1 个无法复制。</translation>
    </message>
    <message numerus="yes">
        <source>%Ln could not be copied.</source>
        <translation>
            <numerusform>%Ln 个无法复制。</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was not reached.</source>
        <translation>1 个未处理。</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were not reached.</source>
        <translation>
            <numerusform>%Ln 个未处理。</numerusform>
        </translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>已复制</translation>
    </message>
    <message>
        <source>Already there, same</source>
        <translation>已存在，相同</translation>
    </message>
    <message>
        <source>Already there, different</source>
        <translation>已存在，不同</translation>
    </message>
    <message>
        <source>Could not be copied</source>
        <translation>无法复制</translation>
    </message>
    <message>
        <source>Not reached</source>
        <translation>未处理</translation>
    </message>
    <message>
        <source>Left out by the scan</source>
        <translation>扫描时遗漏</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>源</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>1 was left out by the scan.</source>
        <translation>1 个在扫描时被略过。</translation>
    </message>
    <message numerus="yes">
        <source>%Ln were left out by the scan.</source>
        <translation>
            <numerusform>%Ln 个在扫描时被略过。</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 leftover file of an interrupted pick, %1.</source>
        <translation>已删除中断的挑选留下的 1 个残留文件，%1。</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln leftover files of an interrupted pick, %1.</source>
        <translation>
            <numerusform>已删除中断的挑选留下的 %Ln 个残留文件，%1。</numerusform>
        </translation>
    </message>
    <message>
        <source>The connection to the destination was lost: whether the last files arrived is not known. Pick again to settle them.</source>
        <translation>与目标的连接已断开：无法确定最后几个文件是否已到达。再次挑选即可补齐。</translation>
    </message>
    <message>
        <source>The choices for this folder could not be saved in %1: %2.</source>
        <translation>无法将此文件夹的选择保存到 %1：%2。</translation>
    </message>
    <message>
        <source>Copied and verified 1 file (%1).</source>
        <translation>已复制并校验 1 个文件（%1）。</translation>
    </message>
    <message numerus="yes">
        <source>Copied and verified %Ln files (%1).</source>
        <translation>
            <numerusform>已复制并校验 %Ln 个文件（%1）。</numerusform>
        </translation>
    </message>
    <message>
        <source>The record of this pick could not be written to %1: %2. The files were copied all the same; the details list only what was not simply copied, and the pick cannot be undone.</source>
        <translation>无法将本次挑选的记录写入 %1：%2。文件仍已复制；详细信息只列出未直接复制的文件，且本次挑选无法撤销。</translation>
    </message>
</context>
<context>
    <name>PickReportDialog</name>
    <message>
        <source>Pick details</source>
        <translation>挑选详情</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>显示(&amp;S)：</translation>
    </message>
    <message>
        <source>Per file type:</source>
        <translation>按文件类型：</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Everything listed (%1)</source>
        <translation>全部列出项（%1）</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Save the Pick Details</source>
        <translation>保存挑选详情</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The details could not be saved to %1: %2</source>
        <translation>无法将详情保存到 %1：%2</translation>
    </message>
    <message>
        <source>Save the verified copies&apos; checksums, to check them later with xxh128sum -c</source>
        <translation>保存已校验副本的校验和，以便日后用 xxh128sum -c 检查</translation>
    </message>
    <message>
        <source>Save checksums…</source>
        <translation>保存校验和…</translation>
    </message>
    <message>
        <source>Remove the files this pick copied that are unchanged since, and the folders it made</source>
        <translation>删除本次挑选复制且之后未更改的文件，以及它创建的文件夹</translation>
    </message>
    <message>
        <source>Undo this pick…</source>
        <translation>撤销本次挑选…</translation>
    </message>
    <message>
        <source>Save Checksums</source>
        <translation>保存校验和</translation>
    </message>
    <message>
        <source>Checksum lists (*.xxh128)</source>
        <translation>校验和列表 (*.xxh128)</translation>
    </message>
    <message>
        <source>The checksums could not be saved to %1: %2</source>
        <translation>无法将校验和保存到 %1：%2</translation>
    </message>
    <message>
        <source>Undo This Pick</source>
        <translation>撤销本次挑选</translation>
    </message>
    <message>
        <source>The record of this pick could not be read: %1</source>
        <translation>无法读取本次挑选的记录：%1</translation>
    </message>
    <message>
        <source>    %1: %2</source>
        <translation>    %1：%2</translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation>    以及另外 %1 个</translation>
    </message>
    <message>
        <source>1 file with a line break in the name is not in the list: xxh128sum cannot read such names.</source>
        <translation>1 个名称中含换行符的文件不在列表中：xxh128sum 无法读取这样的名称。</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files with a line break in the name are not in the list: xxh128sum cannot read such names.</source>
        <translation>
            <numerusform>%Ln 个名称中含换行符的文件不在列表中：xxh128sum 无法读取这样的名称。</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove the file this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>删除本次挑选复制到 %1 的那个文件，以及它创建的、届时为空的文件夹吗？之后更改过的文件和挑选前已存在的文件会保留。</translation>
    </message>
    <message numerus="yes">
        <source>Remove the %Ln files this pick copied to %1, and the folders it made that are empty then? Files changed since the pick and files that were there before it stay.</source>
        <translation>
            <numerusform>删除本次挑选复制到 %1 的 %Ln 个文件，以及它创建的、届时为空的文件夹吗？之后更改过的文件和挑选前已存在的文件会保留。</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 file.</source>
        <translation>已删除 1 个文件。</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln files.</source>
        <translation>
            <numerusform>已删除 %Ln 个文件。</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 empty folder.</source>
        <translation>已删除 1 个空文件夹。</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln empty folders.</source>
        <translation>
            <numerusform>已删除 %Ln 个空文件夹。</numerusform>
        </translation>
    </message>
    <message>
        <source>Left 1 file:</source>
        <translation>保留了 1 个文件：</translation>
    </message>
    <message numerus="yes">
        <source>Left %Ln files:</source>
        <translation>
            <numerusform>保留了 %Ln 个文件：</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SmallFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
</context>
<context>
    <name>Trovella</name>
    <message>
        <source>Select Source Folder</source>
        <translation>选择源文件夹</translation>
    </message>
    <message>
        <source>Select Destinate Folder</source>
        <translation>选择目标文件夹</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>no such type</source>
        <translation>没有这个类型组</translation>
    </message>
    <message>
        <source>Creating: </source>
        <translation>正在创建：</translation>
    </message>
    <message numerus="yes">
        <source>Scanning: %n files</source>
        <translation>
            <numerusform>正在扫描：%n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>Selected: 1 file, %1</source>
        <translation>已选：1 个文件，%1</translation>
    </message>
    <message numerus="yes">
        <source>Selected: %Ln files, %1</source>
        <translation>
            <numerusform>已选：%Ln 个文件，%1</numerusform>
        </translation>
    </message>
    <message>
        <source>No web browser could be started to show %1.</source>
        <translation>无法启动网页浏览器来显示 %1。</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>挑选</translation>
    </message>
    <message>
        <source>1 folder could not be read.</source>
        <translation>有 1 个文件夹无法读取。</translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be read.</source>
        <translation>
            <numerusform>有 %n 个文件夹无法读取。</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file has a name that cannot be read and was left out.</source>
        <translation>有 1 个文件的名称无法读取，已被略过。</translation>
    </message>
    <message numerus="yes">
        <source>%n files have names that cannot be read and were left out.</source>
        <translation>
            <numerusform>有 %n 个文件的名称无法读取，已被略过。</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder could not be read</source>
        <translation>文件夹无法读取</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>名称不是有效的 UTF-8</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 小时</translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>详情…</translation>
    </message>
    <message>
        <source>%1 of %2, %3 left</source>
        <translation>%1 / %2，剩余 %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>The file type groups could not be saved to %1: %2</source>
        <translation>无法将文件类型组保存到 %1：%2</translation>
    </message>
    <message>
        <source>Checking the destination…</source>
        <translation>正在检查目标…</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>Held back: %1.</source>
        <translation>暂未纳入：%1。</translation>
    </message>
    <message>
        <source>Left out: %1.</source>
        <translation>已略过：%1。</translation>
    </message>
    <message>
        <source>Left out: %1 (%2).</source>
        <translation>已略过：%1（%2）。</translation>
    </message>
    <message>
        <source>Verify copies</source>
        <translation>校验副本</translation>
    </message>
    <message>
        <source>Read each copy back from the disk and compare it with the source before it gets its name</source>
        <translation>在每个副本获得名称之前，从磁盘读回并与源文件比较</translation>
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
        <translation>源文件夹</translation>
    </message>
    <message>
        <source>Destinate Folder</source>
        <translation>目标文件夹</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>文件类型</translation>
    </message>
    <message>
        <source>Pick</source>
        <translation>挑选</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>View Result</source>
        <translation>查看结果</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Also list thumbnail caches, Mac resource forks and folder data, and Windows folder settings</source>
        <translation>同时列出缩略图缓存、Mac 资源分支和文件夹数据以及 Windows 文件夹设置</translation>
    </message>
    <message>
        <source>Include system files</source>
        <translation>包含系统文件</translation>
    </message>
    <message>
        <source>Also walk trash, snapshot and system folders</source>
        <translation>同时扫描回收站、快照和系统文件夹</translation>
    </message>
    <message>
        <source>Include trash and snapshots</source>
        <translation>包含回收站和快照</translation>
    </message>
</context>
<context>
    <name>TypeStatistics</name>
    <message>
        <source>1 file</source>
        <translation>1 个文件</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files</source>
        <translation>
            <numerusform>%Ln 个文件</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Verify</name>
    <message>
        <source>the copy read back different</source>
        <translation>读回的副本与源文件不同</translation>
    </message>
</context>
</TS>
