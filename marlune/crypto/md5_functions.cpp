// Get32Md5 and Get32Md5FileChecksum: digest texts of a value and of a file.
#include "marlune/crypto/md5_text.h"
#include "marlune/crypto/registered_functions.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"

namespace marlune {

// Every byte of the value, NUL bytes included.
void Get32Md5(ParamBlk* parm) {
  char text[crypto::kMd5TextSize] = {};
  {
    host::CharParam data(parm, 1);
    crypto::Md5TextOfBuffer(text, data.data(), data.length());
  }
  host::ReturnText(text);
}

void Get32Md5FileChecksum(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0) return host::ReturnText("");
  char text[crypto::kMd5TextSize] = {};
  {
    host::CharParam path(parm, 1);
    crypto::Md5TextOfFile(text, path.c_str());
  }
  host::ReturnText(text);
}

}  // namespace marlune
