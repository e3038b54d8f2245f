// Rows are handed to the host in this order; a row is listed once its
// function is built. The count is the number of descriptor letters; -2 marks
// the load hook, -3 the unload hook.
#include "marlune/host/library_table.h"

#include <iterator>

#include "marlune/host/registered_functions.h"

namespace marlune::host {
namespace {

FoxInfo g_rows[] = {
    {"ONLOAD", ONLOAD, kLoadHookCount, ""},
    {"ONQUIT", ONQUIT, kUnloadHookCount, ""},
    {"GetExeInfo", GetExeInfo, 1, "I"},
    {"GetFllInfo", GetFllInfo, 1, "I"},
    {"GetDefaultFontName", GetDefaultFontName, 0, ""},
    {"GetDefaultFontSize", GetDefaultFontSize, 0, ""},
    {"GetCpuID", GetCpuID, 0, ""},
    {"LangIsChinese", LangIsChinese, 0, ""},
    {"XTGetLastErrorMsg", XTGetLastErrorMsg, 1, ".I"},
};

FoxTable g_table = {nullptr, static_cast<int16_t>(std::size(g_rows)), g_rows};

}  // namespace

FoxTable* LibraryTable() { return &g_table; }

}  // namespace marlune::host
