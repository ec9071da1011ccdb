// StdAfx.cpp : source file that includes just the standard includes;
// the precompiled header is built from it.

#include "stdafx.h"
