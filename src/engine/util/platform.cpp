#include "util/platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

#include <algorithm>
#include <cctype>
#include <vector>

namespace kalvitor {

#ifdef _WIN32

namespace {

// Every byte, in pieces a single call can take.
bool WriteAll(HANDLE h, const char* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

NewFile::~NewFile() { Close(); }

NewFile::Made NewFile::Create(const std::filesystem::path& path) {
  Close();
  // CREATE_NEW fails on any name that is taken, a link's too; the writes go
  // through the cache to the disk.
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD why = ::GetLastError();
    return why == ERROR_FILE_EXISTS || why == ERROR_ALREADY_EXISTS ? Made::NameTaken : Made::Failed;
  }
  handle_ = h;
  return Made::Yes;
}

bool NewFile::Write(const char* data, size_t size) { return handle_ != nullptr && WriteAll(handle_, data, size); }

bool NewFile::Sync() { return handle_ != nullptr && ::FlushFileBuffers(handle_); }

bool NewFile::Close() {
  if (handle_ == nullptr) return true;
  const bool ok = ::CloseHandle(handle_);
  handle_ = nullptr;
  return ok;
}

namespace {

// FILE_RENAME_INFO with the flags of Windows 10 (1709 on), spelt out here:
// older headers know only its first field as a BOOLEAN.
struct RenameInfo {
  DWORD flags;
  HANDLE root;
  DWORD nameBytes;
  WCHAR name[1];
};
constexpr int kFileRenameInfoEx = 22;
constexpr DWORD kReplaceIfExists = 0x1, kPosixSemantics = 0x2;

// The rename of Windows 10: the old file goes even while another program
// reads it (one that lets it go, as careful readers do), and that program
// goes on reading the old bytes.
bool RenamePosixWay(const std::filesystem::path& from, const std::filesystem::path& to) {
  HANDLE h = ::CreateFileW(from.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const std::wstring target = to.wstring();
  std::vector<char> buffer(sizeof(RenameInfo) + target.size() * sizeof(WCHAR));
  auto* info = reinterpret_cast<RenameInfo*>(buffer.data());
  info->flags = kReplaceIfExists | kPosixSemantics;
  info->root = nullptr;
  info->nameBytes = static_cast<DWORD>(target.size() * sizeof(WCHAR));
  std::copy(target.begin(), target.end(), info->name);
  const bool ok = ::SetFileInformationByHandle(h, static_cast<FILE_INFO_BY_HANDLE_CLASS>(kFileRenameInfoEx), info,
                                               static_cast<DWORD>(buffer.size()));
  ::CloseHandle(h);
  return ok;
}

}  // namespace

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  // A link of the target's name is itself replaced, never followed. Where
  // the rename of Windows 10 is missing (older systems, other file systems)
  // the classic one does it, which fails while another program has the old
  // file open. A virus scanner looking at either file holds it for a
  // moment: a few tries go by before the save fails.
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (RenamePosixWay(from, to) ||
        ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD why = ::GetLastError();
    if (why != ERROR_ACCESS_DENIED && why != ERROR_SHARING_VIOLATION) return false;
    ::Sleep(20);
  }
  return false;
}

bool AppendToFile(const std::filesystem::path& path, const std::string& bytes) {
  // Opened as it is, a link too, so that a link is seen and left alone.
  HANDLE h = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = ::GetFileInformationByHandle(h, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                  WriteAll(h, bytes.data(), bytes.size());
  return ::CloseHandle(h) && ok;
}

bool NameAllowedInFolder(const std::string& name) {
  if (name.empty() || name.find_first_of("<>:\"/\\|?*") != std::string::npos) return false;
  if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) return false;
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (stem == device) return false;
  return !(stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0' &&
           stem[3] <= '9');
}

#else

namespace {

// Every byte, through interrupted and partial writes.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

NewFile::~NewFile() { Close(); }

NewFile::Made NewFile::Create(const std::filesystem::path& path) {
  Close();
  // O_EXCL fails on any name that is taken and never follows a link.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST || errno == ELOOP ? Made::NameTaken : Made::Failed;
  fd_ = fd;
  return Made::Yes;
}

bool NewFile::Write(const char* data, size_t size) { return fd_ >= 0 && WriteAll(fd_, data, size); }

bool NewFile::Sync() { return fd_ >= 0 && ::fsync(fd_) == 0; }

bool NewFile::Close() {
  if (fd_ < 0) return true;
  const bool ok = ::close(fd_) == 0;
  fd_ = -1;
  return ok;
}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // The folder's new entry on the disk too. The file is in its place
  // already: a folder that cannot be synced does not undo that.
  const int dir = ::open(to.parent_path().empty() ? "." : to.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool AppendToFile(const std::filesystem::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, bytes.data(), bytes.size());
  return ::close(fd) == 0 && ok;
}

bool NameAllowedInFolder(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

#endif

}  // namespace kalvitor
