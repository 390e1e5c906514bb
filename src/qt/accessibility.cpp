#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "control_widgets.h"
#include "form_view.h"

namespace kalvitor::qt {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A caption as part of a name: without its closing colon ("Процессор:").
QString CaptionText(const Control& caption) {
  QString text = Q(caption.props.text).trimmed();
  while (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text.trimmed();
}

// The model's control behind a widget of a game window, with its window.
struct ModelOf {
  const Form* form = nullptr;
  const Control* control = nullptr;
};

ModelOf Find(const QWidget* w) {
  auto* view = w != nullptr ? qobject_cast<const FormView*>(w->parentWidget()) : nullptr;
  if (view == nullptr || view->form() == nullptr) return {};
  return {view->form(), view->ControlOf(w)};
}

// The window's view: its controls in the window's own order (the order its
// designer placed them, which follows the layout), without what the reader
// skips.
class ViewInterface : public QAccessibleWidget {
 public:
  explicit ViewInterface(FormView* view) : QAccessibleWidget(view, QAccessible::Client) {}

  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QWidget*> children = Children();
    if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
    return QAccessible::queryAccessibleInterface(children[static_cast<size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr || !child->object()) return -1;
    const std::vector<QWidget*> children = Children();
    for (size_t i = 0; i < children.size(); ++i)
      if (children[i] == child->object()) return static_cast<int>(i);
    return -1;
  }

 private:
  std::vector<QWidget*> Children() const { return static_cast<FormView*>(widget())->ReaderOrder(); }
};

// A label of a game window: static text named by its caption and value, a
// button when it can be clicked, a notification when its news is spoken.
class LabelInterface : public QAccessibleWidget {
 public:
  explicit LabelInterface(GameLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QAccessible::Role role() const override {
    if (Clickable()) return QAccessible::Button;
    const ModelOf m = Find(widget());
    if (m.control != nullptr && (m.control->props.typed || m.control->announced)) return QAccessible::Notification;
    return QAccessible::StaticText;
  }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    auto* label = static_cast<GameLabel*>(widget());
    if (!label->accessibleName().isEmpty()) return label->accessibleName();
    const ModelOf m = Find(widget());
    if (m.control != nullptr && m.control->props.typed) return label->ReaderText();
    if (m.control != nullptr) return ReaderName(*m.form, *m.control);
    return label->ShownText();
  }

  // A clickable label is pressed as a button is.
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Clickable()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (Clickable() && name == pressAction()) {
      if (widget()->isEnabled()) static_cast<ClickLabel*>(widget())->Activate();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  bool Clickable() const { return qobject_cast<const ClickLabel*>(widget()) != nullptr; }
};

// A framed group, named by its caption.
class PanelInterface : public QAccessibleWidget {
 public:
  explicit PanelInterface(PanelWidget* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<PanelWidget*>(widget())->Caption();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* GameInterfaces(const QString& className, QObject* object) {
  if (className == QLatin1String("kalvitor::qt::FormView")) return new ViewInterface(static_cast<FormView*>(object));
  if (className == QLatin1String("kalvitor::qt::GameLabel") || className == QLatin1String("kalvitor::qt::ClickLabel"))
    return new LabelInterface(static_cast<GameLabel*>(object));
  if (className == QLatin1String("kalvitor::qt::PanelWidget"))
    return new PanelInterface(static_cast<PanelWidget*>(object));
  return nullptr;
}

void Notify(QWidget* w, QAccessible::Event what) {
  QAccessibleEvent event(w, what);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallAccessibility() {
  // Qt asks the factories installed last first: these go after the ones of
  // Qt's own widgets, which the application installs.
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(GameInterfaces);
}

QString ReaderName(const Form& form, const Control& c) {
  switch (c.kind) {
    case ControlKind::Label:
      if (c.caption != nullptr) return CaptionText(*c.caption) + QStringLiteral(": ") + Q(c.props.text);
      return Q(c.props.text);
    case ControlKind::TextBox:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      // What the player types or picks is said by its caption, else by the
      // window's title (the save dialog's name box).
      return c.caption != nullptr ? CaptionText(*c.caption) : Q(form.TitleBarText());
    default:
      return Q(c.props.text);
  }
}

bool HiddenFromReader(const Form& form, const Control& control) {
  if (control.Decorative()) return true;
  for (const Control& c : form.Controls())
    if (c.caption == &control && c.kind == ControlKind::Label) return true;
  return false;
}

void AnnounceMessage(GameLabel* line, const QString& message) {
  const bool shown = line->isVisible();
  line->SetReaderText(message);
  Notify(line, QAccessible::NameChanged);
  // One event with the whole text: the notification shows with its news. A
  // line out of sight says so itself as the view shows it; one that still
  // shows the last message says it here.
  if (shown) Notify(line, QAccessible::ObjectShow);
}

void EndMessage(GameLabel* line) {
  if (line->ReaderText().isEmpty()) return;
  line->SetReaderText(QString());
  Notify(line, QAccessible::NameChanged);
}

}  // namespace kalvitor::qt
