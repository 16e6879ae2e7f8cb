#include "components/interfaces/type_library.h"
#include "platform/registry/registry_key.h"
#include "tests/support/registered_components.h"
#include "tests/support/registry_dump.h"
#include "tests/support/temporary_directory.h"
#include "tests/support/temporary_registry.h"

#include <QProcess>
#include <filesystem>
#include <functional>

using registry::Hive;
using registry::RegistryKey;

namespace {

struct Outcome {
    int exitCode;
    QString out;
    QString err;
};

// Every form that registers the component library and ends by itself: the export, which registers
// before it looks at its arguments (without a display, the window would not end).
const QStringList kRegisterOnly{"--export-html"};

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
    key.Open(Hive::ClassesRoot, "TypeLib\\" + com::FormatGuid(LIBID_Components) + "\\1.0\\409\\win32");
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
    // Without its map and folder the export only shows its usage.
    EXPECT_EQ(RunProgram(kRegisterOnly).exitCode, 1);
    EXPECT_EQ(RegisteredLibrary(), library);
}

void DeleteKey(const std::string& path)
{
    RegistryKey root;
    ASSERT_EQ(root.Open(Hive::ClassesRoot, ""), registry::kSuccess);
    ASSERT_EQ(root.RecursiveDeleteSubKey(path), registry::kSuccess) << path;
}

void SetValue(const std::string& path, const std::string& name, const std::string& value)
{
    RegistryKey key;
    ASSERT_EQ(key.Open(Hive::ClassesRoot, path), registry::kSuccess) << path;
    ASSERT_EQ(key.SetStringValue(name, value), registry::kSuccess);
}

// Whatever is missing or stale in the registration, the next start writes it whole again, and a map
// (which needs the XML property bag's class) opens: the export, given a site folder that exists,
// gets past the opening to the folder's question.
TEST(CommandLine, RepairsAnIncompleteOrStaleRegistrationAtStart)
{
    const std::string appId = "AppID\\" + com::FormatGuid(LIBID_Components);
    const struct {
        const char* damage;
        std::function<void()> apply;
    } cases[] = {
        {"an earlier build's: one class missing, no fingerprint",
         [&] {
             DeleteKey("Components.UndoDeletePictureAction.1");
             DeleteKey("Components.UndoDeletePictureAction");
             DeleteKey("CLSID\\{7B623D6E-BEEF-409E-B921-216FCB8B47AA}");
             RegistryKey key;
             ASSERT_EQ(key.Open(Hive::ClassesRoot, appId), registry::kSuccess);
             ASSERT_EQ(key.DeleteValue("RegistrationFingerprint"), registry::kSuccess);
         }},
        {"the XML property bag's class key deleted", [] { DeleteKey("CLSID\\{F3173107-620D-43BF-83D4-459B2F7C2E6A}"); }},
        {"the XML property bag's class names no module",
         [] { DeleteKey("CLSID\\{F3173107-620D-43BF-83D4-459B2F7C2E6A}\\InprocServer32"); }},
        {"a programmatic identifier deleted", [] { DeleteKey("Components.XMLPropertyBag.1\\CLSID"); }},
        {"another build's fingerprint, an entry gone",
         [&] {
             SetValue(appId, "RegistrationFingerprint", "0123456789abcdef");
             DeleteKey("Interface\\{9074ADFF-7CB4-46D0-A8E8-405C29312482}");
         }},
        {"the type library naming another file",
         [] { SetValue("TypeLib\\" + com::FormatGuid(LIBID_Components) + "\\1.0\\409\\win32", "", "/opt/elsewhere/libComponents.so"); }},
    };
    const QString sample =
        QString::fromStdString((std::filesystem::path(PINLORE_PROGRAM).parent_path() / "tutorial/Pictures/Country.plm").string());
    test_support::TemporaryDirectory sites;
    std::filesystem::create_directory(sites.path() / "Country");
    const QString folder = QString::fromStdString(sites.path().string());
    for (const auto& each : cases) {
        SCOPED_TRACE(each.damage);
        test_support::TemporaryRegistry temporary;
        ASSERT_EQ(RunProgram(kRegisterOnly).exitCode, 1);
        const auto registered = test_support::DumpHive(Hive::ClassesRoot);
        each.apply();
        ASSERT_NE(test_support::DumpHive(Hive::ClassesRoot), registered);

        const Outcome outcome = RunProgram({"--export-html", sample, folder});
        EXPECT_TRUE(outcome.err.contains("already exists")) << outcome.err.toStdString();
        EXPECT_EQ(test_support::DumpHive(Hive::ClassesRoot), registered);
    }
}

// The export keeps no settings: a registry file it cannot use is told, and the export goes on.
TEST(CommandLine, TheExportGoesOnWithARegistryItCannotUse)
{
    test_support::TemporaryDirectory folder;
    const std::filesystem::path registry = folder.path() / "registry";
    std::filesystem::create_directory(registry);
    const QByteArray previous = qgetenv("PINLORE_REGISTRY");
    qputenv("PINLORE_REGISTRY", QByteArray::fromStdString(registry.string()));
    const QString sample =
        QString::fromStdString((std::filesystem::path(PINLORE_PROGRAM).parent_path() / "tutorial/Pictures/Country.plm").string());
    const Outcome outcome = RunProgram({"--export-html", sample, QString::fromStdString(folder.path().string())});
    qputenv("PINLORE_REGISTRY", previous);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.startsWith("pinlore: the settings file \"" + QString::fromStdString(registry.string()) +
                                       "\" cannot be used: It is a folder, not a file.\n"))
        << outcome.err.toStdString();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Country" / "index.html"));
}

}  // namespace
