// A control of a window, held as data: what the window shows and whether the
// player can use it. Views draw these; handlers change them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kalvitor {

class Form;

enum class ControlKind {
  Label,       // text only
  ClickLabel,  // a label that acts as a button or a link
  Button,
  TextBox,
  ListBox,
  ComboBox,
  Panel,  // a container; disabling it disables what it holds
  Shape,
  Image,
  Timer,
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kLightCyan = 0xC0FFFF;
constexpr uint32_t kRed = 0xFF0000;

struct ControlProps {
  std::string text;  // caption of labels and buttons, text of text boxes
  bool enabled = true;
  bool visible = true;
  uint32_t color = kWhite;
  std::vector<std::string> items;  // list and drop-down entries
  int listIndex = -1;
  int interval = 0;  // timers, in milliseconds
  std::string tag;
  int maxLength = 0;  // text boxes: the most characters the text may hold; 0: no limit
  // Placement in the window's client area, in pixels, and the text's look.
  int x = 0, y = 0, w = 0, h = 0;
  int fontPt = 9;
  bool bold = false;
  enum Align { Left, Center, Right } align = Left;
  bool transparent = true;        // labels: drawn straight over the picture
  uint32_t backColor = 0x000000;  // used where not transparent
  bool locked = false;            // text boxes: shown, selectable, not editable
  bool typed = false;             // labels: a message line that types its text letter by letter
  // Images: the name of the picture shown, fitted to the control's box; the
  // back colour fills the box where there is none.
  std::string picture;
  // What the control does, in a line or two the pointer shows over it (a
  // price, an effect, what a purchase needs); empty for none.
  std::string tip;
};

struct Control {
  Control(Form& owner, std::string name, int index, ControlKind kind, Control* parent)
      : form(owner), name(std::move(name)), index(index), kind(kind), parent(parent) {}

  Form& form;
  const std::string name;
  const int index;  // -1 outside a control array
  const ControlKind kind;
  Control* const parent;
  ControlProps props;
  ControlProps design;  // as the window is designed; restored on every load
  // For a screen reader: the label that says what this control holds (a
  // value is read as "Здоровье: 80%", a text box by its caption); null when
  // the control's own text says it.
  const Control* caption = nullptr;
  // Drawn for the eye only (a title's shadow): a screen reader skips it, as
  // it skips pictures and shapes.
  bool decoration = false;
  // A screen reader says it the moment it shows (the pause's "Пауза"), as it
  // says every message of a typed line once, whole.
  bool announced = false;

  // "cmdWork(3)" or "lblMoney"
  std::string FullName() const;
  const std::string& Text() const { return props.text; }
  bool Enabled() const { return props.enabled; }
  bool Visible() const { return props.visible; }
  // Enabled and visible, and so are all the panels it sits on.
  bool Usable() const;
  // Whether a screen reader skips it: pictures, shapes, frames without a
  // caption, and what is marked as decoration.
  bool Decorative() const;

  // Changes are dropped while the window is not loaded: a screen closed by
  // a new game is not brought back by a late update.
  void SetText(const std::string& text);
  void SetEnabled(bool on);
  void SetVisible(bool on);
  void SetColor(uint32_t rgb);
  void SetItems(std::vector<std::string> items);
  void SetListIndex(int index);
  void SetTag(const std::string& tag);
  void SetTip(const std::string& tip);
  void Move(int x, int y);

  // Design-time helpers for window constructors (chainable).
  Control& At(int x, int y, int w, int h);
  Control& Font(int pt, bool bold = false);
  Control& Color(uint32_t rgb);
  Control& Back(uint32_t rgb);
  Control& Picture(const std::string& name);
  Control& AlignTo(ControlProps::Align a);
  Control& MaxLength(int chars);
  Control& Tip(const std::string& tip);
  Control& Hidden();
  Control& Locked();
  Control& Disabled();
  Control& CaptionedBy(const Control& label);
  Control& Decoration();

 private:
  void Changed();
};

}  // namespace kalvitor
