#include "components/interfaces/type_library.h"
#include "platform/registry/registry_key.h"
#include "tests/support/registered_components.h"
#include "tests/support/temporary_registry.h"

#include <QProcess>
#include <filesystem>

using registry::Hive;
using registry::RegistryKey;

namespace {

struct Outcome {
    int exitCode;
    QString out;
    QString err;
};

Outcome RunProgram(const QStringList& arguments)
{
    QProcess process;
    process.start(PINLORE_PROGRAM, arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pinlore_is1";

std::string RegisteredLibrary()
{
    RegistryKey key;
    std::string path;
    key.Open(Hive::ClassesRoot, "TypeLib\\" + com::FormatGuid(LIBID_Components) + "\\1.0\\0\\win32");
    key.QueryStringValue("", path);
    return path;
}

TEST(CommandLine, SbdWritesTheInstallerValuesAndNothingElse)
{
    test_support::TemporaryRegistry temporary;
    const Outcome outcome = RunProgram({"/sbd"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.isEmpty());

    RegistryKey key;
    ASSERT_EQ(key.Open(Hive::LocalMachine, kUninstallKey), registry::kSuccess);
    std::vector<std::string> values;
    ASSERT_EQ(key.EnumValues(values), registry::kSuccess);
    EXPECT_EQ(values, (std::vector<std::string>{"NoModify", "NoRepair"}));
    for (const auto& name : values) {
        registry::ValueType type{};
        std::vector<std::uint8_t> bytes;
        ASSERT_EQ(key.QueryValue(name, type, bytes), registry::kSuccess);
        EXPECT_EQ(type, registry::ValueType::Dword);
        EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    }
    EXPECT_TRUE(RegisteredLibrary().empty()) << "/sbd does nothing but the installer values";
}

TEST(CommandLine, SbdCountsOnlyWhenItIsTheWholeLine)
{
    test_support::TemporaryRegistry temporary;
    // A single "/SBD" would open the window; with a second argument it is refused like "/sbd extra".
    for (const QStringList& arguments : {QStringList{"/SBD", "extra"}, QStringList{"/sbd", "extra"}}) {
        RunProgram(arguments);
        RegistryKey key;
        EXPECT_EQ(key.Open(Hive::LocalMachine, kUninstallKey), registry::kFileNotFound) << arguments.join(' ').toStdString();
    }
}

TEST(CommandLine, HelpPrintsTheUsage)
{
    test_support::TemporaryRegistry temporary;
    const Outcome outcome = RunProgram({"--help"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.startsWith("Usage: pinlore")) << outcome.out.toStdString();
}

TEST(CommandLine, RegistersTheLibraryBesideItAtStart)
{
    test_support::TemporaryRegistry temporary;
    const std::string library =
        std::filesystem::canonical(std::filesystem::path(PINLORE_PROGRAM).parent_path() / "libComponents.so").string();

    // The export registers before it looks at its arguments; without them it only shows its usage.
    EXPECT_EQ(RunProgram({"--export-html"}).exitCode, 1);
    EXPECT_EQ(RegisteredLibrary(), library);

    // A registration that names another file (an older installation) is replaced.
    RegistryKey key;
    ASSERT_EQ(key.Open(Hive::ClassesRoot, "TypeLib\\" + com::FormatGuid(LIBID_Components) + "\\1.0\\0\\win32"),
              registry::kSuccess);
    ASSERT_EQ(key.SetStringValue("", "/opt/elsewhere/libComponents.so"), registry::kSuccess);
    // The export registers before it looks at its arguments; without them it only shows its usage.
    EXPECT_EQ(RunProgram({"--export-html"}).exitCode, 1);
    EXPECT_EQ(RegisteredLibrary(), library);
}

}  // namespace
