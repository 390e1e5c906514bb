// The plural rule of a message catalogue: the C expression of its header's
// "Plural-Forms: nplurals=N; plural=EXPR;" line, parsed once and evaluated
// for each number. It knows what gettext's catalogues use: n, whole numbers,
// ! == != < <= > >= && || % / * + - ?: and parentheses, with C's precedence
// and unsigned arithmetic. A rule that does not parse, or a count outside
// 1..100, falls back to the Germanic rule (two forms, n != 1).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kalvitor {

class PluralForms {
 public:
  // n != 1 with two forms.
  PluralForms();
  // From the expression alone ("n%10==1 && n%100!=11 ? 0 : 1") and the count of forms.
  PluralForms(std::string_view expression, unsigned long count);
  // From a catalogue's header (its Plural-Forms line; none: the fallback).
  static PluralForms FromHeader(std::string_view header);

  // The form for n, always below Count().
  size_t Form(unsigned long n) const;
  size_t Count() const { return count_; }
  // Whether the rule given was understood (false: the fallback is in use).
  bool Parsed() const { return parsed_; }

  // A node of the parsed expression; children are indices into nodes_.
  struct Node {
    char op;  // 'n', '#' (number), '!', '?', or the operator's first letter ('=' for ==, 'l' for <=, 'g' for >=, '&',
              // '|')
    unsigned long value = 0;
    int a = -1, b = -1, c = -1;
  };

 private:
  unsigned long Eval(int node, unsigned long n) const;

  std::vector<Node> nodes_;
  int root_ = -1;
  size_t count_ = 2;
  bool parsed_ = false;
};

}  // namespace kalvitor
