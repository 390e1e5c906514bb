#include "windows/forms/control.h"

#include "util/text.h"
#include "windows/forms/form.h"

namespace kalvitor {

std::string Control::FullName() const {
  if (index < 0) return name;
  return name + "(" + std::to_string(index) + ")";
}

bool Control::Usable() const {
  for (const Control* c = this; c != nullptr; c = c->parent)
    if (!c->props.enabled || !c->props.visible) return false;
  return true;
}

bool Control::Decorative() const {
  switch (kind) {
    case ControlKind::Image:
    case ControlKind::Shape:
    case ControlKind::Timer:
      return true;
    case ControlKind::Panel:
      return decoration || design.text.empty();
    default:
      return decoration;
  }
}

void Control::Changed() { form.NotifyChanged(*this); }

void Control::SetText(const std::string& text) {
  if (!form.Loaded()) return;
  // A text box never holds more than its limit, however the text arrives.
  const std::string fitted = props.maxLength > 0 && Utf8Length(text) > static_cast<size_t>(props.maxLength)
                                 ? Utf8Prefix(text, static_cast<size_t>(props.maxLength))
                                 : text;
  if (props.text == fitted) return;
  props.text = fitted;
  Changed();
}

void Control::SetEnabled(bool on) {
  if (!form.Loaded() || props.enabled == on) return;
  props.enabled = on;
  Changed();
}

void Control::SetVisible(bool on) {
  if (!form.Loaded() || props.visible == on) return;
  props.visible = on;
  Changed();
}

void Control::SetColor(uint32_t rgb) {
  if (!form.Loaded() || props.color == rgb) return;
  props.color = rgb;
  Changed();
}

void Control::SetItems(std::vector<std::string> items) {
  if (!form.Loaded()) return;
  props.items = std::move(items);
  if (props.listIndex >= static_cast<int>(props.items.size())) props.listIndex = -1;
  Changed();
}

void Control::SetListIndex(int index) {
  if (!form.Loaded()) return;
  if (index < -1 || index >= static_cast<int>(props.items.size())) index = -1;
  props.listIndex = index;
  Changed();
}

void Control::SetTag(const std::string& tag) {
  if (!form.Loaded()) return;
  props.tag = tag;
}

void Control::SetTip(const std::string& tip) {
  if (!form.Loaded() || props.tip == tip) return;
  props.tip = tip;
  Changed();
}

void Control::Move(int x, int y) {
  if (!form.Loaded()) return;
  props.x = x;
  props.y = y;
  Changed();
}

Control& Control::At(int x, int y, int w, int h) {
  design.x = x;
  design.y = y;
  design.w = w;
  design.h = h;
  props = design;
  return *this;
}

Control& Control::Font(int pt, bool bold) {
  design.fontPt = pt;
  design.bold = bold;
  props = design;
  return *this;
}

Control& Control::Color(uint32_t rgb) {
  design.color = rgb;
  props = design;
  return *this;
}

Control& Control::Back(uint32_t rgb) {
  design.backColor = rgb;
  design.transparent = false;
  props = design;
  return *this;
}

Control& Control::Picture(const std::string& name) {
  design.picture = name;
  props = design;
  return *this;
}

Control& Control::AlignTo(ControlProps::Align a) {
  design.align = a;
  props = design;
  return *this;
}

Control& Control::Locked() {
  design.locked = props.locked = true;
  return *this;
}

Control& Control::MaxLength(int chars) {
  design.maxLength = chars;
  props = design;
  return *this;
}

Control& Control::Tip(const std::string& tip) {
  design.tip = tip;
  props = design;
  return *this;
}

Control& Control::Hidden() {
  design.visible = false;
  props = design;
  return *this;
}

Control& Control::Disabled() {
  design.enabled = false;
  props = design;
  return *this;
}

Control& Control::CaptionedBy(const Control& label) {
  caption = &label;
  return *this;
}

Control& Control::Decoration() {
  decoration = true;
  return *this;
}

}  // namespace kalvitor
