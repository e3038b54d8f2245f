#include "posix/advapi32/registry_store.h"

#include <pthread.h>
#include <sqlite3.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <vector>

#include <winapi/winerror.h>

#include "posix/filetime.h"
#include "posix/module_state.h"
#include "posix/prefix.h"
#include "posix/syscalls.h"

namespace winapi::posix::registry {
namespace {

enum Sql : int {
  kBegin,
  kCommit,
  kRollback,
  kKeyFacts,
  kKeyExists,
  kFindSubkey,
  kReadValue,
  kValueAt,
  kSubkeyAt,
  kListSubkeys,
  kListValues,
  kAddSubkey,
  kTouch,
  kWriteValue,
  kDeleteValue,
  kTreeHasFixed,
  kTouchParent,
  kDeleteTreeValues,
  kDeleteTreeKeys,
  kSqlCount
};

// The key itself (?1) and every key below it.
#define TREE_OF_KEY                                                                  \
  "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "                                 \
  "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "

constexpr const char* kSqlText[] = {
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    "SELECT fixed, class, written, EXISTS(SELECT 1 FROM keys WHERE parent = ?1) "
    "FROM keys WHERE id = ?1",
    "SELECT 1 FROM keys WHERE id = ?1",
    "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2",
    "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2",
    "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
    "SELECT name, class, written FROM keys WHERE parent = ?1 ORDER BY folded LIMIT 1 OFFSET ?2",
    "SELECT name, class FROM keys WHERE parent = ?1",
    "SELECT name, length(data) FROM vals WHERE key = ?1",
    "INSERT INTO keys(parent, name, folded, class, written) VALUES(?1, ?2, ?3, ?4, ?5)",
    "UPDATE keys SET written = ?2 WHERE id = ?1",
    // Overwriting keeps the value's row, so it keeps its place and the case of
    // its name as first created.
    "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data",
    "DELETE FROM vals WHERE key = ?1 AND folded = ?2",
    TREE_OF_KEY "SELECT EXISTS(SELECT 1 FROM keys WHERE fixed AND id IN tree AND (id != ?1 OR ?2))",
    "UPDATE keys SET written = ?2 WHERE id = (SELECT parent FROM keys WHERE id = ?1)",
    TREE_OF_KEY "DELETE FROM vals WHERE key IN tree",
    TREE_OF_KEY "DELETE FROM keys WHERE id IN tree AND (id != ?1 OR ?2)",
};
static_assert(std::size(kSqlText) == kSqlCount);
static_assert(kSqlCount <= Store::kCachedStatements);
#undef TREE_OF_KEY

// The layout of a new database. AUTOINCREMENT keeps key ids from ever being
// reused; a value's rowid gives its creation order within its key.
constexpr const char* kSchema =
    "CREATE TABLE keys("
    "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  parent INTEGER NOT NULL,"
    "  name TEXT NOT NULL,"
    "  folded TEXT NOT NULL,"
    "  class TEXT NOT NULL DEFAULT '',"
    "  written INTEGER NOT NULL,"
    "  fixed INTEGER NOT NULL DEFAULT 0);"
    "CREATE UNIQUE INDEX keys_by_name ON keys(parent, folded);"
    "CREATE TABLE vals("
    "  id INTEGER PRIMARY KEY,"
    "  key INTEGER NOT NULL,"
    "  name TEXT NOT NULL,"
    "  folded TEXT NOT NULL,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL);"
    "CREATE UNIQUE INDEX vals_by_name ON vals(key, folded);"
    "CREATE INDEX vals_in_order ON vals(key);"
    "INSERT INTO keys(id, parent, name, folded, written, fixed) VALUES"
    "  (1, 0, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE', 0, 1),"
    "  (2, 0, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER', 0, 1),"
    "  (3, 0, 'HKEY_USERS', 'HKEY_USERS', 0, 1),"
    "  (4, 0, 'HKEY_CURRENT_CONFIG', 'HKEY_CURRENT_CONFIG', 0, 1),"
    "  (5, 1, 'SOFTWARE', 'SOFTWARE', 0, 1),"
    "  (6, 5, 'Classes', 'CLASSES', 0, 1);"
    "UPDATE keys SET written = (unixepoch() + 11644473600) * 10000000;"
    "PRAGMA user_version = 1;";
constexpr int kSchemaVersion = 1;

constexpr int kBusyTimeoutMs = 10000;

int64_t now_ticks() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  FILETIME time = to_filetime(now);
  return static_cast<int64_t>((uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

// A connection inherited from the parent across fork() is never closed nor
// used by the child (closing it could disturb the parent's locks and WAL);
// it is only kept reachable.
void abandon(sqlite3* db) {
  static auto* inherited = new std::vector<sqlite3*>;
  inherited->push_back(db);
}

std::atomic<pid_t> g_process_id{0};

void note_child_process() { g_process_id.store(getpid(), std::memory_order_relaxed); }

struct Stores {
  std::mutex mutex;
  std::string setting;  // the prefix setting `current` was opened under
  std::shared_ptr<Store> current;
};

Stores* stores() { return module_state<Stores>(); }

}  // namespace

pid_t process_id() {
  pid_t pid = g_process_id.load(std::memory_order_relaxed);
  if (pid != 0) return pid;
  static std::once_flag watching;
  std::call_once(watching, [] {
    // Unregistered by the C library when this module unloads.
    pthread_atfork(nullptr, nullptr, note_child_process);
    note_child_process();
  });
  return g_process_id.load(std::memory_order_relaxed);
}

// --- Statement ---

void Statement::release() {
  if (!statement_) return;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  statement_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    release();
    store_ = other.store_;
    statement_ = other.statement_;
    last_ = other.last_;
    other.statement_ = nullptr;
  }
  return *this;
}

Statement& Statement::bind(int index, int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
  return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
  // A null pointer would bind NULL; an empty name is empty text.
  sqlite3_bind_text(statement_, index, text.data() ? text.data() : "", static_cast<int>(text.size()),
                    SQLITE_STATIC);
  return *this;
}

Statement& Statement::bind_blob(int index, const void* data, size_t size) {
  // A null pointer would bind NULL; an empty value is an empty blob.
  sqlite3_bind_blob64(statement_, index, data ? data : "", size, SQLITE_STATIC);
  return *this;
}

int Statement::step() {
  if (statement_) return sqlite3_step(statement_);
  // The statement could not be prepared: report why.
  int rc = store_ ? sqlite3_errcode(store_->db_) : SQLITE_MISUSE;
  return rc == SQLITE_OK ? SQLITE_ERROR : rc;
}

bool Statement::next() {
  last_ = step();
  return last_ == SQLITE_ROW;
}

DWORD Statement::failure() const { return Store::store_error(last_, ERROR_CANTREAD); }

int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string_view Statement::text(int column) const {
  auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return {text ? text : "", static_cast<size_t>(sqlite3_column_bytes(statement_, column))};
}

std::span<const BYTE> Statement::blob(int column) const {
  auto* data = static_cast<const BYTE*>(sqlite3_column_blob(statement_, column));
  return {data, data ? static_cast<size_t>(sqlite3_column_bytes(statement_, column)) : 0};
}

// --- Store ---

Store::Store(std::string path, sqlite3* db) : path_(std::move(path)), owner_(process_id()), db_(db) {}

Store::~Store() {
  if (owner_ != process_id()) {
    abandon(db_);
    return;
  }
  for (sqlite3_stmt* statement : cache_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

DWORD Store::store_error(int result, DWORD fallback) {
  switch (result & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return ERROR_SUCCESS;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
    case SQLITE_ERROR: return ERROR_BADDB;  // a statement of ours fails only on a foreign file
    case SQLITE_CANTOPEN: return ERROR_CANTOPEN;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH: return ERROR_ACCESS_DENIED;
    case SQLITE_FULL: return ERROR_DISK_FULL;
    case SQLITE_NOMEM: return ERROR_OUTOFMEMORY;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ERROR_BUSY;
    default: return fallback;
  }
}

Statement Store::statement(int sql) {
  sqlite3_stmt*& cached = cache_[sql];
  if (!cached)
    sqlite3_prepare_v3(db_, kSqlText[sql], -1, SQLITE_PREPARE_PERSISTENT, &cached, nullptr);
  return Statement(this, cached);
}

DWORD Store::run(int sql) {
  Statement statement = this->statement(sql);
  if (!statement) return store_error(sqlite3_errcode(db_), ERROR_CANTWRITE);
  return store_error(statement.step(), ERROR_CANTWRITE);
}

DWORD Store::prepare_schema() {
  sqlite3_extended_result_codes(db_, 0);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  int rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr,
                        nullptr, nullptr);
  if (rc != SQLITE_OK) return store_error(rc, ERROR_CANTREAD);
  auto version = [this](int* value) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, "PRAGMA user_version", -1, &statement, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) *value = sqlite3_column_int(statement, 0), rc = SQLITE_OK;
    sqlite3_finalize(statement);
    return rc;
  };
  int found = 0;
  if ((rc = version(&found)) != SQLITE_OK) return store_error(rc, ERROR_CANTREAD);
  if (found == 0) {  // a new database: lay it out, unless another process just did
    if ((rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr)) != SQLITE_OK)
      return store_error(rc, ERROR_CANTWRITE);
    rc = version(&found);
    if (rc == SQLITE_OK && found == 0) {
      rc = sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr);
      found = kSchemaVersion;
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
      return store_error(rc, ERROR_CANTWRITE);
    }
  }
  return found == kSchemaVersion ? ERROR_SUCCESS : ERROR_BADDB;
}

DWORD Store::key_facts(KeyId key, KeyFacts* facts) {
  Statement row = statement(kKeyFacts);
  int rc = row.bind(1, key).step();
  *facts = {};
  if (rc == SQLITE_ROW) {
    facts->exists = true;
    facts->fixed = row.integer(0) != 0;
    facts->class_name = row.text(1);
    facts->written = row.integer(2);
    facts->has_subkeys = row.integer(3) != 0;
    return ERROR_SUCCESS;
  }
  return store_error(rc, ERROR_CANTREAD);
}

DWORD Store::key_exists(KeyId key, bool* exists) {
  Statement row = statement(kKeyExists);
  int rc = row.bind(1, key).step();
  *exists = rc == SQLITE_ROW;
  return store_error(rc, ERROR_CANTREAD);
}

DWORD Store::find_subkey(KeyId parent, std::string_view folded, KeyId* child) {
  Statement row = statement(kFindSubkey);
  int rc = row.bind(1, parent).bind(2, folded).step();
  *child = rc == SQLITE_ROW ? row.integer(0) : 0;
  return store_error(rc, ERROR_CANTREAD);
}

DWORD Store::read_value(KeyId key, std::string_view folded, Statement* row) {
  *row = statement(kReadValue);
  int rc = row->bind(1, key).bind(2, folded).step();
  if (rc != SQLITE_ROW) *row = Statement(this, nullptr);
  return store_error(rc, ERROR_CANTREAD);
}

DWORD Store::value_at(KeyId key, DWORD index, Statement* row) {
  *row = statement(kValueAt);
  int rc = row->bind(1, key).bind(2, int64_t{index}).step();
  if (rc != SQLITE_ROW) *row = Statement(this, nullptr);
  return store_error(rc, ERROR_CANTREAD);
}

DWORD Store::subkey_at(KeyId parent, DWORD index, Statement* row) {
  *row = statement(kSubkeyAt);
  int rc = row->bind(1, parent).bind(2, int64_t{index}).step();
  if (rc != SQLITE_ROW) *row = Statement(this, nullptr);
  return store_error(rc, ERROR_CANTREAD);
}

Statement Store::list_subkeys(KeyId parent) {
  Statement rows = statement(kListSubkeys);
  rows.bind(1, parent);
  return rows;
}

Statement Store::list_values(KeyId key) {
  Statement rows = statement(kListValues);
  rows.bind(1, key);
  return rows;
}

DWORD Store::touch(KeyId key) {
  Statement update = statement(kTouch);
  return store_error(update.bind(1, key).bind(2, now_ticks()).step(), ERROR_CANTWRITE);
}

DWORD Store::add_subkey(KeyId parent, std::string_view name, std::string_view folded,
                        std::string_view class_name, KeyId* child) {
  {
    Statement insert = statement(kAddSubkey);
    int rc = insert.bind(1, parent).bind(2, name).bind(3, folded).bind(4, class_name)
                 .bind(5, now_ticks()).step();
    if (rc != SQLITE_DONE) return store_error(rc, ERROR_CANTWRITE);
    *child = sqlite3_last_insert_rowid(db_);
  }
  return touch(parent);
}

DWORD Store::write_value(KeyId key, std::string_view name, std::string_view folded, DWORD type,
                         const BYTE* data, size_t size) {
  {
    Statement upsert = statement(kWriteValue);
    int rc = upsert.bind(1, key).bind(2, name).bind(3, folded).bind(4, int64_t{type})
                 .bind_blob(5, data, size).step();
    if (rc != SQLITE_DONE) return store_error(rc, ERROR_CANTWRITE);
  }
  return touch(key);
}

DWORD Store::delete_value(KeyId key, std::string_view folded, bool* deleted) {
  {
    Statement remove = statement(kDeleteValue);
    int rc = remove.bind(1, key).bind(2, folded).step();
    if (rc != SQLITE_DONE) return store_error(rc, ERROR_CANTWRITE);
    *deleted = sqlite3_changes(db_) > 0;
  }
  return *deleted ? touch(key) : ERROR_SUCCESS;
}

DWORD Store::delete_tree(KeyId key, bool keep_key, bool* refused) {
  const int64_t delete_key = keep_key ? 0 : 1;
  {
    Statement check = statement(kTreeHasFixed);
    int rc = check.bind(1, key).bind(2, delete_key).step();
    if (rc != SQLITE_ROW) return store_error(rc, ERROR_CANTREAD);
    *refused = check.integer(0) != 0;
    if (*refused) return ERROR_SUCCESS;
  }
  for (Sql sql : {keep_key ? kTouch : kTouchParent, kDeleteTreeValues, kDeleteTreeKeys}) {
    Statement change = statement(sql);
    change.bind(1, key);
    if (sql == kDeleteTreeKeys) change.bind(2, delete_key);
    else if (sql != kDeleteTreeValues) change.bind(2, now_ticks());
    int rc = change.step();
    if (rc != SQLITE_DONE) return store_error(rc, ERROR_CANTWRITE);
  }
  return ERROR_SUCCESS;
}

// --- Transaction ---

Transaction::Transaction(Store& store) : store_(store), error_(store.run(kBegin)) {
  open_ = error_ == ERROR_SUCCESS;
}

Transaction::~Transaction() {
  if (open_) store_.run(kRollback);
}

DWORD Transaction::commit() {
  DWORD error = store_.run(kCommit);
  if (error == ERROR_SUCCESS) open_ = false;
  return error;
}

// --- Which store ---

std::shared_ptr<Store> open_store(const std::string& path, DWORD* error) {
  sqlite3* db = nullptr;
  int rc = syscalls().sqlite_open(path.c_str(), &db,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                  nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    *error = Store::store_error(rc, ERROR_CANTOPEN);
    return nullptr;
  }
  std::shared_ptr<Store> store(new Store(path, db));
  *error = store->prepare_schema();
  if (*error != ERROR_SUCCESS) return nullptr;
  return store;
}

std::shared_ptr<Store> current_store(DWORD* error) {
  Stores* all = stores();
  if (!all) {
    *error = ERROR_CANTOPEN;  // the module is unloading
    return nullptr;
  }
  std::string setting = prefix_setting();
  std::lock_guard lock(all->mutex);
  if (all->current && all->current->owner() == process_id() && all->setting == setting)
    return all->current;
  std::shared_ptr<Store> store = open_store(prefix_dir() + "/registry.db", error);
  if (!store) return nullptr;
  all->current = store;
  all->setting = std::move(setting);
  return store;
}

std::shared_ptr<Store> store_for(const std::string& path, DWORD* error) {
  Stores* all = stores();
  if (!all) {
    *error = ERROR_CANTOPEN;
    return nullptr;
  }
  std::lock_guard lock(all->mutex);
  if (all->current && all->current->path() == path) {
    if (all->current->owner() == process_id()) return all->current;
    std::shared_ptr<Store> store = open_store(path, error);
    if (store) all->current = store;  // the child's own connection from now on
    return store;
  }
  return open_store(path, error);
}

}  // namespace winapi::posix::registry
