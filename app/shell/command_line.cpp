#include "app/shell/command_line.h"

#include "app/export/export_command.h"
#include "app/shell/component_registration.h"
#include "app/shell/installer_values.h"
#include "app/shell/map_description.h"
#include "platform/com/runtime.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace shell {

namespace {

constexpr char kUsage[] =
    "Usage: pinlore [MAP.plm]\n"
    "       pinlore --export-html MAP.plm FOLDER [--overwrite]\n"
    "       pinlore /sbd\n"
    "       pinlore --help\n"
    "\n"
    "Pinlore tells travel memories on maps: a map picture with spots that play slide shows\n"
    "with sound, and map spots that lead to other maps.\n"
    "\n"
    "  MAP.plm   the map to open\n"
    "  --export-html MAP.plm FOLDER\n"
    "            write MAP.plm and every map below it as a web site into FOLDER/<map name>;\n"
    "            --overwrite writes into a site folder that exists already\n"
    "  /sbd      write the installer's uninstall settings and end\n"
    "  --help    show this text\n";

int Fail(const char* message)
{
    std::fprintf(stderr, "pinlore: %s\n", message);
    return 1;
}

}  // namespace

int RunCommandLine(int argc, char* argv[])
{
    // Exactly "/sbd", nothing before or after it, case as written.
    if (argc == 2 && std::string_view(argv[1]) == "/sbd")
        return WriteInstallerValues() == registry::kSuccess ? 0 : 1;

    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.contains("--help") || arguments.contains("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool exporting = !arguments.isEmpty() && arguments.first() == "--export-html";
    if (arguments.size() > 1 && !exporting) {
        std::fputs(kUsage, stderr);
        return 1;
    }

    com::ApartmentScope apartment;
    if (com::FAILED(EnsureComponentsRegistered(ComponentLibraryPath())))
        return Fail("the component library beside the program could not be registered");
    if (exporting)
        return html_export::ExportCommand::Run(arguments.mid(1), QCoreApplication::applicationDirPath());
    if (!arguments.isEmpty()) return DescribeMap(arguments.first());
    return 0;
}

}  // namespace shell
