#include "sound_font.h"

#include <QFile>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace kalvitor::media {
namespace {

// Generator numbers of the SoundFont 2 format.
constexpr uint16_t kInstrument = 41;
constexpr uint16_t kKeyRange = 43;
constexpr uint16_t kVelocityRange = 44;
constexpr uint16_t kSampleId = 53;
constexpr int kDrumBank = 128;
constexpr uint16_t kMonoSample = 1;
constexpr uint16_t kRomSample = 0x8000;
// The format asks for at least 46 silent points after every sample.
constexpr int kSilenceAfterSample = 46;

uint16_t Le16(const char* p) {
  return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | static_cast<uint8_t>(p[1]) << 8);
}
uint32_t Le32(const char* p) { return Le16(p) | static_cast<uint32_t>(Le16(p + 2)) << 16; }

void Put16(QByteArray& out, uint32_t v) {
  out.append(static_cast<char>(v & 0xFF)).append(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(QByteArray& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

QByteArray Chunk(const char* id, const QByteArray& body) {
  QByteArray out(id, 4);
  Put32(out, static_cast<uint32_t>(body.size()));
  out += body;
  if (body.size() % 2 != 0) out.append('\0');
  return out;
}

QByteArray List(const char* type, const QByteArray& body) { return Chunk("LIST", QByteArray(type, 4) + body); }

// The sub-chunks of a LIST chunk's body, by id.
std::map<QByteArray, QByteArray> SubChunks(const QByteArray& body) {
  std::map<QByteArray, QByteArray> out;
  qsizetype at = 4;  // after the list type
  while (at + 8 <= body.size()) {
    const uint32_t size = Le32(body.constData() + at + 4);
    if (size > static_cast<uint64_t>(body.size() - at - 8)) break;
    out[body.mid(at, 4)] = body.mid(at + 8, size);
    at += 8 + static_cast<qsizetype>(size) + (size & 1);
  }
  return out;
}

// A key or velocity range generator: low byte, high byte.
struct Range {
  int low = 0;
  int high = 127;
  bool Holds(int v) const { return v >= low && v <= high; }
};

}  // namespace

bool SoundFontIndex::Read(const std::string& path) {
  *this = SoundFontIndex();
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(12);
  if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "sfbk") return false;
  QByteArray pdta;
  // The top-level lists: INFO, sdta (the samples, which stay on disk) and
  // pdta (the directory).
  while (!file.atEnd()) {
    const QByteArray chunk = file.read(12);
    if (chunk.size() < 12) break;
    const uint32_t size = Le32(chunk.constData() + 4);
    const qint64 bodyAt = file.pos() - 4;
    if (chunk.startsWith("LIST") && chunk.mid(8, 4) == "sdta") {
      // The sample points are the "smpl" chunk inside.
      qint64 at = file.pos();
      while (at + 8 <= bodyAt + size) {
        file.seek(at);
        const QByteArray sub = file.read(8);
        if (sub.size() < 8) break;
        const uint32_t subSize = Le32(sub.constData() + 4);
        if (sub.startsWith("smpl")) {
          samplesAt_ = at + 8;
          sampleCount_ = subSize / 2;
        }
        at += 8 + subSize + (subSize & 1);
      }
    } else if (chunk.startsWith("LIST") && chunk.mid(8, 4) == "pdta") {
      if (size > 16 * 1024 * 1024) return false;
      file.seek(bodyAt);
      pdta = file.read(size);
    }
    if (!file.seek(bodyAt + size + (size & 1))) break;
  }
  if (samplesAt_ == 0 || pdta.isEmpty()) return false;

  auto lists = SubChunks(pdta);
  auto records = [&](const char* id, qsizetype size) {
    std::vector<QByteArray> out;
    const QByteArray& body = lists[QByteArray(id)];
    for (qsizetype at = 0; at + size <= body.size(); at += size) out.push_back(body.mid(at, size));
    return out;
  };
  auto headers = [&](const char* id, qsizetype size, bool preset) {
    std::vector<Header> out;
    for (const QByteArray& r : records(id, size)) {
      Header h;
      h.record = r;
      const char* p = r.constData();
      if (preset) {
        h.program = Le16(p + 20);
        h.bank = Le16(p + 22);
        h.bag = Le16(p + 24);
      } else {
        h.bag = Le16(p + 20);
      }
      out.push_back(h);
    }
    return out;
  };
  auto bags = [&](const char* id) {
    std::vector<Bag> out;
    for (const QByteArray& r : records(id, 4)) out.push_back({Le16(r.constData()), Le16(r.constData() + 2)});
    return out;
  };
  auto generators = [&](const char* id) {
    std::vector<Generator> out;
    for (const QByteArray& r : records(id, 4)) out.push_back({Le16(r.constData()), Le16(r.constData() + 2)});
    return out;
  };
  presets_ = headers("phdr", 38, true);
  instruments_ = headers("inst", 22, false);
  presetBags_ = bags("pbag");
  instrumentBags_ = bags("ibag");
  presetModulators_ = records("pmod", 10);
  instrumentModulators_ = records("imod", 10);
  presetGenerators_ = generators("pgen");
  instrumentGenerators_ = generators("igen");
  for (const QByteArray& r : records("shdr", 46)) {
    const char* p = r.constData();
    samples_.push_back({r, Le32(p + 20), Le32(p + 24), Le32(p + 28), Le32(p + 32), Le16(p + 42), Le16(p + 44)});
  }
  path_ = path;
  // Each list ends with a closing record; anything less is not a soundfont.
  if (presets_.size() < 2 || instruments_.size() < 2 || presetBags_.empty() || instrumentBags_.empty() ||
      presetGenerators_.empty() || instrumentGenerators_.empty() || samples_.size() < 2) {
    *this = SoundFontIndex();
    return false;
  }
  return true;
}

int SoundFontIndex::FindPreset(const MidiPreset& wanted) const {
  auto find = [&](int bank, int program) {
    for (size_t i = 0; i + 1 < presets_.size(); ++i)
      if (presets_[i].bank == bank && presets_[i].program == program) return static_cast<int>(i);
    return -1;
  };
  int i = find(wanted.bank, wanted.program);
  if (i < 0 && wanted.bank == kDrumBank) i = find(kDrumBank, 0);
  if (i < 0 && wanted.bank != kDrumBank) i = find(0, wanted.program);
  return i;
}

bool SoundFontIndex::WriteCut(const std::vector<MidiNote>& notes, QIODevice& out) const {
  if (!IsRead()) return false;
  // The zones of a preset or an instrument: bag indices [first, last).
  auto zones = [](const std::vector<Header>& headers, const std::vector<Bag>& bagList, size_t i) {
    const size_t first = std::min(headers[i].bag, bagList.size() - 1);
    const size_t last = std::clamp(headers[i + 1].bag, first, bagList.size() - 1);
    return std::pair{first, last};
  };
  auto generatorsOf = [](const std::vector<Bag>& bagList, const std::vector<Generator>& gens, size_t zone) {
    const size_t first = std::min<size_t>(bagList[zone].generator, gens.size());
    const size_t last = std::clamp<size_t>(bagList[zone + 1].generator, first, gens.size());
    return std::pair{first, last};
  };
  // A zone's range (whole when the generator is absent) and its instrument
  // or sample (-1 when none: the global zone).
  auto look = [&](const std::vector<Bag>& bagList, const std::vector<Generator>& gens, size_t zone, uint16_t oper) {
    const auto [first, last] = generatorsOf(bagList, gens, zone);
    for (size_t g = first; g < last; ++g)
      if (gens[g].oper == oper) return static_cast<int>(gens[g].amount);
    return -1;
  };
  auto range = [&](const std::vector<Bag>& bagList, const std::vector<Generator>& gens, size_t zone, uint16_t oper) {
    const int v = look(bagList, gens, zone, oper);
    return v < 0 ? Range{} : Range{v & 0xFF, v >> 8};
  };

  // The notes each preset plays.
  std::map<int, std::vector<std::pair<int, int>>> notesOf;
  for (const MidiNote& n : notes) {
    const int p = FindPreset(n.preset);
    if (p >= 0) notesOf[p].push_back({n.key, n.velocity});
  }
  // The zones kept: of each preset, those a note sounds; of each instrument,
  // those a note sounds through a kept preset zone.
  std::map<int, std::vector<size_t>> presetZones;
  std::map<int, std::set<size_t>> instrumentZones;
  for (const auto& [p, played] : notesOf) {
    std::vector<size_t>& kept = presetZones[p];
    const auto [first, last] = zones(presets_, presetBags_, static_cast<size_t>(p));
    for (size_t z = first; z < last; ++z) {
      const int inst = look(presetBags_, presetGenerators_, z, kInstrument);
      if (inst < 0) {
        if (z == first) kept.push_back(z);  // the global zone
        continue;
      }
      if (static_cast<size_t>(inst) + 1 >= instruments_.size()) continue;
      const Range keys = range(presetBags_, presetGenerators_, z, kKeyRange);
      const Range velocities = range(presetBags_, presetGenerators_, z, kVelocityRange);
      bool sounds = false;
      const auto [iFirst, iLast] = zones(instruments_, instrumentBags_, static_cast<size_t>(inst));
      for (const auto& [key, velocity] : played) {
        if (!keys.Holds(key) || !velocities.Holds(velocity)) continue;
        sounds = true;
        for (size_t iz = iFirst; iz < iLast; ++iz) {
          const int sample = look(instrumentBags_, instrumentGenerators_, iz, kSampleId);
          if (sample < 0) {
            if (iz == iFirst) instrumentZones[inst].insert(iz);  // the global zone
            continue;
          }
          if (static_cast<size_t>(sample) + 1 >= samples_.size() || (samples_[sample].type & kRomSample)) continue;
          if (range(instrumentBags_, instrumentGenerators_, iz, kKeyRange).Holds(key) &&
              range(instrumentBags_, instrumentGenerators_, iz, kVelocityRange).Holds(velocity))
            instrumentZones[inst].insert(iz);
        }
      }
      if (sounds) kept.push_back(z);
    }
  }

  // The samples kept, and the new numbers of samples and instruments.
  std::map<int, int> sampleNumber, instrumentNumber;
  for (const auto& [inst, kept] : instrumentZones) {
    instrumentNumber.emplace(inst, static_cast<int>(instrumentNumber.size()));
    for (size_t iz : kept) {
      const int sample = look(instrumentBags_, instrumentGenerators_, iz, kSampleId);
      if (sample >= 0) sampleNumber.emplace(sample, 0);
    }
  }
  int next = 0;
  for (auto& [sample, number] : sampleNumber) number = next++;

  // Where each sample's points go, each followed by silence.
  QByteArray sampleHeaders;
  std::vector<std::pair<int64_t, int64_t>> copies;  // [start, end) in the soundfont
  int64_t pointCount = 0;
  for (const auto& entry : sampleNumber) {
    const Sample& s = samples_[entry.first];
    const int64_t start = std::min<int64_t>(s.start, sampleCount_);
    const int64_t end = std::clamp<int64_t>(s.end, start, sampleCount_);
    copies.push_back({start, end});
    const auto at = static_cast<uint32_t>(pointCount);
    pointCount += end - start + kSilenceAfterSample;
    auto moved = [&](uint32_t point) {
      return at + static_cast<uint32_t>(std::clamp<int64_t>(static_cast<int64_t>(point) - start, 0, end - start));
    };
    // A stereo half whose other half is not kept plays as a mono sample.
    const auto partner = sampleNumber.find(s.link);
    const bool paired = !(s.type & kRomSample) && s.type != kMonoSample && partner != sampleNumber.end();
    QByteArray record = s.record.left(20);
    Put32(record, at);
    Put32(record, moved(s.end));
    Put32(record, moved(s.loopStart));
    Put32(record, moved(s.loopEnd));
    record += s.record.mid(36, 6);  // rate, original key, correction
    Put16(record, paired ? static_cast<uint32_t>(partner->second) : 0);
    Put16(record, paired ? s.type : kMonoSample);
    sampleHeaders += record;
  }
  sampleHeaders += samples_.back().record.left(20) + QByteArray(26, '\0');

  // Presets and instruments with their kept zones, generators and modulators.
  struct Lists {
    QByteArray headers, bags, modulators, generators;
    uint32_t bagCount = 0, modulatorCount = 0, generatorCount = 0;
  };
  auto writeZone = [](Lists& out, const std::vector<Bag>& bagList, const std::vector<QByteArray>& mods,
                      const std::vector<Generator>& gens, size_t zone, uint16_t linkOper,
                      const std::map<int, int>& renumber) {
    Put16(out.bags, out.generatorCount);
    Put16(out.bags, out.modulatorCount);
    ++out.bagCount;
    const size_t mFirst = std::min<size_t>(bagList[zone].modulator, mods.size());
    const size_t mLast = std::clamp<size_t>(bagList[zone + 1].modulator, mFirst, mods.size());
    for (size_t m = mFirst; m < mLast; ++m, ++out.modulatorCount) out.modulators += mods[m];
    const size_t gFirst = std::min<size_t>(bagList[zone].generator, gens.size());
    const size_t gLast = std::clamp<size_t>(bagList[zone + 1].generator, gFirst, gens.size());
    for (size_t g = gFirst; g < gLast; ++g) {
      uint32_t amount = gens[g].amount;
      if (gens[g].oper == linkOper) {
        const auto it = renumber.find(gens[g].amount);
        if (it == renumber.end()) continue;  // a second link in one zone: not followed
        amount = static_cast<uint32_t>(it->second);
      }
      ++out.generatorCount;
      Put16(out.generators, gens[g].oper);
      Put16(out.generators, amount);
    }
  };
  auto close = [](Lists& out, const QByteArray& lastHeader) {
    out.headers += lastHeader;
    Put16(out.bags, out.generatorCount);
    Put16(out.bags, out.modulatorCount);
    out.modulators += QByteArray(10, '\0');
    out.generators += QByteArray(4, '\0');
  };

  Lists inst;
  for (const auto& [old, kept] : instrumentZones) {
    QByteArray record = instruments_[old].record.left(20);
    Put16(record, inst.bagCount);
    inst.headers += record;
    for (size_t iz : kept) {
      const int sample = look(instrumentBags_, instrumentGenerators_, iz, kSampleId);
      if (sample >= 0 && sampleNumber.count(sample) == 0) continue;
      writeZone(inst, instrumentBags_, instrumentModulators_, instrumentGenerators_, iz, kSampleId, sampleNumber);
    }
  }
  QByteArray lastInstrument = instruments_.back().record.left(20);
  Put16(lastInstrument, inst.bagCount);
  close(inst, lastInstrument);

  Lists pre;
  for (const auto& [old, kept] : presetZones) {
    QByteArray record = presets_[old].record.left(24);
    Put16(record, pre.bagCount);
    record += presets_[old].record.mid(26, 12);
    pre.headers += record;
    for (size_t z : kept) {
      const int i = look(presetBags_, presetGenerators_, z, kInstrument);
      if (i >= 0 && instrumentNumber.count(i) == 0) continue;  // none of its zones sounds
      writeZone(pre, presetBags_, presetModulators_, presetGenerators_, z, kInstrument, instrumentNumber);
    }
  }
  QByteArray lastPreset = presets_.back().record.left(24);
  Put16(lastPreset, pre.bagCount);
  lastPreset += presets_.back().record.mid(26, 12);
  close(pre, lastPreset);

  // Names end in a zero and have an even length.
  QByteArray version;
  Put16(version, 2);
  Put16(version, 1);
  auto text = [](const char* s) {
    QByteArray out(s);
    out.append('\0');
    if (out.size() % 2 != 0) out.append('\0');
    return out;
  };
  const QByteArray info =
      Chunk("ifil", version) + Chunk("isng", text("EMU8000")) + Chunk("INAM", text("Kalvitor music instruments"));
  const QByteArray pdta = Chunk("phdr", pre.headers) + Chunk("pbag", pre.bags) + Chunk("pmod", pre.modulators) +
                          Chunk("pgen", pre.generators) + Chunk("inst", inst.headers) + Chunk("ibag", inst.bags) +
                          Chunk("imod", inst.modulators) + Chunk("igen", inst.generators) +
                          Chunk("shdr", sampleHeaders);
  // RIFF sfbk { LIST INFO, LIST sdta { smpl }, LIST pdta }: the sizes are
  // known before the samples are copied.
  const QByteArray infoList = List("INFO", info);
  const QByteArray pdtaList = List("pdta", pdta);
  const int64_t pointBytes = pointCount * 2;
  if (pointBytes > 0xFFFF0000LL) return false;
  QByteArray head("RIFF", 4);
  Put32(head, static_cast<uint32_t>(4 + infoList.size() + 12 + 8 + pointBytes + pdtaList.size()));
  head += QByteArray("sfbk", 4) + infoList + QByteArray("LIST", 4);
  Put32(head, static_cast<uint32_t>(4 + 8 + pointBytes));
  head += QByteArray("sdtasmpl", 8);
  Put32(head, static_cast<uint32_t>(pointBytes));
  if (out.write(head) != head.size()) return false;

  QFile file(QString::fromStdString(path_));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray silence(kSilenceAfterSample * 2, '\0');
  constexpr int64_t kBlock = 64 * 1024;
  for (const auto& [start, end] : copies) {
    if (!file.seek(samplesAt_ + start * 2)) return false;
    for (int64_t left = (end - start) * 2; left > 0;) {
      const QByteArray block = file.read(std::min(left, kBlock));
      if (block.isEmpty() || out.write(block) != block.size()) return false;
      left -= block.size();
    }
    if (out.write(silence) != silence.size()) return false;
  }
  return out.write(pdtaList) == pdtaList.size();
}

}  // namespace kalvitor::media
