<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Kelvane v1.0</source>
        <translation>About Kelvane v1.0</translation>
    </message>
    <message>
        <source>KLV Version 1.0</source>
        <translation>KLV Version 1.0</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CCodeWizard</name>
    <message>
        <source>Wizard</source>
        <translation>Wizard</translation>
    </message>
    <message>
        <source>함수 생성 마법사</source>
        <translation>Function Creation Wizard</translation>
    </message>
</context>
<context>
    <name>CDefaultValueDlg</name>
    <message>
        <source>Input Default Value </source>
        <translation>Input Default Value </translation>
    </message>
    <message>
        <source>Default 값을 입력하세요</source>
        <translation>Enter the default value</translation>
    </message>
    <message>
        <source>The value</source>
        <translation>The value</translation>
    </message>
</context>
<context>
    <name>CDescriptionDlg</name>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Description을 입력하세요</source>
        <translation>Enter the description</translation>
    </message>
    <message>
        <source>The description</source>
        <translation>The description</translation>
    </message>
</context>
<context>
    <name>CEditHistory</name>
    <message>
        <source>This change is too old to be undone: the oldest changes are no longer kept, to save memory.</source>
        <translation>This change is too old to be undone: the oldest changes are no longer kept, to save memory.</translation>
    </message>
</context>
<context>
    <name>CFinalPropertyPage</name>
    <message>
        <source>함수 생성 정보:</source>
        <translation>The function to be created:</translation>
    </message>
    <message>
        <source>함수 생성과 동시에 관련 개발 프로그램을 실행시킵니다.</source>
        <translation>Start the development program once the function is created.</translation>
    </message>
</context>
<context>
    <name>CFindFunctionDlg</name>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Find Function</source>
        <translation>Find Function</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>Find &amp;what:</translation>
    </message>
    <message>
        <source>Words of a name, a description or a parameter</source>
        <translation>Words of a name, a description or a parameter</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>&amp;Description</translation>
    </message>
    <message>
        <source>Parameter &amp;type</source>
        <translation>Parameter &amp;type</translation>
    </message>
    <message>
        <source>&amp;Parameter description</source>
        <translation>&amp;Parameter description</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>Functions found</source>
        <translation>Functions found</translation>
    </message>
    <message>
        <source>Type the words to look for.</source>
        <translation>Type the words to look for.</translation>
    </message>
    <message>
        <source>Choose where to look.</source>
        <translation>Choose where to look.</translation>
    </message>
    <message>
        <source>At most %1 words.</source>
        <translation>At most %1 words.</translation>
    </message>
    <message>
        <source>Stopped: %1; %2.</source>
        <translation>Stopped: %1; %2.</translation>
    </message>
    <message>
        <source>1 function found</source>
        <translation>1 function found</translation>
    </message>
    <message>
        <source>%1 functions found</source>
        <translation>%1 functions found</translation>
    </message>
    <message>
        <source>%1; %2.</source>
        <translation>%1; %2.</translation>
    </message>
    <message>
        <source>1 function file could not be read.</source>
        <translation>1 function file could not be read.</translation>
    </message>
    <message>
        <source>%1 function files could not be read.</source>
        <translation>%1 function files could not be read.</translation>
    </message>
    <message>
        <source>1 folder could not be read.</source>
        <translation>1 folder could not be read.</translation>
    </message>
    <message>
        <source>%1 folders could not be read.</source>
        <translation>%1 folders could not be read.</translation>
    </message>
    <message>
        <source>%1 of %2 folders searched</source>
        <translation>%1 of %2 folders searched</translation>
    </message>
</context>
<context>
    <name>CFolderTreeCtrl</name>
    <message>
        <source>Drives</source>
        <translation>Drives</translation>
    </message>
</context>
<context>
    <name>CInOutDlg</name>
    <message>
        <source>Input Parameter</source>
        <translation>Input Parameter</translation>
    </message>
    <message>
        <source>Output  Parameter</source>
        <translation>Output  Parameter</translation>
    </message>
    <message>
        <source>Input/Output Selection</source>
        <translation>Input/Output Selection</translation>
    </message>
    <message>
        <source>입/출력 형식을 선택하세요</source>
        <translation>Choose input or output</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Kelvane v1.0</source>
        <translation>Kelvane v1.0</translation>
    </message>
    <message>
        <source>There is not enough memory to finish this; it stopped where it was.</source>
        <translation>There is not enough memory to finish this; it stopped where it was.</translation>
    </message>
</context>
<context>
    <name>CMatrixDlg</name>
    <message>
        <source>Input Matrix Parameter</source>
        <translation>Input Matrix Parameter</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Load...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Row %1, column %2</source>
        <translation>Row %1, column %2</translation>
    </message>
    <message>
        <source>%1 up</source>
        <translation>%1 up</translation>
    </message>
    <message>
        <source>%1 down</source>
        <translation>%1 down</translation>
    </message>
    <message>
        <source>Matrix Files(*.mat)</source>
        <translation>Matrix Files(*.mat)</translation>
    </message>
    <message>
        <source>Matrix File Open Error!</source>
        <translation>Matrix File Open Error!</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Please enter an integer.</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>The matrix value text would be longer than the %1 bytes its field holds; use smaller numbers or a smaller matrix.</source>
        <translation>The matrix value text would be longer than the %1 bytes its field holds; use smaller numbers or a smaller matrix.</translation>
    </message>
    <message>
        <source>Save Matrix</source>
        <translation>Save Matrix</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Load Matrix</source>
        <translation>Load Matrix</translation>
    </message>
    <message>
        <source>Could not load %1: %2; the matrix is unchanged.</source>
        <translation>Could not load %1: %2; the matrix is unchanged.</translation>
    </message>
</context>
<context>
    <name>CNamePropertyPage</name>
    <message>
        <source>생성하고자 하는 함수의 이름과 생성될 함수의 위치를 입력하세요.</source>
        <translation>Enter the name of the new function and the folder to create it in.</translation>
    </message>
    <message>
        <source>함수 이름(&amp;F): </source>
        <translation>&amp;Function name: </translation>
    </message>
    <message>
        <source>생성할 위치(&amp;L):</source>
        <translation>&amp;Location:</translation>
    </message>
</context>
<context>
    <name>COpenFolders</name>
    <message>
        <source>Open already as %1 (a link leads here too); it opens here once that one is closed.</source>
        <translation>Open already as %1 (a link leads here too); it opens here once that one is closed.</translation>
    </message>
    <message>
        <source>This folder could not be read: %1.</source>
        <translation>This folder could not be read: %1.</translation>
    </message>
</context>
<context>
    <name>CParamTypeDlg</name>
    <message>
        <source>Parameter Type Selection</source>
        <translation>Parameter Type Selection</translation>
    </message>
    <message>
        <source>Parameter 종류를 선택하세요</source>
        <translation>Choose the parameter type</translation>
    </message>
</context>
<context>
    <name>CParameterPropertyPage</name>
    <message>
        <source>함수의 파라미터를 등록하세요.</source>
        <translation>Enter the function&apos;s parameters.</translation>
    </message>
    <message>
        <source>Input Parameters:</source>
        <translation>Input Parameters:</translation>
    </message>
    <message>
        <source>Output Parameters:</source>
        <translation>Output Parameters:</translation>
    </message>
    <message>
        <source>Kinds of Parameters:</source>
        <translation>Kinds of Parameters:</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Dn</source>
        <translation>Dn</translation>
    </message>
    <message>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <source>Move input up</source>
        <translation>Move input up</translation>
    </message>
    <message>
        <source>Move input down</source>
        <translation>Move input down</translation>
    </message>
    <message>
        <source>Move output up</source>
        <translation>Move output up</translation>
    </message>
    <message>
        <source>Move output down</source>
        <translation>Move output down</translation>
    </message>
    <message>
        <source>Add kind to inputs</source>
        <translation>Add kind to inputs</translation>
    </message>
    <message>
        <source>Remove input</source>
        <translation>Remove input</translation>
    </message>
    <message>
        <source>Add kind to outputs</source>
        <translation>Add kind to outputs</translation>
    </message>
    <message>
        <source>Remove output</source>
        <translation>Remove output</translation>
    </message>
</context>
<context>
    <name>CRenameDlg</name>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>바꿀 이름을 입력하세요</source>
        <translation>Enter the new name</translation>
    </message>
</context>
<context>
    <name>CSearchResultsModel</name>
    <message>
        <source>Function</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Excerpt</source>
        <translation>Excerpt</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Parameter %1 type</source>
        <translation>Parameter %1 type</translation>
    </message>
    <message>
        <source>Parameter %1 description</source>
        <translation>Parameter %1 description</translation>
    </message>
</context>
<context>
    <name>CTypePropertyPage</name>
    <message>
        <source>생성하고자 하는 함수의 종류를 선택하세요.</source>
        <translation>Choose the kind of the new function.</translation>
    </message>
    <message>
        <source>DLL 함수</source>
        <translation>DLL function</translation>
    </message>
    <message>
        <source>Script 함수</source>
        <translation>Script function</translation>
    </message>
    <message>
        <source>Schematic 함수</source>
        <translation>Schematic function</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Keeps and creates the functions of an image-processing function library.

The library (FunctionLibrary), the project skeleton (Skel/Dll) and the class
library (ClassLibrary) are taken from the first of: the folder given with --home;
the folder named by KELVANE_HOME; the program&apos;s own folder, when it holds
FunctionLibrary or Skel; else $XDG_DATA_HOME/kelvane (default ~/.local/share/kelvane)
for the library, with the skeleton and class library from there when present and
else as installed. Qt&apos;s own options, such as -platform and -style, work as in
any Qt program.</source>
        <translation>Keeps and creates the functions of an image-processing function library.

The library (FunctionLibrary), the project skeleton (Skel/Dll) and the class
library (ClassLibrary) are taken from the first of: the folder given with --home;
the folder named by KELVANE_HOME; the program&apos;s own folder, when it holds
FunctionLibrary or Skel; else $XDG_DATA_HOME/kelvane (default ~/.local/share/kelvane)
for the library, with the skeleton and class library from there when present and
else as installed. Qt&apos;s own options, such as -platform and -style, work as in
any Qt program.</translation>
    </message>
    <message>
        <source>Use DIR/FunctionLibrary, DIR/Skel/Dll and DIR/ClassLibrary.</source>
        <translation>Use DIR/FunctionLibrary, DIR/Skel/Dll and DIR/ClassLibrary.</translation>
    </message>
    <message>
        <source>Show the window in LANG: ko (the Korean texts) or en (English); else as the messages locale says.</source>
        <translation>Show the window in LANG: ko (the Korean texts) or en (English); else as the messages locale says.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unexpected argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Try &apos;kelvane --help&apos;.</source>
        <translation>Try &apos;kelvane --help&apos;.</translation>
    </message>
</context>
<context>
    <name>DialogFrame</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>EditCommands</name>
    <message>
        <source>No function is shown; select a function in the library first.</source>
        <translation>No function is shown; select a function in the library first.</translation>
    </message>
    <message>
        <source>%1. Change that file?</source>
        <translation>%1. Change that file?</translation>
    </message>
    <message>
        <source>The selected parameter is no longer in %1 (another program changed the file); nothing was written.</source>
        <translation>The selected parameter is no longer in %1 (another program changed the file); nothing was written.</translation>
    </message>
    <message>
        <source>Add Parameter</source>
        <translation>Add Parameter</translation>
    </message>
    <message>
        <source>Delete Parameter</source>
        <translation>Delete Parameter</translation>
    </message>
    <message>
        <source>The type and the attribute of a function cannot be changed.</source>
        <translation>The type and the attribute of a function cannot be changed.</translation>
    </message>
    <message>
        <source>Edit Field</source>
        <translation>Edit Field</translation>
    </message>
    <message>
        <source>%1 has no project: neither %2 nor the .dsp beside it exists.</source>
        <translation>%1 has no project: neither %2 nor the .dsp beside it exists.</translation>
    </message>
    <message>
        <source>Could not start %1 to open %2.</source>
        <translation>Could not start %1 to open %2.</translation>
    </message>
</context>
<context>
    <name>FindCommand</name>
    <message>
        <source>%1 is not in the library tree any more.</source>
        <translation>%1 is not in the library tree any more.</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>The new name is empty; nothing was renamed.</source>
        <translation>The new name is empty; nothing was renamed.</translation>
    </message>
    <message>
        <source>A name cannot contain &quot;/&quot;; nothing was renamed.</source>
        <translation>A name cannot contain &quot;/&quot;; nothing was renamed.</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; cannot be names; nothing was renamed.</source>
        <translation>&quot;.&quot; and &quot;..&quot; cannot be names; nothing was renamed.</translation>
    </message>
    <message>
        <source>A top-level group is renamed in the file manager (Launch Explorer); nothing was renamed.</source>
        <translation>A top-level group is renamed in the file manager (Launch Explorer); nothing was renamed.</translation>
    </message>
</context>
<context>
    <name>LibraryOffer</name>
    <message>
        <source>There is no function library in your folder yet. Kelvane looks for it here:

%1

Copy the sample library that comes with Kelvane there, or open the folder in the file manager to put your own library in it.</source>
        <translation>There is no function library in your folder yet. Kelvane looks for it here:

%1

Copy the sample library that comes with Kelvane there, or open the folder in the file manager to put your own library in it.</translation>
    </message>
    <message>
        <source>There is no function library in your folder yet. Kelvane looks for it here:

%1

Open the folder in the file manager to put your own library in it (the sample library is not installed).</source>
        <translation>There is no function library in your folder yet. Kelvane looks for it here:

%1

Open the folder in the file manager to put your own library in it (the sample library is not installed).</translation>
    </message>
    <message>
        <source>Could not start %1 to open %2.</source>
        <translation>Could not start %1 to open %2.</translation>
    </message>
    <message>
        <source>Put your library&apos;s groups in %1; Kelvane shows them when it starts next.</source>
        <translation>Put your library&apos;s groups in %1; Kelvane shows them when it starts next.</translation>
    </message>
    <message>
        <source>Kelvane v1.0</source>
        <translation>Kelvane v1.0</translation>
    </message>
    <message>
        <source>To use a library somewhere else, start Kelvane with &lt;nobr&gt;--home DIR&lt;/nobr&gt; or set KELVANE_HOME.</source>
        <translation>To use a library somewhere else, start Kelvane with &lt;nobr&gt;--home DIR&lt;/nobr&gt; or set KELVANE_HOME.</translation>
    </message>
    <message>
        <source>&amp;Copy Sample Library</source>
        <translation>&amp;Copy Sample Library</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>&amp;Open Folder</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Rename...</translation>
    </message>
    <message>
        <source>&amp;Add Parameter...</source>
        <translation>&amp;Add Parameter...</translation>
    </message>
    <message>
        <source>Add Parameter</source>
        <translation>Add Parameter</translation>
    </message>
    <message>
        <source>&amp;Delete Parameter</source>
        <translation>&amp;Delete Parameter</translation>
    </message>
    <message>
        <source>Delete Parameter</source>
        <translation>Delete Parameter</translation>
    </message>
    <message>
        <source>&amp;Edit Field...</source>
        <translation>&amp;Edit Field...</translation>
    </message>
    <message>
        <source>Edit Field</source>
        <translation>Edit Field</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>&amp;Modify</translation>
    </message>
    <message>
        <source>Modify Function</source>
        <translation>Modify Function</translation>
    </message>
    <message>
        <source>Code &amp;Wizard...</source>
        <translation>Code &amp;Wizard...</translation>
    </message>
    <message>
        <source>Function Code Wizard</source>
        <translation>Function Code Wizard</translation>
    </message>
    <message>
        <source>Launch Explorer</source>
        <translation>Launch Explorer</translation>
    </message>
    <message>
        <source>Find Function...</source>
        <translation>Find Function...</translation>
    </message>
    <message>
        <source>&amp;About KLV...</source>
        <translation>&amp;About KLV...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;DBMS</source>
        <translation>&amp;DBMS</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>&amp;Parameter Management</source>
        <translation>&amp;Parameter Management</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Toolbar</translation>
    </message>
</context>
<context>
    <name>SaveEdit</name>
    <message>
        <source>%1

Your change can be made to the file as it is now, or discarded.</source>
        <translation>%1

Your change can be made to the file as it is now, or discarded.</translation>
    </message>
    <message>
        <source>Apply my change to the current file</source>
        <translation>Apply my change to the current file</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
</context>
<context>
    <name>TextChecks</name>
    <message>
        <source>%1 is %2 bytes long; its field holds at most %3 bytes.</source>
        <translation>%1 is %2 bytes long; its field holds at most %3 bytes.</translation>
    </message>
</context>
</TS>
