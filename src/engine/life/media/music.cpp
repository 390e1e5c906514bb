// Background music: every file of the Music folder (the shipped one and, for
// an installed game, the player's own), in random order, without end. The
// list is built once per run.
#include <algorithm>
#include <filesystem>

#include "life/life.h"
#include "util/paths.h"
#include "util/text.h"

namespace kalvitor {

void Life::BuildMusicList() {
  musicTracks_.clear();
  musicTracksReady_ = true;
  namespace fs = std::filesystem;
  for (const std::string& folder : folders_.MusicFolders()) {
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(PathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code fileEc;
      if (!it->is_regular_file(fileEc)) continue;
      std::string name = Utf8FromPath(it->path().filename());
      if (name.empty() || name[0] == '.') continue;  // hidden files are not listed
      names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      std::string la = LowerCase(a), lb = LowerCase(b);
      return la != lb ? la < lb : a < b;
    });
    // Real letter case is kept: file names here are case-sensitive.
    for (const std::string& n : names) musicTracks_.push_back(AddBackslash(folder) + n);
  }
}

void Life::PlayRandomTrack() {
  if (!musicTracksReady_) BuildMusicList();
  if (musicTracks_.empty()) return;
  const int n = static_cast<int>(musicTracks_.size());
  int k = 0;
  while (k == 0) k = rnd.DrawInt(n);
  port.MusicSetFile(musicTracks_[static_cast<size_t>(k - 1)]);
  WaitSeconds(1);
  port.MusicPlay();
  musicTimerOn_ = true;
  View().SetMusicTimer(true);
}

void Life::StopMusic() {
  port.MusicStop();
  musicTimerOn_ = false;
  View().SetMusicTimer(false);
}

void Life::MusicTimer() {
  if (port.MusicState() != 0) return;
  StopMusic();
  PlayRandomTrack();
  port.MusicPlay();
}

}  // namespace kalvitor
