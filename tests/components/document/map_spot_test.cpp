#include "components/interfaces/class_ids.h"
#include "components/interfaces/map_spot.h"
#include "platform/com/persist.h"
#include "platform/com/runtime.h"
#include "tests/support/document_model.h"
#include "tests/support/registered_components.h"

using namespace com;
using namespace test_support;

namespace {

class MapSpot : public ComponentTest {};

TEST_F(MapSpot, LinksToAMapAndKeepsNullApartFromEmpty)
{
    auto spot = MakeMapSpot(nullptr, {0, 0, 10, 10});
    EXPECT_EQ(LinkOf(spot), std::nullopt);
    Bstr path(u"/maps/city.plm");
    BSTR value = path.get();
    ASSERT_EQ(spot->SetFileName(&value), S_OK);
    path = Bstr(u"changed by the caller");
    EXPECT_EQ(LinkOf(spot), u"/maps/city.plm");
    Bstr empty(u"");
    value = empty.get();
    spot->SetFileName(&value);
    EXPECT_EQ(LinkOf(spot), u"");
    value = nullptr;
    spot->SetFileName(&value);
    EXPECT_EQ(LinkOf(spot), std::nullopt);

    EXPECT_EQ(spot->GetFileName(nullptr), S_OK);
    EXPECT_EQ(spot->SetFileName(nullptr), E_POINTER);
}

TEST_F(MapSpot, SharesTheBaseSpotBehaviour)
{
    auto spot = BaseOf(MakeMapSpot(nullptr, {0, 0, 10, 10}).get());
    tagRECT bounds{-5, -5, 5, 5};
    spot->SetBounds(&bounds);
    EXPECT_EQ(BoundsOf(spot.get()), bounds);
    VARIANT_BOOL inside = VARIANT_FALSE;
    spot->PointInSpot(-5, 4, &inside);
    EXPECT_EQ(inside, VARIANT_TRUE);
    spot->PointInSpot(5, 0, &inside);
    EXPECT_EQ(inside, VARIANT_FALSE);
    EXPECT_EQ(spot->SetBounds(nullptr), E_POINTER);
}

TEST_F(MapSpot, IsCreatableByProgrammaticIdentifier)
{
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(u"Components.MapSpot", &classId), S_OK);
    EXPECT_EQ(classId, CLSID_PLMapSpot);
    auto spot = CreateInstance<IMapSpot>(classId);
    EXPECT_TRUE(spot.tryAs<IBaseSpot>());
    EXPECT_TRUE(spot.tryAs<IPersistPropertyBag>());
    EXPECT_FALSE(spot.tryAs<IPhotoSpot>());
}

}  // namespace
