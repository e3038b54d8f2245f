// The input sizes the MD5 benchmarks run at, with their labels.
#pragma once

namespace md5bench {

struct Size {
  long bytes;
  const char* label;
};

inline constexpr Size kUpdateSizes[] = {
    {16, "16 B"}, {1 << 10, "1 KiB"}, {64 << 10, "64 KiB"}, {1 << 20, "1 MiB"}};

// The file MD5File is measured on.
inline constexpr long kFileSize = 256L << 20;
inline constexpr const char* kFileLabel = "256 MiB";

}  // namespace md5bench
