// The pinlore program: reads its command line and hands over to the part that does the job.
#include "app/shell/command_line.h"

int main(int argc, char* argv[])
{
    return shell::RunCommandLine(argc, argv);
}
