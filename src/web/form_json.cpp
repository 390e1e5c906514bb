#include "form_json.h"

#include <vector>

#include "json.h"

namespace kalvitor::web {
namespace {

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "label";
    case ControlKind::ClickLabel:
      return "clicklabel";
    case ControlKind::Button:
      return "button";
    case ControlKind::TextBox:
      return "textbox";
    case ControlKind::ListBox:
      return "list";
    case ControlKind::ComboBox:
      return "combo";
    case ControlKind::Panel:
      return "panel";
    case ControlKind::Shape:
      return "shape";
    case ControlKind::Image:
      return "image";
    case ControlKind::Timer:
      break;
  }
  return "timer";
}

const char* AlignName(ControlProps::Align a) {
  switch (a) {
    case ControlProps::Center:
      return "center";
    case ControlProps::Right:
      return "right";
    case ControlProps::Left:
      break;
  }
  return "left";
}

// Out of a screen reader's way, as on the desktop: what is only drawn, and
// a label that is the caption of another label (which says both).
bool HiddenFromReader(const Form& form, const Control& control) {
  if (control.Decorative()) return true;
  for (const Control& c : form.Controls())
    if (c.caption == &control && c.kind == ControlKind::Label) return true;
  return false;
}

int IdOrNone(const Form& form, const Control* c) { return c == nullptr ? -1 : ControlId(form, *c); }

void Props(Json& j, const Form& form, const Control& c) {
  const ControlProps& p = c.props;
  j.Int("id", ControlId(form, c))
      .Str("name", c.FullName())
      .Str("kind", KindName(c.kind))
      .Int("parent", IdOrNone(form, c.parent))
      .Str("text", p.text)
      .Bool("enabled", p.enabled)
      .Bool("visible", p.visible)
      .Int("color", p.color)
      .Int("back", p.backColor)
      .Bool("transparent", p.transparent)
      .Strings("items", p.items)
      .Int("listIndex", p.listIndex)
      .Int("maxLength", p.maxLength)
      .Int("x", p.x)
      .Int("y", p.y)
      .Int("w", p.w)
      .Int("h", p.h)
      .Int("pt", p.fontPt)
      .Bool("bold", p.bold)
      .Str("align", AlignName(p.align))
      .Bool("locked", p.locked)
      .Bool("typed", p.typed)
      .Str("picture", p.picture)
      .Str("tip", p.tip)
      .Int("caption", IdOrNone(form, c.caption))
      .Bool("readerHidden", HiddenFromReader(form, c))
      .Bool("announced", c.announced)
      .Bool("multiLine",
            c.kind == ControlKind::TextBox && (c.design.h >= 44 || c.design.text.find('\n') != std::string::npos));
}

}  // namespace

int ControlId(const Form& form, const Control& control) {
  int i = 0;
  for (const Control& c : form.Controls()) {
    if (&c == &control) return i;
    ++i;
  }
  return -1;
}

std::string ControlJson(const Form& form, const Control& control) {
  Json j;
  j.Begin().Str("form", form.Name()).Key("control").Begin();
  Props(j, form, control);
  return j.End().End().Text();
}

std::string FormJson(const Form& form, bool isMain) {
  Json j;
  j.Begin()
      .Str("name", form.Name())
      .Str("title", form.TitleBarText())
      .Bool("main", isMain)
      .Bool("loaded", form.Loaded())
      .Bool("shown", form.Shown())
      .Bool("modal", form.Modal())
      .Bool("dialog", form.IsDialog())
      .Bool("ownedByMain", form.OwnedByMain())
      .Bool("enabled", form.Enabled())
      .Str("background", form.Background())
      .Int("w", form.Width())
      .Int("h", form.Height())
      .Int("defaultButton", IdOrNone(form, form.DefaultButton()))
      .Int("cancelButton", IdOrNone(form, form.CancelButton()))
      .BeginList("controls");
  for (const Control& c : form.Controls()) {
    j.Item();
    Props(j, form, c);
    j.End();
  }
  return j.EndList().End().Text();
}

std::string MenusJson(const std::vector<Menu>& menus) {
  Json j;
  j.Begin().BeginList("menus");
  for (const Menu& m : menus) {
    j.Item().Str("name", m.name).Str("caption", m.caption).Bool("enabled", m.enabled).Bool("help", m.help);
    j.BeginList("items");
    for (const MenuItem& item : m.items)
      j.Item()
          .Str("name", item.name)
          .Str("caption", item.caption)
          .Bool("enabled", item.enabled)
          .Bool("checked", item.checked)
          .Bool("separatorBefore", item.separatorBefore)
          .Bool("acts", static_cast<bool>(item.action))
          .Str("shortcut", item.shortcut)
          .Bool("onlyShows", item.onlyShows)
          .End();
    j.EndList().End();
  }
  return j.EndList().End().Text();
}

}  // namespace kalvitor::web
