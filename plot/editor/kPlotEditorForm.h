#pragma once
// The plot's run-time property editor: the plot-wide Control page, the
// layout viewer and one page per object kind, each with the list of the
// plot's objects of that kind. Every user change goes straight into the
// selected object (no OK or Cancel); only the property of the control the
// user changed is written, so values the user did not touch stay exactly
// as they were.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "plot/core/kPlotEditorHost.h"
#include "plot/core/kPlotEditorLink.h"
#include "plot/editor/kCustomEditorForm.h"

class TButton;
class TPopupMenu;
class TTabSheet;
class TkComponentEditorEdit;
class TkComponentEditorListBox;
class TkComponentEditorOpenPicker;
class TkComponentEditorPageControl;
class TkComponentEditorSavePicker;
class TkPlotChannelCustom;
class TkPlotComponent;
class TkPlotEditorPage;
class TkPlotLayoutViewer;
class TkPlotMasterManager;
struct TkEditorPageTable;

class TkPlotEditorForm : public TkCustomEditorForm, public TkPlotEditorLink {
public:
    explicit TkPlotEditorForm(TkPlotEditorHost& Host);
    ~TkPlotEditorForm() override;

    // TkPlotEditorLink
    bool IsLoading() const override { return FLoading; }
    void ObjectAdded(TkPlotObject* Object) override;
    void ObjectRemoved(TkPlotObject* Object) override;
    void ObjectRenamed(TkPlotObject* Object) override;
    void Edit(TkPlotObject* Object) override;
    const TObject* Form() const override { return this; }

    // Loads the Control page and every kind's page from the plot.
    void ReloadAll();
    // The user closed a stay-on-top editor.
    bool GetClosed() const { return FClosed; }
    TkComponentEditorPageControl* GetPageControl() const { return FPageControl; }
    // The layout page's menu and the object under its last mouse-down.
    TPopupMenu* GetLayoutMenu() const { return FLayoutMenu; }
    TkPlotObject* GetLayoutSelection() const { return FLayoutSelection; }

private:
    struct TKindPage {
        const TkEditorPageTable* Table;
        TTabSheet* Sheet;
        TkComponentEditorListBox* List;
        std::unique_ptr<TkPlotEditorPage> Page;
    };

    void BuildControlPage(TTabSheet* Sheet);
    // The data, annotation and log buttons of the Control page's files tab.
    void BuildControlFiles(TTabSheet* Files);
    void BuildLayoutPage(TTabSheet* Sheet);
    void BuildLayoutMenu();
    void LayoutMenuPopup();
    void BuildKindPage(const TkEditorPageTable& Table);
    void BuildChannelFiles(TKindPage& Page);
    void BuildChannelStats(TKindPage& Page);
    // The Cursor and Legend label tabs' buttons that take the default
    // label format.
    void BuildCopyDefaultButtons(TKindPage& Page);
    // "Click Refresh" while a channel is selected, else nothing.
    void ResetStats();
    void RefreshStats();
    TKindPage* PageOfKind(const std::string& Kind);
    TkPlotObject* Selected(const TKindPage& Page) const;
    void LoadPage(TKindPage& Page);
    void LoadControlPage();
    // The log controls of the Control or Channel page: while logging, the
    // file name is locked and only Deactivate is offered.
    void ShowLogging(const std::string& Prefix, bool Logging, const std::string& FileName);
    void Changed(TKindPage& Page, TControl* Control);
    void ControlPageChanged(TControl* Control);
    void AddObject(TKindPage& Page);
    void RemoveSelected(TKindPage& Page);
    TkPlotChannelCustom* SelectedChannel();
    // Shows the object's page with the object selected.
    void SelectObject(TkPlotObject* Object);
    void ShowEditor();
    // The names a name combo offers for a kind or a literal entry.
    std::vector<std::string> NamesOf(const std::string& Source) const;
    void RestorePages();
    void StorePages();

    TkPlotEditorHost& FHost;
    TkPlotMasterManager& FMaster;
    TkPlotComponent* FPlot;
    TkComponentEditorPageControl* FPageControl;
    std::unique_ptr<TkPlotEditorPage> FControlPage;
    std::vector<std::unique_ptr<TKindPage>> FKindPages;
    TkPlotLayoutViewer* FLayoutViewer = nullptr;
    TPopupMenu* FLayoutMenu = nullptr;
    TkPlotObject* FLayoutSelection = nullptr;
    bool FLoading = false;
    bool FClosed = false;
};
