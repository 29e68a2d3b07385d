#pragma once

#include <map>
#include <set>

#include "game/random_source.h"
#include "scores/high_scores.h"
#include "scores/score_file.h"

namespace flakmire::testing {

// The high-score window's world in memory: files, where writes into an unwritable folder and
// reads of an unreadable path fail; boxes answered as scripted and kept as "title|text"; the
// grid as last shown; random draws as given, then from a seeded generator.
class FakeDesk final : public FileStore, public Prompts, public ScoreView, public Random {
 public:
  std::map<std::string, Bytes> files;
  std::set<std::string> unwritable, unreadable;
  int writes = 0, modals = 0;
  MessageAnswer answer = MessageAnswer::Closed;  // to every Yes/No box
  std::vector<std::string> names;  // the name prompt's answers; then "Ann", so that none asks
  std::vector<std::string> messages, asked, opened;
  bool ended = false;
  ScoreGrid grid;
  std::vector<float> draws;
  std::size_t named = 0, drawn = 0;  // how many names and draws were taken
  SeededRandom seeded{7};

  FileRead ReadFile(const std::string& path, std::size_t) override {
    if (unreadable.count(path)) return {true, {}, path + ": Input/output error"};
    return files.count(path) ? FileRead{true, files[path], ""} : FileRead{};
  }
  std::string ReplaceFile(const std::string& path, const Bytes& bytes) override {
    if (!CanWriteIn(path.substr(0, path.rfind('/')))) return path + ": Permission denied";
    files[path] = bytes;
    return ++writes, "";
  }
  std::string ReplaceWithCopy(const std::string& from, const std::string& to) override {
    const FileRead old = ReadFile(from, 0);
    return old.error.empty() ? ReplaceFile(to, old.bytes) : old.error;
  }
  bool CanWriteIn(const std::string& folder) override { return !unwritable.count(folder); }
  std::string UserDataFolder() override { return CanWriteIn("/home/me") ? "/home/me" : ""; }

  MessageAnswer MessageBox(std::string_view text, MessageButtons buttons,
                           std::string_view title) override {
    messages.push_back(std::string(title) + "|" + std::string(text));
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
  }
  std::string InputBox(std::string_view prompt, std::string_view title) override {
    asked.push_back(std::string(title) + "|" + std::string(prompt));
    return named < names.size() ? names[named++] : "Ann";
  }
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void EndProgram() override { ended = true; }

  void ShowGrid(const ScoreGrid& g) override { grid = g; }
  void Hide() override {}
  void ShowModal() override { ++modals; }

  float Rnd() override { return drawn < draws.size() ? draws[drawn++] : seeded.Rnd(); }
  void Randomize(float) override {}
};

// The high-score rules in that world, with the program in /opt/flakmire.
struct Board {
  FakeDesk desk;
  HighScores hs{ScorePorts{desk, desk, desk, desk, "/opt/flakmire", "/opt/flakmire"}};

  Bytes& Dat() { return desk.files["/opt/flakmire/HighScores.dat"]; }
};

}  // namespace flakmire::testing
