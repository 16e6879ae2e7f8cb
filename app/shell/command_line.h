#pragma once

namespace shell {

// Carries out the program's command line and gives the exit status:
//   pinlore /sbd         writes the installer's values and ends (nothing else on the line)
//   pinlore --help       prints the usage
//   pinlore [MAP.plm]    registers the component library when needed, then opens the map
int RunCommandLine(int argc, char* argv[]);

}  // namespace shell
