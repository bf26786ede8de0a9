#pragma once
// One page of the plot editor made from its table: a page control with a
// tab per sub-page, and per row a caption and the control named after the
// row. It moves values between its controls and the published properties
// of the object it is given; it knows nothing of kinds or managers.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "plot/editor/kPlotEditorTable.h"

class TComponent;
class TControl;
class TLabel;
class TObject;
class TTabSheet;
class TWinControl;
class TkComponentEditorPageControl;

class TkPlotEditorPage {
public:
    // The names a name combo offers for one of its row's sources.
    using TNamesOf = std::function<std::vector<std::string>(const std::string& Source)>;
    // The user changed Control.
    using TChanged = std::function<void(TControl* Control)>;

    // The controls are owned by Owner and laid out in Bounds of Parent.
    TkPlotEditorPage(const TkEditorPageTable& Table, TComponent* Owner, TWinControl* Parent, int Left, int Top,
                     int Width, int Height, TNamesOf NamesOf, TChanged Changed);
    TkPlotEditorPage(const TkPlotEditorPage&) = delete;
    TkPlotEditorPage& operator=(const TkPlotEditorPage&) = delete;

    const TkEditorPageTable& Table() const { return FTable; }
    TkComponentEditorPageControl* PageControl() const { return FPageControl; }

    // Places the rows of every tab: each tab's caption column as wide as
    // its longest caption, its controls right of it. Run again after the
    // captions changed (translated).
    void Arrange();
    // Sets every control from Object without firing anything. A control
    // whose property Object does not publish is hidden, and so is a tab
    // none of whose properties it publishes.
    void Load(const TObject* Object);
    // Writes the value of Control, one of this page's, into Object.
    void Write(TObject* Object, TControl* Control) const;
    bool Holds(const TControl* Control) const;

private:
    struct TBinding {
        const TkEditorRow* Row;
        TControl* Control;
        TLabel* Caption;   // none for check boxes and radio groups
        TControl* Picker;  // the value converter's button beside an edit, if any
        // The tabs it lies on: its own and the one that holds that.
        std::vector<TTabSheet*> Sheets;
    };
    // The rows of one tab: its bindings from First on.
    struct TTab {
        const std::vector<TkEditorRow>* Rows;
        int Height;
        std::size_t First;
    };
    // Where a row goes: its column of rows and its top.
    struct TPlace {
        int Column;
        int Top;
    };
    void Build(TComponent* Owner, int Width, int Height);
    // Makes the controls of Rows on Sheets.front(), whose rows stand within
    // Height; answers the bottom of the lowest row.
    int BuildRows(TComponent* Owner, const std::vector<TkEditorRow>& Rows, const std::vector<TTabSheet*>& Sheets,
                  int Height);
    static std::vector<TPlace> Flow(const std::vector<TkEditorRow>& Rows, int Height);
    void ArrangeTab(const TTab& Tab);
    void Refill(const TBinding& Binding) const;
    static void LoadControl(const TBinding& Binding, const TObject* Object);

    const TkEditorPageTable& FTable;
    TkComponentEditorPageControl* FPageControl = nullptr;
    std::vector<TBinding> FBindings;
    std::vector<TTab> FTabs;
    // The tabs made from the table (the owner may add more).
    std::vector<TTabSheet*> FSheets;
    TNamesOf FNamesOf;
    TChanged FChanged;
};

// Enables or disables, silently, every control of Form whose name begins
// with Prefix (any case), page controls, tab sheets and captions aside.
void EnableEditorControls(TComponent* Form, const std::string& Prefix, bool Enabled);

// Sets Object's property To to the value of its property From (the same
// kind); nothing when either is missing.
void CopyPublishedValue(TObject* Object, const std::string& From, const std::string& To);
