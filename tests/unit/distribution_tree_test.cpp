// The distribution tree on its own: the transformer rule, the drop a path
// leaves a row, and the references, each case worked by hand.
#include "schedule/distribution_tree.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TreeRow Row(const char* tag, const char* fedFrom, double volts = 480, bool singlePhase = false) {
  return {tag, fedFrom, 0, volts, singlePhase, std::nullopt};
}

TEST(DistributionTree, ATransformerLiesBetweenUnlessTheVoltageIsTheSupplysOrItsLineToNeutral) {
  const struct {
    const char* name;
    double supply;
    bool singlePhaseSupply;
    double row;
    std::optional<bool> says;
    bool transformer;
  } cases[] = {
      {"same voltage", 480, false, 480, {}, false},
      {"480Y/277", 480, false, 277, {}, false},
      {"208Y/120", 208, false, 120, {}, false},
      {"600Y/347", 600, false, 347, {}, false},
      {"single-phase 240/120", 240, true, 120, {}, false},
      {"three-phase 240 has no 120", 240, false, 120, {}, true},
      {"480 to 208", 480, false, 208, {}, true},
      {"480 to 120", 480, false, 120, {}, true},
      {"the row says so at the same voltage", 480, false, 480, true, true},
      {"the row says none at 480 to 208", 480, false, 208, false, false},
  };
  for (const auto& c : cases) {
    TreeRow row = Row("B", "A", c.row);
    row.viaTransformer = c.says;
    EXPECT_EQ(ThroughTransformer(Row("A", "", c.supply, c.singlePhaseSupply), row), c.transformer) << c.name;
  }
}

TEST(DistributionTree, TheOwnDropIsHeldToWhatThePathLeavesOfTheTotal) {
  EXPECT_EQ(DropLimit(3, 5, 0), 3);
  EXPECT_EQ(DropLimit(3, 5, 2.3f), static_cast<double>(2.7f));  // 5 − 2.3: the panel's 2.3 % leaves 2.7 %
  EXPECT_EQ(DropLimit(3, 5, 1.5f), 3);
  EXPECT_EQ(DropLimit(3, 5, 5.25f), -0.25);  // none left
  EXPECT_EQ(DropLimit(6, 5, 0), 5);          // a lone feeder's path is itself
  EXPECT_EQ(TotalDrop(1.5f, 2.3f), 3.8f);
}

TEST(DistributionTree, BrokenReferencesAreTheReferringRowsErrorsAndSuppliesComeFirst) {
  std::vector<TreeRow> rows = {Row("G", "S"),   Row("S", ""),     Row("P", "S"),       Row("P", "S"),
                               Row("Q", "P"),   Row("X", "NONE"), Row("SELF", "SELF"), Row("L2", "L1"),
                               Row("L1", "L3"), Row("L3", "L2"),  Row("U", "L1"),      Row("T", "S", 208)};
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r].line = static_cast<int>(r) + 2;
  const DistributionTree tree(std::move(rows));
  const char* errors[] = {"",
                          "",
                          "",
                          "",
                          "lines 4 and 5 have this tag",
                          "no row has this tag",
                          "the row feeds itself",
                          "the supplies run in a loop: L1 → L2 → L3 → L1",
                          "the supplies run in a loop: L1 → L2 → L3 → L1",
                          "the supplies run in a loop: L1 → L2 → L3 → L1",
                          "",
                          ""};
  for (std::size_t r = 0; r < tree.Size(); ++r) EXPECT_EQ(tree.ReferenceError(r), errors[r]) << r;
  EXPECT_EQ(tree.SupplyOf(0), 1u);
  EXPECT_EQ(tree.SupplyOf(10), 8u);  // fed from a row of the loop: its supply has an error
  EXPECT_EQ(tree.FedBy(1), (std::vector<std::size_t>{0, 2, 3, 11}));
  std::vector<int> level(tree.Size(), -1);
  for (std::size_t l = 0; l < tree.Levels().size(); ++l)
    for (std::size_t r : tree.Levels()[l]) level[r] = static_cast<int>(l);
  for (std::size_t r = 0; r < tree.Size(); ++r) {
    if (const auto supply = tree.SupplyOf(r)) {
      EXPECT_LT(level[*supply], level[r]) << r;
    }
  }

  // Down a path: the supply's total, an error, or a new start after a transformer.
  EXPECT_EQ(tree.PathOf(0, {false, 1.5f}), (SupplyPath{std::nullopt, 1.5f}));
  EXPECT_EQ(tree.PathOf(10, {true, 0}).problem->reason, "its supply L1 (line 10) has an error");
  EXPECT_EQ(tree.PathOf(11, {false, 1.5f}), SupplyPath{});
  EXPECT_EQ(tree.PathOf(5, {}).problem->column, Column::FedFrom);
}

}  // namespace
}  // namespace quillet
