#include <digest/digest_text.h>
#include <winapi/msvcrt.h>

#include "md5lib.h"

extern "C" char* MD5LIB_CALL PrintMD5(const unsigned char* digest) {
  char text[256] = {};
  md5::WriteDigestText(digest, text);
  return _strdup(text);
}
