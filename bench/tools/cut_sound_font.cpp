// Writes the General MIDI soundfont cut to the notes of some MIDI files, as
// the desktop's player cuts it for a song (desktop_media/sound_font.h): for
// the browser's other way of playing the tunes (bench/web_sound.sh).
//   cut_sound_font SOUNDFONT OUT.sf2 SONG.mid...
#include <QFile>
#include <algorithm>
#include <cstdio>

#include "midi_file.h"
#include "sound_font.h"

int main(int argc, char** argv) {
  using namespace kalvitor::media;
  if (argc < 4) {
    std::fprintf(stderr, "usage: cut_sound_font SOUNDFONT OUT.sf2 SONG.mid...\n");
    return 2;
  }
  SoundFontIndex font;
  if (!font.Read(argv[1])) {
    std::fprintf(stderr, "%s: not a soundfont\n", argv[1]);
    return 1;
  }
  std::vector<MidiNote> notes;
  for (int i = 3; i < argc; ++i) {
    QFile in(QString::fromLocal8Bit(argv[i]));
    std::optional<MidiSong> song = in.open(QIODevice::ReadOnly) ? ReadMidiSong(in.readAll()) : std::nullopt;
    if (!song) {
      std::fprintf(stderr, "%s: not a song\n", argv[i]);
      return 1;
    }
    notes.insert(notes.end(), song->notes.begin(), song->notes.end());
  }
  std::sort(notes.begin(), notes.end());
  notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
  QFile out(QString::fromLocal8Bit(argv[2]));
  return out.open(QIODevice::WriteOnly) && font.WriteCut(notes, out) && out.flush() ? 0 : 1;
}
