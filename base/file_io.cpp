// Whole small files: reading one, replacing one without ever leaving half of it, making a new one.
#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace {

// The folder part of a file name, for the fsync that makes a rename durable.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
}

// The folder refuses a new file for lack of rights, not for lack of room.
bool IsPermissionError(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

Replace ReplaceFile(const std::string& path, const std::string& bytes, int mode) {
  const std::string temporary = path + ".tmp";
  unlink(temporary.c_str());  // a leftover of an interrupted save
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return IsPermissionError(errno) ? Replace::kFolderClosed : Replace::kFailed;
  const bool keptMode = mode < 0 || fchmod(fd, static_cast<mode_t>(mode)) == 0;
  const bool written = keptMode && WriteAll(fd, bytes) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return Replace::kFailed;
  }
  // Without this the rename itself could be lost; the new file is in place either way.
  return SyncFolder(FolderOf(path)) ? Replace::kDone : Replace::kFailed;
}

int CreateNewFile(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  errno = 0;  // a write of 0 bytes sets none
  const bool written = WriteAll(fd, bytes);
  int error = written ? 0 : (errno != 0 ? errno : EIO);
  // A full disk may only show when the file is closed (on network file systems).
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) unlink(path.c_str());  // ours to remove: O_EXCL made it
  return error;
}

int ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& out) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info {};
  int error = 0;
  if (fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = EINVAL;
  }
  std::string bytes;
  char buffer[4096];
  while (error == 0) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = errno;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (bytes.size() > maxBytes) error = EFBIG;
  }
  close(fd);
  if (error == 0) out = std::move(bytes);
  return error;
}
