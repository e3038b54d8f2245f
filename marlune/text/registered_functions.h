// The registered functions of the text services: the parsed-string cursor,
// pattern matching, Chinese text and money amounts.
#pragma once

#include "marlune/host/lck.h"

namespace marlune {

void PSSetStringLine(ParamBlk* parm);
void PSSetFlagChar(ParamBlk* parm);
void PSIsEnd(ParamBlk* parm);
void PSGetItem(ParamBlk* parm);
void PSGoToHead(ParamBlk* parm);
void PSGetRestString(ParamBlk* parm);

void XTBig5ToGb2312(ParamBlk* parm);
void XTGb2312ToBig5(ParamBlk* parm);
void XTCnCharToSpell(ParamBlk* parm);
void XTCnCharToStroke(ParamBlk* parm);

void XTFindMatchString(ParamBlk* parm);
void XTIsMatchString(ParamBlk* parm);
void XTMultiMatchString(ParamBlk* parm);
void XTStrRev(ParamBlk* parm);

void XTRmbNumToCnChar(ParamBlk* parm);

void LoadStringSrcStream(ParamBlk* parm);
void GetStringSrcById(ParamBlk* parm);

}  // namespace marlune
