#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace flakmire {

struct FileRead {
  bool found = false;  // false with no error: there is no such file
  std::vector<std::uint8_t> bytes;
  std::string error;  // what went wrong when the file is there but could not be read
};

// The files that hold the player's data. Every write replaces a file whole: a new file in the
// same folder, flushed to the disk, then renamed over the old one, so that a crash at any moment
// leaves either the old file or the new one. Errors come back as text for the player; on an
// error the old file is left as it was.
class FileStore {
 public:
  virtual ~FileStore() = default;

  // Reads at most maxBytes from the start of the file.
  virtual FileRead ReadFile(const std::string& path, std::size_t maxBytes) = 0;

  // Returns "" when done, else what went wrong.
  virtual std::string ReplaceFile(const std::string& path,
                                  const std::vector<std::uint8_t>& bytes) = 0;

  // Replaces `to` with a copy of `from`, or with an empty file when there is no `from`.
  virtual std::string ReplaceWithCopy(const std::string& from, const std::string& to) = 0;

  // True when a new file can be made in the folder.
  virtual bool CanWriteIn(const std::string& folder) = 0;

  // The player's own data folder, made if it is missing; "" when there is none to be had.
  virtual std::string UserDataFolder() = 0;
};

}  // namespace flakmire
