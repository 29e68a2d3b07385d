#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "scores/score_table.h"

namespace flakmire {

class Random;

// The byte format of "HighScores.dat". The plain table holds the ten places three times over;
// the file carries it scrambled with a key that it stores itself, so that an edit by hand breaks
// the agreement of the copies rather than hides in them.
//
// File: version byte 1, a random byte (2 to 11), the plain size (4 bytes), key length L (16 to
// 245), L key bytes, then one scrambled byte per plain byte. Numbers are little-endian.
// Plain record: Score (4 bytes), PlayerName, KilledBy (1), Level (1), Lasted. A text is a 2-byte
// tag, 0 for unset or 8 for text, then for text a 2-byte count and the bytes.

using Bytes = std::vector<std::uint8_t>;

constexpr int TableCopies = 3;
constexpr std::size_t LongestText = 0xFFFF;  // what a 2-byte count can say

// The longest file that can matter: its longest key and three copies of ten records with the
// longest texts. Past that a reader has read every table it can hold.
constexpr std::size_t LongestScoreFile =
    7 + 255 + TableCopies * Places * (4 + 2 + 2 + LongestText + 1 + 1 + 2 + 2 + LongestText);

using Copy = std::array<ScoreRecord, Places>;

struct PlainTable {
  std::array<Copy, TableCopies> copies;
  bool damaged = false;  // a text tag that no writer writes
  bool whole = false;    // every field of the three copies was there
};

// The three copies of places 1 to 10 of the table.
Bytes WritePlainTable(const ScoreTable& Scores);

// Reads whatever the bytes hold: a field that runs past their end reads as zero or unset.
PlainTable ReadPlainTable(std::span<const std::uint8_t> plain);

// Scrambles with a fresh key drawn from `random`.
Bytes Encrypt(std::span<const std::uint8_t> plain, Random& random);

// Unscrambles; a file too short to have a body gives an empty plain table.
Bytes Decrypt(std::span<const std::uint8_t> file);

// True when all five fields agree; an unset text equals an empty one.
bool RecordsMatch(const ScoreRecord& a, const ScoreRecord& b);

// True when the table is whole and its three copies agree place by place.
bool CopiesAgree(const PlainTable& table);

// True when the file holds three whole copies of the table that agree: a table worth keeping.
bool HoldsWholeTable(std::span<const std::uint8_t> file);

}  // namespace flakmire
