#include "windows/forms/form.h"

#include <cassert>

#include "util/program_name.h"
#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor {

Form::Form(Game& game, std::string name, std::string caption)
    : game_(game), name_(std::move(name)), designCaption_(caption), caption_(std::move(caption)) {}

void Form::SetCaption(const std::string& caption) {
  if (!loaded_ || caption_ == caption) return;
  caption_ = caption;
  game_.port.OnFormEvent(*this, FormEvent::Changed);
}

std::string Form::TitleBarText() const {
  if (!caption_.empty()) return caption_;
  return untitledTitle_.empty() ? std::string(kProgramTitle) : untitledTitle_;
}

void Form::Relabel(const Form& fresh, const std::string& from) {
  assert(fresh.controls_.size() == controls_.size());
  // What shows as designed takes the new design; anything else, its translation.
  auto again = [&from](const std::string& shown, const std::string& designed, const std::string& newDesign) {
    return shown == designed ? newDesign : Retranslate(shown, from);
  };
  caption_ = loaded_ ? again(caption_, designCaption_, fresh.designCaption_) : fresh.caption_;
  designCaption_ = fresh.designCaption_;
  untitledTitle_ = fresh.untitledTitle_;
  std::vector<Control*> changed;
  for (size_t i = 0; i < controls_.size() && i < fresh.controls_.size(); ++i) {
    Control& c = controls_[i];
    const Control& f = fresh.controls_[i];
    const ControlProps was = c.props;
    if (!loaded_) {
      // Shown as the new window would be when it loads.
      c.props.text = f.props.text;
      c.props.tip = f.props.tip;
      c.props.items = f.props.items;
    } else {
      const bool typedByPlayer = c.kind == ControlKind::TextBox && was.text != c.design.text;
      if (!typedByPlayer) c.props.text = again(was.text, c.design.text, f.design.text);
      c.props.tip = again(was.tip, c.design.tip, f.design.tip);
      if (was.items == c.design.items)
        c.props.items = f.design.items;
      else
        for (std::string& item : c.props.items) item = Retranslate(item, from);
    }
    c.design.text = f.design.text;
    c.design.tip = f.design.tip;
    c.design.items = f.design.items;
    if (c.props.text != was.text || c.props.tip != was.tip || c.props.items != was.items) changed.push_back(&c);
  }
  if (!loaded_) return;
  game_.port.OnFormEvent(*this, FormEvent::Changed);
  for (Control* c : changed) game_.port.OnControlChanged(*this, *c);
}

bool Form::Press(WindowKey key) {
  Control* button = key == WindowKey::Enter ? defaultButton_ : cancelButton_;
  if (button == nullptr || !enabled_ || !button->Usable()) return false;
  return Click(button->name, button->index);
}

std::vector<std::string> Form::HandlersWithoutControl() const {
  std::vector<std::string> names;
  for (const auto& [name, handler] : clickHandlers_) {
    bool found = false;
    for (const Control& c : controls_) found = found || c.name == name;
    if (!found) names.push_back(name);
  }
  return names;
}

void Form::SetEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  game_.port.OnFormEvent(*this, FormEvent::Changed);
}

Control* Form::Find(const std::string& name, int index) {
  for (Control& c : controls_)
    if (c.name == name && c.index == index) return &c;
  return nullptr;
}

Control& Form::Add(const std::string& name, ControlKind kind, const std::string& text, Control* parent) {
  return AddIndexed(name, -1, kind, text, parent);
}

Control& Form::AddIndexed(const std::string& name, int index, ControlKind kind, const std::string& text,
                          Control* parent) {
  Control& c = controls_.emplace_back(*this, name, index, kind, parent);
  c.design.text = text;
  c.props = c.design;
  return c;
}

void Form::OnClick(const std::string& name, std::function<void(int)> handler) {
  clickHandlers_[name] = std::move(handler);
  assert(HandlersWithoutControl().empty() && "a click handler for a control the window does not have");
}

void Form::AddShadowedTitle(const std::string& shadowName, const std::string& titleName, const std::string& text, int x,
                            int y, int w, int h, int pt, uint32_t titleColor, uint32_t shadowColor, int dx, int dy) {
  Add(shadowName, ControlKind::Label, text)
      .Decoration()
      .At(x + dx, y + dy, w, h)
      .Font(pt, true)
      .Color(shadowColor)
      .AlignTo(ControlProps::Center);
  Add(titleName, ControlKind::Label, text)
      .At(x, y, w, h)
      .Font(pt, true)
      .Color(titleColor)
      .AlignTo(ControlProps::Center);
}

void Form::AddLogo(const std::string& makerLabel) {
  Add("Image1", ControlKind::Image, "").At(12, 12, 120, 96).Back(0x1C2C4C).Picture("LOGO");
  Add(makerLabel, ControlKind::Label, "Brindlex")
      .At(18, 20, 108, 20)
      .Font(12, true)
      .Color(0xFFD060)
      .AlignTo(ControlProps::Center);
  Add("Label3", ControlKind::Label, "Kalvitor")
      .At(18, 46, 108, 30)
      .Font(16, true)
      .Color(0xFFFFFF)
      .AlignTo(ControlProps::Center);
  Add("Label7", ControlKind::Label, "By Brindlex")
      .At(18, 82, 108, 16)
      .Font(8)
      .Color(0xC0C0C0)
      .AlignTo(ControlProps::Center);
}

void Form::AddLineFrame(int left, int top, int right, int bottom, uint32_t color) {
  const int width = right - left + 1, height = bottom - top + 1;
  Add("Line1", ControlKind::Shape, "").At(left, top, width, 1).Back(color);
  Add("Line2", ControlKind::Shape, "").At(left, bottom, width, 1).Back(color);
  Add("Line3", ControlKind::Shape, "").At(left, top, 1, height).Back(color);
  Add("Line4", ControlKind::Shape, "").At(right, top, 1, height).Back(color);
}

void Form::SetBackground(const std::string& name) {
  background_ = name;
  if (loaded_) game_.port.OnFormEvent(*this, FormEvent::Changed);
}

void Form::NotifyChanged(Control& control) { game_.port.OnControlChanged(*this, control); }

void Form::Load() {
  if (loaded_) return;
  for (Control& c : controls_) c.props = c.design;
  caption_ = designCaption_;
  background_.clear();
  tag_.clear();
  enabled_ = true;
  loaded_ = true;
  game_.NoteLoaded(*this);
  game_.port.OnFormEvent(*this, FormEvent::Loaded);
  FormLoad();
}

void Form::Show() {
  Load();
  if (!loaded_ || shown_) return;
  shown_ = true;
  game_.port.OnFormEvent(*this, FormEvent::Shown);
  FormActivate();
}

void Form::ShowModal() {
  Load();
  if (!loaded_ || shown_) return;
  shown_ = true;
  modal_ = true;
  game_.port.OnFormEvent(*this, FormEvent::Shown);
  FormActivate();
  if (!shown_) return;
  game_.port.RunModal(*this);
}

void Form::Hide() {
  if (!shown_) return;
  shown_ = false;
  modal_ = false;
  game_.port.OnFormEvent(*this, FormEvent::Hidden);
}

void Form::Unload() {
  if (!loaded_) return;
  FormUnload();
  shown_ = false;
  modal_ = false;
  loaded_ = false;
  game_.NoteUnloaded(*this);
  game_.port.OnFormEvent(*this, FormEvent::Unloaded);
}

bool Form::Click(const std::string& name, int index) {
  if (Find(name, index) == nullptr) return false;
  auto it = clickHandlers_.find(name);
  if (it != clickHandlers_.end()) {
    auto handler = it->second;  // the window may unload itself meanwhile
    handler(index);
  }
  return true;
}

}  // namespace kalvitor
