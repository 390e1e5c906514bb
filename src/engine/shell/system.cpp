// The program's entry and the small system routines: paths, files, links,
// message boxes, waits and effects.
#include <filesystem>

#include "game.h"
#include "persist/game_folders.h"
#include "persist/journal_file.h"
#include "persist/save_file.h"
#include "shell/frm_main.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/text.h"

namespace kalvitor {

void Game::RunMain() {
  // The date convention check: today's date written as dd.mm.yyyy must read
  // back as the same date. Our date handling is the game's own, so it holds
  // wherever the computer's clock gives a date the game can show.
  WallClock now = port.Now();
  std::optional<int32_t> back = ParseShortDate(FormatShortDate(now.date));
  if (!back || *back != now.date) {
    MsgBox(
        "Внимание! Общая ошибка формата даты/времени. Компьютер настроен не на русские стандарты! Измените "
        "региональный стандарт (Пуск\\Настройка\\Панель управления\\Язык и стандарты (Start\\Settings\\Control "
        "Panel\\Regional Settings) на Русский (Russian) и повторите попытку!",
        "Общая ошибка Windows", MsgIcon::Critical);
    port.EndProgram();
  }
  // An installed game keeps the player's files in a folder of their own; if
  // it cannot be made or written, or (either game) its disk is full, the
  // player hears it once, and plays on.
  const std::string bad = folders_.SharedFolder() ? std::string() : PreparePlayerFolder(folders_);
  if (!bad.empty()) {
    MsgBox("Папка '" + bad +
               "' недоступна для записи. Игра продолжится, но сохранить игру и вести журнал игр "
               "не получится.",
           "Папка игрока", MsgIcon::Exclamation);
  } else if (!FolderHasRoom(folders_.player) && FolderWritable(folders_.player)) {
    MsgBox("На диске с папкой '" + folders_.player +
               "' не осталось места. Игра продолжится, но сохранить игру и вести журнал игр "
               "не получится, пока место не освободится.",
           "Папка игрока", MsgIcon::Exclamation);
  }
  WriteGamesLogHeaderIfMissing();
  FinishSavesCutShort(PlayerPath("Save"));
  RemoveSaveLeftovers(PlayerPath("Save"));
  PlaySfx("LOGOSOUND");
  NewGame();
  // The main window's load has started the music already (its timer runs);
  // a second start here would cut the first track after a second.
  if (s.MusicOn == kTrue && !Main().tmrMusic.Enabled()) PlayRandomTrack();
}

std::string Game::AddBackslash(const std::string& path) {
  const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  if (!path.empty() && path.back() == sep) return path;
  return path + sep;
}

std::string Game::DataPath(const std::string& relative) const { return AddBackslash(folders_.data) + relative; }

std::string Game::PlayerPath(const std::string& relative) const { return AddBackslash(folders_.player) + relative; }

bool Game::FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

void Game::OpenLink(const std::string& target) { port.OpenLink(target); }

void Game::ShowTextFile(const std::string& name) { port.ShowTextFile(DataPath(name)); }

MsgAnswer Game::MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  Note(JournalKind::MsgBox, title.empty() ? text : "«" + title + "» " + text);
  return port.MessageBox(text, title, icon, buttons);
}

void Game::WaitSeconds(int n) {
  if (n <= 0) return;
  // The elapsed time rounded half to even reaches n half a second early for
  // an even n, and one millisecond later than that for an odd n.
  int64_t wait = static_cast<int64_t>(n) * 1000 - (n % 2 == 0 ? 500 : 499);
  port.WaitUntil(port.MonotonicMs() + wait);
}

void Game::PlaySfx(const std::string& name) { port.PlayEffect(UpperAscii(name), s.SfxOn == kTrue); }

void Game::ReseedFromTimer() { rnd.Reseed(static_cast<uint64_t>(port.Now().millisOfDay)); }

void Game::ShowMessage(const std::string& text) {
  Note(JournalKind::Message, text);
  FrmMain& m = Main();
  m.lblMessage.SetText("");
  port.OnMessageTyping(text);
  PlaySfx("MESSAGES");
  const size_t length = Utf8Length(text);
  // The bytes of the letters typed so far (the same as Utf8Prefix, without
  // counting from the start at every letter).
  size_t typed = 0;
  auto overContinuation = [&] {
    while (typed < text.size() && (static_cast<unsigned char>(text[typed]) & 0xC0) == 0x80) ++typed;
  };
  size_t shown = 0;
  port.Repeat(100, [&] {
    if (++shown > length) return false;
    overContinuation();
    if (typed < text.size()) ++typed;
    overContinuation();
    m.lblMessage.SetText(text.substr(0, typed));
    return true;
  });
  port.OnMessageTyped(text);
  port.WaitUntil(port.MonotonicMs() + 2000);
  m.lblMessage.SetText("");
}

}  // namespace kalvitor
