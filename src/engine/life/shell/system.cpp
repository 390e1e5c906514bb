// The program's entry and the small system routines: paths, files, links,
// message boxes, waits and effects.
#include <filesystem>

#include "life/life.h"
#include "life/persist/game_folders.h"
#include "life/persist/journal_file.h"
#include "life/persist/save_file.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {

void Life::RunMain() {
  // The date convention check: today's date written as dd.mm.yyyy must read
  // back as the same date. Our date handling is the game's own, so it holds
  // wherever the computer's clock gives a date the game can show.
  WallClock now = port.Now();
  std::optional<int32_t> back = ParseShortDate(FormatShortDate(now.date));
  if (!back || *back != now.date) {
    MsgBox(Tr("Внимание! Общая ошибка формата даты/времени. Компьютер настроен не на русские стандарты! Измените "
              "региональный стандарт (Пуск\\Настройка\\Панель управления\\Язык и стандарты (Start\\Settings\\Control "
              "Panel\\Regional Settings) на Русский (Russian) и повторите попытку!"),
           Tr("Общая ошибка Windows"), MsgIcon::Critical);
    port.EndProgram();
  }
  // An installed game keeps the player's files in a folder of their own; if
  // it cannot be made or written, or (either game) its disk is full, the
  // player hears it once, and plays on.
  const std::string bad = folders_.SharedFolder() ? std::string() : PreparePlayerFolder(folders_);
  if (!bad.empty()) {
    MsgBox(FormatText(Tr("Папка '%s' недоступна для записи. Игра продолжится, но сохранить игру и вести журнал игр "
                         "не получится."),
                      {bad}),
           Tr("Папка игрока"), MsgIcon::Exclamation);
  } else if (!FolderHasRoom(folders_.player) && FolderWritable(folders_.player)) {
    MsgBox(FormatText(Tr("На диске с папкой '%s' не осталось места. Игра продолжится, но сохранить игру и вести "
                         "журнал игр не получится, пока место не освободится."),
                      {folders_.player}),
           Tr("Папка игрока"), MsgIcon::Exclamation);
  }
  WriteGamesLogHeaderIfMissing();
  FinishSavesCutShort(PlayerPath("Save"));
  RemoveSaveLeftovers(PlayerPath("Save"));
  PlaySfx("LOGOSOUND");
  NewGame();
  // The main window's load has started the music already (its timer runs);
  // a second start here would cut the first track after a second.
  if (s.MusicOn == kTrue && !musicTimerOn_) PlayRandomTrack();
}

std::string Life::AddBackslash(const std::string& path) { return kalvitor::AddBackslash(path); }

std::string Life::DataPath(const std::string& relative) const { return AddBackslash(folders_.data) + relative; }

std::string Life::TextPath(const std::string& name) const {
  const std::string russian = DataPath(name);
  if (Language() == "ru") return russian;
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
  const std::string own = DataPath(stem + "." + Language() + ext);
  return FileExists(own) ? own : russian;
}

std::string Life::PlayerPath(const std::string& relative) const { return AddBackslash(folders_.player) + relative; }

bool Life::FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

void Life::OpenLink(const std::string& target) { port.OpenLink(target); }

void Life::ShowTextFile(const std::string& name) { port.ShowTextFile(TextPath(name)); }

MsgAnswer Life::MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  Note(JournalKind::MsgBox, title.empty() ? text : "«" + title + "» " + text);
  return port.MessageBox(text, title, icon, buttons);
}

void Life::WaitSeconds(int n) {
  if (n <= 0) return;
  // The elapsed time rounded half to even reaches n half a second early for
  // an even n, and one millisecond later than that for an odd n.
  int64_t wait = static_cast<int64_t>(n) * 1000 - (n % 2 == 0 ? 500 : 499);
  port.WaitUntil(port.MonotonicMs() + wait);
}

void Life::PlaySfx(const std::string& name) { port.PlayEffect(UpperAscii(name), s.SfxOn == kTrue); }

void Life::ReseedFromTimer() { rnd.Reseed(static_cast<uint64_t>(port.Now().millisOfDay)); }

void Life::ShowMessage(const std::string& text) {
  Note(JournalKind::Message, text);
  View().TypeMessage(text);
}

}  // namespace kalvitor
