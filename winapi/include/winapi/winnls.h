// National language support: the user's language, code page conversions,
// Chinese character mapping and collation.
#pragma once

#include <winapi/windef.h>

#define LANG_CHINESE 0x04
#define SUBLANG_CHINESE_TRADITIONAL 0x01
#define SUBLANG_CHINESE_SIMPLIFIED 0x02
#define SUBLANG_ENGLISH_US 0x01

#define CP_ACP 0
#define CP_UTF8 65001

#define LANG_NEUTRAL 0x00
#define SORT_DEFAULT 0x0
#define SORT_CHINESE_STROKE 0x2
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))
#define SORTIDFROMLCID(lcid) ((WORD)((((DWORD)(lcid)) >> 16) & 0xf))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800

#define LCMAP_SIMPLIFIED_CHINESE 0x02000000
#define LCMAP_TRADITIONAL_CHINESE 0x04000000

#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

WINAPI_BEGIN_DECLS
LANGID WINAPI GetUserDefaultLangID(void);

// Code pages: CP_ACP, 936, 950, 1252 and CP_UTF8. A length of -1 means a
// NUL-terminated text whose terminator is converted and counted; an output
// size of 0 asks for the size needed.
int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar);
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar);

// Only the simplified/traditional Chinese mappings, on text in the locale's
// ANSI code page.
int WINAPI LCMapStringA(LCID Locale, DWORD dwMapFlags, LPCSTR lpSrcStr, int cchSrc, LPSTR lpDestStr,
                        int cchDest);

// Chinese locales sort in pinyin order, or by stroke count with
// SORT_CHINESE_STROKE; other locales by the root collation. Flags must be 0.
int WINAPI CompareStringA(LCID Locale, DWORD dwCmpFlags, LPCSTR lpString1, int cchCount1,
                          LPCSTR lpString2, int cchCount2);
WINAPI_END_DECLS
