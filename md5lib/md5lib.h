/* md5lib: MD5 digests for C and C++ callers.
 *
 * Each function returns a new 32-character lower-case hexadecimal digest
 * text, or NULL on failure. The text is the caller's: release it with free().
 *
 *   char* text = MD5String("abc");   // "900150983cd24fb0d6963f7d28e17f72"
 *   if (text) { puts(text); free(text); }
 *
 * C++ callers also get the class CMD5 (Init, Update, Finalize, Digest) for
 * digests fed in pieces.
 */
#ifndef MD5LIB_H
#define MD5LIB_H

/* The Windows API calling convention on 32-bit Windows, the default elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define MD5LIB_CALL __stdcall
#else
#define MD5LIB_CALL
#endif

#if defined(_WIN32)
#if defined(MD5LIB_BUILD)
#define MD5LIB_API __declspec(dllexport)
#else
#define MD5LIB_API __declspec(dllimport)
#endif
#else
#define MD5LIB_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#if defined(_WIN32) && !defined(MD5LIB_BUILD) && !defined(MD5_CLASS_IMPORTS)
#define MD5_CLASS_IMPORTS
#endif
#include <digest/cmd5.h>
extern "C" {
#endif

/* Digest of the bytes of `text` before its terminating NUL, taken as they
 * are (no code-page conversion). NULL only when memory runs out. */
MD5LIB_API char* MD5LIB_CALL MD5String(const char* text);

/* Digest of the content of the file at `path` (a Windows path in the ANSI
 * code page). NULL when the file cannot be opened or mapped; an empty file
 * cannot be mapped, so it gives NULL too. */
MD5LIB_API char* MD5LIB_CALL MD5File(const char* path);

/* Digest text of the 16 digest bytes at `digest`. NULL only when memory
 * runs out. */
MD5LIB_API char* MD5LIB_CALL PrintMD5(const unsigned char* digest);

#ifdef __cplusplus
}
#endif

#endif /* MD5LIB_H */
