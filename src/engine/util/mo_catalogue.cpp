#include "util/mo_catalogue.h"

#include <cstdint>

namespace kalvitor {
namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr size_t kHeaderSize = 28;

// The file's 32-bit words in its own byte order.
class Words {
 public:
  explicit Words(std::string_view bytes) : b_(bytes) {}
  bool Swapped() const { return swapped_; }
  void SetSwapped(bool swapped) { swapped_ = swapped; }
  // The word at a byte offset known to be inside the bytes.
  uint32_t At(uint64_t offset) const {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint32_t byte = static_cast<unsigned char>(b_[static_cast<size_t>(offset) + static_cast<size_t>(i)]);
      v |= swapped_ ? byte << (24 - 8 * i) : byte << (8 * i);
    }
    return v;
  }

 private:
  std::string_view b_;
  bool swapped_ = false;
};

// The string a table's entry (length, offset) names, if it lies inside the
// bytes and is followed by the NUL msgfmt writes after it.
std::optional<std::string_view> EntryText(std::string_view bytes, const Words& words, uint64_t entry) {
  const uint64_t length = words.At(entry), offset = words.At(entry + 4);
  if (offset + length >= bytes.size() || bytes[static_cast<size_t>(offset + length)] != '\0') return std::nullopt;
  return bytes.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
}

}  // namespace

std::optional<MoCatalogue> MoCatalogue::Read(std::string_view bytes) {
  if (bytes.size() < kHeaderSize) return std::nullopt;
  Words words(bytes);
  if (words.At(0) != kMagic) {
    words.SetSwapped(true);
    if (words.At(0) != kMagic) return std::nullopt;
  }
  // Major revisions 0 and 1 share the tables read here.
  if ((words.At(4) >> 16) > 1) return std::nullopt;
  const uint64_t count = words.At(8), originals = words.At(12), translations = words.At(16);
  if (originals + count * 8 > bytes.size() || translations + count * 8 > bytes.size()) return std::nullopt;

  MoCatalogue catalogue;
  std::string_view previous;
  for (uint64_t i = 0; i < count; ++i) {
    const auto original = EntryText(bytes, words, originals + i * 8);
    const auto translation = EntryText(bytes, words, translations + i * 8);
    if (!original || !translation) return std::nullopt;
    // The originals are sorted by their first form (by bytes), and so
    // unique: a table that is not is not msgfmt's.
    const std::string_view key = original->substr(0, original->find('\0'));
    if (i > 0 && !(previous < key)) return std::nullopt;
    previous = key;
    if (key.empty())
      catalogue.header_ = *translation;
    else
      catalogue.entries_[key] = *translation;
  }
  catalogue.plurals_ = PluralForms::FromHeader(catalogue.header_);
  return catalogue;
}

const char* MoCatalogue::Find(std::string_view original) const {
  const auto it = entries_.find(original);
  if (it == entries_.end() || it->second.empty()) return nullptr;
  return it->second.data();
}

const char* MoCatalogue::FindPlural(std::string_view one, unsigned long n) const {
  const auto it = entries_.find(one);
  if (it == entries_.end()) return nullptr;
  std::string_view forms = it->second;
  for (size_t form = plurals_.Form(n); form > 0; --form) {
    const size_t end = forms.find('\0');
    if (end == std::string_view::npos) return nullptr;
    forms.remove_prefix(end + 1);
  }
  return forms.empty() || forms[0] == '\0' ? nullptr : forms.data();
}

}  // namespace kalvitor
