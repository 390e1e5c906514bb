// The jokes site's jokes: the file "anecdot.dat" in the program's folder, a
// marker line and then one joke per line, "<CRLF>" standing for a break
// inside a joke. It is read afresh at every press, so an edited file shows
// at once.
#include <fstream>

#include "life/life.h"
#include "util/cp1251.h"
#include "util/paths.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

constexpr const char* kJokesFile = "anecdot.dat";
constexpr const char* kMarker = "**ANECDOT DATA FILE**";
// A joke longer than this is cut: a damaged file must not take all memory.
constexpr size_t kMaxJoke = 1 << 20;

// Line ends are LF, with the CR of a CR LF taken off.
void DropCr(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

// The file as lines: the first line, how many there are, and the text of one
// chosen line. Reads in pieces, so a file of any size or content is safe.
class LineReader {
 public:
  explicit LineReader(const std::string& path) : path_(path) {}

  // Counts the lines and keeps line 1 (cut after the marker's length + 2).
  bool Scan(std::string& first, size_t& count) {
    std::ifstream in(PathFromUtf8(path_), std::ios::binary);
    if (!in) return false;
    first.clear();
    count = 0;
    bool lineOpen = false;  // a line has begun and has not ended yet
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
      const std::streamsize got = in.gcount();
      for (std::streamsize i = 0; i < got; ++i) {
        const char c = buf[i];
        if (count == 0 && c != '\n' && first.size() < 64) first += c;
        if (c == '\n') {
          ++count;
          lineOpen = false;
        } else {
          lineOpen = true;
        }
      }
    }
    if (lineOpen) ++count;
    DropCr(first);
    return true;
  }

  // The text of line `number` (from 1), its CR taken off.
  std::string Line(size_t number) {
    std::ifstream in(PathFromUtf8(path_), std::ios::binary);
    std::string line;
    if (!in) return line;
    size_t current = 1;
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
      const std::streamsize got = in.gcount();
      for (std::streamsize i = 0; i < got; ++i) {
        const char c = buf[i];
        if (c == '\n') {
          if (current == number) {
            DropCr(line);
            return line;
          }
          ++current;
        } else if (current == number && line.size() < kMaxJoke) {
          line += c;
        }
      }
    }
    DropCr(line);
    return line;
  }

 private:
  std::string path_;
};

}  // namespace

std::string Life::GetRandomAnecdote() {
  const std::string path = TextPath(kJokesFile);
  auto complain = [&] {
    MsgBox(FormatText(Tr("Файл анекдотов '%s' повреждён или имеет неверный формат"), {path}), Tr("Ошибка 745"),
           MsgIcon::Critical);
  };
  if (!FileExists(path)) {
    complain();
    return "";
  }
  LineReader reader(path);
  std::string first;
  size_t lines = 0;
  if (!reader.Scan(first, lines)) first.clear();
  // A wrong first line is reported, and a joke is still chosen from the rest.
  if (first != kMarker) complain();
  if (lines < 2) return "";
  const size_t records = lines - 1;
  size_t pick = static_cast<size_t>(rnd.Rnd() * static_cast<double>(records));
  if (pick >= records) pick = records - 1;
  std::string joke = Cp1251ToUtf8(reader.Line(pick + 2));
  return ReplaceAll(joke, "<CRLF>", "\r\n");
}

}  // namespace kalvitor
