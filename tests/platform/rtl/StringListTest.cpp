#include "rtl/StringList.h"

#include "rtl/Exception.h"

#include "TempDirSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Items(const TStrings& L)
{
    std::vector<std::string> R;
    for (int I = 0; I < L.Count(); ++I)
        R.push_back(L[I]);
    return R;
}

using V = std::vector<std::string>;

}  // namespace

TEST(StringList, BasicEditingAndObjects)
{
    TStringList L;
    TObject A, B;
    EXPECT_EQ(L.Add("one"), 0);
    EXPECT_EQ(L.AddObject("two", &A), 1);
    L.Insert(0, "zero");
    L.InsertObject(3, "three", &B);
    EXPECT_EQ(Items(L), (V{"zero", "one", "two", "three"}));
    EXPECT_EQ(L.Objects(2), &A);
    EXPECT_EQ(L.IndexOfObject(&B), 3);
    L.Put(1, "ONE");
    EXPECT_EQ(L.Strings(1), "ONE");
    L.Delete(0);
    EXPECT_EQ(Items(L), (V{"ONE", "two", "three"}));
    EXPECT_EQ(L.Objects(1), &A);
    L.Move(2, 0);
    EXPECT_EQ(Items(L), (V{"three", "ONE", "two"}));
    EXPECT_EQ(L.Objects(0), &B);
    L.Exchange(0, 2);
    EXPECT_EQ(Items(L), (V{"two", "ONE", "three"}));
    EXPECT_EQ(L.Objects(0), &A);
    EXPECT_EQ(L.IndexOf("one"), 1);  // ignoring case
    EXPECT_EQ(L.IndexOf("four"), -1);
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf("one"), -1);
    L.Clear();
    EXPECT_EQ(L.Count(), 0);
}

TEST(StringList, BadIndexesRaise)
{
    TStringList L;
    L.Add("a");
    EXPECT_THROW(L.Get(1), EListError);
    EXPECT_THROW(L.Delete(-1), EListError);
    EXPECT_THROW(L.Insert(3, "x"), EListError);
    try {
        L.Get(5);
        FAIL() << "no exception";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message, "List index out of bounds (5)");
    }
}

TEST(StringList, SortedListsHonourDuplicates)
{
    TStringList L;
    L.SetSorted(true);
    for (const char* S : {"pear", "Apple", "fig", "apple"})
        L.Add(S);
    // dupIgnore: "apple" matches "Apple" ignoring case and is dropped.
    EXPECT_EQ(Items(L), (V{"Apple", "fig", "pear"}));
    EXPECT_EQ(L.Add("FIG"), 1);
    EXPECT_EQ(L.Count(), 3);
    int Index = -1;
    EXPECT_TRUE(L.Find("PEAR", Index));
    EXPECT_EQ(Index, 2);
    EXPECT_FALSE(L.Find("grape", Index));
    EXPECT_EQ(Index, 2);
    EXPECT_THROW(L.Insert(0, "x"), EListError);
    EXPECT_THROW(L.Put(0, "x"), EListError);

    L.Duplicates = TDuplicates::dupError;
    try {
        L.Add("pear");
        FAIL() << "no exception";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message, "String list does not allow duplicates");
    }
    EXPECT_EQ(L.Count(), 3);

    L.Duplicates = TDuplicates::dupAccept;
    L.Add("fig");
    L.Add("banana");
    EXPECT_EQ(Items(L), (V{"Apple", "banana", "fig", "fig", "pear"}));
    EXPECT_TRUE(L.Find("fig", Index));
    EXPECT_EQ(Index, 2);  // the first of equal strings
}

TEST(StringList, SortIsStableAndCustomSortUsesIndexes)
{
    TStringList L;
    for (const char* S : {"b", "B", "a", "c", "A"})
        L.Add(S);
    L.Sort();
    EXPECT_EQ(Items(L), (V{"a", "A", "b", "B", "c"}));
    L.SetCaseSensitive(true);
    L.Sort();
    EXPECT_EQ(Items(L), (V{"A", "B", "a", "b", "c"}));

    TStringList Devices;
    for (const char* S : {"device2", "Device10", "DEVICE1"})
        Devices.Add(S);
    Devices.CustomSort([](TStringList* List, int A, int B) {
        return std::stoi(List->Get(A).substr(6)) - std::stoi(List->Get(B).substr(6));
    });
    EXPECT_EQ(Items(Devices), (V{"DEVICE1", "device2", "Device10"}));
    // A comparison that is no ordering at all still terminates and keeps every item.
    int Calls = 0;
    Devices.CustomSort([&](TStringList*, int, int) { return (++Calls % 3) - 1; });
    EXPECT_EQ(Devices.Count(), 3);
    EXPECT_EQ(Devices.IndexOf("device2") >= 0 && Devices.IndexOf("DEVICE1") >= 0, true);
}

TEST(StringList, NamesAndValues)
{
    TStringList L;
    L.SetText("DeviceName=数字显示控制仪\r\nChannelCount=4\r\nnote\r\nExpr=a=b\r\n");
    EXPECT_EQ(L.Names(0), "DeviceName");
    EXPECT_EQ(L.Names(2), "");
    EXPECT_EQ(L.Values("channelcount"), "4");
    EXPECT_EQ(L.Values("Expr"), "a=b");
    EXPECT_EQ(L.Values("missing"), "");
    EXPECT_EQ(L.ValueFromIndex(0), "数字显示控制仪");
    EXPECT_EQ(L.IndexOfName("EXPR"), 3);
    L.SetValue("ChannelCount", "8");
    L.SetValue("ValueRule", "1");
    L.SetValue("Expr", "");
    EXPECT_EQ(Items(L), (V{"DeviceName=数字显示控制仪", "ChannelCount=8", "note", "ValueRule=1"}));
    L.SetValueFromIndex(3, "2");
    EXPECT_EQ(L[3], "ValueRule=2");
}

TEST(StringList, TextSplitsOnAnyLineEnd)
{
    TStringList L;
    L.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(Items(L), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(L.Text(), "a\r\nb\r\nc\r\nd\r\n");
    L.SetText("x\r\n\r\ny\n");
    EXPECT_EQ(Items(L), (V{"x", "", "y"}));
    L.SetText("");
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(L.Text(), "");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt)
{
    TStringList L;
    for (const char* S : {"plain", "with space", "a,b", "say \"hi\"", "", "中文"})
        L.Add(S);
    EXPECT_EQ(L.CommaText(), "plain,\"with space\",\"a,b\",\"say \"\"hi\"\"\",,中文");
    TStringList R;
    R.SetCommaText(L.CommaText());
    EXPECT_EQ(Items(R), Items(L));
    // Unquoted blanks separate items too, and a trailing comma adds an empty item.
    R.SetCommaText(" a b ,\"c d\" , e,");
    EXPECT_EQ(Items(R), (V{"a", "b", "c d", "e", ""}));
    R.SetCommaText("\"\"");
    EXPECT_EQ(Items(R), (V{""}));
    EXPECT_EQ(R.CommaText(), "\"\"");
    R.SetCommaText(std::string("a,\0b", 4));
    EXPECT_EQ(Items(R), (V{"a", ""}));
    R.SetCommaText("\"unterminated");
    EXPECT_EQ(Items(R), (V{"unterminated"}));
}

TEST(StringList, DelimitedTextUsesTheChosenCharacters)
{
    TStringList L;
    L.Delimiter = ';';
    L.QuoteChar = '\'';
    L.SetDelimitedText("x;'y;z';'it''s'");
    EXPECT_EQ(Items(L), (V{"x", "y;z", "it's"}));
    EXPECT_EQ(L.DelimitedText(), "x;'y;z';'it''s'");
    EXPECT_EQ(L.CommaText(), "x,y;z,it's");
    EXPECT_EQ(L.Delimiter, ';');
}

TEST(StringList, ChangeEventsFireOncePerChangeOrUpdate)
{
    TStringList L;
    int Changes = 0, Changings = 0;
    L.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &L);
        ++Changes;
    };
    L.OnChanging = [&](TObject*) { ++Changings; };
    L.Add("a");
    L.Add("b");
    L.Delete(0);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Changings, 3);
    L.BeginUpdate();
    L.Add("c");
    L.Add("d");
    EXPECT_EQ(Changes, 3);
    L.EndUpdate();
    EXPECT_EQ(Changes, 4);
    L.SetCommaText("x,y,z");
    EXPECT_EQ(Changes, 5);
    // An exception inside a bracketed operation still closes the bracket.
    L.SetSorted(true);
    L.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(L.SetCommaText("q,q"), EListError);
    EXPECT_EQ(L.UpdateCount(), 0);
}

TEST(StringList, AssignCopiesStringsAndObjects)
{
    TStringList A, B;
    TObject O;
    A.AddObject("k=v", &O);
    A.Add("z");
    B.Add("old");
    B.Assign(&A);
    EXPECT_TRUE(B.Equals(A));
    EXPECT_EQ(B.Objects(0), &O);
    TPersistent Other;
    EXPECT_THROW(B.Assign(&Other), EConvertError);
}

TEST(StringList, FilesAreGbkWithCrlf)
{
    TempDir T;
    TStringList L;
    L.Add("通道1,kg");
    L.Add("second");
    L.SaveToFile(T.File("list.txt"));
    EXPECT_EQ(ReadRaw(T.File("list.txt")),
              "\xCD\xA8\xB5\xC0"
              "1,kg\r\nsecond\r\n");

    WriteRaw(T.File("in.txt"), "\xD6\xD0\xCE\xC4\nb\r\nc");
    TStringList R;
    R.Add("dropped");
    R.LoadFromFile(T.File("in.txt"));
    EXPECT_EQ(Items(R), (V{"中文", "b", "c"}));
    EXPECT_THROW(R.LoadFromFile(T.File("missing.txt")), EInOutError);
    EXPECT_EQ(Items(R), (V{"中文", "b", "c"}));
}
