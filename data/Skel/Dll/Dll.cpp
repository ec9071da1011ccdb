// Dll.cpp : initialisation of the function DLL; the function itself is in Function.cpp.

#include "stdafx.h"
#include "Dll.h"

#ifdef _DEBUG
#define new DEBUG_NEW
#undef THIS_FILE
static char THIS_FILE[] = __FILE__;
#endif

BEGIN_MESSAGE_MAP(CDllApp, CWinApp)
END_MESSAGE_MAP()

CDllApp::CDllApp()
{
}

// The one application object of the DLL.
CDllApp theApp;
