#include "posix/messages.h"

#include <algorithm>
#include <array>

#include <winapi/winerror.h>

namespace winapi::posix {
namespace {

struct Message {
  DWORD code;
  std::string_view text;
};

// Sorted by code. Texts are this system's own wording.
constexpr auto kMessages = std::to_array<Message>({
    {ERROR_SUCCESS, "The operation succeeded.\r\n"},
    {ERROR_INVALID_FUNCTION, "The function is not valid for this object.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The file does not exist.\r\n"},
    {ERROR_PATH_NOT_FOUND, "A folder on the path does not exist.\r\n"},
    {ERROR_TOO_MANY_OPEN_FILES, "Too many files are open.\r\n"},
    {ERROR_ACCESS_DENIED, "Access to the object was refused.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is not open or is of the wrong kind.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "There is not enough memory for this operation.\r\n"},
    {ERROR_INVALID_DATA, "The data is not valid.\r\n"},
    {ERROR_OUTOFMEMORY, "Memory ran out before the operation could finish.\r\n"},
    {ERROR_INVALID_DRIVE, "The drive does not exist.\r\n"},
    {ERROR_CURRENT_DIRECTORY, "The current folder cannot be removed.\r\n"},
    {ERROR_NOT_SAME_DEVICE, "The file cannot be moved to another device this way.\r\n"},
    {ERROR_NO_MORE_FILES, "No more files match.\r\n"},
    {ERROR_WRITE_PROTECT, "The medium is read-only.\r\n"},
    {ERROR_NOT_READY, "The device is not ready.\r\n"},
    {ERROR_SEEK, "The position cannot be set on this object.\r\n"},
    {ERROR_WRITE_FAULT, "The device could not be written.\r\n"},
    {ERROR_READ_FAULT, "The device could not be read.\r\n"},
    {ERROR_GEN_FAILURE, "The device reported an input or output failure.\r\n"},
    {ERROR_SHARING_VIOLATION, "The file is in use by another open handle that does not share it.\r\n"},
    {ERROR_LOCK_VIOLATION, "Part of the file is locked by another handle.\r\n"},
    {ERROR_HANDLE_EOF, "The end of the file was reached.\r\n"},
    {ERROR_HANDLE_DISK_FULL, "The disk is full.\r\n"},
    {ERROR_NOT_SUPPORTED, "This operation is not supported here.\r\n"},
    {ERROR_BAD_NETPATH, "The network path cannot be reached.\r\n"},
    {ERROR_NETWORK_ACCESS_DENIED, "The network refused access.\r\n"},
    {ERROR_BAD_NET_NAME, "The network name does not exist.\r\n"},
    {ERROR_FILE_EXISTS, "The file already exists.\r\n"},
    {ERROR_CANNOT_MAKE, "The file or folder could not be created.\r\n"},
    {ERROR_INVALID_PARAMETER, "A parameter is not valid.\r\n"},
    {ERROR_BROKEN_PIPE, "The other end of the pipe has closed.\r\n"},
    {ERROR_OPEN_FAILED, "The file could not be opened.\r\n"},
    {ERROR_BUFFER_OVERFLOW, "The file name is too long.\r\n"},
    {ERROR_DISK_FULL, "There is no space left on the disk.\r\n"},
    {ERROR_CALL_NOT_IMPLEMENTED, "This function is not available on this system.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The buffer is too small for the result.\r\n"},
    {ERROR_INVALID_NAME, "The file, folder or volume name is not valid.\r\n"},
    {ERROR_MOD_NOT_FOUND, "The module could not be found.\r\n"},
    {ERROR_PROC_NOT_FOUND, "The procedure could not be found in the module.\r\n"},
    {ERROR_NEGATIVE_SEEK, "The position would be before the start of the file.\r\n"},
    {ERROR_DIR_NOT_EMPTY, "The folder is not empty.\r\n"},
    {ERROR_BAD_PATHNAME, "The path is not valid.\r\n"},
    {ERROR_BUSY, "The resource is busy.\r\n"},
    {ERROR_ALREADY_EXISTS, "The object already exists.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, "The file name or path is too long.\r\n"},
    {ERROR_FILE_TOO_LARGE, "The file is too large for this operation.\r\n"},
    {ERROR_MORE_DATA, "More data is waiting.\r\n"},
    {ERROR_NO_MORE_ITEMS, "No more items are left.\r\n"},
    {ERROR_DIRECTORY, "The name is not a folder.\r\n"},
    {ERROR_NOT_OWNER, "The caller does not own this object.\r\n"},
    {ERROR_MR_MID_NOT_FOUND, "No message text exists for this code.\r\n"},
    {ERROR_INVALID_ADDRESS, "The address is not valid for this operation.\r\n"},
    {ERROR_OPERATION_ABORTED, "The operation was cancelled.\r\n"},
    {ERROR_IO_INCOMPLETE, "The input or output operation has not finished.\r\n"},
    {ERROR_IO_PENDING, "The input or output operation is still in progress.\r\n"},
    {ERROR_NOACCESS, "The memory given cannot be accessed.\r\n"},
    {ERROR_INVALID_FLAGS, "The flags are not valid.\r\n"},
    {ERROR_FILE_INVALID, "The file cannot be used for this operation: it is empty or has changed.\r\n"},
    {ERROR_BADDB, "The registry store is damaged.\r\n"},
    {ERROR_BADKEY, "The registry key is not valid.\r\n"},
    {ERROR_CANTOPEN, "The registry key could not be opened.\r\n"},
    {ERROR_CANTREAD, "The registry key could not be read.\r\n"},
    {ERROR_CANTWRITE, "The registry key could not be written.\r\n"},
    {ERROR_KEY_DELETED, "The registry key has been deleted.\r\n"},
    {ERROR_NO_UNICODE_TRANSLATION, "The text has characters that cannot be translated.\r\n"},
    {ERROR_DLL_INIT_FAILED, "The module's start-up code failed.\r\n"},
    {ERROR_MAPPED_ALIGNMENT, "The view offset is not a multiple of the allocation granularity.\r\n"},
    {ERROR_NOT_FOUND, "The element was not found.\r\n"},
    {ERROR_DISK_TOO_FRAGMENTED, "The volume is too fragmented for this operation.\r\n"},
    {ERROR_PRIVILEGE_NOT_HELD, "The caller does not hold a privilege this operation needs.\r\n"},
    {ERROR_TIMEOUT, "The wait timed out.\r\n"},
    {ERROR_RESOURCE_DATA_NOT_FOUND, "The module has no resource section.\r\n"},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, "The module has no resource of that type.\r\n"},
    {ERROR_RESOURCE_NAME_NOT_FOUND, "The module has no resource of that name.\r\n"},
    {ERROR_RESOURCE_LANG_NOT_FOUND, "No message exists in the language asked for.\r\n"},
});

constexpr bool sorted_by_code() {
  for (size_t i = 1; i < kMessages.size(); ++i)
    if (kMessages[i - 1].code >= kMessages[i].code) return false;
  return true;
}
static_assert(sorted_by_code(), "message table must stay sorted by code");

}  // namespace

std::string_view system_message(DWORD code) {
  auto it = std::lower_bound(kMessages.begin(), kMessages.end(), code,
                             [](const Message& m, DWORD c) { return m.code < c; });
  if (it == kMessages.end() || it->code != code) return {};
  return it->text;
}

}  // namespace winapi::posix
