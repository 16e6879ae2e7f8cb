#pragma once

#include "components/document/property_values.h"
#include "components/document/story_text.h"
#include "components/interfaces/base_spot.h"
#include "components/interfaces/document.h"
#include "components/interfaces/spot_story.h"
#include "platform/com/implements.h"
#include "platform/com/persist.h"
#include "platform/com/weak_reference.h"

// What photo and map spots share: bounds, hit test, selection, the visited mark, the title and text
// of their story, the owning document and the way changes reach it, and the bounds and story keys
// of their persistence. `Spot` is the
// kind's own interface (the default one); `Derived` names its class identifier as kClassId.
//
// The document is held weakly. The document holds its spots, and the spots must outlive their
// removal from it (undo puts the very same object back), so a strong back reference would keep
// every document alive through its own spots.
template <class Derived, class Spot>
class SpotImplementation : public com::Implements<Derived, Spot, IBaseSpot, ISpotStory, com::IPersistPropertyBag> {
public:
    com::HRESULT PointInSpot(com::LONG in_x, com::LONG in_y, com::VARIANT_BOOL* outResult) noexcept override
    {
        if (!outResult) return com::E_POINTER;
        const bool inside = bounds_.left <= in_x && in_x < bounds_.right && bounds_.top <= in_y && in_y < bounds_.bottom;
        *outResult = inside ? com::VARIANT_TRUE : com::VARIANT_FALSE;
        return com::S_OK;
    }
    com::HRESULT GetSelected(com::VARIANT_BOOL* pVal) noexcept override
    {
        if (!pVal) return com::E_POINTER;
        *pVal = selected_;
        return com::S_OK;
    }
    // Any 16-bit value is kept as given: callers compare with what they stored.
    com::HRESULT SetSelected(com::VARIANT_BOOL newVal) noexcept override
    {
        selected_ = newVal;
        notify(kSpotSelectionChanged);
        return com::S_OK;
    }
    com::HRESULT GetBounds(tagRECT* pVal) noexcept override
    {
        if (!pVal) return com::E_POINTER;
        *pVal = bounds_;
        return com::S_OK;
    }
    // Listeners repaint the old area on kSpotMoving and the new one on kSpotMoved.
    com::HRESULT SetBounds(tagRECT* newVal) noexcept override
    {
        if (!newVal) return com::E_POINTER;
        const tagRECT bounds = *newVal;
        notify(kSpotMoving);
        bounds_ = bounds;
        notify(kSpotMoved);
        return com::S_OK;
    }
    com::HRESULT WasVisited(com::VARIANT_BOOL* outVisited) noexcept override
    {
        if (!outVisited) return com::E_POINTER;
        *outVisited = visited_ ? com::VARIANT_TRUE : com::VARIANT_FALSE;
        return com::S_OK;
    }
    // Only VARIANT_TRUE itself marks the spot visited; other non-zero values clear the mark.
    com::HRESULT SetVisited(com::VARIANT_BOOL inVisited) noexcept override
    {
        visited_ = inVisited == com::VARIANT_TRUE;
        notify(kSpotVisitedChanged);
        return com::S_OK;
    }
    com::HRESULT SetDocument(com::IUnknown* inDocument) noexcept override
    {
        document_.reset(inDocument);
        return com::S_OK;
    }

    com::HRESULT GetTitle(com::BSTR* outTitle) noexcept override { return copyOut(title_, outTitle); }
    com::HRESULT SetTitle(com::BSTR inTitle) noexcept override { return setStory(title_, inTitle); }
    com::HRESULT GetText(com::BSTR* outText) noexcept override { return copyOut(text_, outText); }
    com::HRESULT SetText(com::BSTR inText) noexcept override { return setStory(text_, inText); }

    com::HRESULT GetClassID(com::CLSID* classId) noexcept override
    {
        if (!classId) return com::E_POINTER;
        *classId = Derived::kClassId;
        return com::S_OK;
    }
    com::HRESULT InitNew() noexcept override { return com::S_OK; }

protected:
    SpotImplementation() = default;
    ~SpotImplementation() override = default;

    // The common part of both kinds' InitSpot.
    com::HRESULT initSpot(const tagRECT* inBounds, com::IUnknown* inDocument)
    {
        if (!inBounds) return com::E_POINTER;
        bounds_ = *inBounds;
        document_.reset(inDocument);
        notify(kSpotCreated);
        return com::S_OK;
    }

    // Tells the document, if the spot has one that still lives; a spot without one changes silently.
    void notify(DocumentChange change)
    {
        if (const com::ComPtr<IDocument> document = document_.lock())
            document->ChangeNotification(this->identity(), change);
    }

    void saveBounds(com::IPropertyBag& bag) const
    {
        document::WriteLong(bag, u"BoundsTopKey", bounds_.top);
        document::WriteLong(bag, u"BoundsLeftKey", bounds_.left);
        document::WriteLong(bag, u"BoundsBottomKey", bounds_.bottom);
        document::WriteLong(bag, u"BoundsRightKey", bounds_.right);
    }

    // Written after the kind's own keys, and only when there are words: a spot without a story is
    // stored exactly as spots always were.
    void saveStory(com::IPropertyBag& bag) const
    {
        saveWords(bag, u"TitleKey", title_);
        saveWords(bag, u"TextKey", text_);
    }

    void loadStory(com::IPropertyBag& bag, com::IErrorLog* errorLog)
    {
        loadWords(bag, u"TitleKey", errorLog, title_);
        loadWords(bag, u"TextKey", errorLog, text_);
    }

    static void saveWords(com::IPropertyBag& bag, const std::u16string& key, const com::Bstr& words)
    {
        if (words.length() > 0) document::WriteString(bag, key, words.get());
    }

    // Words read are cleaned as typed ones are: a file written elsewhere may hold what XML cannot.
    static void loadWords(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog, com::Bstr& words)
    {
        if (std::optional<com::Bstr> stored = document::ReadString(bag, key, errorLog))
            words = document::StoryText(stored->get());
    }

    static com::HRESULT copyOut(const com::Bstr& words, com::BSTR* out)
    {
        if (!out) return com::E_POINTER;
        *out = nullptr;
        return com::Guarded([&] {
            *out = document::StoryText(words.get()).detach();
            return com::S_OK;
        });
    }

    // Set directly, without notifications; a missing edge keeps its value.
    void loadBounds(com::IPropertyBag& bag, com::IErrorLog* errorLog)
    {
        loadEdge(bag, u"BoundsTopKey", errorLog, bounds_.top);
        loadEdge(bag, u"BoundsLeftKey", errorLog, bounds_.left);
        loadEdge(bag, u"BoundsBottomKey", errorLog, bounds_.bottom);
        loadEdge(bag, u"BoundsRightKey", errorLog, bounds_.right);
    }

private:
    com::HRESULT setStory(com::Bstr& words, com::BSTR newWords)
    {
        return com::Guarded([&] {
            words = document::StoryText(newWords);
            notify(kSpotStoryChanged);
            return com::S_OK;
        });
    }

    static void loadEdge(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog, com::LONG& edge)
    {
        if (const std::optional<com::LONG> value = document::ReadLong(bag, key, errorLog)) edge = *value;
    }

    tagRECT bounds_{0, 0, 0, 0};
    com::VARIANT_BOOL selected_ = com::VARIANT_FALSE;
    bool visited_ = false;
    com::WeakPtr<IDocument> document_;
    com::Bstr title_;
    com::Bstr text_;
};
