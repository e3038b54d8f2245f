// The registered functions of the host subsystem: the load and unload hooks
// and the library and machine information functions.
#pragma once

#include "marlune/host/lck.h"

namespace marlune {

void ONLOAD(ParamBlk* parm);
void ONQUIT(ParamBlk* parm);

void GetExeInfo(ParamBlk* parm);
void GetFllInfo(ParamBlk* parm);
void GetDefaultFontName(ParamBlk* parm);
void GetDefaultFontSize(ParamBlk* parm);
void GetCpuID(ParamBlk* parm);
void XTGetLastErrorMsg(ParamBlk* parm);
void LangIsChinese(ParamBlk* parm);

}  // namespace marlune
