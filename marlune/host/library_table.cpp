// Rows are handed to the host in this order; a row is listed once its
// function is built. The count is the number of descriptor letters; -2 marks
// the load hook, -3 the unload hook.
#include "marlune/host/library_table.h"

#include <iterator>

#include "marlune/crypto/registered_functions.h"
#include "marlune/host/registered_functions.h"
#include "marlune/registry/registered_functions.h"
#include "marlune/text/registered_functions.h"

namespace marlune::host {
namespace {

FoxInfo g_rows[] = {
    {"ONLOAD", ONLOAD, kLoadHookCount, ""},
    {"ONQUIT", ONQUIT, kUnloadHookCount, ""},
    {"GetExeInfo", GetExeInfo, 1, "I"},
    {"GetFllInfo", GetFllInfo, 1, "I"},
    {"GetDefaultFontName", GetDefaultFontName, 0, ""},
    {"GetDefaultFontSize", GetDefaultFontSize, 0, ""},
    {"GetCpuID", GetCpuID, 0, ""},
    {"Get32Md5", Get32Md5, 1, "C"},
    {"Get32Md5FileChecksum", Get32Md5FileChecksum, 1, "C"},
    {"XTEncryptTxt1", XTEncryptTxt1, 2, "CI"},
    {"XTEncryptTxt2", XTEncryptTxt2, 2, "R.C"},
    {"XTEncryptByteBlock2", XTEncryptByteBlock2, 2, "R.C"},
    {"XTRunFoxBatch2", XTRunFoxBatch2, 2, "C.I"},
    {"XTEncryptFileBuffer2", XTEncryptFileBuffer2, 3, "CCI"},
    {"PSSetStringLine", PSSetStringLine, 1, "C"},
    {"PSSetFlagChar", PSSetFlagChar, 1, "C"},
    {"PSIsEnd", PSIsEnd, 0, ""},
    {"PSGetItem", PSGetItem, 0, ""},
    {"PSGoToHead", PSGoToHead, 0, ""},
    {"PSGetRestString", PSGetRestString, 0, ""},
    {"FRSetRegPath", FRSetRegPath, 2, ".C.I"},
    {"FRCloseReg", FRCloseReg, 0, ""},
    {"FRSetRegValue", FRSetRegValue, 2, "C?"},
    {"FRGetRegValue", FRGetRegValue, 2, "C?"},
    {"FRDeleteValue", FRDeleteValue, 1, "C"},
    {"FRDeleteKey", FRDeleteKey, 1, "C"},
    {"FREnumRegValue", FREnumRegValue, 1, "C"},
    {"FREnumRegKeyEx", FREnumRegKeyEx, 1, "C"},
    {"LangIsChinese", LangIsChinese, 0, ""},
    {"XTBig5ToGb2312", XTBig5ToGb2312, 1, "C"},
    {"XTGb2312ToBig5", XTGb2312ToBig5, 1, "C"},
    {"XTCnCharToSpell", XTCnCharToSpell, 1, "C"},
    {"XTCnCharToStroke", XTCnCharToStroke, 2, "C.I"},
    {"XTFindMatchString", XTFindMatchString, 3, "CC.I"},
    {"XTIsMatchString", XTIsMatchString, 3, "CC.I"},
    {"XTMultiMatchString", XTMultiMatchString, 3, "CC.I"},
    {"XTStrRev", XTStrRev, 2, "R.I"},
    {"XTRmbNumToCnChar", XTRmbNumToCnChar, 2, "N.L"},
    {"XTGetLastErrorMsg", XTGetLastErrorMsg, 1, ".I"},
    {"LoadStringSrcStream", LoadStringSrcStream, 1, "C"},
    {"GetStringSrcById", GetStringSrcById, 1, "I"},
};

FoxTable g_table = {nullptr, static_cast<int16_t>(std::size(g_rows)), g_rows};

}  // namespace

FoxTable* LibraryTable() { return &g_table; }

}  // namespace marlune::host
