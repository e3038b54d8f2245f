// A directory search behind a find handle: the matching entries, taken when
// the search starts, handed out one by one.
#pragma once

#include <vector>

#include <winapi/fileapi.h>

#include "posix/handle_table.h"

namespace winapi::posix {

class FindSearch : public KernelObject {
 public:
  explicit FindSearch(std::vector<WIN32_FIND_DATAA> entries) : entries_(std::move(entries)) {}

  // The next entry, or null when the search is exhausted.
  const WIN32_FIND_DATAA* next() { return next_ < entries_.size() ? &entries_[next_++] : nullptr; }

 private:
  std::vector<WIN32_FIND_DATAA> entries_;
  size_t next_ = 0;
};

}  // namespace winapi::posix
