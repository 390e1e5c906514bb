// One of the desktop game's platform files: it reads a music file through
// the system's own calls, so that a pipe or a device is refused before
// anything waits on it.
#include "track_file.h"

#ifdef _WIN32
#include <windows.h>

#include <QString>
#include <algorithm>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kalvitor::media {

#ifdef _WIN32

std::optional<QByteArray> ReadTrackFile(const std::string& path, int64_t limit) {
  const std::wstring wide = QString::fromStdString(path).toStdWString();
  // Opening a pipe by name would wait for its server: only files on a disk
  // are read, and a share that others may write keeps its bytes readable.
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<QByteArray> bytes;
  LARGE_INTEGER size{};
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart <= limit) {
    QByteArray read(static_cast<qsizetype>(size.QuadPart), Qt::Uninitialized);
    qsizetype got = 0;
    bool failed = false;
    while (got < read.size()) {
      DWORD n = 0;
      const DWORD want = static_cast<DWORD>(std::min<qsizetype>(read.size() - got, 1 << 20));
      failed = !ReadFile(file, read.data() + got, want, &n, nullptr);
      if (failed || n == 0) break;  // the end: the file shrank meanwhile
      got += n;
    }
    if (!failed) {
      read.truncate(got);
      bytes = std::move(read);
    }
  }
  CloseHandle(file);
  return bytes;
}

#else

std::optional<QByteArray> ReadTrackFile(const std::string& path, int64_t limit) {
  // Not blocking: a pipe opens at once, writer or not, and is then refused
  // by what the open file is.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<QByteArray> bytes;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= limit) {
    QByteArray read(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    bool failed = false;
    while (got < read.size()) {
      const ssize_t n = ::read(fd, read.data() + got, static_cast<size_t>(read.size() - got));
      if (n < 0 && errno == EINTR) continue;
      failed = n < 0;
      if (n <= 0) break;  // the end: the file shrank meanwhile
      got += n;
    }
    if (!failed) {
      read.truncate(got);
      bytes = std::move(read);
    }
  }
  ::close(fd);
  return bytes;
}

#endif

}  // namespace kalvitor::media
