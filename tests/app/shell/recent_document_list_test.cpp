#include "app/shell/command_ids.h"
#include "app/shell/recent_document_list.h"
#include "platform/registry/registry_key.h"
#include "tests/support/temporary_registry.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using registry::Hive;
using registry::RegistryKey;
using shell::RecentDocumentList;

namespace {

constexpr char kListKey[] = "Software\\Quillmere\\Pinlore\\Prefs\\Recent Document List";

class RecentDocumentListTest : public ::testing::Test {
protected:
    RegistryKey listKey()
    {
        RegistryKey key;
        EXPECT_EQ(key.Create(Hive::CurrentUser, kListKey), registry::kSuccess);
        return key;
    }
    std::vector<std::string> storedValues()
    {
        std::vector<std::string> names;
        listKey().EnumValues(names);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string stored(const std::string& name)
    {
        std::string value;
        listKey().QueryStringValue(name, value);
        return value;
    }
    QStringList menuTexts()
    {
        QStringList texts;
        for (QAction* action : menu_.actions()) texts.append(action->text());
        return texts;
    }

    test_support::TemporaryRegistry registry_;
    QMenu menu_;
    RecentDocumentList list_{&menu_};
};

TEST_F(RecentDocumentListTest, AnEmptyListShowsOneGreyedItem)
{
    ASSERT_EQ(menu_.actions().size(), 1);
    QAction* empty = menu_.actions().first();
    EXPECT_EQ(empty->text(), "(empty)");
    EXPECT_FALSE(empty->isEnabled());
    EXPECT_EQ(empty->data().toInt(), shell::command::kFirstRecentFile);
}

TEST_F(RecentDocumentListTest, TheNewestComesFirstInTheMenuAndTheRegistry)
{
    list_.add("/trips/Italy.plm");
    list_.add("/trips/R&D.plm");
    list_.writeToRegistry();

    EXPECT_EQ(menuTexts(), (QStringList{"&1 /trips/R&&D.plm", "&2 /trips/Italy.plm"}));
    EXPECT_EQ(menu_.actions()[1]->data().toInt(), shell::command::kFirstRecentFile + 1);
    std::uint32_t count = 0;
    EXPECT_EQ(listKey().QueryDwordValue("DocumentCount", count), registry::kSuccess);
    EXPECT_EQ(count, 12u);
    EXPECT_EQ(stored("Document1"), "/trips/R&D.plm");
    EXPECT_EQ(stored("Document2"), "/trips/Italy.plm");
}

TEST_F(RecentDocumentListTest, AnEntryMovesToTheTopAndOneInAnotherLetterCaseIsAnotherFile)
{
    list_.add("/trips/italy.plm");
    list_.add("/trips/Spain.plm");
    list_.add("/trips/ITALY.plm");
    list_.add("/trips/Spain.plm");
    EXPECT_EQ(list_.entries(), (QStringList{"/trips/Spain.plm", "/trips/ITALY.plm", "/trips/italy.plm"}));
}

TEST_F(RecentDocumentListTest, AThirteenthFileDropsTheOldestAndItsStaleValuesGo)
{
    // A list of 14 written by a run with a larger maximum, then the default maximum of 12.
    list_.setMaxSize(16);
    for (int i = 1; i <= 14; ++i) list_.add(QStringLiteral("/maps/%1.plm").arg(i));
    list_.writeToRegistry();
    RecentDocumentList reread(nullptr);
    reread.setMaxSize(12);
    for (int i = 1; i <= 13; ++i) reread.add(QStringLiteral("/maps/%1.plm").arg(i));
    reread.writeToRegistry();

    EXPECT_EQ(reread.entries().size(), 12);
    EXPECT_EQ(reread.entries().first(), "/maps/13.plm");
    EXPECT_EQ(reread.entries().last(), "/maps/2.plm");
    std::vector<std::string> expected{"DocumentCount"};
    for (int i = 1; i <= 12; ++i) expected.push_back("Document" + std::to_string(i));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(storedValues(), expected);
}

TEST_F(RecentDocumentListTest, ReadingClampsTheMaximumAndTakesStringsOnly)
{
    struct Case {
        const char* what;
        std::optional<std::uint32_t> count;  // nothing: stored as a string
        int maximum;
        QStringList entries;
    };
    const Case cases[] = {
        {"40 reads as 16", 40, 16, {"/a.plm", "/b.plm"}},
        {"1 reads as 2", 1, 2, {"/a.plm", "/b.plm"}},
        {"a count stored as a string", std::nullopt, 12, {}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        RegistryKey key = listKey();
        if (each.count)
            key.SetDwordValue("DocumentCount", *each.count);
        else
            key.SetStringValue("DocumentCount", "12");
        key.SetStringValue("Document1", "/a.plm");
        key.SetStringValue("Document2", "/b.plm");
        key.SetDwordValue("Document3", 7);  // not a string: skipped
        RecentDocumentList list(nullptr);
        list.readFromRegistry();
        EXPECT_EQ(list.maxSize(), each.maximum);
        EXPECT_EQ(list.entries(), each.entries);
        key.Close();
        RegistryKey prefs;
        prefs.Open(Hive::CurrentUser, "Software\\Quillmere\\Pinlore\\Prefs");
        prefs.RecursiveDeleteSubKey("Recent Document List");
    }
}

TEST_F(RecentDocumentListTest, LongPathsAreKeptWhole)
{
    const QString deep = "/" + QString("very long folder name/").repeated(20) + "Zürich.plm";
    ASSERT_GT(deep.toUtf8().size(), 260);
    list_.add(deep);
    list_.writeToRegistry();
    RecentDocumentList reread(nullptr);
    reread.readFromRegistry();
    EXPECT_EQ(reread.entries(), QStringList{deep});
}

}  // namespace
