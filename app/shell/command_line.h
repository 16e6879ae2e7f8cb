#pragma once

namespace shell {

// Carries out the program's command line and gives the exit status:
//   pinlore /sbd         writes the installer's values and ends (nothing else on the line)
//   pinlore --help       prints the usage
//   pinlore --export-html MAP.plm FOLDER [--overwrite] [--style classic|modern]
//                        writes the map and every map below it as a web site
//   pinlore [MAP.plm]    opens the window, on MAP.plm when given (relative to the start folder)
// The window and the export register the component library first when needed.
int RunCommandLine(int argc, char* argv[]);

}  // namespace shell
