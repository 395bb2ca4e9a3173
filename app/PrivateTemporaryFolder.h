#pragma once

// A folder in a shared temporary folder that only one account can enter, for
// the files the program writes there under fixed names. In a shared folder
// any account may create any name first: a file left at a fixed name by one
// account would keep every other account from writing there, and a link left
// there could send the write elsewhere.

#include <QString>

#include <sys/types.h>

namespace vxo {

// "<temporaryRoot>/ondrivel-<owner>" when that folder is the owner's own: a
// real folder, not a link, owned by `owner`, with no access for anyone else;
// made so (mode 0700) when it does not exist. When another account has taken
// the name, a new folder of the owner's with a unique name beside it instead,
// made once per run and root and used for the rest of the run. Empty when no
// folder can be made. `owner` is the account whose folder it is, the
// process's effective user id in the program: a folder found at the name must
// belong to it, while one this call makes is the process's own.
QString privateTemporaryFolder(const QString& temporaryRoot, uid_t owner);

} // namespace vxo
