// OpenSSL's MD5 as the oracle the digest tests compare against.
#pragma once

#include <openssl/evp.h>

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace oracle {

// One MD5 computation through OpenSSL's EVP interface, fed in any pieces.
class OpensslMd5 {
 public:
  OpensslMd5() : ctx_(EVP_MD_CTX_new(), &EVP_MD_CTX_free) {
    if (!ctx_ || EVP_DigestInit_ex(ctx_.get(), EVP_md5(), nullptr) != 1) {
      throw std::runtime_error("EVP MD5 init failed");
    }
  }

  void Update(const void* data, std::size_t size) {
    if (EVP_DigestUpdate(ctx_.get(), data, size) != 1) throw std::runtime_error("EVP update");
  }

  // The digest as 32 lower-case hexadecimal digits.
  std::string HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(ctx_.get(), digest, &size) != 1) throw std::runtime_error("EVP final");
    std::string text;
    for (unsigned int i = 0; i < size; ++i) {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02x", digest[i]);
      text += hex;
    }
    return text;
  }

 private:
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx_;
};

inline std::string Md5Hex(const void* data, std::size_t size) {
  OpensslMd5 md5;
  md5.Update(data, size);
  return md5.HexDigest();
}

// Streams a file through OpenSSL in fixed pieces; "" when it cannot be read.
inline std::string Md5HexOfFile(const std::string& path) {
  std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return "";
  OpensslMd5 md5;
  std::unique_ptr<unsigned char[]> piece(new unsigned char[1 << 20]);
  std::size_t got;
  while ((got = std::fread(piece.get(), 1, 1 << 20, file.get())) > 0) md5.Update(piece.get(), got);
  return md5.HexDigest();
}

}  // namespace oracle
