// Whole small files: reading one, and replacing one so that a crash never leaves half of it.
#pragma once

#include <cstddef>
#include <string>

// Writes every byte of `bytes` to the open file `fd`, across short writes and interruptions.
bool WriteAll(int fd, const std::string& bytes);

enum class Replace { kDone, kFailed, kFolderClosed };

// A temporary file beside `path` (its name + ".tmp"), synced, then renamed over it; the folder
// synced last, so that a crash at any moment leaves the old file or the new one. A failed replace
// removes its temporary file and leaves the old one as it was. `mode`: the mode the file gets, or -1
// for a new file's default. kFolderClosed: the folder refuses a new file for lack of rights.
Replace ReplaceFile(const std::string& path, const std::string& bytes, int mode);

// Reads the regular file at `path` into `out`, if it holds at most maxBytes bytes. 0, or the errno
// of the failure: ENOENT for no file, EFBIG for a larger one, EINVAL for no regular file (a FIFO of
// that name does not block).
int ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& out);
