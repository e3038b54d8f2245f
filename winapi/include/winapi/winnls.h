// National language support: the user's language.
#pragma once

#include <winapi/windef.h>

#define LANG_CHINESE 0x04
#define SUBLANG_CHINESE_TRADITIONAL 0x01
#define SUBLANG_CHINESE_SIMPLIFIED 0x02
#define SUBLANG_ENGLISH_US 0x01

WINAPI_BEGIN_DECLS
LANGID WINAPI GetUserDefaultLangID(void);
WINAPI_END_DECLS
