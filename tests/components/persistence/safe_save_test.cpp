#include "tests/components/persistence/bag_test_fixture.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace com;
using persistence_test::BagTest;

namespace {

class SafeSave : public BagTest {
protected:
    void SetUp() override
    {
        BagTest::SetUp();
        document_ = newProbe();
        document_->Add(u"Pictures", Variant::FromString(std::u16string(4096, u'p')), VT_EMPTY);
        target_ = file("map.plm");
        writeFile(target_, kOldContents);
    }

    HRESULT save(const std::filesystem::path& path, IUnknown* object)
    {
        return bag_->SaveToFile(Bstr::FromUtf8(path.string()).get(), object);
    }

    std::size_t filesInFolder() const
    {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(target_.parent_path())) ++count;
        return count;
    }

    static constexpr const char* kOldContents = "<Object clsid=\"{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}\"/>";
    ComPtr<IPropertyProbe> document_;
    std::filesystem::path target_;
};

// A root whose own Save fails half-way.
class FailingRoot final : public Implements<FailingRoot, IPersistPropertyBag> {
public:
    HRESULT GetClassID(CLSID* classId) noexcept override
    {
        *classId = CLSID_PropertyProbe;
        return S_OK;
    }
    HRESULT InitNew() noexcept override { return S_OK; }
    HRESULT Load(IPropertyBag*, IErrorLog*) noexcept override { return S_OK; }
    HRESULT Save(IPropertyBag* bag, int, int) noexcept override
    {
        Variant value(1);
        bag->Write(u"Written", &value);
        return STG_E_MEDIUMFULL;
    }
};

TEST_F(SafeSave, ReplacesTheFileKeepingItsPermissionsAndLeavesNothingBehind)
{
    ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
    ASSERT_EQ(save(target_, document_.get()), S_OK);
    EXPECT_NE(readFile(target_).find("<Pictures vt=\"8\">pppp"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(target_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SafeSave, ARootThatFailsToSaveLeavesTheOldFile)
{
    EXPECT_EQ(save(target_, Make<FailingRoot>()->identity()), STG_E_MEDIUMFULL);
    EXPECT_EQ(readFile(target_), kOldContents);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SafeSave, AFullDiskLeavesTheOldFile)
{
    // The file size limit holds for every user, root included: writes past it fail as on a full disk.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const HRESULT hr = save(target_, document_.get());
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(hr, STG_E_MEDIUMFULL);
    EXPECT_EQ(readFile(target_), kOldContents);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SafeSave, ADestinationThatIsAFolderStaysAsItWas)
{
    const auto folder = file("folder.plm");
    std::filesystem::create_directory(folder);
    writeFile(folder / "inside", "kept");
    EXPECT_TRUE(FAILED(save(folder, document_.get())));
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(readFile(folder / "inside"), "kept");
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(SafeSave, AFolderThatIsMissingOrAFileFails)
{
    EXPECT_EQ(save(file("missing") / "map.plm", document_.get()), STG_E_FILENOTFOUND);
    EXPECT_FALSE(std::filesystem::exists(file("missing")));
    EXPECT_EQ(save(target_ / "map.plm", document_.get()), STG_E_FILENOTFOUND);
    EXPECT_EQ(readFile(target_), kOldContents);
    EXPECT_EQ(bag_->SaveToFile(nullptr, document_.get()), E_INVALIDARG);
}

TEST_F(SafeSave, FollowsASymbolicLinkInsteadOfReplacingIt)
{
    const auto link = file("link.plm");
    std::filesystem::create_symlink(target_, link);
    ASSERT_EQ(save(link, document_.get()), S_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(readFile(target_).find("<Pictures"), std::string::npos);
}

}  // namespace
