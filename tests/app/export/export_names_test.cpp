#include "app/export/export_names.h"

#include <gtest/gtest.h>

using html_export::ExportNames;

TEST(ExportNames, DisplayNameDropsAFourCharacterExtension)
{
    EXPECT_EQ(ExportNames::DisplayName("/maps/France.plm"), "France");
    EXPECT_EQ(ExportNames::DisplayName("/maps/notes"), "notes");
    EXPECT_EQ(ExportNames::DisplayName("/maps/archive.tar.gz"), "archive.tar.gz");
    EXPECT_EQ(ExportNames::DisplayName("/maps/.plm"), "");
    EXPECT_EQ(ExportNames::DisplayName("a.b"), "a.b");
}

TEST(ExportNames, NamesShorterThanTheirCutBecomeEmpty)
{
    EXPECT_EQ(ExportNames::WithoutLastFour("Paris.plm"), "Paris");
    EXPECT_EQ(ExportNames::WithoutLastFour("abcd"), "");
    EXPECT_EQ(ExportNames::WithoutLastFour("ab"), "");
    EXPECT_EQ(ExportNames::WithoutLastFour(""), "");
}

TEST(ExportNames, LinkedMapNamesStayAsGivenAndPathsGiveTheirDisplayName)
{
    EXPECT_EQ(ExportNames::MapName("Paris"), "Paris");
    EXPECT_EQ(ExportNames::MapName("old.map"), "old.map");
    EXPECT_EQ(ExportNames::MapName("/home/me/France.plm"), "France");
}

TEST(ExportNames, SoundCopiesKeepTheWholeExtensionOfTheirName)
{
    EXPECT_EQ(ExportNames::SoundFileName(1, "/music/song.mp3"), "spot1_sound.mp3");
    EXPECT_EQ(ExportNames::SoundFileName(2, "/music/bells.flac"), "spot2_sound.flac");
    EXPECT_EQ(ExportNames::SoundFileName(2, "/music/bells"), "spot2_sound");
    EXPECT_EQ(ExportNames::SoundFileName(0, "/music.d/.hidden"), "spot0_sound");
    EXPECT_EQ(ExportNames::SoundFileName(0, ""), "spot0_sound");
}
