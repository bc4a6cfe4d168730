#include "schedule/window_feeder.h"

#include "schedule/columns.h"

namespace quillet {

FeederInputs FeederFromWindow(const Elcal& w) {
  FeederInputs f;
  for (const InputColumn& column : InputColumns())
    if (column.fromWindow) column.fromWindow(w, f);
  return f;
}

}  // namespace quillet
