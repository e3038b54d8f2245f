#include "foxhost/language/display.h"

#include <cmath>
#include <cstdio>

namespace foxhost::language {

std::string FormatNumber(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (!std::isfinite(rounded)) rounded = value;
  if (rounded == 0) rounded = 0;  // no "-0"
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
  return buffer;
}

namespace {

std::string PadLeft(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string Display(const FoxValue& value) {
  switch (value.type) {
    case 'C': return value.text;
    case 'N': return PadLeft(FormatNumber(value.number, value.decimals), value.width);
    case 'I': return PadLeft(std::to_string(value.integer), value.width);
    case 'L': return value.logical ? ".T." : ".F.";
    case 'O': return "(Object)";
    default: return ".NULL.";
  }
}

}  // namespace foxhost::language
