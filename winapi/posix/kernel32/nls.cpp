// Code page conversions, the simplified/traditional Chinese mapping and
// collation, on ICU. Converters are the module-wide ones of ansi_codepage;
// the transliterators and collators are opened once, on first use, and kept
// for the module's life (never per call, never per thread).
#include <unicode/coll.h>
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <string_view>

#include <winapi/winerror.h>
#include <winapi/winnls.h>

#include "posix/ansi_codepage.h"
#include "posix/icu_library.h"
#include "posix/last_error.h"

namespace winapi::posix {
namespace {

UINT resolve_code_page(UINT code_page) { return code_page == CP_ACP ? ansi_code_page() : code_page; }

LANGID resolve_language(LCID locale) {
  LANGID language = LANGIDFROMLCID(locale);
  if (language == LANG_NEUTRAL || language == LOCALE_USER_DEFAULT || language == LOCALE_SYSTEM_DEFAULT)
    return GetUserDefaultLangID();
  return language;
}

bool is_chinese(LANGID language) { return PRIMARYLANGID(language) == LANG_CHINESE; }

// The ANSI code page of a locale: Chinese (PRC) and (Singapore) use GBK,
// the other Chinese locales Big5, everything else Western European.
UINT code_page_of(LANGID language) {
  if (!is_chinese(language)) return 1252;
  WORD sublanguage = SUBLANGID(language);
  return sublanguage == SUBLANG_CHINESE_SIMPLIFIED || sublanguage == 0x04 ? 936 : 950;
}

// Byte length of a text whose length argument may be negative (NUL-terminated).
int text_length(LPCSTR text, int length, bool count_terminator) {
  if (length >= 0) return length;
  return static_cast<int>(std::strlen(text)) + (count_terminator ? 1 : 0);
}
int text_length(LPCWSTR text, int length) {
  if (length >= 0) return length;
  int n = 0;
  while (text[n]) ++n;
  return n + 1;
}

// A from-Unicode callback that substitutes as ICU's own does and notes that
// it did, for lpUsedDefaultChar.
void note_substitution(const void* context, UConverterFromUnicodeArgs* args, const UChar* units,
                       int32_t length, UChar32 code_point, UConverterCallbackReason reason,
                       UErrorCode* status) {
  if (reason <= UCNV_IRREGULAR) *static_cast<bool*>(const_cast<void*>(context)) = true;
  UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, units, length, code_point, reason, status);
}

// Installs the substitution callback (and a caller's default character) on a
// locked converter for one call, and puts the defaults back afterwards.
class SubstitutionScope {
 public:
  SubstitutionScope(UConverter* converter, LPCSTR default_char) : converter_(converter) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter_, note_substitution, &used_, &old_action_, &old_context_, &status);
    if (default_char && *default_char) {
      custom_default_ = true;
      ucnv_setSubstChars(converter_, default_char, static_cast<int8_t>(strnlen(default_char, 2)), &status);
    }
  }
  ~SubstitutionScope() {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter_, old_action_, old_context_, nullptr, nullptr, &status);
    if (custom_default_) ucnv_setSubstChars(converter_, "?", 1, &status);
  }
  SubstitutionScope(const SubstitutionScope&) = delete;
  SubstitutionScope& operator=(const SubstitutionScope&) = delete;

  bool used() const { return used_; }

 private:
  UConverter* converter_;
  bool used_ = false;
  bool custom_default_ = false;
  UConverterFromUCallback old_action_ = nullptr;
  const void* old_context_ = nullptr;
};

// Converts all of [source, source_end) into `out` of `capacity` units and
// answers the size the whole result needs (counting on past the end of a
// short buffer), or -1 when ICU fails. Nothing is written beyond the result:
// Windows adds no terminator of its own.
template <typename Out, typename In, typename Step>
int32_t convert_all(Out* out, int capacity, const In* source, const In* source_end, Step step) {
  Out scratch[512];
  Out* target = capacity > 0 ? out : scratch;
  Out* limit = capacity > 0 ? out + capacity : scratch + std::size(scratch);
  Out* begin = target;
  int32_t total = 0;
  for (;;) {
    UErrorCode status = U_ZERO_ERROR;
    step(&target, limit, &source, source_end, &status);
    total += static_cast<int32_t>(target - begin);
    if (status != U_BUFFER_OVERFLOW_ERROR) return U_SUCCESS(status) ? total : -1;
    begin = target = scratch;
    limit = scratch + std::size(scratch);
  }
}

int32_t to_utf16(UConverter* converter, UChar* out, int capacity, const char* bytes, int length) {
  ucnv_resetToUnicode(converter);
  return convert_all(out, capacity, bytes, bytes + length,
                     [converter](UChar** target, UChar* limit, const char** source, const char* end, UErrorCode* status) {
                       ucnv_toUnicode(converter, target, limit, source, end, nullptr, true, status);
                     });
}

int32_t from_utf16(UConverter* converter, char* out, int capacity, const UChar* text, int length) {
  ucnv_resetFromUnicode(converter);
  return convert_all(out, capacity, text, text + length,
                     [converter](char** target, char* limit, const UChar** source, const UChar* end, UErrorCode* status) {
                       ucnv_fromUnicode(converter, target, limit, source, end, nullptr, true, status);
                     });
}

// Bytes to UTF-16 through the code page's converter; false when ICU fails.
bool decode(UINT code_page, std::string_view bytes, icu::UnicodeString& text) {
  LockedConverter locked = converter_for(code_page);
  if (!locked.converter) return false;
  UErrorCode status = U_ZERO_ERROR;
  text = icu::UnicodeString(bytes.data(), static_cast<int32_t>(bytes.size()), locked.converter, status);
  return U_SUCCESS(status);
}

// UTF-16 to bytes into `out` of `capacity` bytes (0 = size query). Answers
// the size needed, or -1 when ICU fails.
int encode(UINT code_page, const UChar* text, int length, char* out, int capacity) {
  LockedConverter locked = converter_for(code_page);
  if (!locked.converter) return -1;
  return from_utf16(locked.converter, out, capacity, text, length);
}

// Answers the size the result needs, or fails as Windows does when the
// caller's buffer is too small.
int finish(int needed, int capacity) {
  if (needed < 0) return fail_with(ERROR_NO_UNICODE_TRANSLATION, 0);
  if (capacity != 0 && needed > capacity) return fail_with(ERROR_INSUFFICIENT_BUFFER, 0);
  return needed;
}

struct ChineseMappings {
  std::mutex mutex;  // a transliterator is not safe to share between threads
  std::unique_ptr<icu::Transliterator> to_simplified;
  std::unique_ptr<icu::Transliterator> to_traditional;
};

// Runs `text` through the one transliterator for the flag; false when ICU
// cannot open it.
bool transliterate(DWORD flag, icu::UnicodeString& text) {
  static ChineseMappings mappings;
  std::lock_guard lock(mappings.mutex);
  auto& slot = flag == LCMAP_SIMPLIFIED_CHINESE ? mappings.to_simplified : mappings.to_traditional;
  if (!slot) {
    keep_icu_loaded();
    UErrorCode status = U_ZERO_ERROR;
    const char* id = flag == LCMAP_SIMPLIFIED_CHINESE ? "Traditional-Simplified" : "Simplified-Traditional";
    slot.reset(icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
    if (U_FAILURE(status)) slot.reset();
    if (!slot) return false;
  }
  slot->transliterate(text);
  return true;
}

enum class Collation { kRoot, kPinyin, kStroke };

// Collator::compare is const and safe to share once opened.
const icu::Collator* collator_for(Collation kind) {
  static std::mutex mutex;
  static std::unique_ptr<icu::Collator> collators[3];
  std::lock_guard lock(mutex);
  auto& slot = collators[static_cast<int>(kind)];
  if (!slot) {
    keep_icu_loaded();
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = kind == Collation::kPinyin   ? icu::Locale("zh@collation=pinyin")
                         : kind == Collation::kStroke ? icu::Locale("zh@collation=stroke")
                                                      : icu::Locale::getRoot();
    slot.reset(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status)) slot.reset();
  }
  return slot.get();
}

}  // namespace
}  // namespace winapi::posix

using namespace winapi::posix;

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
  UINT code_page = resolve_code_page(CodePage);
  if (!lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 || (cchWideChar > 0 && !lpWideCharStr) ||
      !is_supported_code_page(code_page))
    return fail_with(ERROR_INVALID_PARAMETER, 0);
  // Only the default behaviour: invalid bytes become a replacement character.
  if (dwFlags != 0) return fail_with(ERROR_INVALID_FLAGS, 0);
  int length = text_length(lpMultiByteStr, cbMultiByte, true);

  LockedConverter locked = converter_for(code_page);
  if (!locked.converter) return fail_with(ERROR_INVALID_PARAMETER, 0);
  return finish(to_utf16(locked.converter, lpWideCharStr, cchWideChar, lpMultiByteStr, length), cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
  UINT code_page = resolve_code_page(CodePage);
  if (!lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr) ||
      !is_supported_code_page(code_page))
    return fail_with(ERROR_INVALID_PARAMETER, 0);
  // UTF-8 has every character: Windows refuses a default character for it.
  if (code_page == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar)) return fail_with(ERROR_INVALID_PARAMETER, 0);
  if (dwFlags != 0) return fail_with(ERROR_INVALID_FLAGS, 0);
  int length = text_length(lpWideCharStr, cchWideChar);

  LockedConverter locked = converter_for(code_page);
  if (!locked.converter) return fail_with(ERROR_INVALID_PARAMETER, 0);
  SubstitutionScope substitution(locked.converter, lpDefaultChar);
  int32_t needed = from_utf16(locked.converter, lpMultiByteStr, cbMultiByte, lpWideCharStr, length);
  if (lpUsedDefaultChar) *lpUsedDefaultChar = substitution.used() ? TRUE : FALSE;
  return finish(needed, cbMultiByte);
}

int WINAPI LCMapStringA(LCID Locale, DWORD dwMapFlags, LPCSTR lpSrcStr, int cchSrc, LPSTR lpDestStr,
                        int cchDest) {
  if (!lpSrcStr || cchSrc == 0 || cchDest < 0 || (cchDest > 0 && !lpDestStr))
    return fail_with(ERROR_INVALID_PARAMETER, 0);
  if (dwMapFlags != LCMAP_SIMPLIFIED_CHINESE && dwMapFlags != LCMAP_TRADITIONAL_CHINESE)
    return fail_with(ERROR_INVALID_FLAGS, 0);
  UINT code_page = code_page_of(resolve_language(Locale));
  int length = text_length(lpSrcStr, cchSrc, true);

  icu::UnicodeString text;
  if (!decode(code_page, std::string_view(lpSrcStr, static_cast<size_t>(length)), text))
    return fail_with(ERROR_NO_UNICODE_TRANSLATION, 0);
  if (!transliterate(dwMapFlags, text)) return fail_with(ERROR_INVALID_FLAGS, 0);
  const icu::UnicodeString& mapped = text;
  int needed = encode(code_page, mapped.getBuffer(), mapped.length(), lpDestStr, cchDest);
  return finish(needed, cchDest);
}

int WINAPI CompareStringA(LCID Locale, DWORD dwCmpFlags, LPCSTR lpString1, int cchCount1, LPCSTR lpString2,
                          int cchCount2) {
  if (!lpString1 || !lpString2) return fail_with(ERROR_INVALID_PARAMETER, 0);
  if (dwCmpFlags != 0) return fail_with(ERROR_INVALID_FLAGS, 0);
  LANGID language = resolve_language(Locale);
  Collation kind = !is_chinese(language)                         ? Collation::kRoot
                   : SORTIDFROMLCID(Locale) == SORT_CHINESE_STROKE ? Collation::kStroke
                                                                   : Collation::kPinyin;
  const icu::Collator* collator = collator_for(kind);
  if (!collator) return fail_with(ERROR_INVALID_PARAMETER, 0);

  UINT code_page = code_page_of(language);
  icu::UnicodeString first, second;
  if (!decode(code_page, std::string_view(lpString1, static_cast<size_t>(text_length(lpString1, cchCount1, false))), first) ||
      !decode(code_page, std::string_view(lpString2, static_cast<size_t>(text_length(lpString2, cchCount2, false))), second))
    return fail_with(ERROR_NO_UNICODE_TRANSLATION, 0);
  UErrorCode status = U_ZERO_ERROR;
  UCollationResult order = collator->compare(first, second, status);
  if (U_FAILURE(status)) return fail_with(ERROR_INVALID_PARAMETER, 0);
  return order == UCOL_LESS ? CSTR_LESS_THAN : order == UCOL_EQUAL ? CSTR_EQUAL : CSTR_GREATER_THAN;
}
