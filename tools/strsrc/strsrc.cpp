// strsrc: makes the string streams LoadStringSrcStream reads, and checks them.
//
//   strsrc SOURCE.txt STREAM.bin   encipher a string-source text
//   strsrc --check STREAM.bin      load a stream as the library does and list its strings
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "marlune/crypto/byte_operations.h"
#include "marlune/text/string_stream.h"

namespace {

using marlune::text::kStreamRecordSize;

bool ReadFile(const char* path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int Make(const char* source, const char* target) {
  std::string text;
  if (!ReadFile(source, text)) {
    fprintf(stderr, "strsrc: cannot read %s\n", source);
    return 1;
  }
  if (text.empty() || text.size() > UINT32_MAX - kStreamRecordSize) {
    fprintf(stderr, "strsrc: %s is empty or too large\n", source);
    return 1;
  }
  unsigned char record[kStreamRecordSize];
  marlune::text::BuildStreamRecord(record, static_cast<uint32_t>(text.size()), marlune::text::kStreamKey);
  char payload_key[33];
  marlune::text::DeriveStreamKey(payload_key, record, marlune::text::kStreamKey);
  marlune::crypto::XorWithKeyPlus53(text.data(), text.size(), payload_key);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.write(reinterpret_cast<const char*>(record), kStreamRecordSize);
  if (!out.flush()) {
    fprintf(stderr, "strsrc: cannot write %s\n", target);
    return 1;
  }
  return 0;
}

int Check(const char* path) {
  std::string stream;
  if (!ReadFile(path, stream)) {
    fprintf(stderr, "strsrc: cannot read %s\n", path);
    return 1;
  }
  if (stream.size() <= kStreamRecordSize) {
    fprintf(stderr, "strsrc: %s is too short to be a stream\n", path);
    return 1;
  }
  std::vector<unsigned char> text(stream.size() - kStreamRecordSize);
  if (marlune::text::DecodeStringStream(reinterpret_cast<const unsigned char*>(stream.data()), stream.size(),
                                        text.data(), marlune::text::kStreamKey) != 1) {
    fprintf(stderr, "strsrc: %s does not open under this build's stream key\n", path);
    return 1;
  }
  marlune::text::StringSrcTable table;
  uint32_t count = table.LoadText(text.data(), text.size());
  for (uint32_t n = 1; n <= count; ++n) printf("%u\t%s\n", n, table.GetById(n));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--check") return Check(argv[2]);
  if (argc == 3 && argv[1][0] != '-') return Make(argv[1], argv[2]);
  fprintf(stderr, "usage: strsrc SOURCE.txt STREAM.bin\n       strsrc --check STREAM.bin\n");
  return 2;
}
