// libmd5lib exports the class CMD5 with every member and the three C
// functions, and nothing else: in particular not the Windows API stand-in it
// links privately.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

// The Itanium C++ ABI names of the CMD5 members.
const std::set<std::string> kCMD5Members = {
    "_ZN4CMD5C1Ev",                  // CMD5::CMD5()
    "_ZN4CMD5C2Ev",                  // (base-object constructor)
    "_ZN4CMD5aSERKS_",               // operator=(const CMD5&)
    "_ZN4CMD54InitEv",               // Init()
    "_ZN4CMD56UpdateEPhj",           // Update(unsigned char*, unsigned int)
    "_ZN4CMD58FinalizeEv",           // Finalize()
    "_ZN4CMD56DigestEv",             // Digest()
    "_ZN4CMD59TransformEPh",         // Transform(unsigned char*)
    "_ZN4CMD56EncodeEPhPjj",         // Encode(unsigned char*, unsigned int*, unsigned int)
    "_ZN4CMD56DecodeEPjPhj",         // Decode(unsigned int*, unsigned char*, unsigned int)
    "_ZN4CMD51FEjjj",                // F
    "_ZN4CMD51GEjjj",                // G
    "_ZN4CMD51HEjjj",                // H
    "_ZN4CMD51IEjjj",                // I
    "_ZN4CMD52FFERjjjjjjj",          // FF
    "_ZN4CMD52GGERjjjjjjj",          // GG
    "_ZN4CMD52HHERjjjjjjj",          // HH
    "_ZN4CMD52IIERjjjjjjj",          // II
    "_ZN4CMD511rotate_leftEjj",      // rotate_left
};
const std::set<std::string> kFunctions = {"MD5String", "MD5File", "PrintMD5"};

TEST(MD5LibExports, EveryMemberAndFunctionResolves) {
  std::unique_ptr<void, int (*)(void*)> lib(dlopen(MD5LIB_PATH, RTLD_NOW | RTLD_LOCAL), &dlclose);
  ASSERT_TRUE(lib) << dlerror();
  for (const auto* names : {&kCMD5Members, &kFunctions}) {
    for (const std::string& name : *names) {
      EXPECT_NE(dlsym(lib.get(), name.c_str()), nullptr) << name;
    }
  }
  for (const char* hidden : {"CreateFileA", "CloseHandle", "_strdup", "SetLastError"}) {
    EXPECT_EQ(dlsym(lib.get(), hidden), nullptr) << hidden << " leaks from the stand-in";
  }
}

TEST(MD5LibExports, NothingElseIsExported) {
  const std::string command = std::string("nm -D --defined-only ") + MD5LIB_PATH;
  std::unique_ptr<FILE, int (*)(FILE*)> nm(popen(command.c_str(), "r"), &pclose);
  ASSERT_TRUE(nm);
  std::set<std::string> exported;
  char line[4096];
  while (std::fgets(line, sizeof line, nm.get()) != nullptr) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) exported.insert(name.substr(0, name.find('@')));
  }
  std::set<std::string> expected = kCMD5Members;
  expected.insert(kFunctions.begin(), kFunctions.end());
  EXPECT_EQ(exported, expected);
}

}  // namespace
