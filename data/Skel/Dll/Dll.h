// Dll.h : main header file of the function DLL.

#if !defined(AFX_DLL_H__KELVANE_DLL_SKELETON__INCLUDED_)
#define AFX_DLL_H__KELVANE_DLL_SKELETON__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

#ifndef __AFXWIN_H__
	#error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h"		// main symbols

class CDllApp : public CWinApp
{
public:
	CDllApp();

	DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_DLL_H__KELVANE_DLL_SKELETON__INCLUDED_)
