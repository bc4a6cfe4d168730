#include "report/summary_words.h"

#include "core/elcal.h"
#include "core/numbers.h"

namespace quillet {

std::string VoltageWords(const Elcal& w) { return w.V.Text() + " V, " + w.state.PhaseText; }

std::string CurrentWords(const Elcal& w) { return w.A.Text() + " Amp"; }

std::string PowerWords(const Elcal& w) {
  return w.W.Text() + " " + w.VA.Caption() + "  @ PF = " + ShortSingleText(w.state.PowerFactor);
}

std::string AcDropWords(const Elcal& w) {
  return w.VDACL.Caption() + " / " + w.VDACPRCL.Caption() + " of the supply voltage.";
}

std::string FeederWords(const Elcal& w) {
  const ElcalState& s = w.state;
  return w.L.Text() + " " + w.CmdUnit.Caption() + " long, " + s.RunsText + s.WiresText + w.ComWS.Text() +
         s.MaterialText + s.ConduitText;
}

std::string AmpacityWords(const Elcal& w) {
  return "Feeder Code ampacity " + w.state.AmbientText + " = " + w.Ampacit.Caption();
}

std::string OperatingTemperatureWords(const Elcal& w) {
  return "Estimated circuit operating temperature (with continuous load) is " + w.EAWOTD.Caption();
}

std::string ResistanceWords(const Elcal& w) {
  return w.ACres.Caption() + " for conductor temperature of " + w.WOTD.Caption();
}

std::string ConductorWords(const Elcal& w) { return w.state.WireTypeText + w.state.InsulationText; }

}  // namespace quillet
