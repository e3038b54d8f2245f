// XTEncryptFileBuffer2, XTEncryptByteBlock2 and XTRunFoxBatch2.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <winapi/windows.h>

#include "marlune/crypto/block_cipher.h"
#include "marlune/crypto/byte_operations.h"
#include "marlune/crypto/registered_functions.h"
#include "marlune/host/host_errors.h"
#include "marlune/host/library_state.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"

namespace marlune {
namespace {

// Loaded on the first buffer call, freed by the unload hook.
unsigned char* g_key_stream = nullptr;
size_t g_key_stream_length = 0;

void LoadResourceKey() {
  if (g_key_stream != nullptr) return;
  HMODULE module = host::Library().module;
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(117), "MYRES");
  DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
  const void* bytes = size != 0 ? LockResource(LoadResource(module, found)) : nullptr;
  if (bytes == nullptr) {
    MessageBoxA(nullptr, "Fll Resource Invalid !!!", "Velko_fll by dorvaine", MB_OK);
    return;
  }
  auto* stream = static_cast<unsigned char*>(malloc(size));
  if (stream == nullptr) return;
  memcpy(stream, bytes, size);
  crypto::ReverseTail(reinterpret_cast<char*>(stream), size, 53);
  g_key_stream_length = size;
  g_key_stream = stream;
}

// Each line of `text` (up to its NUL) goes to the host as it is; CR and LF
// end lines, and empty lines run nothing.
void RunBatchLines(const char* text) {
  std::string copy(text);
  size_t start = 0;
  for (size_t i = 0; i <= copy.size(); ++i) {
    if (i == copy.size() || copy[i] == '\r' || copy[i] == '\n') {
      if (i > start) {
        copy[i] = '\0';
        _Execute(copy.c_str() + start);
      }
      start = i + 1;
    }
  }
}

}  // namespace

crypto::KeyStream ResourceKeyStream() {
  LoadResourceKey();
  return {g_key_stream, g_key_stream_length};
}

void ReleaseResourceKey() {
  free(g_key_stream);
  g_key_stream = nullptr;
  g_key_stream_length = 0;
}

void XTEncryptFileBuffer2(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0 || host::ParamValue(parm, 2).ev_length == 0) {
    return host::ReturnText("");
  }
  bool encrypt = host::IntParam(parm, 3) == 1;
  crypto::KeyStream stream = ResourceKeyStream();
  // Without the key stream nothing is enciphered: the caller gets "".
  if (stream.bytes == nullptr) return host::ReturnText("");
  Value& data_value = host::ParamValue(parm, 1);
  uint32_t length = data_value.ev_length;
  if (encrypt ? length > UINT32_MAX - crypto::kCheckRecordSize : length <= crypto::kCheckRecordSize) {
    return host::ReturnText("");
  }
  uint32_t output_length = encrypt ? length + crypto::kCheckRecordSize : length - crypto::kCheckRecordSize;
  MHANDLE output = _AllocHand(output_length);
  if (output == 0) _Error(host::kErrorNoMemory);
  int result;
  {
    host::CharParam key(parm, 2);
    _HLock(data_value.ev_handle);
    _HLock(output);
    const auto* data = static_cast<const unsigned char*>(_HandToPtr(data_value.ev_handle));
    auto* out = static_cast<unsigned char*>(_HandToPtr(output));
    result = encrypt ? crypto::EncryptBuffer(out, data, length, key.c_str(), stream)
                     : crypto::DecryptBuffer(out, data, length, key.c_str(), stream);
    _HUnLock(output);
    _HUnLock(data_value.ev_handle);
  }
  if (result == 1) {
    Value value{};
    value.ev_type = 'C';
    value.ev_length = output_length;
    value.ev_handle = output;
    _RetVal(&value);
  } else {
    host::ReturnText("");
  }
  _FreeHand(output);
}

void XTEncryptByteBlock2(ParamBlk* parm) {
  Locator& variable = host::ParamLocator(parm, 1);
  Value value{};
  host::RaiseIfFailed(_Load(&variable, &value));
  if (value.ev_type != 'C') _Error(host::kErrorDataTypeMismatch);
  if (value.ev_length == 0) {
    _FreeHand(value.ev_handle);
    return;
  }
  _HLock(value.ev_handle);
  unsigned char key[crypto::kBatchKeyLength + 1];
  crypto::BuildBatchKey(key);
  crypto::BlockEncrypt(static_cast<unsigned char*>(_HandToPtr(value.ev_handle)), value.ev_length, key,
                       crypto::kBatchKeyLength);
  _HUnLock(value.ev_handle);
  int stored = _Store(&variable, &value);
  _FreeHand(value.ev_handle);
  host::RaiseIfFailed(stored);
}

void XTRunFoxBatch2(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0) return;
  std::string text;
  {
    host::CharParam block(parm, 1);
    text.assign(block.data(), block.length());
  }
  unsigned char key[crypto::kBatchKeyLength + 1];
  crypto::BuildBatchKey(key);
  crypto::BlockDecrypt(reinterpret_cast<unsigned char*>(text.data()), text.size(), key, crypto::kBatchKeyLength);
  RunBatchLines(text.c_str());
}

}  // namespace marlune
