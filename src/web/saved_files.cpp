#include "saved_files.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "bridge.h"
#include "json.h"
#include "life/persist/save_file.h"
#include "life/persist/saved_game_import.h"
#include "util/paths.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"
#include "windows/persist/frm_save_load.h"

namespace kalvitor::web {
namespace {

constexpr const char* kGameExtension = ".ksv";
constexpr const char* kJournalExtension = ".kjl";
constexpr const char* kImportTitle = KV_N("Открытие игры");
constexpr const char* kUnread = "-";  // the page could not read the file

bool HasExtension(const std::string& name, const char* extension) {
  const size_t n = std::char_traits<char>::length(extension);
  return name.size() > n && EqualsIgnoreCase(name.substr(name.size() - n), extension);
}

void Tell(Game& game, const std::string& text, const std::string& title, MsgIcon icon = MsgIcon::Exclamation) {
  game.port.MessageBox(text, title, icon, MsgButtons::Ok);
}

std::optional<std::string> ReadAll(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// What the verdict tells the player; the game and journal by their names.
std::string VerdictText(ImportVerdict verdict, const PickedFile& game, const PickedFile* journal,
                        const std::string& folder) {
  switch (verdict) {
    case ImportVerdict::NotASavedGame:
      return FormatText(Tr("Файл '%s' не является сохранённой игрой."), {game.name});
    case ImportVerdict::Damaged:
      return FormatText(Tr("Файл '%s' повреждён: в нём не хватает строк сохранённой игры или они не читаются."),
                        {game.name});
    case ImportVerdict::NotAJournal:
      return FormatText(Tr("Файл '%s' не является журналом событий игры."), {journal ? journal->name : ""});
    case ImportVerdict::JournalOfAnotherGame:
      return FormatText(Tr("Журнал '%s' записан не с игрой '%s'."), {journal ? journal->name : "", game.name});
    case ImportVerdict::NotWritten:
      return FormatText(Tr("Не удалось записать игру в папку '%s'."), {folder});
    case ImportVerdict::Imported:
      break;
  }
  return "";
}

// The saved game's name in the Save folder: the file's own, ".ksv" at its end.
std::string GameNameOf(const std::string& fileName) {
  return HasExtension(fileName, kGameExtension) ? fileName : fileName + kGameExtension;
}

// The dialog lists its folder afresh, the game brought in selected with its
// name in the box, as a click on it would.
void ListAgain(Game& game, const std::string& name) {
  FrmSaveLoad& dialog = game.Window<FrmSaveLoad>();
  if (!dialog.Loaded()) return;
  const std::vector<std::string> names = ListSavedGames(game.PlayerPath("Save"));
  dialog.savedGamesList.SetItems(names);
  dialog.lstFilenames.SetItems(names);
  for (size_t i = 0; i < names.size(); ++i) {
    if (!EqualsIgnoreCase(names[i], name)) continue;
    dialog.lstFilenames.SetListIndex(static_cast<int>(i));
    dialog.lstFilenames_Click();
    break;
  }
}

// The bytes the page put in memory, or the player is told why there are none.
std::optional<std::string> BytesOf(Game& game, const PickedFile& f) {
  std::optional<std::string> bytes = f.path.empty() || f.path == kUnread ? std::nullopt : ReadAll(f.path);
  if (bytes) return bytes;
  const long megabytes = std::lround(f.size / (1024.0 * 1024.0));
  Tell(game,
       f.path.empty() ? FormatText(Tr("Файл '%s' слишком велик (%s МБ): сохранённая игра и её журнал много меньше."),
                                   {f.name, std::to_string(megabytes)})
                      : FormatText(Tr("Файл '%s' не удалось прочитать."), {f.name}),
       Tr(kImportTitle));
  return std::nullopt;
}

// Checked, and copied when the player has nothing against it.
void Import(Game& game, const PickedFile& gameFile, const PickedFile* journalFile) {
  const std::optional<std::string> gameBytes = BytesOf(game, gameFile);
  if (!gameBytes) return;
  std::optional<std::string> journalBytes;
  if (journalFile != nullptr && !(journalBytes = BytesOf(game, *journalFile))) return;
  const std::string folder = game.PlayerPath("Save");
  const std::string name = GameNameOf(gameFile.name);
  ImportVerdict verdict = CheckImport(*gameBytes, journalBytes);
  if (verdict == ImportVerdict::Imported && !IsPlainFileName(name)) verdict = ImportVerdict::NotASavedGame;
  if (verdict == ImportVerdict::Imported) {
    for (const std::string& listed : ListSavedGames(folder)) {
      if (!EqualsIgnoreCase(listed, name)) continue;
      if (game.port.MessageBox(FormatText(Tr("Игра '%s' уже есть в списке. Заменить её?"), {listed}), Tr(kImportTitle),
                               MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
      break;
    }
    verdict = ImportSavedGame(folder, name, *gameBytes, journalBytes);
  }
  if (verdict != ImportVerdict::Imported) {
    Tell(game, VerdictText(verdict, gameFile, journalFile, folder) + " " + Tr("Игра не добавлена."), Tr(kImportTitle));
    return;
  }
  game.port.PlayerFilesWritten();
  ListAgain(game, name);
}

}  // namespace

void ExportSelectedGame(Game& game) {
  FrmSaveLoad& dialog = game.Window<FrmSaveLoad>();
  if (!dialog.Loaded()) return;
  const auto& items = dialog.lstFilenames.props.items;
  const int i = dialog.lstFilenames.props.listIndex;
  if (i < 0 || i >= static_cast<int>(items.size())) {
    Tell(game, Tr("Выберите в списке игру, которую хотите скачать."), Tr("Скачать игру"), MsgIcon::Information);
    return;
  }
  const std::string folder = game.PlayerPath("Save");
  const std::string name = items[static_cast<size_t>(i)];
  const std::string journal = SpelledInFolder(folder, Life::JournalFileName(name));
  Json j;
  j.Begin().BeginList("files");
  for (const std::string& file : {name, journal}) {
    const std::string path = Life::AddBackslash(folder) + file;
    std::error_code ec;
    if (std::filesystem::is_regular_file(PathFromUtf8(path), ec)) j.Item().Str("path", path).Str("name", file).End();
  }
  Post("download", j.EndList().End().Text());
}

void ImportPickedFiles(Game& game, const std::vector<PickedFile>& files) {
  const PickedFile* gameFile = nullptr;
  const PickedFile* journalFile = nullptr;
  int games = 0, journals = 0;
  for (const PickedFile& f : files) {
    if (HasExtension(f.name, kJournalExtension)) {
      journalFile = &f, ++journals;
    } else {
      gameFile = &f, ++games;
    }
  }
  if (!game.Window<FrmSaveLoad>().Loaded()) {
    // The dialog went meanwhile: nothing to bring the game into.
  } else if (games == 1 && journals <= 1) {
    Import(game, *gameFile, journalFile);
  } else {
    Tell(game, Tr("Выберите файл сохранённой игры (.ksv) и, если он есть, её журнал событий (.kjl)."), Tr(kImportTitle),
         MsgIcon::Information);
  }
  // The page's copies go, whatever came of them.
  for (const PickedFile& f : files) {
    std::error_code ec;
    if (!f.path.empty() && f.path != kUnread) std::filesystem::remove(PathFromUtf8(f.path), ec);
  }
}

}  // namespace kalvitor::web
