#include "plot/core/kPlotTranslation.h"

#include <gtest/gtest.h>

#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"

namespace {

// Stands in for the master manager: files pairs in the translation manager
// and records what it was told.
struct TMasterStub {
    TkPlotTranslationManager* Manager = nullptr;
    std::vector<std::string> Log;
    bool FileRemovals = true;

    TkPlotObjectCallback Insert()
    {
        return [this](TObject* item) {
            if (auto* m = dynamic_cast<TkPlotTranslationManager*>(item)) {
                Log.push_back("insert manager");
                Manager = m;
            } else {
                Log.push_back("insert pair");
                Manager->AddObject(item);
            }
        };
    }
    TkPlotObjectCallback Remove()
    {
        return [this](TObject* item) {
            if (dynamic_cast<TkPlotTranslationManager*>(item)) {
                Log.push_back("remove manager");
            } else {
                Log.push_back("remove pair");
                if (FileRemovals)
                    Manager->RemoveItem(item);
            }
        };
    }
};

std::vector<std::string> Originals(const TkPlotTranslationManager& m)
{
    std::vector<std::string> r;
    for (int i = 0; i < m.GetCount(); ++i)
        r.push_back(m.GetItem(i)->GetOriginalString());
    return r;
}

TkPlotTranslationObject* AddPair(TkPlotTranslationManager& m, const std::string& from, const std::string& to)
{
    TkPlotTranslationObject* p = m.Add();
    p->SetOriginalString(from);
    p->SetReplacementString(to);
    return p;
}

TEST(kPlotTranslationTest, CreateNeedsBothHandlers)
{
    TMasterStub master;
    try {
        TkPlotTranslationManager m(nullptr, master.Remove());
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "OnInsert event handler can not be null");
    }
    try {
        TkPlotTranslationManager m(master.Insert(), nullptr);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "OnRemove event handler can not be null");
    }
    EXPECT_TRUE(master.Log.empty());
}

TEST(kPlotTranslationTest, NewPairsEnterAtTheMiddleOfTheList)
{
    TMasterStub master;
    TkPlotTranslationManager m(master.Insert(), master.Remove());
    EXPECT_FALSE(m.HasItems());
    AddPair(m, "A", "a");
    AddPair(m, "B", "b");
    AddPair(m, "C", "c");
    EXPECT_EQ(Originals(m), (std::vector<std::string>{"C", "B", "A"}));
    AddPair(m, "D", "d");
    EXPECT_EQ(Originals(m), (std::vector<std::string>{"C", "D", "B", "A"}));
    AddPair(m, "E", "e");
    EXPECT_EQ(Originals(m), (std::vector<std::string>{"C", "E", "D", "B", "A"}));
    EXPECT_TRUE(m.HasItems());
    // filing the same pair again changes nothing
    m.AddObject(m.GetItem(0));
    EXPECT_EQ(m.GetCount(), 5);
}

TEST(kPlotTranslationTest, TranslateTakesTheFirstExactMatchInListOrder)
{
    TMasterStub master;
    TkPlotTranslationManager m(master.Insert(), master.Remove());
    EXPECT_EQ(m.Translate("Edit..."), "Edit...");
    m.Add();  // a new pair maps "Unknown" to "Unknown"
    EXPECT_EQ(m.Translate("Unknown"), "Unknown");
    AddPair(m, "Edit...", "first");   // list: first, Unknown
    AddPair(m, "Edit...", "second");  // list: second, first, Unknown
    EXPECT_EQ(m.Translate("Edit..."), "second");
    EXPECT_EQ(m.Translate("edit..."), "edit...");
    EXPECT_EQ(m.Translate(""), "");
    AddPair(m, "", "empty");
    EXPECT_EQ(m.Translate(""), "empty");
}

TEST(kPlotTranslationTest, DeleteAndClearFreePairsThroughTheirOwnRemoval)
{
    TMasterStub master;
    {
        TkPlotTranslationManager m(master.Insert(), master.Remove());
        AddPair(m, "A", "a");
        AddPair(m, "B", "b");
        AddPair(m, "C", "c");
        m.Delete(1);
        EXPECT_EQ(Originals(m), (std::vector<std::string>{"C", "A"}));
        EXPECT_THROW(m.Delete(2), EListError);
        EXPECT_THROW(m.GetItem(-1), EListError);
        m.Clear();
        EXPECT_EQ(m.GetCount(), 0);
        AddPair(m, "X", "x");
    }
    std::vector<std::string> expected{"insert manager", "insert pair", "insert pair", "insert pair", "remove pair",
                                      "remove pair",    "remove pair", "insert pair", "remove pair", "remove manager"};
    EXPECT_EQ(master.Log, expected);
}

TEST(kPlotTranslationTest, ClearEndsEvenWhenTheRemovalHandlerKeepsTheEntry)
{
    TMasterStub master;
    master.FileRemovals = false;
    TkPlotTranslationManager m(master.Insert(), master.Remove());
    AddPair(m, "A", "a");
    AddPair(m, "B", "b");
    m.Clear();
    EXPECT_EQ(m.GetCount(), 0);
}

TEST(kPlotTranslationTest, PairsPublishTheirTwoStrings)
{
    TMasterStub master;
    TkPlotTranslationManager m(master.Insert(), master.Remove());
    TkPlotTranslationObject* p = m.Add();
    const TPropList props = TPropertyRegistry::Instance().GetPropList(p);
    ASSERT_EQ(props.size(), 2u);
    EXPECT_EQ(props[0]->Name, "OriginalString");
    EXPECT_EQ(props[1]->Name, "ReplacementString");
    SetStrProp(p, *props[1], "Bearbeiten...");
    EXPECT_EQ(p->GetReplacementString(), "Bearbeiten...");
    EXPECT_EQ(GetStrProp(p, *props[0]), "Unknown");
}

}  // namespace
