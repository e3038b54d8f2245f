// XTEncryptTxt1 (Base64, a suffix and a permutation) and XTEncryptTxt2
// (XOR with key bytes plus 53).
#include "marlune/crypto/text_ciphers.h"

#include <string>

#include "marlune/crypto/base64_codec.h"
#include "marlune/crypto/byte_operations.h"
#include "marlune/crypto/registered_functions.h"
#include "marlune/host/host_errors.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"

namespace marlune {
namespace {

// Appended to the Base64 text before the permutation. Stored texts were
// made with it, so it never changes.
constexpr char kTxt1Suffix[] = "abcd";
constexpr size_t kTxt1SuffixLength = sizeof kTxt1Suffix - 1;

// The key of XTEncryptTxt2 when the caller gives none.
constexpr char kTxt2FixedKey[] = "Zq4:Rovamel-Kestun/Bayo8prodi_Lemmix+T0vQ";

// t[0..m) becomes t[1], t[0], t[m-1], t[m-2], ..., t[2]; its own inverse.
void Permute(char* text, size_t length) {
  crypto::RotateBytesLeft(text, length, 1);
  crypto::ReverseTail(text, length, 0);
  crypto::RotateBytesRight(text, length, 1);
}

}  // namespace

std::string crypto::EncryptTxt1(const char* text, size_t length) {
  if (length == 0) return "";
  Base64Codec codec;
  codec.EncodeBytes(reinterpret_cast<const unsigned char*>(text), static_cast<uint32_t>(length));
  std::string result(codec.GetEncoded(), codec.GetEncodedLength());
  result += kTxt1Suffix;
  Permute(result.data(), result.size());
  return result;
}

std::string crypto::DecryptTxt1(const char* text, size_t length) {
  // Too short to hold the suffix: nothing to decode.
  if (length < kTxt1SuffixLength) return "";
  std::string permuted(text, length);
  Permute(permuted.data(), permuted.size());
  Base64Codec codec;
  codec.DecodeBytes(permuted.data(), static_cast<uint32_t>(permuted.size() - kTxt1SuffixLength));
  return reinterpret_cast<const char*>(codec.GetDecoded());  // up to the first NUL
}

void XTEncryptTxt1(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0) return host::ReturnText("");
  bool encrypt = host::IntParam(parm, 2) == 1;
  std::string result;
  {
    host::CharParam text(parm, 1);
    result = encrypt ? crypto::EncryptTxt1(text.data(), text.length())
                     : crypto::DecryptTxt1(text.data(), text.length());
  }
  host::ReturnText(result.c_str());
}

// Scrambles the variable in place; a second call with the same key undoes it.
void XTEncryptTxt2(ParamBlk* parm) {
  Locator& variable = host::ParamLocator(parm, 1);
  Value value{};
  host::RaiseIfFailed(_Load(&variable, &value));
  if (value.ev_type != 'C') _Error(host::kErrorDataTypeMismatch);
  bool keyed = host::HasParam(parm, 2);
  if (value.ev_length == 0 || (keyed && host::ParamValue(parm, 2).ev_length == 0)) {
    _FreeHand(value.ev_handle);
    return;
  }
  _HLock(value.ev_handle);
  auto* data = static_cast<char*>(_HandToPtr(value.ev_handle));
  if (keyed) {
    host::CharParam key(parm, 2);
    crypto::XorWithKeyPlus53(data, value.ev_length, key.c_str());
  } else if (value.ev_length >= 4) {
    crypto::XorWithKeyPlus53(data, value.ev_length, kTxt2FixedKey);
  }
  _HUnLock(value.ev_handle);
  int stored = _Store(&variable, &value);
  _FreeHand(value.ev_handle);
  host::RaiseIfFailed(stored);
}

}  // namespace marlune
