#pragma once

#include <string>
#include <string_view>

namespace flakmire {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Closed };

// The small modal boxes the high-score window opens, and its two ways out of the game: a
// document opened by the desktop, and the end of the program. Texts are UTF-8; lines are
// separated by CR LF.
class Prompts {
 public:
  virtual ~Prompts() = default;

  virtual MessageAnswer MessageBox(std::string_view text, MessageButtons buttons,
                                   std::string_view title) = 0;

  // The answer typed, or "" after Cancel. The box opens holding `answer`.
  virtual std::string InputBox(std::string_view prompt, std::string_view title,
                               std::string_view answer) = 0;

  // Opens the document with the program the desktop associates with it; the outcome is the
  // desktop's business.
  virtual void OpenDocument(const std::string& path) = 0;

  // Ends the program at once: every window closes and nothing more is written. In tests it
  // returns, and the caller runs nothing more.
  virtual void EndProgram() = 0;
};

}  // namespace flakmire
