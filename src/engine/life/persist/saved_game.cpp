// Saved games in the Save folder (their lines: persist/saved_lines.cpp), and
// the game's journal in a file of its own beside each. Saving writes both
// files whole next to the old ones and then puts them in their places, so a
// save that fails half way never spoils an older game. Loading takes from a
// damaged file only the values that make sense.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "life/life.h"
#include "life/persist/journal_file.h"
#include "life/persist/save_file.h"
#include "life/persist/saved_lines.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/replacing_file.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
bool Life::SaveGame() {
  RefreshFamilyLabel();
  const Guard game = ThisGame();
  const std::string name = View().AskSaveLoadFileName(2);
  // Cancelled, or the game ended while the dialog was open: nothing to say.
  if (name.empty() || game.Over()) return true;

  const std::string text = SavedGameText(s);

  const std::string folder = PlayerPath("Save");
  const std::string path = AddBackslash(folder) + name;
  RemoveSaveLeftovers(folder);
  if (IsPlainFileName(name)) {
    const std::string real = SpelledInFolder(folder, name);
    const std::string journalName = SpelledInFolder(folder, JournalFileName(real));
    Note(JournalKind::Game, FormatText(Tr("Сохранение игры: %s"), {real}));
    ReplacingFile saved, journalFile;
    if (saved.Prepare(folder, real, text)) {
      const bool journalReady = journalFile.Prepare(folder, journalName, JournalFileText(journal, text));
      if (saved.Commit()) {
        if (saveBetweenFiles) saveBetweenFiles();
        if (journalReady && journalFile.Commit()) {
          port.PlayerFilesWritten();
          return true;
        }
        // The game is saved without its journal. The older journal there
        // belonged to the game just replaced; one from before journals
        // named their game would pass for this one's, so it goes.
        std::error_code ec;
        std::filesystem::remove(PathFromUtf8(AddBackslash(folder) + journalName), ec);
        port.PlayerFilesWritten();
        MsgBox(FormatText(Tr("Игра сохранена, но её журнал событий потерян: записать файл '%s' не удалось. Эта игра "
                             "загрузится с пустым журналом."),
                          {AddBackslash(folder) + journalName}),
               Tr("Сохранение игры"), MsgIcon::Critical);
        return true;
      }
    }
  }
  MsgBox(FormatText(Tr("Не удалось сохранить игру в файл '%s'."), {path}), Tr("Сохранение игры"), MsgIcon::Critical);
  return false;
}

bool Life::LoadGame() {
  const Guard asked = ThisGame();
  const std::string name = View().AskSaveLoadFileName(1);
  if (name.empty() || asked.Over()) return false;

  const std::string folder = PlayerPath("Save");
  const std::string path = AddBackslash(folder) + name;
  RefreshFamilyLabel();
  const std::string real = IsPlainFileName(name) ? SpelledInFolder(folder, name) : std::string();
  const std::string realPath = AddBackslash(folder) + real;
  if (real.empty() || !FileExists(realPath)) {
    MsgBox(FormatText(Tr("Файл '%s' не найден!"), {path}), Tr("Ошибка"), MsgIcon::Critical);
    return false;
  }

  const SavedLines f = ReadSavedLines(realPath);
  if (!f.usable[1] || f.text[1] != kSavedGameFormatLine) {
    MsgBox(Tr("Некорректная версия"), Tr("Загрузка игры"), MsgIcon::Critical);
    return false;
  }

  // From here on the state is the loaded game's.
  BeginGame();
  const Guard game = ThisGame();
  const bool ownJournal = LoadJournalBeside(folder, real);
  // What the load writes down is dated by the saved game's clock.
  std::optional<StampNotes> stamp;
  {
    const std::optional<std::string> t = f.Text(4), d = f.Text(5);
    const std::optional<int> minutes = t ? ParseTimeOfDay(*t) : std::nullopt;
    const std::optional<int32_t> date = d ? ParseShortDate(*d) : std::nullopt;
    if (date) stamp.emplace(*this, *date, minutes.value_or(0));
  }
  Note(JournalKind::Game, FormatText(Tr("Загрузка игры: %s"), {real}));
  QuietSetUp quiet(*this);
  // A game loaded before any game of this run has started would find the
  // clock without a speed and stand still: it gets the normal speed that a
  // new game gets. Later loads keep the speed the player chose.
  if (s.TickMinutes == 0) {
    SetSpeed(30);
    SetDownloadedMb(s.DownloadedMb);
  }
  const bool whole = TakeSavedLines(*this, state_, f);
  if (game.Over()) return false;
  // A game saved without its journal begins its record here.
  if (!journal.HasLifeRecord()) journal.SetLife(LifeRecord{s.GameDate, s.Money, s.JobIndex > 0 ? 1 : 0});
  // Said once, over the loaded game: its journal is gone, the game is not.
  if (!ownJournal) {
    MsgBox(FormatText(Tr("Журнал событий этой игры восстановить не удалось: файл '%s' записан не с ней. Игра "
                         "загружена, журнал начат заново."),
                      {AddBackslash(folder) + JournalFileName(real)}),
           Tr("Загрузка игры"), MsgIcon::Exclamation);
    if (game.Over()) return false;
  }
  return whole;
}

void Life::AnswerSaveLoad(const std::string& fileName, bool cancelled) {
  state_.SaveLoadFileName = fileName;
  state_.SaveLoadCancelled = Bool16(cancelled);
}

}  // namespace kalvitor
