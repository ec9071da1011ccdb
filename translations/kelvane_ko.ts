<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
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
        <translation>함수 생성 마법사</translation>
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
        <translation>Default 값을 입력하세요</translation>
    </message>
    <message>
        <source>The value</source>
        <translation>값</translation>
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
        <translation>Description을 입력하세요</translation>
    </message>
    <message>
        <source>The description</source>
        <translation>설명</translation>
    </message>
</context>
<context>
    <name>CEditHistory</name>
    <message>
        <source>This change is too old to be undone: the oldest changes are no longer kept, to save memory.</source>
        <translation>이 변경은 너무 오래되어 되돌릴 수 없습니다: 메모리를 아끼려고 가장 오래된 변경은 더 이상 보관하지 않습니다.</translation>
    </message>
</context>
<context>
    <name>CFinalPropertyPage</name>
    <message>
        <source>함수 생성 정보:</source>
        <translation>함수 생성 정보:</translation>
    </message>
    <message>
        <source>함수 생성과 동시에 관련 개발 프로그램을 실행시킵니다.</source>
        <translation>함수 생성과 동시에 관련 개발 프로그램을 실행시킵니다.</translation>
    </message>
</context>
<context>
    <name>CFindFunctionDlg</name>
    <message>
        <source>&amp;Find</source>
        <translation>찾기(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>중지(&amp;S)</translation>
    </message>
    <message>
        <source>Find Function</source>
        <translation>함수 찾기</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>찾을 내용(&amp;W):</translation>
    </message>
    <message>
        <source>Words of a name, a description or a parameter</source>
        <translation>이름, 설명 또는 파라미터의 단어</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>이름(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>설명(&amp;D)</translation>
    </message>
    <message>
        <source>Parameter &amp;type</source>
        <translation>파라미터 형식(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Parameter description</source>
        <translation>파라미터 설명(&amp;P)</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>찾을 곳:</translation>
    </message>
    <message>
        <source>Functions found</source>
        <translation>찾은 함수</translation>
    </message>
    <message>
        <source>Type the words to look for.</source>
        <translation>찾을 단어를 입력하세요.</translation>
    </message>
    <message>
        <source>Choose where to look.</source>
        <translation>찾을 곳을 고르세요.</translation>
    </message>
    <message>
        <source>At most %1 words.</source>
        <translation>단어는 %1개까지입니다.</translation>
    </message>
    <message>
        <source>Stopped: %1; %2.</source>
        <translation>중지됨: %1; %2.</translation>
    </message>
    <message>
        <source>1 function found</source>
        <translation>함수 1개를 찾았습니다</translation>
    </message>
    <message>
        <source>%1 functions found</source>
        <translation>함수 %1개를 찾았습니다</translation>
    </message>
    <message>
        <source>%1; %2.</source>
        <translation>%1; %2.</translation>
    </message>
    <message>
        <source>1 function file could not be read.</source>
        <translation>함수 파일 1개를 읽을 수 없었습니다.</translation>
    </message>
    <message>
        <source>%1 function files could not be read.</source>
        <translation>함수 파일 %1개를 읽을 수 없었습니다.</translation>
    </message>
    <message>
        <source>1 folder could not be read.</source>
        <translation>폴더 1개를 읽을 수 없었습니다.</translation>
    </message>
    <message>
        <source>%1 folders could not be read.</source>
        <translation>폴더 %1개를 읽을 수 없었습니다.</translation>
    </message>
    <message>
        <source>%1 of %2 folders searched</source>
        <translation>폴더 %2개 중 %1개를 찾아봄</translation>
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
        <translation>입/출력 형식을 선택하세요</translation>
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
        <translation>메모리가 모자라 이 작업을 끝낼 수 없습니다; 하던 곳에서 멈췄습니다.</translation>
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
        <translation>%1행, %2열</translation>
    </message>
    <message>
        <source>%1 up</source>
        <translation>%1 늘리기</translation>
    </message>
    <message>
        <source>%1 down</source>
        <translation>%1 줄이기</translation>
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
        <translation>정수를 입력하세요.</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>숫자를 입력하세요.</translation>
    </message>
    <message>
        <source>The matrix value text would be longer than the %1 bytes its field holds; use smaller numbers or a smaller matrix.</source>
        <translation>행렬 값의 텍스트가 필드에 들어가는 %1바이트보다 길어집니다; 더 작은 숫자나 더 작은 행렬을 쓰세요.</translation>
    </message>
    <message>
        <source>Save Matrix</source>
        <translation>행렬 저장</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1이(가) 이미 있습니다.
바꾸시겠습니까?</translation>
    </message>
    <message>
        <source>Load Matrix</source>
        <translation>행렬 불러오기</translation>
    </message>
    <message>
        <source>Could not load %1: %2; the matrix is unchanged.</source>
        <translation>%1을(를) 불러올 수 없습니다: %2; 행렬은 그대로입니다.</translation>
    </message>
</context>
<context>
    <name>CNamePropertyPage</name>
    <message>
        <source>생성하고자 하는 함수의 이름과 생성될 함수의 위치를 입력하세요.</source>
        <translation>생성하고자 하는 함수의 이름과 생성될 함수의 위치를 입력하세요.</translation>
    </message>
    <message>
        <source>함수 이름(&amp;F): </source>
        <translation>함수 이름(&amp;F): </translation>
    </message>
    <message>
        <source>생성할 위치(&amp;L):</source>
        <translation>생성할 위치(&amp;L):</translation>
    </message>
</context>
<context>
    <name>COpenFolders</name>
    <message>
        <source>Open already as %1 (a link leads here too); it opens here once that one is closed.</source>
        <translation>이미 %1(으)로 열려 있습니다(링크가 여기로도 이어집니다); 그쪽을 닫으면 여기서 열립니다.</translation>
    </message>
    <message>
        <source>This folder could not be read: %1.</source>
        <translation>이 폴더를 읽을 수 없습니다: %1.</translation>
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
        <translation>Parameter 종류를 선택하세요</translation>
    </message>
</context>
<context>
    <name>CParameterPropertyPage</name>
    <message>
        <source>함수의 파라미터를 등록하세요.</source>
        <translation>함수의 파라미터를 등록하세요.</translation>
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
        <translation>입력을 위로</translation>
    </message>
    <message>
        <source>Move input down</source>
        <translation>입력을 아래로</translation>
    </message>
    <message>
        <source>Move output up</source>
        <translation>출력을 위로</translation>
    </message>
    <message>
        <source>Move output down</source>
        <translation>출력을 아래로</translation>
    </message>
    <message>
        <source>Add kind to inputs</source>
        <translation>종류를 입력에 추가</translation>
    </message>
    <message>
        <source>Remove input</source>
        <translation>입력 빼기</translation>
    </message>
    <message>
        <source>Add kind to outputs</source>
        <translation>종류를 출력에 추가</translation>
    </message>
    <message>
        <source>Remove output</source>
        <translation>출력 빼기</translation>
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
        <translation>바꿀 이름을 입력하세요</translation>
    </message>
</context>
<context>
    <name>CSearchResultsModel</name>
    <message>
        <source>Function</source>
        <translation>함수</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>그룹</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>필드</translation>
    </message>
    <message>
        <source>Excerpt</source>
        <translation>발췌</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>설명</translation>
    </message>
    <message>
        <source>Parameter %1 type</source>
        <translation>파라미터 %1 형식</translation>
    </message>
    <message>
        <source>Parameter %1 description</source>
        <translation>파라미터 %1 설명</translation>
    </message>
</context>
<context>
    <name>CTypePropertyPage</name>
    <message>
        <source>생성하고자 하는 함수의 종류를 선택하세요.</source>
        <translation>생성하고자 하는 함수의 종류를 선택하세요.</translation>
    </message>
    <message>
        <source>DLL 함수</source>
        <translation>DLL 함수</translation>
    </message>
    <message>
        <source>Script 함수</source>
        <translation>Script 함수</translation>
    </message>
    <message>
        <source>Schematic 함수</source>
        <translation>Schematic 함수</translation>
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
        <translation>영상 처리 함수 라이브러리의 함수를 관리하고 만듭니다.

라이브러리(FunctionLibrary), 프로젝트 골격(Skel/Dll), 클래스 라이브러리(ClassLibrary)는
다음 중 처음 것에서 가져옵니다: --home으로 준 폴더; KELVANE_HOME이 가리키는 폴더;
FunctionLibrary나 Skel이 있을 때 프로그램 자신의 폴더; 그 밖에는 라이브러리는
$XDG_DATA_HOME/kelvane(기본 ~/.local/share/kelvane)에서, 골격과 클래스 라이브러리는
거기에 있으면 거기서, 없으면 설치된 곳에서 가져옵니다. -platform, -style 같은 Qt 자체
옵션은 다른 Qt 프로그램에서처럼 동작합니다.</translation>
    </message>
    <message>
        <source>Use DIR/FunctionLibrary, DIR/Skel/Dll and DIR/ClassLibrary.</source>
        <translation>DIR/FunctionLibrary, DIR/Skel/Dll, DIR/ClassLibrary를 씁니다.</translation>
    </message>
    <message>
        <source>Show the window in LANG: ko (the Korean texts) or en (English); else as the messages locale says.</source>
        <translation>창을 LANG 언어로 보여 줍니다: ko(한국어 텍스트) 또는 en(영어); 주지 않으면 메시지 로케일을 따릅니다.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>예상하지 못한 인수 &apos;%1&apos;입니다.</translation>
    </message>
    <message>
        <source>Try &apos;kelvane --help&apos;.</source>
        <translation>&apos;kelvane --help&apos;를 실행해 보세요.</translation>
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
        <translation>보이는 함수가 없습니다; 먼저 라이브러리에서 함수를 선택하세요.</translation>
    </message>
    <message>
        <source>%1. Change that file?</source>
        <translation>%1. 그 파일을 바꾸시겠습니까?</translation>
    </message>
    <message>
        <source>The selected parameter is no longer in %1 (another program changed the file); nothing was written.</source>
        <translation>선택한 파라미터가 더 이상 %1에 없습니다(다른 프로그램이 파일을 바꿨습니다); 아무것도 쓰지 않았습니다.</translation>
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
        <translation>함수의 형식과 속성은 바꿀 수 없습니다.</translation>
    </message>
    <message>
        <source>Edit Field</source>
        <translation>Edit Field</translation>
    </message>
    <message>
        <source>%1 has no project: neither %2 nor the .dsp beside it exists.</source>
        <translation>%1에는 프로젝트가 없습니다: %2도, 그 옆의 .dsp도 없습니다.</translation>
    </message>
    <message>
        <source>Could not start %1 to open %2.</source>
        <translation>%2을(를) 열려고 %1을(를) 시작할 수 없었습니다.</translation>
    </message>
</context>
<context>
    <name>FindCommand</name>
    <message>
        <source>%1 is not in the library tree any more.</source>
        <translation>%1은(는) 더 이상 라이브러리 트리에 없습니다.</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>The new name is empty; nothing was renamed.</source>
        <translation>새 이름이 비어 있습니다; 이름을 바꾸지 않았습니다.</translation>
    </message>
    <message>
        <source>A name cannot contain &quot;/&quot;; nothing was renamed.</source>
        <translation>이름에는 &quot;/&quot;를 쓸 수 없습니다; 이름을 바꾸지 않았습니다.</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; cannot be names; nothing was renamed.</source>
        <translation>&quot;.&quot;와 &quot;..&quot;는 이름이 될 수 없습니다; 이름을 바꾸지 않았습니다.</translation>
    </message>
    <message>
        <source>A top-level group is renamed in the file manager (Launch Explorer); nothing was renamed.</source>
        <translation>최상위 그룹의 이름은 파일 관리자(Launch Explorer)에서 바꿉니다; 이름을 바꾸지 않았습니다.</translation>
    </message>
</context>
<context>
    <name>LibraryOffer</name>
    <message>
        <source>There is no function library in your folder yet. Kelvane looks for it here:

%1

Copy the sample library that comes with Kelvane there, or open the folder in the file manager to put your own library in it.</source>
        <translation>사용자 폴더에 아직 함수 라이브러리가 없습니다. Kelvane은 여기에서 찾습니다:

%1

Kelvane에 딸린 예제 라이브러리를 거기에 복사하거나, 파일 관리자에서 폴더를 열어 자신의 라이브러리를 넣으세요.</translation>
    </message>
    <message>
        <source>There is no function library in your folder yet. Kelvane looks for it here:

%1

Open the folder in the file manager to put your own library in it (the sample library is not installed).</source>
        <translation>사용자 폴더에 아직 함수 라이브러리가 없습니다. Kelvane은 여기에서 찾습니다:

%1

파일 관리자에서 폴더를 열어 자신의 라이브러리를 넣으세요(예제 라이브러리는 설치되어 있지 않습니다).</translation>
    </message>
    <message>
        <source>Could not start %1 to open %2.</source>
        <translation>%2을(를) 열려고 %1을(를) 시작할 수 없었습니다.</translation>
    </message>
    <message>
        <source>Put your library&apos;s groups in %1; Kelvane shows them when it starts next.</source>
        <translation>라이브러리의 그룹을 %1에 넣으세요; Kelvane을 다음에 시작하면 보입니다.</translation>
    </message>
    <message>
        <source>Kelvane v1.0</source>
        <translation>Kelvane v1.0</translation>
    </message>
    <message>
        <source>To use a library somewhere else, start Kelvane with &lt;nobr&gt;--home DIR&lt;/nobr&gt; or set KELVANE_HOME.</source>
        <translation>다른 곳의 라이브러리를 쓰려면 Kelvane을 &lt;nobr&gt;--home DIR&lt;/nobr&gt;로 시작하거나 KELVANE_HOME을 설정하세요.</translation>
    </message>
    <message>
        <source>&amp;Copy Sample Library</source>
        <translation>예제 라이브러리 복사(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>폴더 열기(&amp;O)</translation>
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
        <translation>함수 찾기...</translation>
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
        <translation>도구 모음</translation>
    </message>
</context>
<context>
    <name>SaveEdit</name>
    <message>
        <source>%1

Your change can be made to the file as it is now, or discarded.</source>
        <translation>%1

변경을 지금의 파일에 적용하거나 버릴 수 있습니다.</translation>
    </message>
    <message>
        <source>Apply my change to the current file</source>
        <translation>지금의 파일에 내 변경 적용</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>버리기</translation>
    </message>
</context>
<context>
    <name>TextChecks</name>
    <message>
        <source>%1 is %2 bytes long; its field holds at most %3 bytes.</source>
        <translation>%1: %2바이트입니다; 이 필드에는 %3바이트까지 들어갑니다.</translation>
    </message>
</context>
</TS>
