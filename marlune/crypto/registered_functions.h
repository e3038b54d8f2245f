// The registered functions of the digests and ciphers.
#pragma once

#include "marlune/host/lck.h"

namespace marlune {

void Get32Md5(ParamBlk* parm);
void Get32Md5FileChecksum(ParamBlk* parm);

void XTEncryptTxt1(ParamBlk* parm);
void XTEncryptTxt2(ParamBlk* parm);

void XTEncryptFileBuffer2(ParamBlk* parm);
void XTEncryptByteBlock2(ParamBlk* parm);
void XTRunFoxBatch2(ParamBlk* parm);
// Frees the resource key stream; the unload hook calls it.
void ReleaseResourceKey();

}  // namespace marlune
