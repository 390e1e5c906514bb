// Reading a music file for the player. The files come from folders the
// player fills, and a name that was a song when the list was made may be a
// pipe, a device or a huge file by the time it is played: only a regular
// file is read, never past a limit, and opening never waits for a writer.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>

namespace kalvitor::media {

// The file's bytes; nothing when it is not a regular file, is bigger than
// limit bytes or cannot be read.
std::optional<QByteArray> ReadTrackFile(const std::string& path, int64_t limit);

}  // namespace kalvitor::media
