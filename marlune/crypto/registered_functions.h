// The registered functions of the digests and ciphers.
#pragma once

#include "marlune/crypto/block_cipher.h"
#include "marlune/host/lck.h"

namespace marlune {

void Get32Md5(ParamBlk* parm);
void Get32Md5FileChecksum(ParamBlk* parm);

void XTEncryptTxt1(ParamBlk* parm);
void XTEncryptTxt2(ParamBlk* parm);

void XTEncryptFileBuffer2(ParamBlk* parm);
void XTEncryptByteBlock2(ParamBlk* parm);
void XTRunFoxBatch2(ParamBlk* parm);
// The key stream of the encrypted buffers: resource "MYRES" 117 of the
// library's module, read on first use; {nullptr, 0} when the module lacks it.
crypto::KeyStream ResourceKeyStream();
// Frees the resource key stream; the unload hook calls it.
void ReleaseResourceKey();

}  // namespace marlune
