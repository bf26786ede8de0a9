#include "plot/editor/kPlotEditorForm.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "plot/channels/kPlotChannelCustom.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotKind.h"
#include "plot/core/kPlotKindManager.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorListBox.h"
#include "plot/editor/kComponentEditorOpenPicker.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "plot/editor/kComponentEditorSavePicker.h"
#include "plot/editor/kComponentEditorValueConverterPicker.h"
#include "plot/editor/kPlotEditorPage.h"
#include "plot/editor/kPlotLayoutViewer.h"
#include "rtl/PublishedProperties.h"
#include "rtl/NumberFormat.h"
#include "ui/Font.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"

namespace {

constexpr int kFormWidth = 940;
constexpr int kFormHeight = 600;
constexpr int kListWidth = 150;

// The channel statistics shown on the Stats page, in order: the name of
// each display and the caption beside it.
struct TStat {
    const char* Name;
    const char* Caption;
};
const std::array<TStat, 11> kStats{{{"PointCount", "Point Count"},
                                    {"PointCapacity", "Point Capacity"},
                                    {"Memory", "Memory"},
                                    {"DataPointSize", "Data Point Size"},
                                    {"MaxDataPoints", "Max Data Points"},
                                    {"XMin", "X Min"},
                                    {"XMax", "X Max"},
                                    {"XMean", "X Mean"},
                                    {"YMin", "Y Min"},
                                    {"YMax", "Y Max"},
                                    {"YMean", "Y Mean"}}};

// The page controls whose active pages the host keeps between openings,
// in the host's order; those this form lacks are skipped.
const std::array<const char*, 14> kRememberedPageControls{"PageControl",
                                                          "ControlPageControl",
                                                          "ChannelPageControl",
                                                          "XAxisPageControl",
                                                          "XAxisLabelsPageControl",
                                                          "YAxisPageControl",
                                                          "YAxisLabelsPageControl",
                                                          "DataCursorPageControl",
                                                          "LimitPageControl",
                                                          "LabelPageControl",
                                                          "LegendPageControl",
                                                          "TablePageControl",
                                                          "DataViewPageControl",
                                                          "DataViewGridLinesCustomPageControl"};

TTabSheet* NewSheet(TComponent* Owner, TPageControl* Pages, const std::string& Name, const std::string& Caption)
{
    auto* sheet = new TTabSheet(Owner);
    sheet->SetName(Name);
    sheet->SetPageControl(Pages);
    sheet->SetText(Caption);
    return sheet;
}

TTabSheet* SheetCaptioned(TPageControl* Pages, const std::string& Caption)
{
    for (int i = 0; i < Pages->PageCount(); ++i)
        if (Pages->Pages(i)->GetText() == Caption)
            return Pages->Pages(i);
    return nullptr;
}

template <class C>
C* Place(C* Control, const std::string& Name, TWinControl* Parent, int Left, int Top, int Width, int Height)
{
    Control->SetName(Name);
    Control->SetParent(Parent);
    Control->SetBounds(Left, Top, Width, Height);
    return Control;
}

TkComponentEditorButton* NewButton(TComponent* Owner, const std::string& Name, const std::string& Caption,
                                   TWinControl* Parent, int Left, int Top)
{
    auto* button = Place(new TkComponentEditorButton(Owner), Name, Parent, Left, Top, 75, 25);
    button->SetText(Caption);
    return button;
}

// Names the row of file buttons to the right of it: each row is an Open
// and a Save button, which alone do not say what file they handle.
void CaptionRows(TComponent* Owner, TWinControl* Parent, std::initializer_list<std::pair<const char*, int>> Rows)
{
    for (const auto& [text, top] : Rows) {
        auto* caption = new TLabel(Owner);
        caption->SetParent(Parent);
        caption->SetText(text);
        caption->SetLeft(340);
        caption->SetTop(top + 4);
    }
}

}  // namespace

TkPlotEditorForm::TkPlotEditorForm(TkPlotEditorHost& Host)
    : TkCustomEditorForm(nullptr),
      FHost(Host),
      FMaster(Host.Master()),
      FPlot(dynamic_cast<TkPlotComponent*>(Host.Master().GetOwner()))
{
    FLoading = true;
    SetName("PlotEditorForm");
    SetText("Plot Editor");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, kFormWidth, kFormHeight);
    FPageControl = Place(new TkComponentEditorPageControl(this), "PageControl", this, 0, 0, kFormWidth, kFormHeight);
    BuildControlPage(NewSheet(this, FPageControl, "ControlTabSheet", "Control"));
    BuildLayoutPage(NewSheet(this, FPageControl, "LayoutTabSheet", "Layout"));
    for (const TkEditorPageTable& table : KindPageTables())
        BuildKindPage(table);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* picker = dynamic_cast<TkComponentEditorValueConverterPicker*>(Components(i)))
            picker->TranslationMethod = [this](TForm* Form) { FMaster.TranslateControl(Form); };
    RestorePages();
    // A stay-on-top editor shows what changed on the plot meanwhile.
    OnActivate = [this](TObject*) {
        if (GetFormStyle() == fsStayOnTop)
            ReloadAll();
    };
    OnClose = [this](TObject*, TCloseAction&) {
        FClosed = true;
        StorePages();
        FHost.EditorClosed();
    };
    FLoading = false;
    ReloadAll();
    ResetStats();
    FMaster.TranslateControl(this);
    // Translated captions take their own widths.
    FControlPage->Arrange();
    for (auto& page : FKindPages)
        page->Page->Arrange();
    for (const char* kind : {"XAxis", "YAxis"})
        for (const char* part : {"Cursor", "Legend"}) {
            auto* button = static_cast<TControl*>(FindComponent(std::string(kind) + part + "CopyDefaultButton"));
            button->SetWidth(std::max(75, button->GetTextWidth(button->GetText()) + 16));
        }
}

TkPlotEditorForm::~TkPlotEditorForm()
{
    if (FPlot && FPlot->OnAfterCloseEditor)
        FPlot->OnAfterCloseEditor(this);
}

void TkPlotEditorForm::BuildControlPage(TTabSheet* Sheet)
{
    FControlPage = std::make_unique<TkPlotEditorPage>(
        ControlPageTable(), this, Sheet, 4, 4, kFormWidth - 16, kFormHeight - 60,
        [this](const std::string& Source) { return NamesOf(Source); },
        [this](TControl* Control) { ControlPageChanged(Control); });
    TTabSheet* files = SheetCaptioned(FControlPage->PageControl(), "File I/O");
    auto* open = Place(new TkComponentEditorOpenPicker(this), "ControlPropertiesOpenPicker", files, 460, 8, 75, 25);
    open->Filter = "Config (*.cfg)|*.cfg";
    open->DefaultExt = "cfg";
    open->FileMustExist = true;
    open->OnChange = [this, open](TObject*) {
        FPlot->LoadPropertiesFromFile(open->FileName);
        ReloadAll();
    };
    auto* save = Place(new TkComponentEditorSavePicker(this), "ControlPropertiesSavePicker", files, 540, 8, 75, 25);
    save->Filter = open->Filter;
    save->DefaultExt = "cfg";
    save->OnChange = [this, save](TObject*) { FPlot->SavePropertiesToFile(save->FileName); };
    BuildControlFiles(files);
    CaptionRows(this, files,
                {{"Properties", 8}, {"Data", 40}, {"Annotations", 72}, {"Log File", 104}, {"Logging", 136}});
}

void TkPlotEditorForm::BuildControlFiles(TTabSheet* Files)
{
    auto* dataSave = Place(new TkComponentEditorSavePicker(this), "ControlDataSavePicker", Files, 460, 40, 75, 25);
    dataSave->Filter = "Data (*.dat)|*.dat";
    dataSave->DefaultExt = "dat";
    dataSave->OnChange = [this, dataSave](TObject*) { FPlot->SaveData(dataSave->FileName); };
    auto* dataOpen = Place(new TkComponentEditorOpenPicker(this), "ControlDataOpenPicker", Files, 540, 40, 75, 25);
    dataOpen->Filter = "Data (*.dat)|*.dat|Log (*.log)|*.log";
    dataOpen->DefaultExt = "dat";
    dataOpen->OnChange = [this, dataOpen](TObject*) {
        // The points on show are cleared only for a file that will take
        // their place.
        FPlot->CheckDataFile(dataOpen->FileName);
        FPlot->ClearAllData();
        FPlot->LoadDataFromFile(dataOpen->FileName);
        // Clearing stops a running log.
        LoadControlPage();
    };
    auto* notesSave = Place(new TkComponentEditorSavePicker(this), "ControlAnnotationSavePicker", Files, 460, 72, 75,
                            25);
    notesSave->Filter = "Annotations (*.ano)|*.ano";
    notesSave->DefaultExt = "ano";
    notesSave->OnChange = [this, notesSave](TObject*) { FPlot->SaveAnnotationsToFile(notesSave->FileName); };
    auto* notesOpen = Place(new TkComponentEditorOpenPicker(this), "ControlAnnotationOpenPicker", Files, 540, 72, 75,
                            25);
    notesOpen->Filter = notesSave->Filter;
    notesOpen->DefaultExt = "ano";
    notesOpen->OnChange = [this, notesOpen](TObject*) { FPlot->LoadAnnotationsFromFile(notesOpen->FileName); };
    auto* logName = Place(new TkComponentEditorOpenPicker(this), "ControlLogFileNamePicker", Files, 460, 104, 75, 25);
    logName->Filter = "Log (*.log)|*.log";
    logName->DefaultExt = "log";
    logName->OnChange = [this, logName](TObject*) {
        auto* edit = static_cast<TkComponentEditorEdit*>(FindComponent("ControlLogFileNameEdit"));
        edit->SetText(logName->FileName);
        ControlPageChanged(edit);
    };
    NewButton(this, "ControlLogActivateButton", "Activate", Files, 460, 136)->OnClick = [this](TObject*) {
        FPlot->LogActivate(false);
        LoadControlPage();
    };
    NewButton(this, "ControlLogDeactivateButton", "Deactivate", Files, 540, 136)->OnClick = [this](TObject*) {
        FPlot->LogDeactivate();
        LoadControlPage();
    };
}

void TkPlotEditorForm::BuildLayoutPage(TTabSheet* Sheet)
{
    FLayoutViewer = Place(new TkPlotLayoutViewer(this), "LayoutViewer", Sheet, 8, 8, kFormWidth - 32, kFormHeight - 80);
    FLayoutViewer->SetLayoutManager(FMaster.LayoutManager());
    FLayoutViewer->SetTranslationManager(FMaster.TranslationManager());
    FLayoutViewer->OnChange = [this](TObject*) { ReloadAll(); };
    FLayoutViewer->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int X, int Y) {
        FLayoutSelection = FLayoutViewer->ObjectAt(TPoint(X, Y));
    };
    BuildLayoutMenu();
}

void TkPlotEditorForm::BuildLayoutMenu()
{
    FLayoutMenu = new TPopupMenu(this);
    FLayoutMenu->SetName("LayoutPopupMenu");
    auto add = [this](const std::string& Caption, TNotifyEvent OnClick) {
        FLayoutMenu->Items->Add(NewMenuItem(FLayoutMenu, Caption, std::move(OnClick)));
    };
    add("XY-Axes Reverse", [this](TObject*) { FPlot->SetXYAxesReverse(!FPlot->GetXYAxesReverse()); });
    add("-", nullptr);
    add("Add X-Axis", [this](TObject*) { FMaster.AddXAxis(); });
    add("Add Y-Axis", [this](TObject*) { FMaster.AddYAxis(); });
    add("Add Label", [this](TObject*) { FMaster.AddLabel(); });
    add("-", nullptr);
    add("Delete", [this](TObject*) {
        if (FLayoutSelection)
            TkPlotObject::Free(FLayoutSelection);
        ReloadAll();
    });
    add("Visible", [this](TObject*) {
        if (FLayoutSelection)
            FLayoutSelection->SetVisible(!FLayoutSelection->GetVisible());
        ReloadAll();
    });
    add("Edit", [this](TObject*) {
        if (FLayoutSelection)
            SelectObject(FLayoutSelection);
    });
    FLayoutMenu->OnPopup = [this](TObject*) { LayoutMenuPopup(); };
    FLayoutViewer->SetPopupMenu(FLayoutMenu);
}

void TkPlotEditorForm::LayoutMenuPopup()
{
    TMenuItem* items = FLayoutMenu->Items;
    items->Find("XY-Axes Reverse")->SetChecked(FPlot && FPlot->GetXYAxesReverse());
    TMenuItem* remove = items->Find("Delete");
    TMenuItem* visible = items->Find("Visible");
    TMenuItem* edit = items->Find("Edit");
    remove->SetEnabled(false);
    visible->SetEnabled(false);
    visible->SetChecked(false);
    edit->SetEnabled(false);
    if (!FLayoutSelection)
        return;
    const std::string& kind = FLayoutSelection->Kind().Name;
    // The title is label 0, which the plot keeps.
    const bool title = kind == "Label" && FMaster.LabelManager()->IndexOf(FLayoutSelection) == 0;
    remove->SetEnabled((kind == "XAxis" || kind == "YAxis" || kind == "Table" || kind == "Label") && !title);
    visible->SetEnabled(kind != "DataView");
    visible->SetChecked(FLayoutSelection->GetVisible());
    edit->SetEnabled(true);
}

void TkPlotEditorForm::BuildKindPage(const TkEditorPageTable& Table)
{
    auto page = std::make_unique<TKindPage>();
    TKindPage& p = *page;
    p.Table = &Table;
    p.Sheet = NewSheet(this, FPageControl, Table.Prefix + "TabSheet", Table.Caption);
    p.List = Place(new TkComponentEditorListBox(this), Table.Prefix + "ListBox", p.Sheet, 8, 8, kListWidth,
                   kFormHeight - 110);
    // The toolbar, legend and data view pages edit their first object only.
    const bool listed = !Table.AddButton.empty();
    p.List->SetVisible(listed);
    p.List->OnGetData = [](TObject* Sender, int Index, bool& ShowColor, std::string& Text, TColor& Color) {
        auto* object = static_cast<TkPlotObject*>(
            static_cast<TkComponentEditorListBox*>(Sender)->GetItems()->Objects(Index));
        Text = object->GetName();
        TPropLocation color = FindPropertyByPath(object, "Color");
        if (!color)
            color = FindPropertyByPath(object, "LabelsFont.Color");
        ShowColor = static_cast<bool>(color);
        if (color)
            Color = TColor(GetOrdProp(color.Instance, *color.Info));
    };
    p.List->OnClick = [this, &p](TObject*) {
        LoadPage(p);
        if (&p == PageOfKind("Channel"))
            ResetStats();
    };
    if (listed) {
        NewButton(this, Table.AddButton, "Add", p.Sheet, 8, kFormHeight - 96)->OnClick = [this, &p](TObject*) {
            AddObject(p);
        };
        NewButton(this, Table.Prefix + "RemoveButton", "Remove", p.Sheet, 83, kFormHeight - 96)->OnClick =
            [this, &p](TObject*) { RemoveSelected(p); };
    }
    const int left = listed ? kListWidth + 16 : 4;
    p.Page = std::make_unique<TkPlotEditorPage>(
        Table, this, p.Sheet, left, 4, kFormWidth - left - 12, kFormHeight - 60,
        [this](const std::string& Source) { return NamesOf(Source); },
        [this, &p](TControl* Control) { Changed(p, Control); });
    if (TkPlotKindManager* manager = FMaster.KindManager(Table.Kind))
        for (int i = 0; i < manager->GetCount(); ++i)
            p.List->GetItems()->AddObject(manager->GetObject(i)->GetName(), manager->GetObject(i));
    p.List->SetItemIndex(0);
    if (Table.Kind == "Channel") {
        BuildChannelFiles(p);
        BuildChannelStats(p);
    }
    if (Table.Kind == "XAxis" || Table.Kind == "YAxis")
        BuildCopyDefaultButtons(p);
    FKindPages.push_back(std::move(page));
}

void TkPlotEditorForm::BuildCopyDefaultButtons(TKindPage& Page)
{
    for (const std::string part : {"Cursor", "Legend"}) {
        auto* labels = static_cast<TPageControl*>(FindComponent(Page.Table->Prefix + "LabelsPageControl"));
        TTabSheet* sheet = SheetCaptioned(labels, part);
        NewButton(this, Page.Table->Prefix + part + "CopyDefaultButton", "Copy Default", sheet, 460, 8)
            ->OnClick = [this, &Page, part](TObject*) {
            TkPlotObject* axis = Selected(Page);
            if (!axis)
                return;
            for (const char* item : {"FormatStyle", "PrecisionStyle", "Precision", "MinLength", "MinLengthAutoAdjust"})
                CopyPublishedValue(axis, std::string("Labels") + item, part + item);
            CopyPublishedValue(axis, "DateTimeFormat", part + "DateTimeFormat");
            ReloadAll();
        };
    }
}

void TkPlotEditorForm::BuildChannelFiles(TKindPage& Page)
{
    TTabSheet* files = SheetCaptioned(Page.Page->PageControl(), "File I/O");
    CaptionRows(this, files, {{"Log File", 8}, {"Logging", 40}, {"Data", 80}, {"Properties", 120}});
    auto* logName = Place(new TkComponentEditorOpenPicker(this), "ChannelLogFileNamePicker", files, 460, 8, 75, 25);
    logName->Filter = "Log (*.log)|*.log";
    logName->DefaultExt = "log";
    logName->OnChange = [this, logName](TObject*) {
        auto* edit = static_cast<TkComponentEditorEdit*>(FindComponent("ChannelLogFileNameEdit"));
        edit->SetText(logName->FileName);
        Changed(*PageOfKind("Channel"), edit);
    };
    NewButton(this, "ChannelLogActivateButton", "Activate", files, 460, 40)->OnClick = [this](TObject*) {
        if (TkPlotChannelCustom* channel = SelectedChannel())
            channel->LogActivate(false);
        LoadPage(*PageOfKind("Channel"));
    };
    NewButton(this, "ChannelLogDeactivateButton", "Deactivate", files, 540, 40)->OnClick = [this](TObject*) {
        if (TkPlotChannelCustom* channel = SelectedChannel())
            channel->LogDeactivate();
        LoadPage(*PageOfKind("Channel"));
    };
    auto* saveProperties = Place(new TkComponentEditorSavePicker(this), "ChannelPropertiesSavePicker", files, 460, 120,
                                 75, 25);
    saveProperties->Filter = "Config (*.cfg)|*.cfg";
    saveProperties->DefaultExt = "cfg";
    saveProperties->OnChange = [this, saveProperties](TObject*) {
        if (TkPlotChannelCustom* channel = SelectedChannel())
            channel->SavePropertiesToFile(saveProperties->FileName);
    };
    auto* openProperties = Place(new TkComponentEditorOpenPicker(this), "ChannelPropertiesOpenPicker", files, 540, 120,
                                 75, 25);
    openProperties->Filter = saveProperties->Filter;
    openProperties->DefaultExt = "cfg";
    openProperties->FileMustExist = true;
    openProperties->OnChange = [this, openProperties](TObject*) {
        if (TkPlotChannelCustom* channel = SelectedChannel())
            channel->LoadPropertiesFromFile(openProperties->FileName);
        // The list shows the loaded colour, the page the loaded values.
        LoadPage(*PageOfKind("Channel"));
    };
    auto* save = Place(new TkComponentEditorSavePicker(this), "ChannelDataSavePicker", files, 460, 80, 75, 25);
    save->Filter = "Data (*.dat)|*.dat";
    save->DefaultExt = "dat";
    save->OnChange = [this, save](TObject*) {
        if (TkPlotChannelCustom* channel = SelectedChannel())
            channel->SaveDataToFile(save->FileName);
    };
    auto* open = Place(new TkComponentEditorOpenPicker(this), "ChannelDataOpenPicker", files, 540, 80, 75, 25);
    open->Filter = save->Filter;
    open->DefaultExt = "dat";
    open->FileMustExist = true;
    open->OnChange = [this, open](TObject*) {
        if (TkPlotChannelCustom* channel = SelectedChannel())
            channel->LoadDataFromFile(open->FileName, true);
        LoadPage(*PageOfKind("Channel"));
    };
}

void TkPlotEditorForm::BuildChannelStats(TKindPage& Page)
{
    auto* sheet = new TTabSheet(this);
    sheet->SetName("ChannelStatsTabSheet");
    sheet->SetPageControl(Page.Page->PageControl());
    sheet->SetText("Stats");
    int top = 8;
    for (const TStat& stat : kStats) {
        auto* caption = new TLabel(this);
        caption->SetParent(sheet);
        caption->SetText(stat.Caption);
        caption->SetLeft(8);
        caption->SetTop(top);
        auto* display = new TLabel(this);
        display->SetName(std::string("ChannelStats") + stat.Name + "Display");
        display->SetParent(sheet);
        display->SetBounds(150, top, 200, 17);
        top += 22;
    }
    NewButton(this, "ChannelStatsRefreshButton", "Refresh", sheet, 8, top + 8)->OnClick = [this](TObject*) {
        RefreshStats();
    };
}

void TkPlotEditorForm::ResetStats()
{
    const std::string text = SelectedChannel() ? "Click Refresh" : "";
    for (const TStat& stat : kStats)
        static_cast<TControl*>(FindComponent(std::string("ChannelStats") + stat.Name + "Display"))->SetText(text);
}

void TkPlotEditorForm::RefreshStats()
{
    TkPlotChannelCustom* channel = SelectedChannel();
    if (!channel)
        return;
    channel->CalcStats();
    auto text = [](TkPlotChannelAxis* Axis, double Value) {
        return Axis ? Axis->GetLabelText(Value) : FloatToStr(Value);
    };
    const std::array<std::string, 11> values{std::to_string(channel->GetCount()),
                                             std::to_string(channel->GetPointCapacity()),
                                             std::to_string(channel->GetMemoryUsed()) + " Bytes",
                                             std::to_string(channel->GetDataPointSize()) + " Bytes",
                                             std::to_string(channel->GetMaxDataPoints()),
                                             text(channel->GetXAxis(), channel->GetXMin()),
                                             text(channel->GetXAxis(), channel->GetXMax()),
                                             text(channel->GetXAxis(), channel->GetXMean()),
                                             text(channel->GetYAxis(), channel->GetYMin()),
                                             text(channel->GetYAxis(), channel->GetYMax()),
                                             text(channel->GetYAxis(), channel->GetYMean())};
    for (std::size_t i = 0; i < kStats.size(); ++i)
        static_cast<TControl*>(FindComponent(std::string("ChannelStats") + kStats[i].Name + "Display"))
            ->SetText(values[i]);
}

TkPlotEditorForm::TKindPage* TkPlotEditorForm::PageOfKind(const std::string& Kind)
{
    for (auto& page : FKindPages)
        if (page->Table->Kind == Kind)
            return page.get();
    return nullptr;
}

TkPlotObject* TkPlotEditorForm::Selected(const TKindPage& Page) const
{
    const int index = Page.List->GetItemIndex();
    return index < 0 ? nullptr : static_cast<TkPlotObject*>(Page.List->GetItems()->Objects(index));
}

TkPlotChannelCustom* TkPlotEditorForm::SelectedChannel()
{
    TKindPage* page = PageOfKind("Channel");
    return page ? dynamic_cast<TkPlotChannelCustom*>(Selected(*page)) : nullptr;
}

std::vector<std::string> TkPlotEditorForm::NamesOf(const std::string& Source) const
{
    if (!Source.empty() && Source.front() == '<')
        return {FPlot ? FPlot->TranslateText(Source) : Source};
    std::vector<std::string> names;
    if (TkPlotKindManager* manager = FMaster.KindManager(Source))
        for (int i = 0; i < manager->GetCount(); ++i)
            names.push_back(manager->GetObject(i)->GetName());
    return names;
}

void TkPlotEditorForm::LoadPage(TKindPage& Page)
{
    const bool loading = std::exchange(FLoading, true);
    TkPlotObject* object = Selected(Page);
    EnableEditorControls(this, Page.Table->Prefix, object != nullptr);
    if (object) {
        Page.Page->Load(object);
        if (Page.Table->Kind == "Label" && Page.List->GetItemIndex() == 0)
            static_cast<TControl*>(FindComponent("LabelRemoveButton"))->SetEnabled(false);
        if (auto* channel = dynamic_cast<TkPlotChannelCustom*>(object))
            ShowLogging("Channel", channel->GetLoggingActive(), channel->GetLogFileName());
    }
    Page.List->Invalidate();
    FLoading = loading;
}

void TkPlotEditorForm::ShowLogging(const std::string& Prefix, bool Logging, const std::string& FileName)
{
    for (const char* item : {"LogFileNamePicker", "LogActivateButton"})
        static_cast<TControl*>(FindComponent(Prefix + item))->SetEnabled(!Logging);
    static_cast<TControl*>(FindComponent(Prefix + "LogDeactivateButton"))->SetEnabled(Logging);
    // Disabling an edit empties it, yet while the log is written the user
    // must still see which file it goes to: the name is locked, not gone.
    auto* edit = static_cast<TkComponentEditorEdit*>(FindComponent(Prefix + "LogFileNameEdit"));
    edit->SetEnabled(!Logging);
    edit->SetText(FileName);
}

void TkPlotEditorForm::LoadControlPage()
{
    if (!FPlot)
        return;
    const bool loading = std::exchange(FLoading, true);
    FControlPage->Load(FPlot);
    const std::pair<const char*, const std::string*> directories[]{
        {"ControlProperties", &FPlot->DefaultPropertyDirectory},
        {"ControlData", &FPlot->DefaultDataDirectory},
        {"ControlAnnotation", &FPlot->DefaultAnnotationDirectory}};
    for (const auto& [prefix, directory] : directories) {
        static_cast<TkComponentEditorOpenPicker*>(FindComponent(std::string(prefix) + "OpenPicker"))
            ->DefaultDir = *directory;
        static_cast<TkComponentEditorSavePicker*>(FindComponent(std::string(prefix) + "SavePicker"))
            ->DefaultDir = *directory;
    }
    auto* logName = static_cast<TkComponentEditorOpenPicker*>(FindComponent("ControlLogFileNamePicker"));
    logName->FileName = FPlot->GetLogFileName();
    ShowLogging("Control", FPlot->GetLoggingActive(), FPlot->GetLogFileName());
    FLoading = loading;
}

void TkPlotEditorForm::ReloadAll()
{
    LoadControlPage();
    for (auto& page : FKindPages)
        LoadPage(*page);
}

void TkPlotEditorForm::Changed(TKindPage& Page, TControl* Control)
{
    TkPlotObject* object = Selected(Page);
    if (FLoading || !object)
        return;
    Page.Page->Write(object, Control);
    ReloadAll();
}

void TkPlotEditorForm::ControlPageChanged(TControl* Control)
{
    if (FLoading || !FPlot)
        return;
    FControlPage->Write(FPlot, Control);
    ReloadAll();
}

void TkPlotEditorForm::AddObject(TKindPage& Page)
{
    if (TkPlotKindManager* manager = FMaster.KindManager(Page.Table->Kind))
        FMaster.Add(manager->Kind());
    Page.List->SelectLast();
    ReloadAll();
    ResetStats();
}

void TkPlotEditorForm::RemoveSelected(TKindPage& Page)
{
    // Freeing the object takes its entry out of the list (ObjectRemoved).
    if (TkPlotObject* object = Selected(Page))
        TkPlotObject::Free(object);
    ReloadAll();
    ResetStats();
}

void TkPlotEditorForm::ObjectAdded(TkPlotObject* Object)
{
    TKindPage* page = PageOfKind(Object->Kind().Name);
    if (!page)
        return;
    page->List->GetItems()->AddObject(Object->GetName(), Object);
    page->List->SelectLast();
    LoadPage(*page);
}

void TkPlotEditorForm::ObjectRemoved(TkPlotObject* Object)
{
    if (Object == FLayoutSelection)
        FLayoutSelection = nullptr;
    TKindPage* page = PageOfKind(Object->Kind().Name);
    if (!page)
        return;
    page->List->RemoveObject(Object);
    LoadPage(*page);
}

void TkPlotEditorForm::ObjectRenamed(TkPlotObject*)
{
    // Name combos refill as each page loads, and the lists draw the names anew.
    ReloadAll();
}

void TkPlotEditorForm::SelectObject(TkPlotObject* Object)
{
    TKindPage* page = PageOfKind(Object->Kind().Name);
    if (!page)
        return;
    FPageControl->SetActivePage(page->Sheet);
    page->List->SetItemIndex(page->List->GetItems()->IndexOfObject(Object));
    LoadPage(*page);
}

void TkPlotEditorForm::Edit(TkPlotObject* Object)
{
    if (Object)
        SelectObject(Object);
    ShowEditor();
}

void TkPlotEditorForm::ShowEditor()
{
    FClosed = false;
    const bool addRemove = FPlot && FPlot->GetUserCanAddRemoveChannels();
    for (const char* name : {"kChannelAddButton", "ChannelRemoveButton"})
        static_cast<TControl*>(FindComponent(name))->SetVisible(addRemove);
    ReloadAll();
    // The form as sender, as on closing: the application may adjust it.
    if (FPlot && FPlot->OnAfterOpenEditor)
        FPlot->OnAfterOpenEditor(this);
    if (FHost.FormStyle == kpfsStayOnTop) {
        SetFormStyle(fsStayOnTop);
        Show();
        return;
    }
    ShowModal();
    StorePages();
    FHost.EditorClosed();
}

void TkPlotEditorForm::RestorePages()
{
    for (std::size_t i = 0; i < kRememberedPageControls.size(); ++i)
        if (auto* pages = dynamic_cast<TPageControl*>(FindComponent(kRememberedPageControls[i])))
            pages->SetActivePageIndex(FHost.EditorPages[i]);
}

void TkPlotEditorForm::StorePages()
{
    for (std::size_t i = 0; i < kRememberedPageControls.size(); ++i)
        if (auto* pages = dynamic_cast<TPageControl*>(FindComponent(kRememberedPageControls[i])))
            FHost.EditorPages[i] = pages->GetActivePageIndex();
}
