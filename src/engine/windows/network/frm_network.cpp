#include "windows/network/frm_network.h"

#include "util/int_math.h"
#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor {

const char* const kJokesSite = "www.anekdot.example.org";
const char* const kSoftSite = "www.freesoft.example.org";
const char* const kAntivirusSite = "www.antivirus.example.org";

namespace {

constexpr uint32_t kInk = 0x000000;
constexpr uint32_t kTitle = 0xFFE080;
constexpr uint32_t kStatus = 0x80FF80;
constexpr const char* kConnected = "Status: Connected";
constexpr const char* kDisconnected = "Status: Disconnected";
constexpr const char* kDownloadTip = KV_N("От 0 до 10 Мб за столько же секунд: они прибавятся к скачанному.");

// The status texts of dialling, each with the seconds it stays before the next.
struct DialStep {
  const char* text;
  int seconds;
};
constexpr DialStep kDialSteps[] = {
    {"Status: Initializing...", 1},
    {"Status: Dialing...", 5},
    {"Status: Connecting...", 1},
    {"Status: Verifying...", 3},
};

}  // namespace

// Marks the screen busy for one status sequence. While it is busy the buttons
// that start another sequence do nothing, so a connection cannot be dialled
// while the other one is being dialled and a transfer cannot end on a line
// that was hung up under it. "Назад" always works.
class FrmNetwork::BusyGuard {
 public:
  explicit BusyGuard(FrmNetwork& f) : f_(f), opening_(f.openings_.Watch()), before_(f.busy_) { f_.busy_ = true; }
  ~BusyGuard() {
    if (!opening_.Over()) f_.busy_ = before_;
  }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  FrmNetwork& f_;
  Guard opening_;
  bool before_;
};

FrmNetwork::FrmNetwork(Game& game)
    : Form(game, "frmNetwork", Tr("Выход в свет")),
      internetStatus(Build()),
      boardStatus(*Find("Label2")),
      internetDial(*Find("Command1")),
      boardDial(*Find("Command5")),
      sites(*Find("Picture1")),
      boardButtons(*Find("Picture2")),
      softDownload(*Find("Command6")),
      antivirusDownload(*Find("Command7")),
      txtAnecdot(*Find("txtAnecdot")) {
  SetClientSize(311, 335);
  OnClick("Command1", [this](int) { Command1_Click(); });
  OnClick("Command5", [this](int) { Command5_Click(); });
  OnClick("Command8", [this](int) { Command5_Click(); });
  OnClick("cmdChangeLocation", [this](int i) { cmdChangeLocation_Click(i); });
  OnClick("cmdRnd", [this](int) { cmdRnd_Click(); });
  OnClick("Command6", [this](int) { Command6_Click(); });
  OnClick("Command7", [this](int) { Command7_Click(); });
  OnClick("cmdBBSDownload", [this](int) { cmdBBSDownload_Click(); });
  OnClick("cmdBBSUpload", [this](int) { cmdBBSUpload_Click(); });
  OnClick("Command9", [this](int) { Command9_Click(); });
}

// Coordinates are in the window's client area, also for the controls on panels.
Control& FrmNetwork::Build() {
  AddShadowedTitle("Label7", "Label6", Tr("Всемирная паутина и один паук"), 7, 3, 300, 20, 11, kTitle, kInk, 2, 2);

  Control& dialUp = Add("Label9", ControlKind::Label, "Dial-Up Networking").At(8, 28, 196, 16).Font(9, true);
  Control& label1 =
      Add("Label1", ControlKind::Label, kDisconnected).At(8, 46, 196, 16).Font(8).Color(kStatus).CaptionedBy(dialUp);
  Add("Command1", ControlKind::Button, Tr("Звонить ($1/час)"))
      .At(208, 34, 95, 26)
      .Font(8)
      .Tip(Tr("Интернет: $1 за каждый игровой час на линии."));
  Control& picture1 = Add("Picture1", ControlKind::Panel, "").At(8, 66, 295, 172).Back(0x102030).Disabled();
  const char* sites[3] = {kJokesSite, kSoftSite, kAntivirusSite};
  for (int i = 0; i < 3; ++i)
    AddIndexed("cmdChangeLocation", i, ControlKind::Button, sites[i], &picture1).At(12, 70 + i * 22, 287, 20).Font(8);
  Control* panels[3];
  for (int i = 0; i < 3; ++i)
    panels[i] =
        &AddIndexed("picLocation", i, ControlKind::Panel, "", &picture1).At(12, 138, 287, 96).Back(0x203850).Hidden();
  Control& jokes = Add("Label4", ControlKind::Label, kJokesSite, panels[0]).At(16, 140, 279, 16).Font(8, true);
  Add("cmdRnd", ControlKind::Button, "Next Random Anecdot", panels[0])
      .At(16, 157, 140, 20)
      .Font(8)
      .Tip(Tr("Случайный анекдот."));
  Add("txtAnecdot", ControlKind::TextBox, "", panels[0]).At(16, 179, 279, 52).Font(8).Color(kInk).CaptionedBy(jokes);
  Add("Label3", ControlKind::Label, std::string(kSoftSite) + Tr(" -- Самый свежий софт!"), panels[1])
      .At(16, 140, 279, 30)
      .Font(8, true);
  Add("Command6", ControlKind::Button, "Download Cool, Necessary and Freeware Programs and Utilites for FREE!!!",
      panels[1])
      .At(16, 174, 279, 40)
      .Font(8)
      .Tip(Tr(kDownloadTip));
  Add("Label5", ControlKind::Label, kAntivirusSite, panels[2]).At(16, 140, 279, 16).Font(8, true);
  Add("Command7", ControlKind::Button, "Get Last Antivirus Database", panels[2])
      .At(16, 162, 279, 26)
      .Font(8)
      .Tip(Tr(kDownloadTip));

  Control& terminal = Add("Label10", ControlKind::Label, "Microsoft HyperTerminal").At(8, 244, 196, 16).Font(9, true);
  Add("Label2", ControlKind::Label, kDisconnected).At(8, 262, 196, 16).Font(8).Color(kStatus).CaptionedBy(terminal);
  Add("Command5", ControlKind::Button, Tr("Звонить"))
      .At(208, 250, 95, 26)
      .Font(8)
      .Tip(Tr("Доска объявлений: бесплатно."));
  Control& picture2 = Add("Picture2", ControlKind::Panel, "").At(8, 282, 295, 26).Back(0x102030).Disabled();
  Add("cmdBBSDownload", ControlKind::Button, "Download Soft", &picture2)
      .At(10, 284, 94, 22)
      .Font(8)
      .Tip(Tr(kDownloadTip));
  Add("cmdBBSUpload", ControlKind::Button, "Upload Soft", &picture2)
      .At(106, 284, 94, 22)
      .Font(8)
      .Tip(Tr("Отправить программы: ничего не меняет."));
  Add("Command8", ControlKind::Button, "Hang-Up", &picture2).At(202, 284, 99, 22).Font(8);
  Control& back = Add("Command9", ControlKind::Button, Tr("Назад")).At(208, 310, 95, 22);
  // Esc leaves the screen as "Назад" does.
  SetKeys(nullptr, &back);
  return label1;
}

// Nothing else happens on loading: the status lines, panels and buttons
// start as designed every time the screen opens.
void FrmNetwork::FormLoad() {
  openings_.Begin();
  busy_ = false;
  SetBackground("NET");
}

FrmNetwork::Session FrmNetwork::Begin() const { return Session{game_.ThisGame(), openings_.Watch()}; }

bool FrmNetwork::Alive(const Session& session) const {
  return !session.game.Over() && Loaded() && !session.opening.Over();
}

bool FrmNetwork::Status(Control& label, const std::string& text, int seconds, const Session& session) {
  label.SetText(text);
  game_.WaitSeconds(seconds);
  return Alive(session);
}

void FrmNetwork::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  Dial(true);
}

void FrmNetwork::Command5_Click() {
  game_.PlaySfx("BUTTONS");
  Dial(false);
}

void FrmNetwork::Dial(bool internet) {
  if (busy_) return;
  const GameState& s = game_.s;
  const bool mine = (internet ? s.InternetConnected : s.BbsConnected) == kTrue;
  const bool other = (internet ? s.BbsConnected : s.InternetConnected) == kTrue;
  if (!mine && other) return;  // one connection at a time
  BusyGuard guard(*this);
  if (mine) {
    HangUp(internet);
    return;
  }
  Control& label = internet ? internetStatus : boardStatus;
  Control& button = internet ? internetDial : boardDial;
  const Session session = Begin();
  button.SetEnabled(false);
  for (const DialStep& step : kDialSteps)
    if (!Status(label, step.text, step.seconds, session)) return;
  label.SetText(kConnected);
  game_.Connected(internet);
  (internet ? sites : boardButtons).SetEnabled(true);
  button.SetEnabled(true);
}

bool FrmNetwork::HangUp(bool internet) {
  Control& label = internet ? internetStatus : boardStatus;
  Control& button = internet ? internetDial : boardDial;
  const Session session = Begin();
  button.SetEnabled(false);
  if (!Status(label, "Status: Disconnecting...", 1, session)) return false;
  label.SetText(kDisconnected);
  (internet ? sites : boardButtons).SetEnabled(false);
  button.SetEnabled(true);
  // $1 for every game hour counted while connected.
  game_.HungUp(internet);
  return true;
}

void FrmNetwork::cmdChangeLocation_Click(int index) {
  game_.PlaySfx("BUTTONS");
  if (index < 0 || index > 2) return;
  for (int i = 0; i < 3; ++i) Find("picLocation", i)->SetVisible(false);
  Find("picLocation", index)->SetVisible(true);
}

void FrmNetwork::cmdRnd_Click() {
  game_.PlaySfx("BUTTONS");
  const std::string joke = game_.GetRandomAnecdote();
  txtAnecdot.SetText(joke);
}

void FrmNetwork::Command6_Click() {
  game_.PlaySfx("BUTTONS");
  Download(softDownload);
}

void FrmNetwork::Command7_Click() {
  game_.PlaySfx("BUTTONS");
  Download(antivirusDownload);
}

// A site's download: n megabytes in n seconds. The button stays disabled
// until the screen is opened again. Once the time has passed the megabytes
// are the player's, whatever became of the screen meanwhile (left, or left
// and opened again): only another game ends a download. The status line is
// written only while the screen is still the opening that began it.
void FrmNetwork::Download(Control& button) {
  if (busy_) return;
  BusyGuard guard(*this);
  const int n = game_.rnd.DrawInt(10);
  const Session session = Begin();
  button.SetEnabled(false);
  const bool sameOpening = Status(internetStatus, "Status: Downloading " + std::to_string(n) + " Mb...", n, session);
  if (session.game.Over()) return;
  game_.SetDownloadedMb(Sat16(int64_t{game_.s.DownloadedMb} + n));
  if (sameOpening) internetStatus.SetText(kConnected);
}

void FrmNetwork::cmdBBSDownload_Click() {
  game_.PlaySfx("BUTTONS");
  BoardTransfer(true);
}

void FrmNetwork::cmdBBSUpload_Click() {
  game_.PlaySfx("BUTTONS");
  BoardTransfer(false);
}

// The board's line shows n kilobytes, while a download adds n megabytes to
// the counter.
void FrmNetwork::BoardTransfer(bool download) {
  if (busy_) return;
  BusyGuard guard(*this);
  const int n = game_.rnd.DrawInt(10);
  const Session session = Begin();
  const std::string bytes = std::to_string(n * 1024);
  const std::string text =
      download ? "Status: Receiving " + bytes + " bytes of data..." : "Status: Sending " + bytes + " bytes of data...";
  // As a site's download: the megabytes come whatever became of the screen.
  if (Status(boardStatus, text, n, session)) boardStatus.SetText(kConnected);
  if (download && !session.game.Over()) game_.SetDownloadedMb(Sat16(int64_t{game_.s.DownloadedMb} + n));
}

void FrmNetwork::Command9_Click() {
  game_.PlaySfx("BUTTONS");
  Leave();
}

// Hangs up whatever is connected, the board first, and closes the screen.
void FrmNetwork::Leave() {
  BusyGuard guard(*this);
  if (game_.s.BbsConnected == kTrue && !HangUp(false)) return;
  if (game_.s.InternetConnected == kTrue && !HangUp(true)) return;
  Unload();
}

}  // namespace kalvitor
