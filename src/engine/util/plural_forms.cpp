#include "util/plural_forms.h"

#include <string>

namespace kalvitor {
namespace {

using Node = PluralForms::Node;

// The binary operators by level, loosest first; each level is left-associative.
// Two-letter operators are named by one letter: '|' ||, '&' &&, '=' ==, 'N' !=,
// 'l' <=, 'g' >=.
struct Operator {
  const char* text;
  char op;
};
const std::vector<std::vector<Operator>> kLevels = {
    {{"||", '|'}},
    {{"&&", '&'}},
    {{"==", '='}, {"!=", 'N'}},
    {{"<=", 'l'}, {">=", 'g'}, {"<", '<'}, {">", '>'}},
    {{"+", '+'}, {"-", '-'}},
    {{"*", '*'}, {"/", '/'}, {"%", '%'}},
};
// Deeper nesting than any real rule: refused rather than recursed into.
constexpr int kMaxDepth = 64;
constexpr size_t kMaxNodes = 1000;

// Recursive descent over the expression; any fault clears ok.
class Parser {
 public:
  Parser(std::string_view text, std::vector<Node>& nodes) : s_(text), nodes_(nodes) {}

  int Whole() {
    const int root = Conditional(0);
    Skip();
    if (pos_ != s_.size()) ok_ = false;
    return ok_ ? root : -1;
  }

 private:
  void Skip() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) ++pos_;
  }
  bool Take(std::string_view token) {
    Skip();
    if (s_.substr(pos_, token.size()) != token) return false;
    pos_ += token.size();
    return true;
  }
  int Add(Node node) {
    if (nodes_.size() >= kMaxNodes) return Fail();
    nodes_.push_back(node);
    return static_cast<int>(nodes_.size()) - 1;
  }

  int Conditional(int depth) {
    if (depth > kMaxDepth) return Fail();
    const int test = Binary(0, depth);
    if (!ok_ || !Take("?")) return test;
    const int yes = Conditional(depth + 1);
    if (!Take(":")) return Fail();
    const int no = Conditional(depth + 1);
    return Add({'?', 0, test, yes, no});
  }

  int Binary(size_t level, int depth) {
    if (level == kLevels.size()) return Unary(depth);
    int left = Binary(level + 1, depth);
    while (ok_) {
      const Operator* found = nullptr;
      for (const Operator& o : kLevels[level])
        if (Take(o.text)) {
          found = &o;
          break;
        }
      if (!found) break;
      const int right = Binary(level + 1, depth);
      left = Add({found->op, 0, left, right});
    }
    return left;
  }

  int Unary(int depth) {
    if (depth > kMaxDepth) return Fail();
    Skip();
    if (s_.substr(pos_, 2) != "!=" && Take("!")) return Add({'!', 0, Unary(depth + 1)});
    if (Take("(")) {
      const int inner = Conditional(depth + 1);
      if (!Take(")")) return Fail();
      return inner;
    }
    if (Take("n")) return Add({'n'});
    Skip();
    if (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') {
      unsigned long v = 0;
      while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') {
        if (v > 100000000UL) return Fail();
        v = v * 10 + static_cast<unsigned long>(s_[pos_++] - '0');
      }
      return Add({'#', v});
    }
    return Fail();
  }

  int Fail() {
    ok_ = false;
    return -1;
  }

  std::string_view s_;
  std::vector<Node>& nodes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// The value after "name=" in a header line's "a=1; b=2;" list, up to its ';'.
std::string_view Field(std::string_view line, std::string_view name) {
  for (size_t at = line.find(name); at != std::string_view::npos; at = line.find(name, at + 1)) {
    size_t eq = at + name.size();
    while (eq < line.size() && line[eq] == ' ') ++eq;
    if (eq >= line.size() || line[eq] != '=') continue;
    const size_t end = line.find(';', eq);
    return line.substr(eq + 1, end == std::string_view::npos ? std::string_view::npos : end - eq - 1);
  }
  return {};
}

}  // namespace

PluralForms::PluralForms() = default;

PluralForms::PluralForms(std::string_view expression, unsigned long count) {
  if (count < 1 || count > 100) return;
  std::vector<Node> nodes;
  const int root = Parser(expression, nodes).Whole();
  if (root < 0) return;
  nodes_ = std::move(nodes);
  root_ = root;
  count_ = count;
  parsed_ = true;
}

PluralForms PluralForms::FromHeader(std::string_view header) {
  const size_t at = header.find("Plural-Forms:");
  if (at == std::string_view::npos) return PluralForms();
  std::string_view line = header.substr(at + 13);
  line = line.substr(0, line.find('\n'));
  const std::string count(Field(line, "nplurals"));
  const std::string_view expression = Field(line, "plural");
  if (count.empty() || count.find_first_not_of(" 0123456789") != std::string::npos) return PluralForms();
  const unsigned long n = std::stoul(count.substr(0, 9));
  return PluralForms(expression, n);
}

unsigned long PluralForms::Eval(int node, unsigned long n) const {
  const Node& x = nodes_[static_cast<size_t>(node)];
  switch (x.op) {
    case 'n':
      return n;
    case '#':
      return x.value;
    case '!':
      return !Eval(x.a, n);
    case '?':
      return Eval(x.a, n) ? Eval(x.b, n) : Eval(x.c, n);
    case '|':
      return Eval(x.a, n) || Eval(x.b, n);
    case '&':
      return Eval(x.a, n) && Eval(x.b, n);
    default:
      break;
  }
  const unsigned long l = Eval(x.a, n), r = Eval(x.b, n);
  switch (x.op) {
    case '=':
      return l == r;
    case 'N':
      return l != r;
    case '<':
      return l < r;
    case '>':
      return l > r;
    case 'l':
      return l <= r;
    case 'g':
      return l >= r;
    case '+':
      return l + r;
    case '-':
      return l - r;
    case '*':
      return l * r;
    case '/':
      return r ? l / r : 0;
    default:
      return r ? l % r : 0;  // '%'
  }
}

size_t PluralForms::Form(unsigned long n) const {
  if (!parsed_) return n != 1;
  const unsigned long form = Eval(root_, n);
  return form < count_ ? static_cast<size_t>(form) : 0;
}

}  // namespace kalvitor
