#pragma once

#include <functional>

#include "ports/file_store.h"
#include "ports/prompts.h"

class QWidget;

namespace flakmire {

// The high-score files on the disk, through the system's own calls: each new file is written
// beside the old one, flushed and checked at every step, then renamed into place.
class QtFileStore final : public FileStore {
 public:
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override;
  std::string ReplaceFiles(std::span<const NewFile> files) override;
  std::string RemoveFile(const std::string& path) override;
  bool CanWriteIn(const std::string& folder) override;
  std::string UserDataFolder() override;
};

// Qt's message and input boxes over the owner window, the desktop's opener for documents, and
// the end of the program as the shell does it.
class QtPrompts final : public Prompts {
 public:
  QtPrompts(QWidget* owner, std::function<void()> endProgram)
      : owner_(owner), endProgram_(std::move(endProgram)) {}

  MessageAnswer MessageBox(std::string_view text, MessageButtons buttons,
                           std::string_view title) override;
  std::string InputBox(std::string_view prompt, std::string_view title,
                       std::string_view answer) override;
  void OpenDocument(const std::string& path) override;
  void EndProgram() override { endProgram_(); }

 private:
  QWidget* owner_;
  std::function<void()> endProgram_;
};

}  // namespace flakmire
