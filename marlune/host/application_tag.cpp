#include "marlune/host/application_tag.h"

#include "marlune/host/lck.h"
#include "marlune/host/parameters.h"

namespace marlune::host {

std::optional<std::string> ApplicationTag() {
  Value tag{};
  _Evaluate(&tag, "_screen.tag");
  if (tag.ev_type != 'C') return std::nullopt;
  std::optional<std::string> text;
  if (tag.ev_length > 0) text = std::string(CharParam(tag).text());
  _FreeHand(tag.ev_handle);
  return text;
}

}  // namespace marlune::host
