// Answers that follow the user's default language: the default font and
// whether the language is Simplified Chinese. Only Chinese as used in the
// People's Republic of China counts (not Taiwan, Hong Kong or Singapore).
#include <winapi/windows.h>

#include "marlune/host/registered_functions.h"
#include "marlune/host/results.h"

namespace marlune {
namespace {

constexpr LANGID kChinesePrc = 0x0804;

// The SimSun font's name in GB2312.
constexpr char kSimSun[] = "\xCB\xCE\xCC\xE5";

bool UserLanguageIsChinesePrc() { return GetUserDefaultLangID() == kChinesePrc; }

}  // namespace

void GetDefaultFontName(ParamBlk* /*parm*/) {
  host::ReturnText(UserLanguageIsChinesePrc() ? kSimSun : "Courier New");
}

void GetDefaultFontSize(ParamBlk* /*parm*/) { host::ReturnInt(9, 2); }

void LangIsChinese(ParamBlk* /*parm*/) { host::ReturnLogical(UserLanguageIsChinesePrc()); }

}  // namespace marlune
