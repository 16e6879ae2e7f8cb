#include "components/interfaces/photo_spot.h"
#include "platform/com/event_source.h"
#include "tests/support/document_listener.h"
#include "tests/support/document_model.h"
#include "tests/support/registered_components.h"

#include <limits>

using namespace com;
using namespace test_support;

namespace {

using Pictures = std::vector<std::u16string>;

class PhotoSpot : public ComponentTest {
protected:
    // A spot without a document holding A, B, C at the given index.
    ComPtr<IPhotoSpot> ThreePictures(LONG index)
    {
        auto spot = MakePhotoSpot(nullptr, {0, 0, 10, 10});
        for (auto name : {u"A", u"B", u"C"}) AddPhoto(spot, name);
        spot->SetIndex(index);
        return spot;
    }
    static std::u16string Current(const ComPtr<IPhotoSpot>& spot)
    {
        Bstr path;
        EXPECT_EQ(spot->CurrentImage(path.put()), S_OK);
        return std::u16string(path.view());
    }
};

TEST_F(PhotoSpot, HitTestExcludesTheRightAndBottomEdges)
{
    auto spot = BaseOf(MakePhotoSpot(nullptr, {10, 20, 30, 40}).get());
    VARIANT_BOOL inside = VARIANT_FALSE;
    spot->PointInSpot(10, 20, &inside);
    EXPECT_EQ(inside, VARIANT_TRUE);
    spot->PointInSpot(29, 39, &inside);
    EXPECT_EQ(inside, VARIANT_TRUE);
    spot->PointInSpot(30, 25, &inside);
    EXPECT_EQ(inside, VARIANT_FALSE);
    spot->PointInSpot(15, 40, &inside);
    EXPECT_EQ(inside, VARIANT_FALSE);
    spot->PointInSpot(9, 25, &inside);
    EXPECT_EQ(inside, VARIANT_FALSE);
}

TEST_F(PhotoSpot, KeepsTheSelectionValueAsGivenButOnlyTrueMarksItVisited)
{
    auto spot = BaseOf(MakePhotoSpot(nullptr, {0, 0, 1, 1}).get());
    VARIANT_BOOL value = 0;
    spot->GetSelected(&value);
    EXPECT_EQ(value, VARIANT_FALSE);
    spot->SetSelected(1);
    spot->GetSelected(&value);
    EXPECT_EQ(value, 1);

    spot->SetVisited(VARIANT_TRUE);
    spot->WasVisited(&value);
    EXPECT_EQ(value, VARIANT_TRUE);
    spot->SetVisited(1);
    spot->WasVisited(&value);
    EXPECT_EQ(value, VARIANT_FALSE) << "1 is not VARIANT_TRUE";
}

TEST_F(PhotoSpot, WrapsAroundInBothDirections)
{
    auto spot = ThreePictures(2);
    spot->NextImage();
    EXPECT_EQ(IndexOf(spot), 0);
    spot->PreviousImage();
    EXPECT_EQ(IndexOf(spot), 2);
    EXPECT_EQ(Current(spot), u"C");
}

TEST_F(PhotoSpot, RemovingMakesThePreviousPictureCurrent)
{
    auto first = ThreePictures(0);
    first->RemoveCurrentImage();
    EXPECT_EQ(PicturesOf(first), (Pictures{u"B", u"C"}));
    EXPECT_EQ(IndexOf(first), 0);

    auto last = ThreePictures(2);
    last->RemoveCurrentImage();
    EXPECT_EQ(PicturesOf(last), (Pictures{u"A", u"B"}));
    EXPECT_EQ(IndexOf(last), 1);
}

TEST_F(PhotoSpot, InsertedPictureBecomesCurrent)
{
    auto spot = ThreePictures(1);
    Bstr name(u"X");
    BSTR value = name.get();
    spot->InsertPhoto(&value);
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"A", u"X", u"B", u"C"}));
    EXPECT_EQ(IndexOf(spot), 1);
    EXPECT_EQ(Current(spot), u"X");
}

TEST_F(PhotoSpot, WithoutPicturesNothingIsReadOrRemoved)
{
    auto document = MakeDocument();
    auto spot = MakePhotoSpot(document.get(), {0, 0, 1, 1});
    auto listener = Make<DocumentListener>();
    EventConnection<_IDocumentEvents> connection(document.get(), listener->identity());

    EXPECT_EQ(spot->RemoveCurrentImage(), S_OK);
    EXPECT_TRUE(listener->flags().empty()) << "removing from an empty list sends nothing";

    spot->SetIndex(5);
    spot->PreviousImage();
    EXPECT_EQ(IndexOf(spot), 0);
    spot->SetIndex(5);
    spot->NextImage();
    EXPECT_EQ(IndexOf(spot), 0) << "no division by zero: the index goes to 0";
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{14, 14, 14, 14}));

    Bstr path(u"stale");
    EXPECT_EQ(spot->CurrentImage(path.put()), S_OK);
    EXPECT_TRUE(path.isNull());
    EXPECT_EQ(spot->CurrentImage(nullptr), S_OK);
}

TEST_F(PhotoSpot, AnIndexOutsideTheListIsNeverReadThrough)
{
    auto spot = ThreePictures(7);
    Bstr path(u"stale");
    EXPECT_EQ(spot->CurrentImage(path.put()), S_OK);
    EXPECT_TRUE(path.isNull());
    EXPECT_EQ(spot->RemoveCurrentImage(), E_INVALIDARG);
    Bstr name(u"X");
    BSTR value = name.get();
    EXPECT_EQ(spot->InsertPhoto(&value), E_INVALIDARG);
    spot->SetIndex(-4);
    EXPECT_EQ(spot->InsertPhoto(&value), E_INVALIDARG);
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"A", u"B", u"C"}));

    spot->SetIndex(3);  // one past the end: insert appends
    EXPECT_EQ(spot->InsertPhoto(&value), S_OK);
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"A", u"B", u"C", u"X"}));
}

// From an index outside the list, NextImage lands in the list at (index + 1) modulo the count, and
// PreviousImage goes down by one, wrapping only at 0 (and at the smallest 32-bit index).
TEST_F(PhotoSpot, StepsFromAnIndexOutsideTheListByTheWrapArithmetic)
{
    constexpr LONG kMin = std::numeric_limits<LONG>::min();
    constexpr LONG kMax = std::numeric_limits<LONG>::max();
    const struct {
        LONG index, next, previous;
    } cases[] = {{3, 1, 2}, {7, 2, 6}, {-1, 0, -2}, {-4, 0, -5}, {-5, 2, -6}, {kMax, 2, kMax - 1}, {kMin, 2, kMax}};
    auto spot = ThreePictures(0);
    for (const auto& each : cases) {
        spot->SetIndex(each.index);
        spot->NextImage();
        EXPECT_EQ(IndexOf(spot), each.next) << "next from " << each.index;
        spot->SetIndex(each.index);
        spot->PreviousImage();
        EXPECT_EQ(IndexOf(spot), each.previous) << "previous from " << each.index;
    }
}

TEST_F(PhotoSpot, KeepsNullNamesApartFromEmptyOnes)
{
    auto spot = MakePhotoSpot(nullptr, {0, 0, 1, 1});
    EXPECT_EQ(AudioOf(spot), std::nullopt);
    Bstr empty(u"");
    BSTR value = empty.get();
    spot->SetAudioFile(&value);
    EXPECT_EQ(AudioOf(spot), u"");
    value = nullptr;
    spot->SetAudioFile(&value);
    EXPECT_EQ(AudioOf(spot), std::nullopt);
    EXPECT_EQ(spot->GetAudioFile(nullptr), S_OK);

    spot->AddPhoto(&value);
    Bstr path(u"stale");
    spot->CurrentImage(path.put());
    EXPECT_TRUE(path.isNull()) << "a null entry gives null";

    EXPECT_EQ(spot->AddPhoto(nullptr), E_POINTER);
    EXPECT_EQ(spot->InsertPhoto(nullptr), E_POINTER);
    EXPECT_EQ(spot->SetAudioFile(nullptr), E_POINTER);
    EXPECT_EQ(spot->InitSpot(nullptr, nullptr), E_POINTER);
}

}  // namespace
