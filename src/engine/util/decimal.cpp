#include "util/decimal.h"

#include "util/text.h"

namespace kalvitor {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the fraction leaves the whole part: below one half, exactly one
// half, or above.
enum class Half { Below, Exactly, Above };

Half ReadFraction(std::string_view digits) {
  if (digits.empty() || digits[0] < '5') return Half::Below;
  if (digits[0] > '5') return Half::Above;
  for (char c : digits.substr(1))
    if (c != '0') return Half::Above;
  return Half::Exactly;
}

}  // namespace

std::optional<int64_t> ParseDecimal(std::string_view text, const DecimalRule& rule) {
  if (rule.blanksAround) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  }
  if (rule.maxLength != 0 && text.size() > rule.maxLength) return std::nullopt;
  bool negative = false;
  if (!text.empty() && ((text[0] == '-' && rule.minus) || (text[0] == '+' && rule.plus))) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  size_t point = text.size();
  if (rule.fraction) point = std::min(text.find('.'), text.find(','));
  if (point == std::string_view::npos) point = text.size();
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point < text.size() ? text.substr(point + 1) : std::string_view();
  if (whole.empty() && fraction.empty()) return std::nullopt;
  for (char c : whole)
    if (!IsDigit(c)) return std::nullopt;
  for (char c : fraction)
    if (!IsDigit(c)) return std::nullopt;

  // The magnitude, stopping at 2^63 - 1: beyond it the number is out of
  // every range.
  constexpr uint64_t kTop = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t v = 0;
  bool beyond = false;
  for (char c : whole) {
    const uint64_t d = static_cast<uint64_t>(c - '0');
    if (v > (kTop - d) / 10) {
      beyond = true;
      break;
    }
    v = v * 10 + d;
  }
  if (!beyond) {
    const Half half = ReadFraction(fraction);
    if ((half == Half::Above || (half == Half::Exactly && v % 2 != 0)) && ++v > kTop) beyond = true;
  }
  std::optional<int64_t> value;
  if (!beyond) value = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
  if (value && *value >= rule.lo && *value <= rule.hi) return value;
  if (!rule.saturate) return std::nullopt;
  if (value) return *value < rule.lo ? rule.lo : rule.hi;
  return negative ? rule.lo : rule.hi;
}

}  // namespace kalvitor
