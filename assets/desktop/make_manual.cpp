// Writes the manual page from its template, with the keys from the same table as the game's help
// page, so that the two never tell different keys.
//   make_manual TEMPLATE OUT

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "desktop/controls.h"
#include "desktop/help_page.h"

namespace {

using namespace flakmire;

// Plain text as roff reads it: backslashes escaped, the arrows by their roff names.
std::string Roff(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i).starts_with("\u2190")) {
      out += "\\(<-", i += 2;
    } else if (text.substr(i).starts_with("\u2192")) {
      out += "\\(->", i += 2;
    } else if (text[i] == '\\') {
      out += "\\e";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Keys() {
  std::ostringstream roff;
  for (Where where : HelpGroups) {
    roff << ".SS " << Roff(WhereText(where)) << "\n";
    for (const Control& c : Controls()) {
      if (c.where != where) continue;
      roff << ".TP\n.B " << Roff(c.keyName) << "\n" << Roff(c.does);
      if (const std::string cost = CostText(c); !cost.empty()) roff << "; costs " << cost;
      roff << ".\n";
      if (!c.padName.empty()) roff << "Gamepad: " << Roff(c.padName) << ".\n";
    }
  }
  return roff.str();
}

void Replace(std::string& text, const std::string& what, const std::string& with) {
  if (const auto at = text.find(what); at != std::string::npos) text.replace(at, what.size(), with);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_manual TEMPLATE OUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  std::stringstream page;
  page << in.rdbuf();
  if (!in) {
    std::cerr << "make_manual: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string text = page.str();
  Replace(text, "@VERSION@", FLAKMIRE_VERSION);
  Replace(text, "@KEYS@\n", Keys());
  std::ofstream out(argv[2]);
  out << text;
  return out ? 0 : 1;
}
