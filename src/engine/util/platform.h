// The few things the game asks of the operating system that Linux and
// Windows each do their own way: files made new and never through a link,
// put on the disk, and renamed over an older file in one step; appending to
// a file that must not be a link; the names a folder can hold. Paths are
// std::filesystem paths, so every call takes the wide (Unicode) form on
// Windows.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace kalvitor {

// A file made new for writing. It is never one that is there already, and
// never the file that a link of that name points to: a name that is taken,
// by a file, a folder or a link (one that leads nowhere too), is refused.
class NewFile {
 public:
  enum class Made { Yes, NameTaken, Failed };

  NewFile() = default;
  ~NewFile();  // closes the file, which stays
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  Made Create(const std::filesystem::path& path);
  bool Write(const char* data, size_t size);
  // Everything written so far is on the disk, not only in the system's cache.
  bool Sync();
  bool Close();

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

// Puts the file `from` in the place of `to` in one step, replacing a file of
// that name (a link of that name is replaced, not followed), and puts the
// change on the disk.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Appends the bytes to the file, made when missing. A link of that name is
// not followed: nothing is written then, and false is returned.
bool AppendToFile(const std::filesystem::path& path, const std::string& bytes);

// True when a folder of this system can hold a file of this name (UTF-8,
// without a folder part). Windows refuses < > : " | ? * and control
// characters, and names its devices CON, NUL, COM1 ... with any extension.
bool NameAllowedInFolder(const std::string& name);

}  // namespace kalvitor
