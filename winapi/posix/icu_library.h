// ICU keeps caches of its own (converter data, collation and transliteration
// rules) in its globals. When ICU came into the process with a module, a
// dlclose of that module would take ICU along and strand those caches, so
// ICU's libraries stay loaded once a stand-in function has used them, as
// system libraries do.
#pragma once

namespace winapi::posix {

// Call before opening an ICU object; cheap after the first call.
void keep_icu_loaded();

}  // namespace winapi::posix
