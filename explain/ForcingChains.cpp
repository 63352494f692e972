#include "explain/ForcingChains.h"

#include <memory>

#include "explain/Net.h"
#include "explain/SearchWatch.h"
#include "explain/Ratings.h"

namespace {

// One conclusion the search may give, and what it rests on.
struct Finding {
  ChainForm form = ChainForm::kContradiction;
  int cell = -1, digit = 0;  // the assumption (kContradiction, kBothWays), or the cell (kEveryCandidate)
  bool assumedOn = true;     // kContradiction: the assumption was the candidate on
  int unit = -1;             // kEveryPlace: the unit of digit
  int conclusion = -1;       // literal index of the result (not for kContradiction)
  int links = 0;
  int rating = 0;
};

class NetSearch {
 public:
  NetSearch(const Position& position, const NetRules& rules, Technique technique, int baseRating, int level)
      : position_(position), rules_(rules), technique_(technique), baseRating_(baseRating), level_(level) {}

  void TryContradictions(bool alsoOff) {
    for (int cell = 0; cell < kCells && !SearchInterrupted(); ++cell)
      for (int digits = position_.Candidates(cell); digits; digits &= digits - 1)
        for (bool on : {true, false}) {
          if (!on && !alsoOff) continue;
          const Net& net = NetOf(cell, FirstDigit(digits), on);
          if (!net.Contradicted()) continue;
          std::vector<char> marked(net.Entries().size(), 0);
          Finding finding{ChainForm::kContradiction, cell, FirstDigit(digits), on, -1, -1,
                          net.MarkAncestors(net.ContradictionSources(), marked), 0};
          Offer(finding);
        }
  }

  void TryBothWays() {
    for (int cell = 0; cell < kCells && !SearchInterrupted(); ++cell)
      for (int digits = position_.Candidates(cell); digits; digits &= digits - 1) {
        const int digit = FirstDigit(digits);
        const Net& on = NetOf(cell, digit, true);
        const Net& off = NetOf(cell, digit, false);
        if (on.Contradicted() || off.Contradicted()) continue;
        OfferCommon({&on, &off}, [&](int conclusion, int links) {
          return Finding{ChainForm::kBothWays, cell, digit, true, -1, conclusion, links, 0};
        });
      }
  }

  void TryEveryCandidate() {
    for (int cell = 0; cell < kCells && !SearchInterrupted(); ++cell) {
      const int candidates = position_.Candidates(cell);
      if (DigitCount(candidates) < 3) continue;
      std::vector<const Net*> nets;
      for (int digits = candidates; digits; digits &= digits - 1) nets.push_back(&NetOf(cell, FirstDigit(digits), true));
      OfferCommon(nets, [&](int conclusion, int links) {
        return Finding{ChainForm::kEveryCandidate, cell, 0, true, -1, conclusion, links, 0};
      });
    }
  }

  void TryEveryPlace() {
    for (int unit = 0; unit < kUnits && !SearchInterrupted(); ++unit)
      for (int digit = 1; digit <= 9; ++digit) {
        const CellSet places = position_.PlacesIn(unit, digit);
        if (places.Count() < 3) continue;
        std::vector<const Net*> nets;
        for (int cell : places) nets.push_back(&NetOf(cell, digit, true));
        OfferCommon(nets, [&](int conclusion, int links) {
          return Finding{ChainForm::kEveryPlace, -1, digit, true, unit, conclusion, links, 0};
        });
      }
  }

  bool Found() const { return best_.rating > 0; }
  Step MakeStep();

 private:
  const Net& NetOf(int cell, int digit, bool on) {
    std::unique_ptr<Net>& net = Item(nets_, LiteralIndex(cell, digit, on));
    if (!net) {
      net = std::make_unique<Net>();
      net->Run(position_, {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit), on}, rules_);
    }
    return *net;
  }

  void Offer(Finding finding) {
    finding.rating = baseRating_ + rating::LengthAddition(finding.links);
    if (!Found() || finding.rating < best_.rating || (finding.rating == best_.rating && finding.links < best_.links))
      best_ = finding;
  }

  // Offers each literal that follows in every net, none contradicted: a
  // placement or a removal in the position.
  template <typename MakeFinding>
  void OfferCommon(const std::vector<const Net*>& nets, MakeFinding make) {
    for (const Net* net : nets)
      if (net->Contradicted()) return;
    const Net& first = *nets.front();
    for (std::size_t entry = 1; entry < first.Entries().size(); ++entry) {
      const int literal = LiteralIndex(first.Entries()[entry].literal);
      int links = 0;
      for (const Net* net : nets) {
        const int index = net->IndexOf(literal);
        if (index <= 0) {
          links = -1;
          break;
        }
        std::vector<char> marked(net->Entries().size(), 0);
        links += net->MarkAncestors({static_cast<std::int16_t>(index)}, marked);
      }
      if (links > 0) Offer(make(literal, links));
    }
  }

  const Position& position_;
  NetRules rules_;
  Technique technique_;
  int baseRating_;
  int level_;
  std::array<std::unique_ptr<Net>, kLiterals> nets_;
  Finding best_;
};

Literal LiteralOfIndex(int index) {
  return {static_cast<std::uint8_t>(index / 18), static_cast<std::uint8_t>(index / 2 % 9 + 1), (index & 1) != 0};
}

Step NetSearch::MakeStep() {
  Step step;
  step.technique = technique_;
  step.rating = best_.rating;
  Chain& chain = step.chain;
  chain.form = best_.form;
  chain.level = level_;
  auto addBranch = [&](const Net& net, const std::vector<std::int16_t>& from) {
    std::vector<std::int16_t> result;
    chain.branches.push_back(net.Branch(from, &result));
    return result;
  };
  auto conclude = [&](const Literal& literal) {
    if (literal.on) step.placements = {{literal.cell, literal.digit}};
    else step.Eliminate(literal.cell, DigitBit(literal.digit));
    step.digits |= DigitBit(literal.digit);
  };
  switch (best_.form) {
    case ChainForm::kContradiction: {
      const Net& net = NetOf(best_.cell, best_.digit, best_.assumedOn);
      const std::vector<std::int16_t> sources = net.ContradictionSources();
      const std::vector<std::int16_t> result = addBranch(net, sources);
      chain.contradiction = net.Contradiction();
      if (chain.contradiction.on >= 0) {
        chain.contradiction.on = result[0];
        chain.contradiction.off = result[1];
      }
      conclude({static_cast<std::uint8_t>(best_.cell), static_cast<std::uint8_t>(best_.digit), !best_.assumedOn});
      step.cells = {best_.cell};
      break;
    }
    case ChainForm::kBothWays:
      for (bool on : {true, false}) {
        const Net& net = NetOf(best_.cell, best_.digit, on);
        chain.result.push_back(addBranch(net, {static_cast<std::int16_t>(net.IndexOf(best_.conclusion))})[0]);
      }
      step.cells = {best_.cell};
      conclude(LiteralOfIndex(best_.conclusion));
      break;
    case ChainForm::kEveryCandidate:
      for (int digits = position_.Candidates(best_.cell); digits; digits &= digits - 1) {
        const Net& net = NetOf(best_.cell, FirstDigit(digits), true);
        chain.result.push_back(addBranch(net, {static_cast<std::int16_t>(net.IndexOf(best_.conclusion))})[0]);
      }
      step.cells = {best_.cell};
      conclude(LiteralOfIndex(best_.conclusion));
      break;
    case ChainForm::kEveryPlace:
      for (int cell : position_.PlacesIn(best_.unit, best_.digit)) {
        const Net& net = NetOf(cell, best_.digit, true);
        chain.result.push_back(addBranch(net, {static_cast<std::int16_t>(net.IndexOf(best_.conclusion))})[0]);
        step.cells.push_back(cell);
      }
      step.units = {best_.unit};
      conclude(LiteralOfIndex(best_.conclusion));
      break;
    case ChainForm::kLine: break;
  }
  if (best_.digit) step.digits |= DigitBit(best_.digit);
  return step;
}

bool Finish(NetSearch& search, Step& step) {
  if (!search.Found()) return false;
  step = search.MakeStep();
  return true;
}

}  // namespace

bool FindForcingChain(const Position& position, Step& step) {
  auto search = std::make_unique<NetSearch>(position, NetRules{false, false, false, 0}, Technique::kForcingChain,
                                            rating::kForcingChain, 0);
  search->TryContradictions(true);
  search->TryBothWays();
  return Finish(*search, step);
}

bool FindDigitForcingChain(const Position& position, Step& step) {
  auto search = std::make_unique<NetSearch>(position, NetRules{true, true, false, 0}, Technique::kForcingChain,
                                            rating::kDigitForcingChain, 0);
  search->TryContradictions(false);
  return Finish(*search, step);
}

bool FindMultipleForcingChain(const Position& position, Step& step) {
  auto search = std::make_unique<NetSearch>(position, NetRules{false, false, false, 0}, Technique::kForcingChain,
                                            rating::kMultipleForcingChain, 0);
  search->TryEveryCandidate();
  search->TryEveryPlace();
  return Finish(*search, step);
}

bool FindForcingNet(const Position& position, int level, Step& step) {
  constexpr int kBase[] = {rating::kForcingNet, rating::kForcingNetLocked, rating::kForcingNetNested};
  auto search = std::make_unique<NetSearch>(position, NetRules{true, false, level >= 1, level >= 2 ? 1 : 0},
                                            Technique::kForcingNet, Item(kBase, level), level);
  // Nested nets cost a net for every candidate at every turn: only the
  // assumptions that a candidate holds.
  search->TryContradictions(level < 2);
  if (level < 2) search->TryBothWays();
  search->TryEveryCandidate();
  search->TryEveryPlace();
  return Finish(*search, step);
}
