// An open file behind a HANDLE.
#pragma once

#include <string>

#include <winapi/windef.h>

#include "posix/handle_table.h"

namespace winapi::posix {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, int lock_fd, std::string path, bool readable, bool writable,
             bool delete_on_close)
      : fd_(fd), lock_fd_(lock_fd), path_(std::move(path)), readable_(readable),
        writable_(writable), delete_on_close_(delete_on_close) {}
  ~FileObject() override;
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  bool readable() const { return readable_; }
  bool writable() const { return writable_; }

 private:
  int fd_;
  int lock_fd_;  // descriptor holding the share-mode locks when not fd_, else -1
  std::string path_;
  bool readable_;
  bool writable_;
  bool delete_on_close_;
};

}  // namespace winapi::posix
