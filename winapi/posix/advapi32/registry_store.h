// The registry store: one SQLite database, registry.db in the prefix folder,
// shared by every process that uses the prefix. Keys are rows with an
// identity that is never reused, so a handle to a deleted key stays deleted
// even when a key of the same name is created again. Values belong to their
// key's row and enumerate in the order they were created.
//
// One connection per process and prefix, opened on first use with its
// statements prepared once and reused. Readers run a single SELECT and need no
// transaction (WAL gives them a consistent snapshot); every change is one
// BEGIN IMMEDIATE ... COMMIT transaction, rolled back on any failure, with a
// busy timeout so concurrent writers from other processes wait their turn.
// Commits survive the process being killed at any moment (the WAL holds them
// before COMMIT returns); synchronous=NORMAL means a power cut may lose the
// last commits but never damages the file.
//
// Failures give Windows codes (store_error): a file that is not a database or
// is damaged ERROR_BADDB, a database that cannot be opened ERROR_CANTOPEN,
// other I/O failures ERROR_CANTREAD or ERROR_CANTWRITE, a full disk
// ERROR_DISK_FULL, a lock still held by another process after the busy
// timeout ERROR_BUSY, a read-only database ERROR_ACCESS_DENIED.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include <winapi/windef.h>

struct sqlite3;
struct sqlite3_stmt;

namespace winapi::posix::registry {

using KeyId = int64_t;

// The rows of the four stored roots, made with the database. HKEY_CLASSES_ROOT
// is not a root of its own: it is HKEY_LOCAL_MACHINE\SOFTWARE\Classes, made
// with them; neither it nor its parent can be deleted.
constexpr KeyId kLocalMachine = 1;
constexpr KeyId kCurrentUser = 2;
constexpr KeyId kUsers = 3;
constexpr KeyId kCurrentConfig = 4;
constexpr KeyId kLocalMachineSoftware = 5;
constexpr KeyId kClassesRoot = 6;

class Store;

// A cached statement in use: bound, stepped, and reset and unbound when it
// goes out of scope, ready for the next user.
class Statement {
 public:
  Statement(Store* store, sqlite3_stmt* statement) : store_(store), statement_(statement) {}
  Statement(Statement&& other) noexcept
      : store_(other.store_), statement_(other.statement_) { other.statement_ = nullptr; }
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement() { release(); }

  explicit operator bool() const { return statement_ != nullptr; }
  Statement& bind(int index, int64_t value);
  Statement& bind(int index, std::string_view text);
  Statement& bind_blob(int index, const void* data, size_t size);
  // SQLITE_ROW, SQLITE_DONE or the failure's result code.
  int step();
  // Steps through a listing: true on a row; false at its end or on a
  // failure, which failure() then gives as a Windows code.
  bool next();
  DWORD failure() const;
  int64_t integer(int column) const;
  std::string_view text(int column) const;
  std::span<const BYTE> blob(int column) const;

 private:
  void release();

  Store* store_;
  sqlite3_stmt* statement_;
  int last_ = 0;
};

// What the store knows about one key.
struct KeyFacts {
  bool exists = false;
  bool fixed = false;  // a root, HKLM\SOFTWARE or its Classes: never deleted
  bool has_subkeys = false;
  std::string class_name;
  int64_t written = 0;  // FILETIME ticks of the last change to the key
};

class Store {
 public:
  static constexpr int kCachedStatements = 32;
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  const std::string& path() const { return path_; }
  pid_t owner() const { return owner_; }
  // Held for the whole of one registry call: the connection and its
  // statements are used by one thread at a time.
  std::mutex& mutex() { return mutex_; }

  // Reads. A lookup that finds nothing answers 0 with `*found` false (or a
  // zero id); any other answer is the Windows code of a store failure.
  DWORD key_facts(KeyId key, KeyFacts* facts);
  DWORD key_exists(KeyId key, bool* exists);
  DWORD find_subkey(KeyId parent, std::string_view folded, KeyId* child);
  // The value's row: type (0), data (1). Empty when the key has no such value.
  DWORD read_value(KeyId key, std::string_view folded, Statement* row);
  // The index-th value in creation order: name (0), type (1), data (2).
  DWORD value_at(KeyId key, DWORD index, Statement* row);
  // The index-th subkey in name order: name (0), class (1), written (2).
  DWORD subkey_at(KeyId parent, DWORD index, Statement* row);
  // Every subkey: name (0), class (1); every value: name (0), data size (1).
  Statement list_subkeys(KeyId parent);
  Statement list_values(KeyId key);

  // Changes; call inside a Transaction.
  DWORD add_subkey(KeyId parent, std::string_view name, std::string_view folded,
                   std::string_view class_name, KeyId* child);
  DWORD write_value(KeyId key, std::string_view name, std::string_view folded, DWORD type,
                    const BYTE* data, size_t size);
  DWORD delete_value(KeyId key, std::string_view folded, bool* deleted);
  // Deletes `key` with its values, or with `keep_key` only what lies below it
  // and its values. `*refused` when a fixed key would go (nothing is deleted).
  DWORD delete_tree(KeyId key, bool keep_key, bool* refused);

  // The Windows code for a failed SQLite call; `fallback` for codes without a
  // closer match (ERROR_CANTREAD for reads, ERROR_CANTWRITE for changes).
  static DWORD store_error(int result, DWORD fallback);

 private:
  friend class Statement;
  friend class Transaction;
  friend std::shared_ptr<Store> open_store(const std::string& path, DWORD* error);
  Store(std::string path, sqlite3* db);
  DWORD prepare_schema();
  Statement statement(int sql);  // one of the statements in registry_store.cpp
  DWORD run(int sql);
  DWORD touch(KeyId key);

  std::string path_;
  pid_t owner_;
  sqlite3* db_;
  std::mutex mutex_;
  sqlite3_stmt* cache_[kCachedStatements] = {};
};

// One change: BEGIN IMMEDIATE at construction, COMMIT by commit(), rolled
// back when it goes out of scope uncommitted.
class Transaction {
 public:
  explicit Transaction(Store& store);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  DWORD error() const { return error_; }  // of BEGIN
  DWORD commit();

 private:
  Store& store_;
  DWORD error_;
  bool open_ = false;
};

// This process's id, without a system call per use: taken once, and again
// in the child after every fork().
pid_t process_id();

// The store of the prefix in force, for this process: reused while the prefix
// stays the same, opened afresh when it changes or in a forked child (which
// never touches its parent's connection). Null with `*error` set when the
// database cannot be opened.
std::shared_ptr<Store> current_store(DWORD* error);

// The store of the database at `path` for this process: a handle's own store
// after a fork, or after the prefix in force has changed.
std::shared_ptr<Store> store_for(const std::string& path, DWORD* error);

}  // namespace winapi::posix::registry
