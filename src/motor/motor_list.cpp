#include "motor/motor_list.h"

#include "core/elcal.h"

namespace quillet {
namespace {
const char* const kThreePhaseItems[] = {
    " 1/2 HP", " 3/4 HP", " 1 HP",  " 1.5 HP", " 2 HP",  " 3 HP",   " 5 HP",
    " 7.5 HP", " 10 HP",  " 15 HP", " 20 HP",  " 25 HP", " 30 HP",  " 40 HP",
    " 50 HP",  " 60 HP",  " 75 HP", " 100 HP", " 125 HP", " 150 HP", " 200 HP"};
const char* const kSinglePhaseItems[] = {" 1/6 HP", " 1/4 HP", " 1/3 HP", " 1/2 HP",
                                         " 3/4 HP", " 1 HP",   " 1.5 HP", " 2 HP",
                                         " 3 HP",   " 5 HP",   " 7.5 HP", " 10 HP"};

template <std::size_t N>
void Fill(ComboBox& list, const char* const (&items)[N]) {
  list.Clear();
  for (const char* item : items) list.AddItem(item);
}
}  // namespace

void RefillMotorList(Elcal& w) {
  const std::string& code = w.Text3.Text();
  if (code == "0") Fill(w.ComHP, kThreePhaseItems);
  else if (code == "1") Fill(w.ComHP, kSinglePhaseItems);
  else return;
  w.state.MotorText = "";
}

}  // namespace quillet
