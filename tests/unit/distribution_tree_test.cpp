// The distribution tree on its own: the transformer rule and the drop a path
// leaves a row, each case worked by hand (the references: tree_references).
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
    bool singlePhaseRow = false;
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
      {"a single-phase row at its three-phase supply's voltage", 240, false, 240, {}, false, true},
  };
  for (const auto& c : cases) {
    TreeRow row = Row("B", "A", c.row, c.singlePhaseRow);
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

}  // namespace
}  // namespace quillet
