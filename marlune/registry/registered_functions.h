// The registered functions of the registry session.
#pragma once

#include "marlune/host/lck.h"

namespace marlune {

void FRSetRegPath(ParamBlk* parm);
void FRCloseReg(ParamBlk* parm);
void FRSetRegValue(ParamBlk* parm);
void FRGetRegValue(ParamBlk* parm);
void FRDeleteValue(ParamBlk* parm);
void FRDeleteKey(ParamBlk* parm);
void FREnumRegValue(ParamBlk* parm);
void FREnumRegKeyEx(ParamBlk* parm);

}  // namespace marlune
