#include "plot/editor/kPlotEditorPage.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "plot/editor/kComponentEditorCheckBox.h"
#include "plot/editor/kComponentEditorColorPicker.h"
#include "plot/editor/kComponentEditorComboBox.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorFontPicker.h"
#include "plot/editor/kComponentEditorMemo.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "plot/editor/kComponentEditorRadioGroup.h"
#include "plot/editor/kComponentEditorValueConverterPicker.h"
#include "rtl/PublishedProperties.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/Label.h"
#include "ui/PageControl.h"

namespace {

constexpr int kRowHeight = 26;
constexpr int kMargin = 8;
// Between a caption and its control, and between two columns of rows.
constexpr int kCaptionGap = 8;
constexpr int kColumnGap = 24;
// The narrowest edits and lists.
constexpr int kControlWidth = 130;
constexpr int kPickerWidth = 21;

using T = TkEditorControlType;

const TPropInfo* PropertyOf(const TObject* Object, const TkEditorRow& Row)
{
    return Object ? GetPropInfo(Object, Row.PropertyName()) : nullptr;
}

constexpr int kMemoLines = 4;

int RowHeight(const TkEditorRow& Row)
{
    switch (Row.Type) {
    case T::Radio: return 24 + 18 * static_cast<int>(Row.Items.size());
    case T::Memo: return kRowHeight + 16 * (kMemoLines - 1);
    default: return kRowHeight;
    }
}

bool StartsWithNoCase(const std::string& Text, const std::string& Prefix)
{
    return Text.size() >= Prefix.size() && std::equal(Prefix.begin(), Prefix.end(), Text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

TkPlotEditorPage::TkPlotEditorPage(const TkEditorPageTable& Table, TComponent* Owner, TWinControl* Parent, int Left,
                                   int Top, int Width, int Height, TNamesOf NamesOf, TChanged Changed)
    : FTable(Table),
      FNamesOf(std::move(NamesOf)),
      FChanged(std::move(Changed))
{
    FPageControl = new TkComponentEditorPageControl(Owner);
    FPageControl->SetName((Table.Prefix.empty() ? Table.Caption : Table.Prefix) + "PageControl");
    FPageControl->SetParent(Parent);
    FPageControl->SetBounds(Left, Top, Width, Height);
    Build(Owner, Width, Height);
}

void TkPlotEditorPage::Build(TComponent* Owner, int Width, int Height)
{
    struct TOuter {
        TTabSheet* Sheet;
        int RowsBottom;
        TkComponentEditorPageControl* Nested = nullptr;
    };
    std::map<std::string, TOuter> outers;
    for (const TkEditorSubPage& sub : FTable.SubPages) {
        auto* sheet = new TTabSheet(Owner);
        sheet->SetText(sub.Caption);
        FSheets.push_back(sheet);
        if (sub.Within.empty()) {
            sheet->SetPageControl(FPageControl);
            outers[sub.Caption] = {sheet, BuildRows(Owner, sub.Rows, {sheet}, Height)};
            continue;
        }
        TOuter& outer = outers.at(sub.Within);
        if (!outer.Nested) {
            outer.Nested = new TkComponentEditorPageControl(Owner);
            outer.Nested->SetName(FTable.Prefix + sub.Nest + "PageControl");
            outer.Nested->SetParent(outer.Sheet);
            outer.Nested->SetBounds(4, outer.RowsBottom + 4, Width - 16, Height - outer.RowsBottom - 40);
        }
        sheet->SetPageControl(outer.Nested);
        BuildRows(Owner, sub.Rows, {sheet, outer.Sheet}, Height - outer.RowsBottom - 40);
    }
    // A page control shows no page until one is chosen, and the editor
    // chooses only for those it remembers: every other one opens on its first.
    FPageControl->SetActivePageIndex(0);
    for (auto& [caption, outer] : outers)
        if (outer.Nested)
            outer.Nested->SetActivePageIndex(0);
    Arrange();
}

std::vector<TkPlotEditorPage::TPlace> TkPlotEditorPage::Flow(const std::vector<TkEditorRow>& Rows, int Height)
{
    // Rows fill a column down to the foot of the page, then the next one.
    const int rowsBottom = Height - 40;
    std::vector<TPlace> places;
    int column = 0, y = kMargin;
    for (const TkEditorRow& row : Rows) {
        if (y + RowHeight(row) > rowsBottom && y > kMargin) {
            ++column;
            y = kMargin;
        }
        places.push_back({column, y});
        y += RowHeight(row);
    }
    return places;
}

int TkPlotEditorPage::BuildRows(TComponent* Owner, const std::vector<TkEditorRow>& Rows,
                                const std::vector<TTabSheet*>& Sheets, int Height)
{
    TTabSheet* sheet = Sheets.front();
    FTabs.push_back({&Rows, Height, FBindings.size()});
    for (const TkEditorRow& row : Rows) {
        const std::string name = FTable.Prefix + row.Item + EditorControlSuffix(row.Type);
        TBinding binding{&row, nullptr, nullptr, nullptr, Sheets};
        // Check boxes and radio groups carry their captions themselves.
        if (row.Type != T::Check && row.Type != T::Radio) {
            binding.Caption = new TLabel(Owner);
            binding.Caption->SetParent(sheet);
            binding.Caption->SetText(row.Caption);
        }
        TControl* control = nullptr;
        auto changed = [this](TControl* c) { return [this, c](TObject*) { FChanged(c); }; };
        switch (row.Type) {
        case T::Edit: {
            auto* edit = new TkComponentEditorEdit(Owner);
            edit->OnUpdate = changed(edit);
            control = edit;
            break;
        }
        case T::Memo: {
            auto* memo = new TkComponentEditorMemo(Owner);
            memo->OnUpdate = changed(memo);
            control = memo;
            break;
        }
        case T::Check: {
            auto* box = new TkComponentEditorCheckBox(Owner);
            box->SetCaption(row.Caption);
            box->OnChangeUser = changed(box);
            control = box;
            break;
        }
        case T::Choice:
        case T::Name: {
            auto* combo = new TkComponentEditorComboBox(Owner);
            combo->SetStyle(row.Type == T::Choice ? csDropDownList : csDropDown);
            if (row.Type == T::Choice)
                for (const std::string& item : row.Items)
                    combo->Items->Add(item);
            combo->OnChange = changed(combo);
            control = combo;
            break;
        }
        case T::Radio: {
            auto* group = new TkComponentEditorRadioGroup(Owner);
            group->SetCaption(row.Caption);
            for (const std::string& item : row.Items)
                group->GetItems()->Add(item);
            group->OnChangeUser = changed(group);
            control = group;
            break;
        }
        case T::Color: {
            auto* picker = new TkComponentEditorColorPicker(Owner);
            picker->OnChange = changed(picker);
            control = picker;
            break;
        }
        case T::Font: {
            auto* picker = new TkComponentEditorFontPicker(Owner);
            picker->OnChange = changed(picker);
            control = picker;
            break;
        }
        }
        control->SetName(name);
        control->SetParent(sheet);
        if (row.ConverterPage >= 0) {
            auto* picker = new TkComponentEditorValueConverterPicker(Owner);
            picker->SetName(FTable.Prefix + row.Item + "ValueConverterPicker");
            picker->SetParent(sheet);
            picker->SetAssociate(static_cast<TkComponentEditorEdit*>(control));
            picker->DefaultPage = TkValueConverterPageType(row.ConverterPage);
            binding.Picker = picker;
        }
        binding.Control = control;
        FBindings.push_back(binding);
    }
    const std::vector<TPlace> places = Flow(Rows, Height);
    int bottom = 0;
    for (std::size_t i = 0; i < Rows.size(); ++i)
        bottom = std::max(bottom, places[i].Top + RowHeight(Rows[i]));
    return bottom;
}

void TkPlotEditorPage::Arrange()
{
    for (const TTab& tab : FTabs)
        ArrangeTab(tab);
}

void TkPlotEditorPage::ArrangeTab(const TTab& Tab)
{
    const std::vector<TkEditorRow>& rows = *Tab.Rows;
    const auto bindings = FBindings.begin() + static_cast<std::ptrdiff_t>(Tab.First);
    // One caption column as wide as the tab's longest caption, and one
    // control column as wide as its widest list; a check box or a radio
    // group spans both.
    int captionWidth = 0, controlWidth = kControlWidth, pickerWidth = 0, spanWidth = 0;
    TBitmap measure(1, 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TBinding& binding = bindings[static_cast<std::ptrdiff_t>(i)];
        if (binding.Caption)
            captionWidth = std::max(captionWidth, binding.Caption->GetWidth());
        if (binding.Picker)
            pickerWidth = 2 + kPickerWidth;
        switch (rows[i].Type) {
        case T::Choice:
            controlWidth = std::max(controlWidth,
                                    static_cast<TkComponentEditorComboBox*>(binding.Control)->GetItemsWidth());
            break;
        case T::Check: spanWidth = std::max(spanWidth, binding.Control->GetWidth()); break;
        case T::Radio: {
            // The group draws its caption one letter in from its frame,
            // and its items right of their circles.
            measure.Canvas->Font->Assign(binding.Control->Font);
            const int letter = measure.Canvas->TextWidth("A");
            spanWidth = std::max(spanWidth, measure.Canvas->TextWidth(rows[i].Caption) + 3 * letter);
            for (const std::string& item : rows[i].Items)
                spanWidth = std::max(spanWidth, measure.Canvas->TextWidth(item) + 32);
            break;
        }
        default: break;
        }
    }
    const int columnWidth = std::max(spanWidth, captionWidth + kCaptionGap + controlWidth + pickerWidth);
    const std::vector<TPlace> places = Flow(rows, Tab.Height);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TBinding& binding = bindings[static_cast<std::ptrdiff_t>(i)];
        const TkEditorRow& row = rows[i];
        const int x = kMargin + places[i].Column * (columnWidth + kColumnGap);
        const int y = places[i].Top;
        const int controlLeft = x + captionWidth + kCaptionGap;
        TControl* control = binding.Control;
        if (binding.Caption) {
            binding.Caption->SetLeft(x);
            binding.Caption->SetTop(y + 3);
        }
        switch (row.Type) {
        case T::Check:
            // Sized to its caption; centred on the row.
            control->SetLeft(x);
            control->SetTop(y + (21 - control->GetHeight()) / 2);
            break;
        case T::Radio: control->SetBounds(x, y, columnWidth, RowHeight(row) - 4); break;
        case T::Memo: control->SetBounds(controlLeft, y, controlWidth, RowHeight(row) - 4); break;
        case T::Color: control->SetBounds(controlLeft, y, 47, 21); break;
        case T::Font: control->SetBounds(controlLeft, y, 75, 25); break;
        default: control->SetBounds(controlLeft, y, controlWidth, 21); break;
        }
        if (binding.Picker)
            binding.Picker->SetBounds(controlLeft + controlWidth + 2, y, kPickerWidth, kPickerWidth);
    }
}

bool TkPlotEditorPage::Holds(const TControl* Control) const
{
    return std::any_of(FBindings.begin(), FBindings.end(), [&](const TBinding& b) { return b.Control == Control; });
}

void TkPlotEditorPage::Refill(const TBinding& Binding) const
{
    // Only a name row holds a combo box; every other row's control is
    // another class, which a cast must not be taken to.
    if (Binding.Row->Type == T::Name) {
        auto* combo = static_cast<TkComponentEditorComboBox*>(Binding.Control);
        combo->Items->Clear();
        for (const std::string& source : Binding.Row->Items)
            for (const std::string& name : FNamesOf(source))
                combo->Items->Add(name);
    }
}

void TkPlotEditorPage::LoadControl(const TBinding& Binding, const TObject* Object)
{
    const TPropInfo& info = *PropertyOf(Object, *Binding.Row);
    TControl* control = Binding.Control;
    switch (Binding.Row->Type) {
    case T::Edit: {
        auto* edit = static_cast<TkComponentEditorEdit*>(control);
        if (info.Kind == TTypeKind::tkFloat)
            edit->SetFloat(GetFloatProp(Object, info));
        else if (IsOrdinalKind(info.Kind))
            edit->SetInteger(GetOrdProp(Object, info));
        else
            edit->SetText(GetStrProp(Object, info));
        break;
    }
    case T::Memo: static_cast<TkComponentEditorMemo*>(control)->SetText(GetStrProp(Object, info)); break;
    case T::Check:
        static_cast<TkComponentEditorCheckBox*>(control)->SetCheckedSilently(GetOrdProp(Object, info) != 0);
        break;
    case T::Choice:
        static_cast<TkComponentEditorComboBox*>(control)->SetItemIndexSilently(
            static_cast<int>(GetOrdProp(Object, info)));
        break;
    case T::Name: {
        auto* combo = static_cast<TkComponentEditorComboBox*>(control);
        const std::string name = GetStrProp(Object, info);
        const int index = name.empty() ? -1 : combo->Items->IndexOf(name);
        combo->SetItemIndexSilently(index);
        // A name no object has (yet) stays shown, so what the user is
        // typing survives the reload after each keystroke.
        if (index < 0)
            combo->SetTextSilently(name);
        break;
    }
    case T::Radio:
        static_cast<TkComponentEditorRadioGroup*>(control)->SetItemIndexSilently(
            static_cast<int>(GetOrdProp(Object, info)));
        break;
    case T::Color:
        static_cast<TkComponentEditorColorPicker*>(control)->SetColorValue(TColor(GetOrdProp(Object, info)));
        break;
    case T::Font:
        if (const TObject* font = GetObjectProp(Object, info))
            static_cast<TkComponentEditorFontPicker*>(control)->GetFont()->Assign(
                dynamic_cast<const TPersistent*>(font));
        break;
    }
}

void TkPlotEditorPage::Load(const TObject* Object)
{
    std::vector<TTabSheet*> shown;
    for (const TBinding& binding : FBindings) {
        const bool has = PropertyOf(Object, *binding.Row) != nullptr;
        binding.Control->SetVisible(has || !Object);
        if (binding.Caption)
            binding.Caption->SetVisible(has || !Object);
        if (has || !Object)
            shown.insert(shown.end(), binding.Sheets.begin(), binding.Sheets.end());
        if (!has)
            continue;
        Refill(binding);
        LoadControl(binding, Object);
    }
    for (TTabSheet* sheet : FSheets)
        sheet->SetTabVisible(std::find(shown.begin(), shown.end(), sheet) != shown.end());
}

void TkPlotEditorPage::Write(TObject* Object, TControl* Control) const
{
    const auto binding = std::find_if(FBindings.begin(), FBindings.end(),
                                      [&](const TBinding& b) { return b.Control == Control; });
    const TPropInfo* info = binding == FBindings.end() ? nullptr : PropertyOf(Object, *binding->Row);
    if (!info)
        return;
    switch (binding->Row->Type) {
    case T::Edit: {
        auto* edit = static_cast<TkComponentEditorEdit*>(Control);
        if (info->Kind == TTypeKind::tkFloat)
            SetFloatProp(Object, *info, edit->GetFloat());
        else if (IsOrdinalKind(info->Kind))
            SetOrdProp(Object, *info, edit->GetInteger());
        else
            SetStrProp(Object, *info, edit->GetText());
        break;
    }
    case T::Memo: SetStrProp(Object, *info, static_cast<TkComponentEditorMemo*>(Control)->GetText()); break;
    case T::Check:
        SetOrdProp(Object, *info, static_cast<TkComponentEditorCheckBox*>(Control)->GetChecked() ? 1 : 0);
        break;
    case T::Choice:
    case T::Radio: {
        const int index = binding->Row->Type == T::Choice
                              ? static_cast<TkComponentEditorComboBox*>(Control)->GetItemIndex()
                              : static_cast<TkComponentEditorRadioGroup*>(Control)->GetItemIndex();
        if (index >= 0)
            SetOrdProp(Object, *info, index);
        break;
    }
    case T::Name: SetStrProp(Object, *info, static_cast<TkComponentEditorComboBox*>(Control)->GetText()); break;
    case T::Color:
        SetOrdProp(Object, *info, static_cast<TkComponentEditorColorPicker*>(Control)->GetColorValue());
        break;
    case T::Font:
        if (auto* font = dynamic_cast<TPersistent*>(GetObjectProp(Object, *info)))
            font->Assign(static_cast<TkComponentEditorFontPicker*>(Control)->GetFont());
        break;
    }
}

void EnableEditorControls(TComponent* Form, const std::string& Prefix, bool Enabled)
{
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(Form->Components(i));
        if (!control || dynamic_cast<TPageControl*>(control) || dynamic_cast<TTabSheet*>(control) ||
            dynamic_cast<TLabel*>(control) || !StartsWithNoCase(control->GetName(), Prefix))
            continue;
        control->SetEnabled(Enabled);
    }
}

void CopyPublishedValue(TObject* Object, const std::string& From, const std::string& To)
{
    const TPropInfo* from = GetPropInfo(Object, From);
    const TPropInfo* to = GetPropInfo(Object, To);
    if (!from || !to)
        return;
    if (from->Kind == TTypeKind::tkFloat)
        SetFloatProp(Object, *to, GetFloatProp(Object, *from));
    else if (IsOrdinalKind(from->Kind))
        SetOrdProp(Object, *to, GetOrdProp(Object, *from));
    else
        SetStrProp(Object, *to, GetStrProp(Object, *from));
}
