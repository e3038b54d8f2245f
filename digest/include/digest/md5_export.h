// How the class CMD5 is seen across a shared-library boundary.
//
// libmd5lib exports the class with every member; every other deliverable
// links the same objects and keeps them private (on ELF by linking the static
// piece with --exclude-libs). On ELF the class therefore always carries
// default visibility and the linker decides. On Windows a DLL that exports it
// builds with MD5_CLASS_EXPORTS, a client of md5lib.dll gets the import form
// through <md5lib.h>, and a static user sees a plain class.
#pragma once

#if defined(_WIN32)
#if defined(MD5_CLASS_EXPORTS)
#define MD5_CLASS_API __declspec(dllexport)
#elif defined(MD5_CLASS_IMPORTS)
#define MD5_CLASS_API __declspec(dllimport)
#else
#define MD5_CLASS_API
#endif
#else
#define MD5_CLASS_API __attribute__((visibility("default")))
#endif
