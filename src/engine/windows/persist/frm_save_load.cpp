#include "windows/persist/frm_save_load.h"

#include <algorithm>
#include <filesystem>

#include "life/persist/save_file.h"
#include "util/paths.h"
#include "util/text.h"
#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor {
namespace {

constexpr const char* kExtension = ".ksv";
constexpr uint32_t kInk = 0x000000;

bool LessByName(const std::string& a, const std::string& b) {
  const std::string la = LowerCase(a), lb = LowerCase(b);
  if (la != lb) return la < lb;
  return a < b;
}

}  // namespace

std::vector<std::string> ListSavedGames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(PathFromUtf8(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = Utf8FromPath(it->path().filename());
    if (name.size() >= 4 && EqualsIgnoreCase(name.substr(name.size() - 4), kExtension) && IsPlainFileName(name))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end(), LessByName);
  return names;
}

std::string CompleteSaveName(const std::string& text) { return EndsWith(text, kExtension) ? text : text + kExtension; }

FrmSaveLoad::FrmSaveLoad(Game& game)
    : Form(game, "frmSaveLoad", ""),
      lstFilenames(Build()),
      txtFilename(*Find("txtFilename")),
      cmdOk(*Find("cmdOk")),
      cmdCancel(*Find("cmdCancel")),
      savedGamesList(*Find("filFile")) {
  SetClientSize(300, 262);
  SetKeys(&cmdOk, &cmdCancel);
  OnClick("lstFilenames", [this](int) { lstFilenames_Click(); });
  OnClick("cmdOk", [this](int) { cmdOk_Click(); });
  OnClick("cmdCancel", [this](int) { cmdCancel_Click(); });
}

// Top to bottom: the caption, the list, the name box, the two buttons side by
// side at the bottom right (OK left of Отмена); the file list sits hidden in
// the bottom-left corner.
Control& FrmSaveLoad::Build() {
  Control& caption = Add("Label1", ControlKind::Label, Tr("Существующие имена игр:")).At(10, 8, 280, 16).Color(kInk);
  Control& list = Add("lstFilenames", ControlKind::ListBox, "").At(10, 26, 280, 160).Color(kInk).CaptionedBy(caption);
  Add("txtFilename", ControlKind::TextBox, "").At(10, 194, 280, 22).Color(kInk);
  Add("cmdOk", ControlKind::Button, "OK").At(110, 226, 86, 26);
  Add("cmdCancel", ControlKind::Button, Tr("Отмена")).At(204, 226, 86, 26);
  Add("filFile", ControlKind::ListBox, "").At(10, 240, 40, 16).Color(kInk).Hidden();
  return list;
}

void FrmSaveLoad::FormLoad() {
  savedGamesList.SetItems(ListSavedGames(game_.PlayerPath("Save")));
  lstFilenames.SetItems({});
  if (!savedGamesList.props.items.empty()) lstFilenames.SetItems(savedGamesList.props.items);
}

void FrmSaveLoad::lstFilenames_Click() {
  const int i = lstFilenames.props.listIndex;
  if (lstFilenames.props.items.empty() || i < 0 || i >= static_cast<int>(lstFilenames.props.items.size())) return;
  txtFilename.SetText(lstFilenames.props.items[static_cast<size_t>(i)]);
}

void FrmSaveLoad::cmdCancel_Click() {
  game_.PlaySfx("BUTTONS");
  game_.AnswerSaveLoad("", true);
  Unload();
}

void FrmSaveLoad::cmdOk_Click() {
  game_.PlaySfx("BUTTONS");
  const std::string text = txtFilename.Text();
  const std::string completed = CompleteSaveName(text);
  // Saving over a game that is listed asks first; names are compared without
  // regard to letter case, as the file system of the game's home does.
  if (Tag() == "CONFIRM") {
    for (const std::string& entry : lstFilenames.props.items) {
      if (!EqualsIgnoreCase(entry, completed)) continue;
      MsgAnswer a = game_.MsgBox(Tr("Файл с таким именем уже существует. Переписать его?"), Tr("Вопрос"), MsgIcon::None,
                                 MsgButtons::YesNo);
      if (a != MsgAnswer::Yes) return;
      break;
    }
    if (!Loaded()) return;  // a new game closed the dialog while it asked
  }
  // An empty box leaves the name as it was: empty.
  game_.AnswerSaveLoad(text.empty() ? game_.s.SaveLoadFileName : completed, false);
  Unload();
}

std::string GameWindows::AskSaveLoadFileName(int16_t mode) {
  FrmSaveLoad& dialog = Window<FrmSaveLoad>();
  if (dialog.Loaded()) return "";  // one use at a time
  game_.AnswerSaveLoad("", false);
  dialog.Load();
  if (mode == 1) {
    dialog.SetCaption(Tr("Загрузка игры"));
    dialog.cmdOk.SetText(Tr("Загрузить"));
  } else if (mode == 2) {
    dialog.SetTag("CONFIRM");
    dialog.SetCaption(Tr("Сохранение игры"));
    dialog.cmdOk.SetText(Tr("Сохранить"));
  }
  dialog.ShowModal();
  if (dialog.Loaded()) dialog.Unload();  // a frontend that returned early
  std::string result = game_.s.SaveLoadFileName;
  game_.AnswerSaveLoad("", false);
  return result;
}

}  // namespace kalvitor
