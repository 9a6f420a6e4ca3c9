#pragma once
// The soak's settings, from its command line.
namespace zm48d::testing {

struct SoakSettings {
  long transactions = 20000;  // of the mixed operations
  unsigned seed = 48;
  long eventRounds = 300;    // of `zm48d events --clear` under stops and failing outputs
  long harvestRounds = 100;  // of `zm48d harvest`, some killed, while events come
};

SoakSettings& Settings();

}  // namespace zm48d::testing
