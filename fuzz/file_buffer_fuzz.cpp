// XTEncryptFileBuffer2: deciphering any buffer under any key, and
// enciphering any bytes and deciphering them back.
//
// An input is a mode byte, the key up to a NUL, and the buffer. With bit 0
// of the mode set, a key stream up to a second NUL comes before the buffer;
// otherwise the buffer is read under the library's own key stream, resource
// "MYRES" 117, which this program declares the way marlune.fll does.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <winapi/windows.h>

#include "fuzz/fuzz_check.h"
#include "marlune/crypto/block_cipher.h"
#include "marlune/crypto/registered_functions.h"
#include "marlune/host/library_state.h"

namespace {

using marlune::crypto::kCheckRecordSize;
using marlune::crypto::KeyStream;

KeyStream g_resource_stream;

// The part of `input` up to its first NUL; `input` moves past the NUL.
std::string_view TakeUpToNul(std::string_view& input) {
  size_t end = input.find('\0');
  std::string_view part = input.substr(0, end);
  input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  return part;
}

const unsigned char* Bytes(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The library's module is this program, which holds the resource.
  marlune::host::StartLibrary(GetModuleHandleA(nullptr));
  g_resource_stream = marlune::ResourceKeyStream();
  FUZZ_CHECK(g_resource_stream.bytes != nullptr && g_resource_stream.length > 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  bool own_stream = (data[0] & 1) != 0;
  std::string key(TakeUpToNul(input));  // NUL-terminated, as the library passes it
  KeyStream stream = g_resource_stream;
  if (own_stream) {
    std::string_view bytes = TakeUpToNul(input);
    if (!bytes.empty()) stream = {Bytes(bytes), bytes.size()};
  }
  // Exact-size copies, so the sanitizer sees any access past either end.
  std::vector<unsigned char> buffer(input.begin(), input.end());
  size_t count = buffer.size();

  // Any buffer: too short or keyless gives 0, a trailer that does not fit
  // this key and length gives -1; a buffer that deciphers enciphers back to itself.
  if (count > kCheckRecordSize) {
    std::vector<unsigned char> plain(count - kCheckRecordSize);
    int result = marlune::crypto::DecryptBuffer(plain.data(), buffer.data(), count, key.c_str(), stream);
    if (key.empty()) {
      FUZZ_CHECK(result == 0);
    } else {
      FUZZ_CHECK(result == 1 || result == -1);
    }
    if (result == 1) {
      std::vector<unsigned char> again(count);
      FUZZ_CHECK(marlune::crypto::EncryptBuffer(again.data(), plain.data(), plain.size(), key.c_str(), stream) == 1);
      FUZZ_CHECK(again == buffer);
    }
  } else {
    FUZZ_CHECK(marlune::crypto::DecryptBuffer(nullptr, buffer.data(), count, key.c_str(), stream) == 0);
  }

  // Any bytes as the payload: 84 bytes longer enciphered, the same deciphered.
  if (count == 0 || key.empty()) {
    FUZZ_CHECK(marlune::crypto::EncryptBuffer(nullptr, buffer.data(), count, key.c_str(), stream) == 0);
    return 0;
  }
  std::vector<unsigned char> encrypted(count + kCheckRecordSize);
  FUZZ_CHECK(marlune::crypto::EncryptBuffer(encrypted.data(), buffer.data(), count, key.c_str(), stream) == 1);
  std::vector<unsigned char> decrypted(count);
  FUZZ_CHECK(marlune::crypto::DecryptBuffer(decrypted.data(), encrypted.data(), encrypted.size(), key.c_str(),
                                            stream) == 1);
  FUZZ_CHECK(decrypted == buffer);
  return 0;
}
