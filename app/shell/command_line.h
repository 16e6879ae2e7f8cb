#pragma once

namespace shell {

// Carries out the program's command line and gives the exit status:
//   pinlore /sbd         writes the installer's values and ends (nothing else on the line)
//   pinlore --help       prints the usage
//   pinlore --export-html MAP.plm FOLDER [--overwrite]
//                        writes the map and every map below it as a web site
//   pinlore [MAP.plm]    registers the component library when needed, then opens the map
// Every form but /sbd registers the component library first when needed.
int RunCommandLine(int argc, char* argv[]);

}  // namespace shell
