// A window of the game as a model: its controls, its lifecycle (unloaded ->
// loaded -> shown -> hidden -> unloaded) and its handlers. A window reloads
// with its designed control states; Form_Load runs on every load.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "windows/forms/control.h"

namespace kalvitor {

class Game;

// The two keys a window answers with a button of its own.
enum class WindowKey { Enter, Esc };

class Form {
 public:
  Form(Game& game, std::string name, std::string caption);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  bool Loaded() const { return loaded_; }
  bool Shown() const { return shown_; }
  bool Modal() const { return modal_; }
  // Dialogs the game opens and waits for (their answers are queued in the
  // scripted driver); screens are opened by the player.
  virtual bool IsDialog() const { return false; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // What the title bar says: the caption, else the window's own name for
  // itself, else the program's title.
  std::string TitleBarText() const;
  // Windows belong to the main window; the player name dialog, which opens
  // before it and between games, stands alone.
  virtual bool OwnedByMain() const { return true; }

  // The buttons Enter and Esc press, when the window has them.
  Control* DefaultButton() const { return defaultButton_; }
  Control* CancelButton() const { return cancelButton_; }
  // Presses the key's button if it can be used now (the window takes
  // clicks, the button is enabled and visible); false when nothing happens.
  bool Press(WindowKey key);
  // The background picture's name, empty for none.
  const std::string& Background() const { return background_; }
  const std::string& Tag() const { return tag_; }
  void SetTag(const std::string& tag) { tag_ = tag; }
  // A disabled window takes no clicks.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);

  const std::deque<Control>& Controls() const { return controls_; }
  // After a change of language, from `fresh`, the same window just made in
  // the new language: its caption and its controls' texts, tips and list
  // entries as designed; a window not loaded takes them as they are, a
  // loaded one where it shows them as designed, and the catalogue's
  // translation (from `from`) of any other it shows; what the player typed
  // stays. Tells the frontend when the window is loaded.
  virtual void Relabel(const Form& fresh, const std::string& from);
  Control* Find(const std::string& name, int index = -1);

  void Load();
  void Show();       // modeless
  void ShowModal();  // returns when the frontend's modal display ends
  void Hide();
  void Unload();

  // A click on a control; false when the window has no such control.
  bool Click(const std::string& name, int index);
  bool HasHandler(const std::string& name) const { return clickHandlers_.count(name) != 0; }
  // Names given a click handler without a control of that name: a mistake
  // that would make clicks vanish, so tests check every window has none.
  std::vector<std::string> HandlersWithoutControl() const;
  // The title-bar close button. Unloads the window unless it says otherwise.
  virtual void CloseBox() { Unload(); }

  Game& game() { return game_; }
  void NotifyChanged(Control& control);
  // Client area in pixels (fitted to the background picture where there is one).
  int Width() const { return width_; }
  int Height() const { return height_; }

 protected:
  Control& Add(const std::string& name, ControlKind kind, const std::string& text, Control* parent = nullptr);
  Control& AddIndexed(const std::string& name, int index, ControlKind kind, const std::string& text,
                      Control* parent = nullptr);
  void OnClick(const std::string& name, std::function<void(int)> handler);
  void SetKeys(Control* enter, Control* esc) {
    defaultButton_ = enter;
    cancelButton_ = esc;
  }
  // The title bar's text while the caption is empty.
  void SetUntitledTitle(const std::string& title) { untitledTitle_ = title; }
  // A title drawn twice for a shadow: the shadow label (added first, so it
  // lies below) offset by dx, dy from the title label.
  void AddShadowedTitle(const std::string& shadowName, const std::string& titleName, const std::string& text, int x,
                        int y, int w, int h, int pt, uint32_t titleColor, uint32_t shadowColor, int dx, int dy);
  // The maker's logo in the top-left corner (the name dialog and the about
  // box): the picture Image1 and three labels over it, the first named
  // `makerLabel`, then Label3 and Label7.
  void AddLogo(const std::string& makerLabel);
  // Line1..Line4: a frame of one-pixel lines from (left, top) to (right, bottom).
  void AddLineFrame(int left, int top, int right, int bottom, uint32_t color);
  void SetBackground(const std::string& name);
  void SetClientSize(int w, int h) {
    width_ = w;
    height_ = h;
  }
  virtual void FormLoad() {}
  virtual void FormUnload() {}
  // Each time the window is shown, after it has loaded.
  virtual void FormActivate() {}

  Game& game_;

 private:
  const std::string name_;
  std::string designCaption_;
  std::string caption_;
  std::string background_;
  std::string tag_;
  std::string untitledTitle_;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  bool loaded_ = false;
  bool shown_ = false;
  bool modal_ = false;
  bool enabled_ = true;
  int width_ = 400, height_ = 300;
  std::deque<Control> controls_;
  std::map<std::string, std::function<void(int)>> clickHandlers_;
};

}  // namespace kalvitor
