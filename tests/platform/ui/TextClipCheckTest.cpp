// The checker that screenshot tests use to find texts a form does not show
// whole: it must find each kind of fault, and none on a sound form.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>
#include <QStringList>
#include <algorithm>

#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/GroupBox.h"
#include "ui/TextClipCheck.h"
#include "ui/TreeView.h"

namespace {

struct TCheckedForm {
    TForm Form{nullptr};

    TCheckedForm() { Form.SetBounds(0, 0, 400, 300); }
    ~TCheckedForm() { Form.Hide(); }

    template <class T> T* Add(const char* Name, TWinControl* Parent, int Left, int Top, int Width, int Height)
    {
        auto* C = new T(&Form);
        C->SetName(Name);
        C->SetParent(Parent);
        C->SetBounds(Left, Top, Width, Height);
        return C;
    }
    std::vector<std::string> Check()
    {
        Form.Show();
        Application->ProcessMessages();
        return TTextClipCheck::Problems(&Form);
    }
};

// Whether exactly one problem names Name.
testing::AssertionResult NamedOnce(const std::vector<std::string>& Problems, const std::string& Name)
{
    const auto N = std::count_if(Problems.begin(), Problems.end(),
                                 [&](const std::string& P) { return P.find(Name) != std::string::npos; });
    if (N == 1)
        return testing::AssertionSuccess();
    std::string All;
    for (const std::string& P : Problems)
        All += "\n  " + P;
    return testing::AssertionFailure() << Name << " named " << N << " times in:" << All;
}

}  // namespace

TEST(TextClipCheck, ASoundFormHasNoProblems)
{
    Application->Initialize();
    TCheckedForm F;
    auto* Label = F.Add<TLabel>("lblName", &F.Form, 10, 10, 0, 0);
    Label->SetText("设备名称");
    auto* Edit = F.Add<TEdit>("leName", &F.Form, 100, 8, 150, 22);
    Edit->SetText("SIM-16SI");
    auto* Combo = F.Add<TComboBox>("cbxRule", &F.Form, 100, 40, 280, 22);
    Combo->Items->Add("32位整数(双寄存器，高16位在前)");
    auto* Check = F.Add<TCheckBox>("ckxOn", &F.Form, 10, 70, 120, 22);
    Check->SetText("使能");
    auto* Group = F.Add<TGroupBox>("grpInterval", &F.Form, 10, 100, 200, 60);
    Group->SetText("记录间隔");
    auto* Tree = F.Add<TTreeView>("tvList", &F.Form, 10, 170, 300, 100);
    Tree->Items->AddChild(Tree->Items->Add(nullptr, "设备1: Press"), "CH1: 压力")->GetParent()->Expand(true);
    const auto Problems = F.Check();
    EXPECT_TRUE(Problems.empty()) << Problems.front();
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        << "the tests need the Chinese font that the program shows its texts in";
}

TEST(TextClipCheck, FindsEveryKindOfCutText)
{
    Application->Initialize();
    TCheckedForm F;
    auto* Narrow = F.Add<TLabel>("lblNarrow", &F.Form, 10, 10, 0, 0);
    Narrow->SetAutoSize(false);
    Narrow->SetBounds(10, 10, 30, 17);
    Narrow->SetText("每个数据文件最大记录");
    auto* Group = F.Add<TGroupBox>("grpMaxRecord", &F.Form, 10, 40, 60, 60);
    Group->SetText("每个数据文件最大记录");
    // Whole in itself, but its parent ends before the text does.
    auto* Unit = F.Add<TLabel>("lblUnit", Group, 40, 24, 0, 0);
    Unit->SetText("条条条");
    auto* Edit = F.Add<TEdit>("leName", &F.Form, 100, 10, 40, 22);
    Edit->SetText("SIM-16SI-0001 long name");
    auto* Combo = F.Add<TComboBox>("cbxRule", &F.Form, 100, 40, 80, 22);
    Combo->Items->Add("16位");
    Combo->Items->Add("32位整数(双寄存器，高16位在前)");
    auto* Check = F.Add<TCheckBox>("ckxAbsolute", &F.Form, 200, 10, 40, 22);
    Check->SetText("触发或报警按绝对值比较");
    auto* Tree = F.Add<TTreeView>("tvList", &F.Form, 10, 170, 100, 100);
    Tree->Items->Add(nullptr, "设备1: SIM-16SI-LONGNAME-0001 KRN-MODEL");
    // Our trees widen their column to the nodes; one held narrow cuts them.
    auto* Header = static_cast<QTreeWidget*>(Tree->Widget())->header();
    Header->setSectionResizeMode(0, QHeaderView::Fixed);
    Header->resizeSection(0, 80);
    const auto Problems = F.Check();
    for (const char* Name : {"lblNarrow", "grpMaxRecord", "lblUnit", "leName", "cbxRule", "ckxAbsolute", "tvList"})
        EXPECT_TRUE(NamedOnce(Problems, Name));
    EXPECT_EQ(Problems.size(), 7u);
}

TEST(TextClipCheck, FindsOverlappingCaptionsAndFields)
{
    Application->Initialize();
    TCheckedForm F;
    auto* Name = F.Add<TLabel>("lblValueName", &F.Form, 4, 3, 0, 0);
    Name->SetText("负三位无修正");
    auto* Unit = F.Add<TLabel>("lblUnit", &F.Form, 40, 3, 0, 0);
    Unit->SetText("kPa");
    auto* Caption = F.Add<TLabel>("lblLevel", &F.Form, 10, 50, 0, 0);
    Caption->SetText("测量量程下限值");
    F.Add<TEdit>("neLevel", &F.Form, 40, 46, 80, 22);
    const auto Problems = F.Check();
    EXPECT_TRUE(NamedOnce(Problems, "\"负三位无修正\" overlaps lblUnit"));
    EXPECT_TRUE(NamedOnce(Problems, "overlaps neLevel"));
    EXPECT_EQ(Problems.size(), 2u);
}

// Fonts leave different room above and below their letters: a line whose
// room is cut but whose letters show whole is sound, whatever font the
// machine picks; letters cut across are not.
TEST(TextClipCheck, JudgesALineByItsInkNotByTheRoomItsFontLeaves)
{
    Application->Initialize();
    TCheckedForm F;
    auto Add = [&](const char* Name, const char* Text, int Top) {
        auto* L = F.Add<TLabel>(Name, &F.Form, 10, Top, 0, 0);
        L->SetAutoSize(false);
        L->SetLayout(tlCenter);
        L->Font->SetHeight(-29);
        L->SetText(Text);
        return L;
    };
    TLabel* Dashes = Add("lblDashes", "-------", 10);
    TLabel* Digits = Add("lblDigits", "8888", 80);
    const QFontMetrics M(Dashes->Widget()->font());
    Dashes->SetBounds(10, 10, M.horizontalAdvance("-------") + 10, M.height() - 2);
    Digits->SetBounds(10, 80, M.horizontalAdvance("8888") + 10, M.tightBoundingRect("8888").height() - 2);
    const auto Problems = F.Check();
    EXPECT_TRUE(NamedOnce(Problems, "lblDigits"));
    EXPECT_EQ(Problems.size(), 1u);
}
