#include "explain/StepText.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

std::string DigitName(int digit) { return std::string(1, static_cast<char>('0' + digit)); }

// "a", "a und b", "a, b und c".
std::string Joined(const std::vector<std::string>& parts, const std::string& last = " und ") {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? last : ", ";
    text += parts[i];
  }
  return text;
}

std::string CellsText(const std::vector<int>& cells) {
  std::vector<std::string> names;
  for (int cell : cells) names.push_back(CellName(cell));
  return Joined(names);
}

std::string DigitsText(int digits, const std::string& last = " und ") {
  std::vector<std::string> parts;
  for (; digits; digits &= digits - 1) parts.push_back(DigitName(FirstDigit(digits)));
  return Joined(parts, last);
}

// The units, all of one kind, as "Zeile 3" or "den Zeilen 2 und 8".
std::string UnitsText(const std::vector<int>& units, bool dative) {
  if (units.size() == 1) return UnitName(units[0]);
  std::vector<std::string> numbers;
  for (int unit : units) numbers.push_back(UnitName(unit).substr(UnitName(unit).find(' ') + 1));
  const std::string kind = IsRowUnit(units[0]) ? "Zeilen" : IsColumnUnit(units[0]) ? "Spalten" : "Bl\xF6" "cken";
  return (dative ? "den " : "die ") + kind + " " + Joined(numbers);
}

// The removals grouped by digit, digits with the same cells together:
// "die 5 nicht in G6 und H6", "die 3 und die 7 nicht in G5".
std::vector<std::pair<int, std::vector<int>>> RemovalGroups(const Step& step) {
  std::vector<std::pair<int, std::vector<int>>> groups;
  for (int digit = 1; digit <= 9; ++digit) {
    std::vector<int> cells;
    for (const Elimination& elimination : step.eliminations)
      if (elimination.digits & DigitBit(digit)) cells.push_back(elimination.cell);
    if (cells.empty()) continue;
    auto same = std::find_if(groups.begin(), groups.end(), [&](const auto& group) { return group.second == cells; });
    if (same != groups.end()) same->first |= DigitBit(digit);
    else groups.emplace_back(DigitBit(digit), cells);
  }
  return groups;
}

std::string RemovalsText(const std::vector<std::pair<int, std::vector<int>>>& groups) {
  std::vector<std::string> parts;
  for (const auto& [digits, cells] : groups) {
    std::vector<std::string> names;
    for (int d = digits; d; d &= d - 1) names.push_back("die " + DigitName(FirstDigit(d)));
    parts.push_back(Joined(names) + " nicht in " + CellsText(cells));
  }
  return Joined(parts);
}

// "steht die 5 nicht in G6 und H6", "stehen die 3 und die 7 nicht in G5",
// "steht die 2 nicht in D5 und die 7 nicht in D5 und D9".
std::string EliminationsText(const Step& step) {
  const auto groups = RemovalGroups(step);
  return (DigitCount(groups.front().first) > 1 ? "stehen " : "steht ") + RemovalsText(groups);
}

// The same as a clause of its own: "die 5 steht nicht in G6 und H6".
std::string EliminationsClause(const Step& step) {
  const auto groups = RemovalGroups(step);
  std::string text = RemovalsText(groups);
  const std::size_t notAt = text.find(" nicht in ");
  return text.insert(notAt, DigitCount(groups.front().first) > 1 ? " stehen" : " steht");
}

// "also nicht in G6 und H6" where every removal is of the one digit already
// named, else "also steht ...".
std::string ThereforeText(const Step& step, int namedDigit) {
  std::vector<int> cells;
  for (const Elimination& elimination : step.eliminations) {
    if (elimination.digits != DigitBit(namedDigit)) return "also " + EliminationsText(step);
    cells.push_back(elimination.cell);
  }
  return "also nicht in " + CellsText(cells);
}

// What a step changes, verb first (after "also"): "ist D3 die 7" or "steht
// die 5 nicht in G6".
std::string ResultText(const Step& step) {
  if (!step.placements.empty())
    return "ist " + CellName(step.placements[0].cell) + " die " + DigitName(step.placements[0].digit);
  return EliminationsText(step);
}

// The same as a clause of its own: "D3 ist die 7", "die 5 steht nicht in G6".
std::string ResultClause(const Step& step) {
  if (!step.placements.empty())
    return CellName(step.placements[0].cell) + " ist die " + DigitName(step.placements[0].digit);
  return EliminationsClause(step);
}

std::string LiteralText(const Literal& literal) {
  return CellName(literal.cell) + (literal.on ? " die " : " nicht ") + DigitName(literal.digit);
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// ---------------------------------------------------------------- chains

std::string LinkText(const std::vector<Link>& links, const Link& link);

// Why a link holds, where the literal alone does not tell: "(einziger Platz
// in Zeile 5)".
std::string LinkReason(const Link& link) {
  switch (link.reason) {
    case Reason::kLastCandidate: return " (einzige Ziffer)";
    case Reason::kLastPlace: return link.unit >= 0 ? " (einziger Platz in " + UnitName(link.unit) + ")" : "";
    case Reason::kLocked:
      return " (in " + UnitName(link.unit) + " steht die " + DigitName(link.literal.digit) + " nur noch in " +
             UnitName(link.lockedIn) + ")";
    case Reason::kNested: {
      std::string nested;
      for (std::size_t i = 1; i < link.nested.size(); ++i) nested += ", dann ist " + LinkText(link.nested, link.nested[i]);
      return " (denn ist " + LiteralText({link.literal.cell, link.literal.digit, true}) + nested + ": Widerspruch)";
    }
    default: return "";
  }
}

std::string LinkText(const std::vector<Link>&, const Link& link) { return LiteralText(link.literal) + LinkReason(link); }

// "ist D3 die 5, dann ist D5 nicht 5, dann ist D5 die 2 (einzige Ziffer)".
std::string BranchText(const std::vector<Link>& branch, std::size_t upTo) {
  std::string text = "ist " + LiteralText(branch[0].literal);
  for (std::size_t i = 1; i <= upTo && i < branch.size(); ++i) text += ", dann ist " + LinkText(branch, branch[i]);
  return text;
}

std::string ContradictionText(const Chain& chain) {
  const ChainContradiction& c = chain.contradiction;
  if (c.on >= 0) {
    const Literal& literal = chain.branches[0][static_cast<std::size_t>(c.on)].literal;
    return CellName(literal.cell) + " ist die " + DigitName(literal.digit) + " und zugleich nicht";
  }
  if (c.cell >= 0) return CellName(c.cell) + " hat keinen Kandidaten mehr";
  return "die " + DigitName(c.digit) + " hat in " + UnitName(c.unit) + " keinen Platz mehr";
}

// The name of a forcing chain or net by its form.
std::string ForcingName(const Step& step) {
  const bool net = step.technique == Technique::kForcingNet;
  std::string name;
  switch (step.chain.form) {
    case ChainForm::kContradiction: name = net ? "Widerspruchsnetz" : "Widerspruchskette"; break;
    case ChainForm::kBothWays: name = net ? "Doppelnetz" : "Doppelkette"; break;
    case ChainForm::kEveryCandidate: name = net ? "Feldnetz" : "Feldkette"; break;
    case ChainForm::kEveryPlace: name = net ? "Einheitsnetz" : "Einheitskette"; break;
    case ChainForm::kLine: break;
  }
  if (net && step.chain.level == 2) name = "Verschachteltes " + name;
  return name;
}

// The first cell of a step's chain: where a person starts following it.
int ChainStart(const Step& step) {
  if (!step.chain.branches.empty() && !step.chain.branches[0].empty()) return step.chain.branches[0][0].literal.cell;
  return step.cells.empty() ? 0 : step.cells[0];
}

std::string ForcingText(const Step& step, bool full) {
  const Chain& chain = step.chain;
  const std::string result = ResultText(step);
  const std::string clause = ResultClause(step);
  switch (chain.form) {
    case ChainForm::kContradiction: {
      const Literal& assumed = chain.branches[0][0].literal;
      if (!full) return "Ist " + LiteralText(assumed) + ", gibt es einen Widerspruch; also " + result + ".";
      return Capitalised(BranchText(chain.branches[0], chain.branches[0].size())) + ". Widerspruch: " +
             ContradictionText(chain) + ". Also " + result + ".";
    }
    case ChainForm::kBothWays: {
      const Literal& assumed = chain.branches[0][0].literal;
      if (!full)
        return "Ob " + CellName(assumed.cell) + " die " + DigitName(assumed.digit) + " ist oder nicht: " + clause + ".";
      return Capitalised(BranchText(chain.branches[0], chain.branches[0].size())) + "; " +
             BranchText(chain.branches[1], chain.branches[1].size()) + ". Also " + result + ".";
    }
    case ChainForm::kEveryCandidate:
    case ChainForm::kEveryPlace: {
      std::string where = chain.form == ChainForm::kEveryCandidate
                              ? "Welche Ziffer auch in " + CellName(step.cells[0]) + " steht"
                              : "Wo auch die " + DigitName(chain.branches[0][0].literal.digit) + " in " +
                                    UnitName(step.units[0]) + " steht";
      if (!full) return where + ": " + clause + ".";
      std::vector<std::string> branches;
      for (const auto& branch : chain.branches) branches.push_back(BranchText(branch, branch.size()));
      std::string text = where + ": ";
      for (std::size_t i = 0; i < branches.size(); ++i) text += (i ? "; " : "") + branches[i];
      return text + ". Also " + result + ".";
    }
    case ChainForm::kLine: break;
  }
  return result + ".";
}

// An alternating chain from its first end (off) to its last (on).
std::string LineText(const Step& step, bool full) {
  const std::vector<Link>& links = step.chain.branches[0];
  const Literal first = links.front().literal, last = links.back().literal;
  const bool oneDigit = first.digit == last.digit;
  // "ist D1 oder G7 die 5" or "ist D1 die 5 oder G7 die 8"
  const std::string ends = oneDigit ? "ist " + CellName(first.cell) + " oder " + CellName(last.cell) + " die " +
                                          DigitName(first.digit)
                                    : "ist " + CellName(first.cell) + " die " + DigitName(first.digit) + " oder " +
                                          CellName(last.cell) + " die " + DigitName(last.digit);
  const std::string therefore = oneDigit ? ThereforeText(step, first.digit) : "also " + EliminationsText(step);
  if (!full) {
    // "D1 oder G7 ist die 5, ..." with the verb second.
    const std::string subject = oneDigit ? CellName(first.cell) + " oder " + CellName(last.cell) + " ist die " +
                                               DigitName(first.digit)
                                         : CellName(first.cell) + " ist die " + DigitName(first.digit) + " oder " +
                                               CellName(last.cell) + " die " + DigitName(last.digit);
    return subject + ", " + therefore + ".";
  }
  std::string chain = "Ist " + LiteralText(first);
  for (std::size_t i = 1; i < links.size(); ++i) chain += ", dann ist " + LiteralText(links[i].literal);
  return chain + ". Somit " + ends + ", " + therefore + ".";
}

// ---------------------------------------------------------------- patterns

// Short forms name at most this many cells that lose candidates; beyond it
// they say where in a few words.
constexpr std::size_t kShortList = 3;

std::string FishText(const Step& step, bool full) {
  const int size = static_cast<int>(step.units.size()) / 2;
  const std::vector<int> base(step.units.begin(), step.units.begin() + size);
  const std::vector<int> cover(step.units.begin() + size, step.units.end());
  std::string text = "In " + UnitsText(base, true) + " steht die " + DigitName(FirstDigit(step.digits)) + " nur in " +
                     UnitsText(cover, true);
  if (!step.fins.empty()) text += (step.fins.size() == 1 ? " oder in der Flosse " : " oder in den Flossen ") + CellsText(step.fins);
  if (!full && step.fins.empty() && step.eliminations.size() > kShortList)
    return text + ", also sonst nirgends in diesen " + (IsRowUnit(cover[0]) ? "Zeilen." : "Spalten.");
  return text + ", " + ThereforeText(step, FirstDigit(step.digits)) + ".";
}

// The candidates of the step's pattern cell i.
int DigitsOf(const Step& step, std::size_t i) { return step.cellDigits[i]; }

std::string WingText(const Step& step, bool full) {
  const int c = FirstDigit(step.eliminations[0].digits);
  const std::string pivot = CellName(step.cells[0]);
  if (step.technique == Technique::kXYWing) {
    std::string text;
    for (std::size_t pincer = 1; pincer <= 2; ++pincer) {
      const int a = DigitsOf(step, 0) & DigitsOf(step, pincer);
      text += std::string(pincer == 1 ? "Ist " : "; ist ") + pivot + " die " + DigitName(FirstDigit(a)) + ", dann ist " +
              CellName(step.cells[pincer]) + " die " + DigitName(c);
    }
    return text + ". Also " + EliminationsText(step) + ".";
  }
  std::string text = full ? pivot + " hat nur " + DigitsText(DigitsOf(step, 0)) + ", " + CellName(step.cells[1]) +
                                " nur " + DigitsText(DigitsOf(step, 1)) + " und " + CellName(step.cells[2]) + " nur " +
                                DigitsText(DigitsOf(step, 2)) + ": "
                          : "";
  text += "Eines von " + CellsText({step.cells[0], step.cells[1], step.cells[2]}) + " ist die " + DigitName(c) + ", " +
          ThereforeText(step, c) + ".";
  return Capitalised(text);
}

std::string WWingText(const Step& step, bool full) {
  const int y = FirstDigit(step.eliminations[0].digits);
  const int x = FirstDigit(step.digits & ~DigitBit(y));
  if (!full)
    return "Eines von " + CellName(step.cells[0]) + " und " + CellName(step.cells[1]) + " ist die " + DigitName(y) +
           ", " + ThereforeText(step, y) + ".";
  std::string text = CellName(step.cells[0]) + " und " + CellName(step.cells[1]) + " haben nur " +
                     DigitsText(step.digits) + ". ";
  if (full)
    text += "In " + UnitName(step.units[0]) + " steht die " + DigitName(x) + " nur in " + CellName(step.cells[2]) +
            " oder " + CellName(step.cells[3]) + "; " + CellName(step.cells[2]) + " sieht " + CellName(step.cells[0]) +
            ", " + CellName(step.cells[3]) + " sieht " + CellName(step.cells[1]) + ". ";
  return text + "Also ist " + CellName(step.cells[0]) + " oder " + CellName(step.cells[1]) + " die " + DigitName(y) +
         ", " + ThereforeText(step, y) + ".";
}

// Skyscraper and kite: two units with two places each, joined at one end.
std::string PairedLinesText(const Step& step, bool full) {
  const int digit = FirstDigit(step.digits);
  const std::vector<int>& c = step.cells;
  std::string text;
  if (full) {
    std::string join;
    if (step.technique == Technique::kSkyscraper)
      join = IsRowUnit(step.units[0]) ? UnitName(ColumnUnit(ColumnOf(c[0]))) : UnitName(RowUnit(RowOf(c[0])));
    else
      join = UnitName(step.units[2]);
    const std::size_t a1 = step.technique == Technique::kSkyscraper ? 0 : 1, b1 = step.technique == Technique::kSkyscraper ? 1 : 0;
    text = "In " + UnitName(step.units[0]) + " steht die " + DigitName(digit) + " nur in " + CellName(c[a1]) + " und " +
           CellName(c[b1]) + ", in " + UnitName(step.units[1]) + " nur in " + CellName(c[2]) + " und " + CellName(c[3]) +
           "; " + CellName(c[a1]) + " und " + CellName(c[2]) + " liegen in " + join + ". Also ist ";
  }
  const int end1 = step.technique == Technique::kSkyscraper ? c[1] : c[0];
  const std::string ends = CellName(end1) + " oder " + CellName(c[3]);
  if (!full) return ends + " ist die " + DigitName(digit) + ", " + ThereforeText(step, digit) + ".";
  return text + ends + " die " + DigitName(digit) + ", " + ThereforeText(step, digit) + ".";
}

std::string ColouringText(const Step& step, bool full) {
  const int digit = FirstDigit(step.digits);
  const auto split = step.cells.begin() + step.variant;
  const std::vector<int> first(step.cells.begin(), split), second(split, step.cells.end());
  const bool wrap = std::find(step.cells.begin(), step.cells.end(), step.eliminations[0].cell) != step.cells.end();
  std::string text = "Die " + DigitName(digit) + " steht entweder in " + CellsText(first) + " oder in " +
                     CellsText(second);
  if (!full && !wrap) return text + ", " + ThereforeText(step, digit) + ".";
  if (!wrap) return text + ", denn je zwei verbundene Felder haben sie genau einmal; " + ThereforeText(step, digit) + ".";
  std::vector<int> falseCells;
  for (const Elimination& elimination : step.eliminations) falseCells.push_back(elimination.cell);
  for (int a : falseCells)
    for (int b : falseCells)
      if (a < b && SeesEachOther(a, b))
        return text + ". " + CellName(a) + " und " + CellName(b) + " sehen sich, " + ThereforeText(step, digit) + ".";
  return text + ", " + ThereforeText(step, digit) + ".";
}

std::string RectangleText(const Step& step, bool full) {
  int pair = kAllDigits;
  for (int digits : step.cellDigits) pair &= digits;
  std::vector<int> roof;
  for (std::size_t i = 0; i < step.cells.size(); ++i)
    if (step.cellDigits[i] != pair) roof.push_back(step.cells[i]);
  std::string text = CellsText(step.cells) + " d\xFC" "rfen nicht nur " + DigitsText(pair);
  text += full ? " haben, sonst k\xF6nnten sie die Ziffern tauschen und das R\xE4tsel h\xE4tte zwei L\xF6sungen; "
               : " haben (sonst zwei L\xF6sungen), ";
  if (step.variant == 2 && roof.size() == 2) {
    const int extra = FirstDigit(step.digits & ~pair);
    return text + "also ist " + CellName(roof[0]) + " oder " + CellName(roof[1]) + " die " + DigitName(extra) + ", " +
           ThereforeText(step, extra) + ".";
  }
  if (step.variant == 4 && full && roof.size() == 2 && !step.units.empty()) {
    const int kept = FirstDigit(pair & ~step.eliminations[0].digits);
    text += "in " + UnitName(step.units[0]) + " steht die " + DigitName(kept) + " nur in " + CellName(roof[0]) +
            " und " + CellName(roof[1]) + ", ";
  }
  return text + "also " + EliminationsText(step) + ".";
}

std::string Sentence(const Step& step, bool full) {
  const int digit = step.digits ? FirstDigit(step.digits) : 0;
  switch (step.technique) {
    case Technique::kFullHouse:
      return "In " + UnitName(step.units[0]) + " ist nur " + CellName(step.cells[0]) + " frei: dort steht die " +
             DigitName(digit) + ".";
    case Technique::kHiddenSingle:
      return "In " + UnitName(step.units[0]) + " kann die " + DigitName(digit) + " nur in " + CellName(step.cells[0]) +
             " stehen.";
    case Technique::kNakedSingle:
      return "In " + CellName(step.cells[0]) + " ist nur noch die " + DigitName(digit) + " m\xF6glich.";
    case Technique::kPointing:
    case Technique::kClaiming: {
      const std::string text = "In " + UnitName(step.units[0]) + " steht die " + DigitName(digit) + " nur in " +
                               UnitName(step.units[1]) + ", ";
      if (!full && step.eliminations.size() > kShortList) return text + "also nirgends sonst in " + UnitName(step.units[1]) + ".";
      return text + ThereforeText(step, digit) + ".";
    }
    case Technique::kNakedPair:
    case Technique::kNakedTriple:
    case Technique::kNakedQuad: {
      const std::string text = CellsText(step.cells) + " haben nur " + DigitsText(step.digits) + ", also ";
      if (!full && step.eliminations.size() > kShortList) return text + "sonst nirgends in " + UnitName(step.units[0]) + ".";
      return text + EliminationsText(step) + ".";
    }
    case Technique::kHiddenPair:
    case Technique::kHiddenTriple:
    case Technique::kHiddenQuad: {
      const std::string text =
          "In " + UnitName(step.units[0]) + " stehen " + DigitsText(step.digits) + " nur in " + CellsText(step.cells) + ", also ";
      if (!full) return text + "dort keine anderen Ziffern.";
      return text + EliminationsText(step) + ".";
    }
    case Technique::kXWing:
    case Technique::kSwordfish:
    case Technique::kJellyfish:
    case Technique::kFinnedXWing:
    case Technique::kFinnedSwordfish:
    case Technique::kFinnedJellyfish: return FishText(step, full);
    case Technique::kXYWing:
    case Technique::kXYZWing: return WingText(step, full);
    case Technique::kWWing: return WWingText(step, full);
    case Technique::kSkyscraper:
    case Technique::kTwoStringKite: return PairedLinesText(step, full);
    case Technique::kSimpleColouring: return ColouringText(step, full);
    case Technique::kUniqueRectangle: return RectangleText(step, full);
    case Technique::kBugPlusOne:
      return full ? "Ohne die " + DigitName(digit) + " in " + CellName(step.cells[0]) +
                        " h\xE4tte jedes offene Feld genau zwei Kandidaten und das R\xE4tsel keine oder zwei L\xF6sungen, also ist " +
                        CellName(step.cells[0]) + " die " + DigitName(digit) + "."
                  : "Sonst h\xE4tte das R\xE4tsel keine oder zwei L\xF6sungen: " + CellName(step.cells[0]) + " ist die " +
                        DigitName(digit) + ".";
    case Technique::kXChain:
    case Technique::kXYChain:
    case Technique::kAlternatingChain: return LineText(step, full);
    case Technique::kForcingChain:
    case Technique::kForcingNet: return ForcingText(step, full);
  }
  return "";
}

}  // namespace

std::string CellName(int cell) {
  return std::string(1, static_cast<char>('A' + ColumnOf(cell) - 1)) + DigitName(RowOf(cell));
}

std::string UnitName(int unit) {
  if (IsRowUnit(unit)) return "Zeile " + DigitName(unit + 1);
  if (IsColumnUnit(unit)) return std::string("Spalte ") + static_cast<char>('A' + unit - kFirstColumnUnit);
  return "Block " + DigitName(unit - kFirstBoxUnit + 1);
}

std::string TechniqueName(const Step& step) {
  switch (step.technique) {
    case Technique::kFullHouse: return "Letztes freies Feld";
    case Technique::kHiddenSingle: return "Versteckter Einer";
    case Technique::kNakedSingle: return "Nackter Einer";
    case Technique::kPointing: return "Zeiger";
    case Technique::kClaiming: return "Sperre";
    case Technique::kNakedPair: return "Nacktes Paar";
    case Technique::kNakedTriple: return "Nackter Drilling";
    case Technique::kNakedQuad: return "Nackter Vierling";
    case Technique::kHiddenPair: return "Verstecktes Paar";
    case Technique::kHiddenTriple: return "Versteckter Drilling";
    case Technique::kHiddenQuad: return "Versteckter Vierling";
    case Technique::kXWing: return "X-Wing";
    case Technique::kSwordfish: return "Schwertfisch";
    case Technique::kJellyfish: return "Qualle";
    case Technique::kFinnedXWing: return "X-Wing mit Flosse";
    case Technique::kFinnedSwordfish: return "Schwertfisch mit Flosse";
    case Technique::kFinnedJellyfish: return "Qualle mit Flosse";
    case Technique::kXYWing: return "XY-Wing";
    case Technique::kXYZWing: return "XYZ-Wing";
    case Technique::kWWing: return "W-Wing";
    case Technique::kSkyscraper: return "Wolkenkratzer";
    case Technique::kTwoStringKite: return "Drachen";
    case Technique::kSimpleColouring: return "Einfache F\xE4rbung";
    case Technique::kUniqueRectangle: return "Eindeutiges Rechteck";
    case Technique::kBugPlusOne: return "BUG+1";
    case Technique::kXChain: return "X-Kette";
    case Technique::kXYChain: return "XY-Kette";
    case Technique::kAlternatingChain: return "Alternierende Kette";
    case Technique::kForcingChain:
    case Technique::kForcingNet: return ForcingName(step);
  }
  return "";
}

std::string StepHint(const Step& step) {
  const std::string name = TechniqueName(step);
  const int digit = step.digits ? FirstDigit(step.digits) : 0;
  switch (step.technique) {
    case Technique::kFullHouse:
    case Technique::kHiddenSingle:
    case Technique::kPointing:
    case Technique::kClaiming:
    case Technique::kNakedPair:
    case Technique::kNakedTriple:
    case Technique::kNakedQuad:
    case Technique::kHiddenPair:
    case Technique::kHiddenTriple:
    case Technique::kHiddenQuad: return name + " in " + UnitName(step.units[0]) + ".";
    case Technique::kNakedSingle:
    case Technique::kBugPlusOne: return name + " in " + CellName(step.cells[0]) + ".";
    case Technique::kXYWing:
    case Technique::kXYZWing: return name + " um " + CellName(step.cells[0]) + ".";
    case Technique::kWWing: return name + " mit " + CellName(step.cells[0]) + " und " + CellName(step.cells[1]) + ".";
    case Technique::kUniqueRectangle:
      return name + " um " + CellName(step.cells[0]) + " und " + CellName(step.cells[3]) + ".";
    case Technique::kFinnedXWing:
    case Technique::kFinnedSwordfish:
    case Technique::kFinnedJellyfish: return name + " f\xFCr die " + DigitName(digit) + ".";
    case Technique::kXWing:
    case Technique::kSwordfish:
    case Technique::kJellyfish:
    case Technique::kSkyscraper:
    case Technique::kTwoStringKite:
    case Technique::kSimpleColouring:
    case Technique::kXChain: return name + " mit der " + DigitName(digit) + ".";
    case Technique::kXYChain:
    case Technique::kAlternatingChain:
    case Technique::kForcingChain:
    case Technique::kForcingNet:
      if (step.chain.form == ChainForm::kEveryPlace) return name + " in " + UnitName(step.units[0]) + ".";
      return name + " ab " + CellName(ChainStart(step)) + ".";
  }
  return name + ".";
}

std::string StepShortText(const Step& step) { return Sentence(step, false); }

std::string StepFullText(const Step& step) { return TechniqueName(step) + ": " + Sentence(step, true); }

std::string RatingNumber(int rating, char separator) {
  return std::to_string(rating / 10) + separator + DigitName(rating % 10);
}

std::string RatingText(const Step& hardest) {
  return "Schwierigkeit " + RatingNumber(hardest.rating, ',') + ": " + TechniqueName(hardest) + ".";
}
