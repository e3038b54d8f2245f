// The library table: every row present has its name, count and descriptor
// and comes in the order of the full table of 106 rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/test_host.h"

namespace {

struct Row {
  const char* name;
  int count;
  const char* descriptor;
};

// The whole table, in the order the host receives it.
constexpr Row kFullTable[] = {
    {"ONLOAD", -2, ""},
    {"ONQUIT", -3, ""},
    {"GetExeInfo", 1, "I"},
    {"GetFllInfo", 1, "I"},
    {"GetDefaultFontName", 0, ""},
    {"GetDefaultFontSize", 0, ""},
    {"GetCpuID", 0, ""},
    {"Get32Md5", 1, "C"},
    {"Get32Md5FileChecksum", 1, "C"},
    {"XTEncryptTxt1", 2, "CI"},
    {"XTEncryptTxt2", 2, "R.C"},
    {"XTEncryptByteBlock2", 2, "R.C"},
    {"XTRunFoxBatch2", 2, "C.I"},
    {"XTEncryptFileBuffer2", 3, "CCI"},
    {"PSSetStringLine", 1, "C"},
    {"PSSetFlagChar", 1, "C"},
    {"PSIsEnd", 0, ""},
    {"PSGetItem", 0, ""},
    {"PSGoToHead", 0, ""},
    {"PSGetRestString", 0, ""},
    {"FRSetRegPath", 2, ".C.I"},
    {"FRCloseReg", 0, ""},
    {"FRSetRegValue", 2, "C?"},
    {"FRGetRegValue", 2, "C?"},
    {"FRDeleteValue", 1, "C"},
    {"FRDeleteKey", 1, "C"},
    {"FREnumRegValue", 1, "C"},
    {"FREnumRegKeyEx", 1, "C"},
    {"LangIsChinese", 0, ""},
    {"XTBig5ToGb2312", 1, "C"},
    {"XTGb2312ToBig5", 1, "C"},
    {"XTCnCharToSpell", 1, "C"},
    {"XTCnCharToStroke", 2, "C.I"},
    {"XTFindMatchString", 3, "CC.I"},
    {"XTIsMatchString", 3, "CC.I"},
    {"XTMultiMatchString", 3, "CC.I"},
    {"XTStrRev", 2, "R.I"},
    {"XTRmbNumToCnChar", 2, "N.L"},
    {"APIDeleteFile", 1, "C"},
    {"APICopyFile", 3, "CC.L"},
    {"APICreateDirectory", 1, "C"},
    {"APIGetDriveType", 1, "C"},
    {"APIGetVolumeInfo", 1, "C"},
    {"APIGetFileAttributes", 1, "C"},
    {"APIGetLongPathName", 1, "C"},
    {"APIGetSystemDirectory", 0, ""},
    {"APIGetTempPath", 0, ""},
    {"APIGetWindowsDirectory", 0, ""},
    {"APIMoveFile", 2, "CC"},
    {"APIRemoveDirectory", 1, "C"},
    {"APISetFileAttributes", 2, "CI"},
    {"APIGetComputerName", 0, ""},
    {"APIGetUserName", 0, ""},
    {"APIGetSystemMetrics", 1, "I"},
    {"APIGetFileLength", 1, "C"},
    {"APIDeleteFolder", 1, "C"},
    {"APIDisposeFolder", 4, "IICC"},
    {"APIShellExecute", 6, "C.I.C.C.C.I"},
    {"XTGetHostMac", 1, "C"},
    {"XTGetMac2", 1, ".I"},
    {"XTGetHostIP", 1, "C"},
    {"XTMapNetDrv", 4, "CCCC"},
    {"XTDeleMapDrv", 2, "C.I"},
    {"XTEnumNetWork", 0, ""},
    {"XTExitWindows", 1, "I"},
    {"XTExitRemoteWindows", 5, "C.C.I.L.L"},
    {"XTCreateShortcut", 5, "CC.C.I.C"},
    {"XTGetLastErrorMsg", 1, ".I"},
    {"XTShellExecAndWait", 3, "C.C.I"},
    {"XTGet2PixeFactor", 3, "IRR"},
    {"XTTestExeIsRun", 1, ".C"},
    {"XTShowTextInNotepad", 1, "C"},
    {"XTExeSleep", 1, "I"},
    {"XTWinExec", 2, "C.I"},
    {"XTGetProcessSnapshot", 1, "C"},
    {"XTKillProcess", 1, "I"},
    {"XTKillProcess2", 1, "C"},
    {"XTActiveWindow", 1, "?"},
    {"XTShowHideTaskbar", 1, "I"},
    {"XTChangeDisplaySettings", 3, "II.I"},
    {"XTGetFile2", 3, "CC.I"},
    {"XTCurPath", 0, ""},
    {"XTSetPath", 1, "C"},
    {"XTGetLogicalDrive", 0, ""},
    {"XTTraverseDirectory", 5, "CCC.C.I"},
    {"XTGetDir2", 3, ".C.C.I"},
    {"LoadStringSrcStream", 1, "C"},
    {"GetStringSrcById", 1, "I"},
    {"CabCreateCabinet", 1, "C"},
    {"CabAddFile2Cab", 2, "IC"},
    {"CabFlushCab", 1, "I"},
    {"CabCompress", 2, "CC"},
    {"CabDecompress", 2, "CC"},
    {"XTSetFtpParas", 4, "CCC.I"},
    {"XTFtpCreateDir", 1, "C"},
    {"XTFtpRemoveDir", 1, "C"},
    {"XTFtpDeleteFile", 1, "C"},
    {"XTFtpRenameFile", 2, "CC"},
    {"XTFtpGetFile", 2, "CC"},
    {"XTFtpPutFile", 2, "CC"},
    {"XTCloseConnect", 0, ""},
    {"XTCheckFtpConnect", 0, ""},
    {"XTFtpSetCurDir", 1, "C"},
    {"XTFtpGetCurDir", 0, ""},
    {"XTHttpDownLoad", 2, "CC"},
    {"XTTestInetConn", 0, ""},
};

TEST(LibraryTable, PresentRowsMatchTheFullTableInOrder) {
  ASSERT_EQ(std::size(kFullTable), 106u);
  foxhost::testing::TestHost host(MARLUNE_FLL);
  const std::vector<foxhost::LibraryRow>& rows = host.runtime().libraries().at(0)->rows();

  size_t next = 0;  // rows present must appear in table order
  std::set<std::string> names;
  for (const foxhost::LibraryRow& row : rows) {
    size_t at = next;
    while (at < std::size(kFullTable) && row.name != kFullTable[at].name) ++at;
    ASSERT_LT(at, std::size(kFullTable)) << row.name << " is out of order or not in the table";
    EXPECT_EQ(row.count, kFullTable[at].count) << row.name;
    EXPECT_EQ(row.descriptor, kFullTable[at].descriptor) << row.name;
    EXPECT_NE(row.function, nullptr) << row.name;
    EXPECT_TRUE(names.insert(row.name).second) << row.name << " twice";
    next = at + 1;
  }
  std::printf("library table: %zu of %zu rows present\n", rows.size(), std::size(kFullTable));
}

}  // namespace
