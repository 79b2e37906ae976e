// Two instances of the program running at once, as the same user, must not share their
// temporary files: the picture one of them writes would be converted by the other and
// saved under the wrong code. The first instance locks the user's temporary directory for
// as long as it runs and uses it as it is; an instance that finds the lock taken works in
// a private directory of its own inside it ("instance-XXXXXX", mode 0700), which is
// removed with the files in it when that process ends.
#pragma once

#include <string>

namespace barvell::platform {

// The directory this process is to use in place of `shared` (a GBK name ending in "/",
// as TemporaryDirectory gives it); `shared` itself when it cannot be locked or opened.
std::string InstanceDirectory(const std::string& shared);

}  // namespace barvell::platform
