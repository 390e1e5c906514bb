// Checks the media the game ships: every background decodes as a baseline
// JPEG of its window's size, every effect is a plain PCM WAVE of the right
// length that starts and ends in silence, every tune is a well-formed MIDI
// file of one to three minutes, and the jokes file is CP1251 text with CR LF
// line ends in the layout the jokes site reads.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

const fs::path kAssets = KALVITOR_ASSETS_DIR;

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
    return v;
}

std::uint32_t be(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
    return v;
}

// ---------------------------------------------------------------------------
// Backgrounds

struct Background {
    const char* name;
    int width;
    int height;
};

const Background kBackgrounds[] = {
    {"MAIN", 440, 520}, {"HARD", 239, 383}, {"SOFT", 280, 280}, {"WORK", 387, 282},
    {"SHOP", 317, 247}, {"HOSP", 232, 248}, {"HAPPY", 228, 247}, {"EDUC", 318, 303},
    {"FAMILY", 234, 281}, {"BANK", 203, 237}, {"NET", 311, 335},
};

fs::path backgroundPath(const Background& b) { return kAssets / "backgrounds" / (std::string(b.name) + ".jpg"); }

// The frame markers (SOF0..SOF15 without DHT, JPG and DAC) met before the
// scan starts, found by walking the segments rather than searching bytes.
std::vector<int> frameMarkers(const Bytes& jpeg) {
    std::vector<int> found;
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return {-1};
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF) return {-1};
        const int marker = jpeg[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::uint32_t length = be(jpeg, at + 2, 2);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            found.push_back(marker);
        }
        if (marker == 0xDA) return found;  // start of scan: the header is over
        at += 2 + length;
    }
    return {-1};
}

TEST(Backgrounds, EachDecodesAtExactlyItsWindowSize) {
    for (const Background& b : kBackgrounds) {
        SCOPED_TRACE(b.name);
        const fs::path path = backgroundPath(b);
        ASSERT_TRUE(fs::exists(path));
        QImage img;
        ASSERT_TRUE(img.load(QString::fromStdString(path.string()), "JPG"));
        EXPECT_EQ(img.width(), b.width);
        EXPECT_EQ(img.height(), b.height);
    }
}

TEST(Backgrounds, EachIsABaselineJfifJpeg) {
    for (const Background& b : kBackgrounds) {
        SCOPED_TRACE(b.name);
        const Bytes jpeg = readAll(backgroundPath(b));
        ASSERT_GT(jpeg.size(), 20u);
        EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
        const std::vector<int> frames = frameMarkers(jpeg);
        ASSERT_EQ(frames.size(), 1u) << "expected exactly one frame header before the scan";
        EXPECT_EQ(frames[0], 0xC0) << "frame marker is not SOF0 (baseline)";
    }
}

// Labels and buttons are drawn over the pictures in light colours, so no
// picture may be bright on the whole, nor glaringly bright anywhere large.
TEST(Backgrounds, EachStaysDarkEnoughForLightLabels) {
    for (const Background& b : kBackgrounds) {
        SCOPED_TRACE(b.name);
        QImage img;
        ASSERT_TRUE(img.load(QString::fromStdString(backgroundPath(b).string()), "JPG"));
        double sum = 0.0;
        int bright = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const int lum = qGray(img.pixel(x, y));
                sum += lum;
                if (lum > 200) ++bright;
            }
        }
        const double pixels = static_cast<double>(img.width()) * img.height();
        EXPECT_LT(sum / pixels, 90.0) << "mean brightness";
        EXPECT_LT(bright / pixels, 0.02) << "share of near-white pixels";
        EXPECT_GT(sum / pixels, 15.0) << "a picture so dark it shows nothing";
    }
}

// ---------------------------------------------------------------------------
// Sound effects

struct Effect {
    const char* name;
    double seconds;
};

const Effect kEffects[] = {
    {"LOGOSOUND", 1.8}, {"BUTTONS", 0.06}, {"WINDOWS", 0.9},  {"MESSAGES", 0.2},
    {"MONTHUP", 1.4},   {"YEARUP", 2.3},   {"MARRY", 1.9},    {"BABY", 4.4},
    {"DIVORCE", 2.9},   {"WORK", 1.6},     {"LOSE", 3.6},     {"WIN", 5.0},
    {"DEAD", 0.9},      {"INCREASEMONEY", 1.4}, {"DECREASEMONEY", 1.5},
};

struct Wave {
    int formatTag = 0;
    int channels = 0;
    std::uint32_t rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;
};

// Walks the RIFF chunks; fails the test on a malformed file.
std::optional<Wave> readWave(const fs::path& path) {
    const Bytes b = readAll(path);
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        return std::nullopt;
    }
    if (le(b, 4, 4) + 8 != b.size()) return std::nullopt;
    Wave w;
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
        const std::uint32_t size = le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return std::nullopt;
        if (id == "fmt ") {
            w.formatTag = static_cast<int>(le(b, at + 8, 2));
            w.channels = static_cast<int>(le(b, at + 10, 2));
            w.rate = le(b, at + 12, 4);
            w.bits = static_cast<int>(le(b, at + 22, 2));
            haveFormat = true;
        } else if (id == "data") {
            for (std::uint32_t i = 0; i + 1 < size; i += 2) {
                w.samples.push_back(static_cast<std::int16_t>(le(b, at + 8 + i, 2)));
            }
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData) return std::nullopt;
    return w;
}

TEST(SoundEffects, EachIsMonoPcm16At22050) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.name);
        const auto wave = readWave(kAssets / "sfx" / (std::string(e.name) + ".wav"));
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->formatTag, 1);
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->rate, 22050u);
        EXPECT_EQ(wave->bits, 16);
    }
}

// The game waits while an effect plays, so the length is part of the game's pace.
TEST(SoundEffects, EachLastsAsLongAsTheGameWaitsForIt) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.name);
        const auto wave = readWave(kAssets / "sfx" / (std::string(e.name) + ".wav"));
        ASSERT_TRUE(wave.has_value());
        ASSERT_GT(wave->rate, 0u);
        const double seconds = static_cast<double>(wave->samples.size()) / wave->rate;
        EXPECT_NEAR(seconds, e.seconds, e.seconds * 0.10);
    }
}

TEST(SoundEffects, EachIsUnclippedAndStartsAndEndsInSilence) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.name);
        const auto wave = readWave(kAssets / "sfx" / (std::string(e.name) + ".wav"));
        ASSERT_TRUE(wave.has_value());
        ASSERT_GT(wave->samples.size(), 100u);
        int peak = 0;
        for (std::int16_t s : wave->samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, 32767 * 95 / 100) << "clipped or too hot";
        EXPECT_GT(peak, 32767 / 10) << "nearly silent";
        // A click at either end is heard on every button press.
        EXPECT_LT(std::abs(wave->samples.front()), 330);
        EXPECT_LT(std::abs(wave->samples.back()), 330);
    }
}

// ---------------------------------------------------------------------------
// Music

struct MidiSummary {
    int format = -1;
    int tracks = 0;
    int division = 0;
    std::uint32_t lastTick = 0;
    std::map<std::uint32_t, std::uint32_t> tempos;  // tick -> microseconds per quarter
    int programChanges = 0;
    int notes = 0;
    std::string error;

    double seconds() const {
        double total = 0.0;
        std::uint32_t tick = 0;
        std::uint32_t micros = 500000;  // 120 beats a minute until told otherwise
        for (const auto& [at, value] : tempos) {
            if (at > lastTick) break;
            total += static_cast<double>(at - tick) * micros / division / 1e6;
            tick = at;
            micros = value;
        }
        return total + static_cast<double>(lastTick - tick) * micros / division / 1e6;
    }
};

bool readVarLen(const Bytes& b, std::size_t& at, std::size_t end, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end) return false;
        const std::uint8_t c = b[at++];
        value = (value << 7) | (c & 0x7F);
        if (!(c & 0x80)) return true;
    }
    return false;
}

MidiSummary readMidi(const fs::path& path) {
    MidiSummary m;
    const Bytes b = readAll(path);
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be(b, 4, 4) != 6) {
        m.error = "no MThd header";
        return m;
    }
    m.format = static_cast<int>(be(b, 8, 2));
    const int declared = static_cast<int>(be(b, 10, 2));
    m.division = static_cast<int>(be(b, 12, 2));
    if (m.division <= 0 || m.division >= 0x8000) {
        m.error = "division is not ticks per quarter";
        return m;
    }
    std::size_t at = 14;
    while (at + 8 <= b.size()) {
        if (std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) != "MTrk") {
            m.error = "chunk is not MTrk";
            return m;
        }
        const std::size_t end = at + 8 + be(b, at + 4, 4);
        if (end > b.size()) {
            m.error = "track runs past the end of the file";
            return m;
        }
        std::size_t p = at + 8;
        std::uint32_t tick = 0;
        int status = 0;
        bool ended = false;
        while (p < end && !ended) {
            std::uint32_t delta = 0;
            if (!readVarLen(b, p, end, delta) || p >= end) {
                m.error = "bad delta time";
                return m;
            }
            tick += delta;
            int byte = b[p];
            if (byte == 0xFF) {
                if (p + 2 > end) break;
                const int type = b[p + 1];
                p += 2;
                std::uint32_t len = 0;
                if (!readVarLen(b, p, end, len) || p + len > end) {
                    m.error = "bad meta event";
                    return m;
                }
                if (type == 0x51 && len == 3) m.tempos[tick] = be(b, p, 3);
                if (type == 0x2F) ended = true;
                p += len;
            } else if (byte == 0xF0 || byte == 0xF7) {
                ++p;
                std::uint32_t len = 0;
                if (!readVarLen(b, p, end, len) || p + len > end) {
                    m.error = "bad sysex";
                    return m;
                }
                p += len;
            } else {
                if (byte & 0x80) {
                    status = byte;
                    ++p;
                } else if (status == 0) {
                    m.error = "data byte without a running status";
                    return m;
                }
                const int kind = status & 0xF0;
                const std::size_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (p + dataBytes > end) {
                    m.error = "event cut short";
                    return m;
                }
                if (kind == 0xC0) ++m.programChanges;
                if (kind == 0x90 && b[p + 1] > 0) ++m.notes;
                p += dataBytes;
            }
        }
        if (!ended || p != end) {
            m.error = "track does not close with end-of-track at its end";
            return m;
        }
        m.lastTick = std::max(m.lastTick, tick);
        ++m.tracks;
        at = end;
    }
    if (at != b.size()) m.error = "trailing bytes";
    if (m.tracks != declared) m.error = "track count differs from the header";
    return m;
}

std::vector<fs::path> tunes() {
    std::vector<fs::path> out;
    for (const auto& entry : fs::directory_iterator(kAssets / "music")) {
        if (entry.path().extension() == ".mid") out.push_back(entry.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(Music, ThereAreAtLeastFourTunes) { EXPECT_GE(tunes().size(), 4u); }

TEST(Music, EachTuneIsAWellFormedMultiTrackMidiFile) {
    for (const fs::path& tune : tunes()) {
        SCOPED_TRACE(tune.filename().string());
        const MidiSummary m = readMidi(tune);
        ASSERT_EQ(m.error, "");
        EXPECT_EQ(m.format, 1);
        EXPECT_GE(m.tracks, 3);
        EXPECT_FALSE(m.tempos.empty()) << "no tempo event";
        EXPECT_GT(m.programChanges, 0) << "no instrument chosen";
        EXPECT_GT(m.notes, 100);
    }
}

TEST(Music, EachTuneLastsOneToThreeMinutes) {
    for (const fs::path& tune : tunes()) {
        SCOPED_TRACE(tune.filename().string());
        const MidiSummary m = readMidi(tune);
        ASSERT_EQ(m.error, "");
        EXPECT_GE(m.seconds(), 60.0);
        EXPECT_LE(m.seconds(), 180.0);
    }
}

// ---------------------------------------------------------------------------
// Jokes file and texts

TEST(Anecdotes, FileHasTheMarkerAndCrLfOnEveryLine) {
    const Bytes b = readAll(kAssets / "anecdot.dat");
    const std::string marker = "**ANECDOT DATA FILE**\r\n";
    ASSERT_GE(b.size(), marker.size());
    EXPECT_EQ(std::string(b.begin(), b.begin() + static_cast<long>(marker.size())), marker);
    ASSERT_GE(b.size(), 2u);
    EXPECT_EQ(b[b.size() - 2], '\r');
    EXPECT_EQ(b.back(), '\n');
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (b[i] == '\n') {
            ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (b[i] == '\r') {
            ASSERT_TRUE(i + 1 < b.size() && b[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
}

TEST(Anecdotes, HoldsSixtyJokesInCyrillicCodePage1251) {
    const Bytes b = readAll(kAssets / "anecdot.dat");
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (b[i] == '\r') continue;
        if (b[i] == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(b[i]));
        }
    }
    ASSERT_FALSE(lines.empty());
    int jokes = 0;
    bool someBreak = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_FALSE(lines[i].empty()) << "empty record on line " << i + 1;
        ++jokes;
        someBreak = someBreak || lines[i].find("<CRLF>") != std::string::npos;
    }
    EXPECT_GE(jokes, 60);
    EXPECT_TRUE(someBreak) << "no joke uses the <CRLF> line break";
    // 0x98 has no character in CP1251; bytes of UTF-8's lead range with a
    // continuation after them would betray an unconverted file.
    int cyrillic = 0;
    int letters = 0;
    for (std::uint8_t c : b) {
        EXPECT_NE(c, 0x98);
        if (c >= 0xC0) ++cyrillic;
        if (c >= 0x80) ++letters;
    }
    EXPECT_GT(cyrillic, letters * 8 / 10) << "most high bytes should be CP1251 Cyrillic letters";
    EXPECT_EQ(std::string(b.begin(), b.end()).find("\xD0\xBE"), std::string::npos) << "looks like UTF-8";
}

TEST(Texts, ReadmeAndLicenceAreShipped) {
    for (const char* name : {"readme.txt", "license.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_GT(readAll(kAssets / name).size(), 500u);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
