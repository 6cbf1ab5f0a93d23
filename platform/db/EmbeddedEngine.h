#pragma once
// How this process and the Firebird tools it starts share database files.
//
// The embedded engine (local database names) runs inside the process. In
// its default mode ("Super") it locks a database file exclusively, so a
// child gbak or isql-fb could not open a file the program has open. Before
// the first Firebird call this layer therefore points the FIREBIRD
// environment variable at a private Firebird root whose firebird.conf says
// ServerMode = SuperClassic: every embedded user of a file (this process and
// the tools it starts, which inherit the variable) shares it through the
// lock manager, as clients of one server would. The root mirrors the
// installed Firebird (plugins, intl, messages) by symbolic links.
//
// The engine loads the plugins its root names, so the root lives in the
// user's own runtime folder (XDG_RUNTIME_DIR, else a folder of the temporary
// folder made with mode 0700), never where another local user could plant
// one: a folder on the way that belongs to someone else, that others may
// write to, or that is a symbolic link is refused.
//
// An explicit FIREBIRD in the environment is left alone (an administrator's
// or a test's choice). VQ_FIREBIRD_SYSTEM_ROOT names the installed root
// when it is not the Debian one.
#include <filesystem>

namespace vq::db {

// Idempotent and cheap after the first call; every Attachment, Transaction
// and Services call makes it first. Returns the root in use (the value of
// FIREBIRD). Throws DbError when the private root cannot be made.
std::filesystem::path ensureEmbeddedEngine();

// The pieces of the above, for tests. Each throws DbError on refusal.
// A folder this user owns, that neither group nor others may write to, and
// that is no symbolic link.
void checkPrivateFolder(const std::filesystem::path& folder);
// XDG_RUNTIME_DIR when set, else <temp>/vq-runtime-<uid> (created 0700);
// checked either way.
std::filesystem::path userRuntimeFolder();
// The root "vq-firebird" inside runtimeFolder, built or reused after the
// same checks of both folders.
std::filesystem::path prepareEngineRoot(const std::filesystem::path& runtimeFolder);

} // namespace vq::db
