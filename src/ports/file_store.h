#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace flakmire {

struct FileRead {
  bool found = false;  // false with no error: there is no such file
  std::vector<std::uint8_t> bytes;
  std::string error;  // what went wrong when the file is there but could not be read
};

// One file to write whole: where it goes and what it holds.
struct NewFile {
  std::string path;
  std::span<const std::uint8_t> bytes;
};

// The files that hold the player's data. Only regular files are read or replaced: a link, a pipe
// or a device of that name is an error, never followed nor waited on. Errors come back as text
// for the player.
class FileStore {
 public:
  virtual ~FileStore() = default;

  // Reads at most maxBytes from the start of the file.
  virtual FileRead ReadFile(const std::string& path, std::size_t maxBytes) = 0;

  // Writes every file whole beside its old one and checks that each reached the disk; only then
  // renames them over the old ones, in order, so that a crash at any moment leaves each path with
  // its old file or its new one. Returns "" when done, else what went wrong; a failure before
  // the first rename leaves every old file as it was.
  virtual std::string ReplaceFiles(std::span<const NewFile> files) = 0;

  // Removes the file; a file that is not there is no error, and only a regular file is removed.
  virtual std::string RemoveFile(const std::string& path) = 0;

  // True when a new file can be made in the folder.
  virtual bool CanWriteIn(const std::string& folder) = 0;

  // The player's own data folder, made if it is missing; "" when there is none to be had.
  virtual std::string UserDataFolder() = 0;
};

}  // namespace flakmire
