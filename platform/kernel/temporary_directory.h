// The temporary directory of the user running the program. Two users' programs must not
// share one temporary file, so it is $TMPDIR when that names a directory closed to other
// users' writes, and otherwise a directory of the user's own under /tmp (or under a shared
// $TMPDIR): "barvell-<uid>", mode 0700. A directory of that name which is no directory, a
// symbolic link, someone else's or open to others is not used: a fresh private one is made
// beside it instead.
#pragma once

#include <string>
#include <string_view>

namespace barvell::platform {

// The directory as a GBK text ending in "/", ready for a file name to be appended; empty
// when no usable directory can be found or made. A second instance of the program running
// at the same time gets a directory of its own inside it (instance_directory.h).
std::string TemporaryDirectory();

// The same choice with $TMPDIR's value (null: not set) and the base of the per-user
// directory given, for tests.
std::string TemporaryDirectoryFor(const char* tmpdir, std::string_view base);

}  // namespace barvell::platform
