#include "marlune/crypto/md5_text.h"

#include <utility>

#include <digest/cmd5.h>
#include <digest/digest_text.h>
#include <winapi/msvcrt.h>

namespace marlune::crypto {

void Md5TextOfBuffer(char* output, const void* bytes, uint32_t count) {
  if (!output) return;
  CMD5 md5;
  md5.Init();
  md5.Update(static_cast<unsigned char*>(const_cast<void*>(bytes)), count);
  md5.Finalize();
  md5::WriteDigestText(md5.Digest(), output);
}

void Md5TextOfFile(char* output, const char* path) {
  if (!output) return;
  output[0] = '\0';
  FILE* file = msvcrt::fopen(path, "rb");
  if (!file) return;
  CMD5 md5;
  md5.Init();
  unsigned char block[1024];
  size_t read;
  while ((read = msvcrt::fread(block, 1, sizeof block, file)) > 0) {
    md5.Update(block, static_cast<unsigned int>(read));
  }
  // A read that failed part way would leave the digest of a prefix: no
  // digest at all is the honest answer.
  bool failed = msvcrt::ferror(file) != 0;
  md5.Finalize();
  msvcrt::fclose(file);
  if (!failed) md5::WriteDigestText(md5.Digest(), output);
}

void SwappedMd5Text(char* output, const void* bytes, uint32_t count) {
  if (!output) return;
  Md5TextOfBuffer(output, bytes, count);
  for (int k = 0; k < 16; ++k) std::swap(output[2 * k], output[2 * k + 1]);
}

}  // namespace marlune::crypto
