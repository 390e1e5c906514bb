#include "track_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kalvitor::media {

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

}  // namespace kalvitor::media
