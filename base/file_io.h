// Whole small files: reading one, replacing one so that a crash never leaves half of it, and
// making a new one that never takes the place of another.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Writes every byte of `bytes` to the open file `fd`, across short writes and interruptions.
bool WriteAll(int fd, std::string_view bytes);

enum class Replace { kDone, kFailed, kFolderClosed };

// A temporary file beside `path` (its name + ".tmp"), synced, then renamed over it; the folder
// synced last, so that a crash at any moment leaves the old file or the new one. A failed replace
// removes its temporary file and leaves the old one as it was. `mode`: the mode the file gets, or -1
// for a new file's default. kFolderClosed: the folder refuses a new file for lack of rights.
Replace ReplaceFile(const std::string& path, const std::string& bytes, int mode);

// Makes `path` a new file holding `bytes`: created only if no file, folder or link of that name
// exists, so that two programs can never both take one name. 0 when every byte is written; EEXIST
// when the name is taken (the file there is kept); else the errno of the failure, after which
// nothing of the new file is left. Not synced: a crash of the machine may still cut it short.
int CreateNewFile(const std::string& path, std::string_view bytes);

// Reads the regular file at `path` into `out`, if it holds at most maxBytes bytes. 0, or the errno
// of the failure: ENOENT for no file, EFBIG for a larger one, EINVAL for no regular file (a FIFO of
// that name does not block).
int ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& out);
