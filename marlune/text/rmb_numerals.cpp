// XTRmbNumToCnChar: a money amount in yuan in the capital numerals of
// Chinese cheques, from 仟万 down to 分. Texts are GB2312, two bytes a character.
#include <cstdio>
#include <string>
#include <string_view>

#include "marlune/host/parameters.h"
#include "marlune/host/results.h"
#include "marlune/text/registered_functions.h"

namespace marlune {
namespace {

constexpr std::string_view kDigits =  // 零壹贰叁肆伍陆柒捌玖
    "\xC1\xE3\xD2\xBC\xB7\xA1\xC8\xFE\xCB\xC1\xCE\xE9\xC2\xBD\xC6\xE2\xB0\xC6\xBE\xC1";
constexpr std::string_view kUnits =  // 分角元拾佰仟万拾佰仟, by place from the right in 分
    "\xB7\xD6\xBD\xC7\xD4\xAA\xCA\xB0\xB0\xDB\xC7\xAA\xCD\xF2\xCA\xB0\xB0\xDB\xC7\xAA";
constexpr std::string_view kZero = "\xC1\xE3";   // 零
constexpr std::string_view kWhole = "\xD5\xFB";  // 整
constexpr std::string_view kFen = "\xB7\xD6";    // 分
constexpr char kOverflow[] = "****************";
constexpr char kNotPositive[] = "[\xC1\xE3\xC1\xE3\xC1\xE3]";  // [零零零]
constexpr double kLargest = 99999999.99;
constexpr int kYuanPlace = 2;
constexpr int kWanPlace = 6;

std::string_view Character(std::string_view table, int index) { return table.substr(2 * static_cast<size_t>(index), 2); }

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string RmbNumerals(double amount, bool zero_after_unit) {
  if (!(amount > 0)) return kNotPositive;
  if (amount > kLargest) return kOverflow;
  char digits[32];
  int n = std::snprintf(digits, sizeof digits, "%.0lf", amount * 100);

  std::string result;
  int last = -1;  // the last digit written, or the last zero 元/万 place
  for (int i = 0; i < n; ++i) {
    int place = n - 1 - i;
    if (digits[i] != '0') {
      if (i - last > 1 && !EndsWith(result, kZero)) result += kZero;
      result += Character(kDigits, digits[i] - '0');
      last = i;
      result += Character(kUnits, place);
    } else if (place == kWanPlace || place == kYuanPlace) {
      last = i;
      if (EndsWith(result, kZero)) result.resize(result.size() - kZero.size());
      result += Character(kUnits, place);
      if (zero_after_unit) result += kZero;
    }
  }
  if (EndsWith(result, kZero)) result.resize(result.size() - kZero.size());
  if (!EndsWith(result, kFen)) result += kWhole;
  return result;
}

}  // namespace

void XTRmbNumToCnChar(ParamBlk* parm) {
  bool zero_after_unit = !host::HasParam(parm, 2) || host::LogicalParam(parm, 2);
  host::ReturnText(RmbNumerals(host::NumParam(parm, 1), zero_after_unit).c_str());
}

}  // namespace marlune
