// The machine `make demo` shows when no scenario file is named: three GPUs whose clocks, loads,
// temperatures, power and fans keep moving. Sample numbers count the values handed out, so
// periods are in samples (about one per second per reading for the program's sampling loop).
#include "default_scenario.h"

namespace sim {

std::string_view DemoScenarioText() {
  return R"(# built-in demo machine
gpu
  name Quorvane Sim RTX 4080
  bus 1
  pci 0x270410DE 0x16F11043 0xA1
  cores 9728 76 304
  pcie 16 4
  display dp 0x00010001 primary
  display hdmi 0x00010002
  fans 2 both
  unit present
  clock.graphics sine 2205000 300000 37
  clock.memory square 10501000 11201000 12
  clock.processor sine 2205000 300000 37
  clock.video sine 1905000 150000 23
  base.graphics 2205000
  base.memory 11201000
  boost.graphics 2505000
  boost.memory 11201000
  load.gpu sine 55 40 29
  load.memctrl sine 50 40 53        # three samples per cycle: about 18 s per period
  load.video sine 60 30 71
  load.bus sine 45 40 41
  memory.total 16773120
  memory.used sine 6000000 2500000 61
  temperature sine 62 12 83
  power.draw sine 190000 90000 31
  power.limit 320000
  pstate 0
  fan1.level sine 55 20 47
  fan1.rpm sine 1650 600 47
  fan2.level sine 52 20 47
  fan2.rpm sine 1600 600 47
  voltage sine 950000 70000 37
end

gpu
  name Quorvane Sim RTX 3060
  bus 4
  pci 0x250310DE 0x38971462 0xA1
  cores 3584 28 112
  pcie 16 4
  display dvi 0x00020001
  fans 1 cooler
  clock.graphics square 1320000 1777000 9
  clock.memory 7501000
  clock.processor square 1320000 1777000 9
  clock.video ramp 1000000 0
  base.graphics 1320000
  boost.graphics 1777000
  load.gpu square 8 97 9
  load.memctrl square 5 70 27
  load.video 0
  load.bus sine 12 10 19
  memory.total 12582912
  memory.used ramp 2000000 1500
  temperature sine 48 18 59
  power.draw square 25000 165000 9
  power.limit 170000
  pstate 2
  fan1.level sine 40 25 59
  fan1.rpm sine 1400 800 59
  voltage square 725000 1050000 9
end

gpu
  name Quorvane Sim A2000 Compute
  bus 9
  pci 0x253110DE 0x151D10DE 0xA1
  driver tcc
  cores 3328 26 104
  pcie 8 4
  fans 0
  clock.graphics sine 1200000 400000 43
  clock.memory 6001000
  load.gpu sine 70 29 43
  memory.total 6291456
  memory.used sine 3500000 1500000 43
  temperature sine 70 8 43
  power.draw sine 55000 12000 43
  power.limit 70000
  voltage 880000
end
)";
}

}  // namespace sim
