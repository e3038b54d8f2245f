// The registered functions of the digests and ciphers.
#pragma once

#include "marlune/host/lck.h"

namespace marlune {

void Get32Md5(ParamBlk* parm);
void Get32Md5FileChecksum(ParamBlk* parm);

void XTEncryptTxt1(ParamBlk* parm);
void XTEncryptTxt2(ParamBlk* parm);

}  // namespace marlune
