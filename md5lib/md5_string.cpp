#include <digest/update_in_pieces.h>

#include <cstring>

#include "md5lib.h"

extern "C" char* MD5LIB_CALL MD5String(const char* text) {
  CMD5 md5;
  md5::UpdateInPieces(md5, reinterpret_cast<const unsigned char*>(text), std::strlen(text));
  md5.Finalize();
  return PrintMD5(md5.Digest());
}
