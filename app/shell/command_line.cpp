#include "app/shell/command_line.h"

#include "app/export/export_command.h"
#include "app/pack/pack_command.h"
#include "app/shell/component_registration.h"
#include "app/shell/installer_values.h"
#include "app/shell/main_frame.h"
#include "app/shell/window_start.h"
#include "app/thumbnailer/map_thumbnailer.h"
#include "platform/com/runtime.h"
#include "platform/registry/registry_key.h"
#include "platform/registry/store_state.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

namespace shell {

namespace {

constexpr char kUsage[] =
    "Usage: pinlore [MAP.plm]\n"
    "       pinlore --export-html MAP.plm FOLDER [--overwrite] [--style classic|modern]\n"
    "       pinlore --pack MAP.plm FOLDER [--overwrite]\n"
    "       pinlore --thumbnail MAP.plm PICTURE.png SIZE\n"
    "       pinlore /sbd\n"
    "       pinlore --help\n"
    "\n"
    "Pinlore tells travel memories on maps: a map picture with spots that play slide shows\n"
    "with sound, and map spots that lead to other maps.\n"
    "\n"
    "  MAP.plm   the map to open in the window (without it, the map of the last run)\n"
    "  --export-html MAP.plm FOLDER\n"
    "            write MAP.plm and every map below it as a web site into FOLDER/<map name>;\n"
    "            --overwrite writes into a site folder that exists already;\n"
    "            --style modern writes pages for today's browsers and phones (sound,\n"
    "            pictures that fit the window, a show with its own buttons), --style\n"
    "            classic (the default) the pages as they have always been\n"
    "  --pack MAP.plm FOLDER\n"
    "            copy MAP.plm, every map below it and all their pictures and sounds into\n"
    "            FOLDER/<map name>, the copied maps naming the copies: a map that travels;\n"
    "            --overwrite packs into a folder that exists already\n"
    "  --thumbnail MAP.plm PICTURE.png SIZE\n"
    "            write a PNG of the map's map picture, at most SIZE pixels on its longer\n"
    "            side, as file managers ask for thumbnails\n"
    "  /sbd      write the installer's uninstall settings and end\n"
    "  --help    show this text\n";

int Fail(const char* message)
{
    std::fprintf(stderr, "pinlore: %s\n", message);
    return 1;
}

// The window of the program, on `document` when one is named; the exit status is the event loop's.
int runWindow(int argc, char* argv[], const std::optional<QByteArray>& document)
{
    QApplication application(argc, argv);
    // Ties the window to the menu entry, whose icon and name the desktop shows for it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pinlore.Pinlore"));
    com::ApartmentScope apartment;
    const std::unique_ptr<MainFrame> frame = StartWindow(document, ComponentLibraryPath());
    if (!frame) return 1;
    return application.exec();
}

}  // namespace

int RunCommandLine(int argc, char* argv[])
{
    // Exactly "/sbd", nothing before or after it, case as written.
    if (argc == 2 && std::string_view(argv[1]) == "/sbd")
        return WriteInstallerValues() == registry::kSuccess ? 0 : 1;

    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QFile::decodeName(argv[i]));
    if (arguments.contains("--help") || arguments.contains("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!arguments.isEmpty() && arguments.first() == "--thumbnail") {
        // Run by file managers on every map they list: nothing here touches the registry or a display.
        QCoreApplication application(argc, argv);
        return thumbnailer::MapThumbnailer::Run(arguments.mid(1));
    }
    const bool packing = !arguments.isEmpty() && arguments.first() == "--pack";
    const bool exporting = !arguments.isEmpty() && arguments.first() == "--export-html";
    if (arguments.size() > 1 && !exporting && !packing) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    if (!exporting && !packing)
        return runWindow(argc, argv, arguments.isEmpty() ? std::nullopt : std::optional<QByteArray>(argv[1]));

    // The export and the pack need no display: they run from scripts and over ssh.
    QCoreApplication application(argc, argv);
    com::ApartmentScope apartment;
    // It keeps no settings: a registry file it cannot use only needs saying.
    if (std::string reason; registry::CheckStore(reason) == registry::StoreState::Unusable) {
        std::fprintf(stderr, "pinlore: the settings file \"%s\" cannot be used: %s\n", registry::RegistryPath().c_str(),
                     reason.c_str());
        registry::KeepStoreInMemory();
    }
    if (com::FAILED(EnsureComponentsRegistered(ComponentLibraryPath())))
        return Fail("the component library beside the program could not be registered");
    if (packing) return pack::PackCommand::Run(arguments.mid(1));
    return html_export::ExportCommand::Run(arguments.mid(1), QCoreApplication::applicationDirPath());
}

}  // namespace shell
