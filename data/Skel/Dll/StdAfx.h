// StdAfx.h : include file for standard system include files that are used often
// but changed rarely.

#if !defined(AFX_STDAFX_H__KELVANE_DLL_SKELETON__INCLUDED_)
#define AFX_STDAFX_H__KELVANE_DLL_SKELETON__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

#define VC_EXTRALEAN		// Exclude rarely-used stuff from Windows headers

#include <afxwin.h>         // MFC core and standard components
#include <afxext.h>         // MFC extensions

#endif // !defined(AFX_STDAFX_H__KELVANE_DLL_SKELETON__INCLUDED_)
