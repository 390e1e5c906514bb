// frmNetwork, "Выход в свет": the player's computer on line. A dial-up
// internet connection billed at $1 a game hour, with three sites (jokes,
// free software, antivirus database), and a free bulletin board to download
// from or upload to. Only one connection is up at a time. The connection
// flags and the hour counter live in the game state for the whole run; the
// hourly pass counts the hours through Life::TrafficEvent. The screen plays
// the status sequences and their waits; a connection made or ended is the
// life's (Life::Connected, Life::HungUp, which bills the hours).
#pragma once

#include <cstdint>
#include <string>

#include "util/generation.h"
#include "windows/forms/form.h"

namespace kalvitor {

// The three sites' addresses, by the index of their button and panel.
extern const char* const kJokesSite;
extern const char* const kSoftSite;
extern const char* const kAntivirusSite;

class FrmNetwork : public Form {
 public:
  explicit FrmNetwork(Game& game);

  // Each bound to its control; the names of the controls are the game's.
  Control& internetStatus;     // Label1
  Control& boardStatus;        // Label2
  Control& internetDial;       // Command1: dials or hangs up
  Control& boardDial;          // Command5: dials or hangs up
  Control& sites;              // Picture1: usable while the internet is up
  Control& boardButtons;       // Picture2: usable while the board is up
  Control& softDownload;       // Command6, on the download site
  Control& antivirusDownload;  // Command7, on the antivirus site
  Control& txtAnecdot;

  void Command1_Click();
  void Command5_Click();  // also Command8 ("Hang-Up")
  void cmdChangeLocation_Click(int index);
  void cmdRnd_Click();
  void Command6_Click();
  void Command7_Click();
  void cmdBBSDownload_Click();
  void cmdBBSUpload_Click();
  void Command9_Click();
  // The close box leaves as "Назад" does: whatever is connected hangs up
  // and the internet time is billed.
  void CloseBox() override { Leave(); }

  // True while a status sequence (dialling, hanging up, a transfer) waits.
  bool Busy() const { return busy_; }

 protected:
  void FormLoad() override;

 private:
  // The screen and the game a status sequence began with; it goes on only
  // while both are still there.
  struct Session {
    Guard game;
    Guard opening;
  };
  class BusyGuard;
  // Adds every control in the window's order; returns internetStatus.
  Control& Build();
  Session Begin() const;
  bool Alive(const Session& session) const;
  // Writes a status text and waits; false when the sequence must stop.
  bool Status(Control& label, const std::string& text, int seconds, const Session& session);
  void Dial(bool internet);
  // Hangs up one connection (and bills the internet time); false when the
  // sequence was cut short.
  bool HangUp(bool internet);
  void Download(Control& button);
  void BoardTransfer(bool download);
  void Leave();

  bool busy_ = false;
  // Every load of the screen is a new opening.
  Generation openings_;
};

}  // namespace kalvitor
