// Chinese text: GB2312/Big5 conversion through the system's code pages and
// its simplified/traditional mapping, pinyin initials and stroke counts
// through its Chinese collations. The library holds no dictionary: two
// tables of boundary characters (code page 936) place a character between
// them in pinyin or stroke order.
#include <winapi/windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "marlune/host/parameters.h"
#include "marlune/host/results.h"
#include "marlune/text/registered_functions.h"

namespace marlune {
namespace {

constexpr UINT kBig5 = 950;
constexpr UINT kGb2312 = 936;
constexpr LCID kPrc = 0x0804;
constexpr LCID kPrcStroke = 0x00020804;

// Pinyin initials (no I, U or V), and the first character of each in pinyin
// order: 匝丫夕哇他撒然七趴哦拿妈廓咖讥哈嘎发讹搭擦八阿. L starts at 廓, so
// that characters read "la" (which sort after it) get L.
constexpr char kPinyinLetters[] = "ZYXWTSRQPONMLKJHGFEDCBA";
constexpr char kPinyinBoundaries[] =
    "\xD4\xD1\xD1\xBE\xCF\xA6\xCD\xDB\xCB\xFB\xC8\xF6\xC8\xBB\xC6\xDF\xC5\xBF\xC5\xB6\xC4\xC3\xC2\xE8"
    "\xC0\xAA\xBF\xA7\xBC\xA5\xB9\xFE\xB8\xC2\xB7\xA2\xB6\xEF\xB4\xEE\xB2\xC1\xB0\xCB\xB0\xA2";
constexpr int kPinyinCount = 23;

// Entry j is the first character, in stroke order, with j+1 strokes:
// 一二三不且丞丣並临丵乾亁亂僊僵亸償儭儳儶儷亹儽儾囔圞灥囖灩灪 (several
// from the GBK extension of code page 936).
constexpr char kStrokeBoundaries[] =
    "\xD2\xBB\xB6\xFE\xC8\xFD\xB2\xBB\xC7\xD2\xD8\xA9\x81\x4A\x81\x4B\xC1\xD9\x81\x51"
    "\xC7\xAC\x81\x78\x81\x79\x83\x4D\xBD\xA9\x81\x8F\x83\x94\x83\xA1\x83\xA7\x83\xAA"
    "\x83\xAB\x81\x90\x83\xB1\x83\xB2\xE0\xEC\x88\x4B\x9E\xB5\x87\xDE\x9E\xB9\x9E\xBA";
constexpr int kStrokeCount = 30;

static_assert(sizeof kPinyinBoundaries == 2 * kPinyinCount + 1);
static_assert(sizeof kPinyinLetters == kPinyinCount + 1);
static_assert(sizeof kStrokeBoundaries == 2 * kStrokeCount + 1);

// Bytes 0x00-0x7E stand alone; 0x7F-0xFF lead a two-byte character.
bool IsSingleByte(char c) { return static_cast<unsigned char>(c) <= 0x7E; }

std::string Big5ToGb2312(const char* big5) {
  int wide_count = MultiByteToWideChar(kBig5, 0, big5, -1, nullptr, 0);
  if (wide_count <= 0) return {};
  std::vector<WCHAR> wide(static_cast<size_t>(wide_count) + 1);
  MultiByteToWideChar(kBig5, 0, big5, -1, wide.data(), wide_count);
  int size = WideCharToMultiByte(kGb2312, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::vector<char> gbk(static_cast<size_t>(size) + 1), simplified(static_cast<size_t>(size) + 1);
  WideCharToMultiByte(kGb2312, 0, wide.data(), -1, gbk.data(), size, nullptr, nullptr);
  LCMapStringA(kPrc, LCMAP_SIMPLIFIED_CHINESE, gbk.data(), -1, simplified.data(), size);
  return simplified.data();
}

std::string Gb2312ToBig5(const char* gbk) {
  int wide_count = MultiByteToWideChar(kGb2312, 0, gbk, -1, nullptr, 0);
  if (wide_count <= 0) return {};
  std::vector<char> traditional(2 * static_cast<size_t>(wide_count) + 1);
  LCMapStringA(kPrc, LCMAP_TRADITIONAL_CHINESE, gbk, -1, traditional.data(), 2 * wide_count);
  std::vector<WCHAR> wide(static_cast<size_t>(wide_count) + 1);
  if (MultiByteToWideChar(kGb2312, 0, traditional.data(), -1, wide.data(), wide_count) <= 0) return {};
  int size = WideCharToMultiByte(kBig5, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::vector<char> big5(static_cast<size_t>(size) + 1);
  WideCharToMultiByte(kBig5, 0, wide.data(), -1, big5.data(), size, nullptr, nullptr);
  return big5.data();
}

std::string PinyinInitials(std::string_view text) {
  std::string out;
  const char* s = text.data();
  for (size_t i = 0; i < text.size();) {
    if (IsSingleByte(s[i])) {
      out += s[i++];
      continue;
    }
    int k = 0;
    while (k < kPinyinCount &&
           CompareStringA(kPrc, 0, s + i, 2, kPinyinBoundaries + 2 * k, 2) < CSTR_EQUAL)
      ++k;
    if (k < kPinyinCount) {
      out += kPinyinLetters[k];
    } else {
      // Sorts before 阿: the character stays. A lead byte paired with the
      // terminator ends the text.
      out += s[i];
      if (s[i + 1] == '\0') break;
      out += s[i + 1];
    }
    i += 2;
  }
  return out;
}

std::string StrokeCounts(std::string_view text, int32_t mode) {
  if (mode != 0 && mode != 1) return {};
  std::string out;
  int total = 0;
  const char* s = text.data();
  for (size_t i = 0; i < text.size();) {
    if (IsSingleByte(s[i])) {
      ++i;
      continue;
    }
    int j = 0;
    while (j < kStrokeCount &&
           CompareStringA(kPrcStroke, 0, s + i, 2, kStrokeBoundaries + 2 * j, 2) != CSTR_LESS_THAN)
      ++j;
    // Before 一 (j = 0) or at 30 strokes and more (no boundary after it): not counted.
    if (j > 0 && j < kStrokeCount) {
      total += j;
      if (mode == 1) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", j);
        out += digits;
      }
    }
    i += 2;
  }
  if (mode == 0) out = std::to_string(total);
  return out;
}

// The common frame: "" for an empty parameter, else the conversion of the
// text up to its first NUL.
template <typename Convert>
void ConvertText(ParamBlk* parm, Convert convert) {
  if (host::ParamValue(parm, 1).ev_length == 0) return host::ReturnText("");
  host::CharParam text(parm, 1);
  std::string result = convert(text);
  host::ReturnText(result.c_str());
}

}  // namespace

void XTBig5ToGb2312(ParamBlk* parm) {
  ConvertText(parm, [](const host::CharParam& text) { return Big5ToGb2312(text.c_str()); });
}

void XTGb2312ToBig5(ParamBlk* parm) {
  ConvertText(parm, [](const host::CharParam& text) { return Gb2312ToBig5(text.c_str()); });
}

void XTCnCharToSpell(ParamBlk* parm) {
  ConvertText(parm, [](const host::CharParam& text) { return PinyinInitials(text.text()); });
}

void XTCnCharToStroke(ParamBlk* parm) {
  int32_t mode = host::HasParam(parm, 2) ? host::IntParam(parm, 2) : 0;
  ConvertText(parm, [mode](const host::CharParam& text) { return StrokeCounts(text.text(), mode); });
}

}  // namespace marlune
